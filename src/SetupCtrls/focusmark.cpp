#include "focusmark.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QPainter>

namespace {

template <typename Shape>
void Draw(QPainter &painter, const QRect &area, Shape shape)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const QColor colours[] = {Qt::black, Qt::white, Qt::black};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(QPen(colours[i], 1));
        shape(painter, area.adjusted(i, i, -1 - i, -1 - i));
    }
    painter.restore();
}

// Paints the mark over what the box's view has painted: it lets the view paint first. Holds the
// box as a plain widget: it still gets focus events while it is being destroyed.
class TTextBoxMark : public QObject
{
public:
    explicit TTextBoxMark(QAbstractScrollArea *box) : QObject(box), m_box(box), m_view(box->viewport())
    {
        box->installEventFilter(this);
        m_view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (event->type() == QEvent::FocusIn)
                m_shown.FocusIn(reason);
            else
                m_shown.FocusOut(reason);
            m_view->update();
        } else if (watched == m_view && event->type() == QEvent::Paint && !m_painting && m_box->hasFocus() && m_shown()) {
            m_painting = true;
            QCoreApplication::sendEvent(watched, event);
            m_painting = false;
            QPainter painter(m_view);
            FocusMark::DrawFrame(painter, m_view->rect());
            return true;
        }
        return false;
    }

private:
    QWidget *m_box;
    QWidget *m_view;
    FocusMark::TShown m_shown;
    bool m_painting = false;
};

} // namespace

namespace FocusMark {

void MarkTextBox(QAbstractScrollArea *box)
{
    new TTextBoxMark(box);
}

void DrawFrame(QPainter &painter, const QRect &area)
{
    Draw(painter, area, [](QPainter &p, const QRect &r) { p.drawRect(r); });
}

void DrawRing(QPainter &painter, const QRect &area)
{
    Draw(painter, area, [](QPainter &p, const QRect &r) { p.drawEllipse(r); });
}

} // namespace FocusMark

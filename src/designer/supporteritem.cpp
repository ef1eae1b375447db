#include "supporteritem.h"

#include "component.h"

#include <QPainter>

namespace {

// Named like the library's class, as Designer stores a widget under its class name; internal
// to this file, so distinct from it.
class TSetupSupporter : public QWidget
{
    Q_OBJECT
public:
    explicit TSetupSupporter(QWidget *parent) : QWidget(parent)
    {
        resize(32, 32);
        Component::SetDesigning(this, true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter canvas(this);
        const QRect box = rect().adjusted(0, 0, -1, -1);
        canvas.fillRect(box, QColor(0xF0, 0xF0, 0xF0));
        canvas.setPen(Qt::black);
        canvas.drawRect(box);
        canvas.drawText(box, Qt::AlignCenter, QStringLiteral("SS"));
    }
};

} // namespace

namespace SupporterItem {

QWidget *Create(QWidget *parent)
{
    return new TSetupSupporter(parent);
}

} // namespace SupporterItem

#include "supporteritem.moc"

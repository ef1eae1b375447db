#include "focusmark.h"

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

} // namespace

namespace FocusMark {

void DrawFrame(QPainter &painter, const QRect &area)
{
    Draw(painter, area, [](QPainter &p, const QRect &r) { p.drawRect(r); });
}

void DrawRing(QPainter &painter, const QRect &area)
{
    Draw(painter, area, [](QPainter &p, const QRect &r) { p.drawEllipse(r); });
}

} // namespace FocusMark

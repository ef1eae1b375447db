#pragma once

#include <QRect>

class QPainter;

// The keyboard focus mark the library's own controls draw over themselves: a black line beside a
// white one, so that one of the two stands out from whatever lies around it.
namespace FocusMark {

// A rectangle just inside the area.
void DrawFrame(QPainter &painter, const QRect &area);
// An ellipse just inside the area.
void DrawRing(QPainter &painter, const QRect &area);

} // namespace FocusMark

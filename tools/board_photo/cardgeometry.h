// The card's fixed measures and colours, and the small geometric helpers every drawing step
// shares: lit surfaces, rounded outlines, the silkscreen face and 45-degree trace routes.

#pragma once

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace boardphoto {

constexpr int kWidth = 600;
constexpr int kHeight = 611;
constexpr int kOversample = 2;    // drawn at twice the size, then scaled down
constexpr qreal kPitch = 10.0;    // 0.1 inch
constexpr qreal kFinePitch = 5.0; // 0.05 inch, SOIC leads

inline const QColor kTable(38, 40, 42);
inline const QColor kLaminate(17, 70, 37); // solder mask over bare laminate
inline const QColor kCopper(38, 116, 58);  // solder mask over copper
inline const QColor kSilk(234, 238, 228);
inline const QColor kPlastic(30, 30, 33);
inline const QColor kGold(220, 178, 86);
inline const QColor kTin(196, 198, 196);
inline const QColor kEpoxy(36, 36, 38);
inline const QColor kMarking(168, 170, 166);
inline const QColor kBlueShunt(34, 78, 178);
inline const QColor kBlackShunt(44, 44, 48);

QLinearGradient lit(const QRectF &r, const QColor &base, int contrast);
QPainterPath roundedPath(const QRectF &r, qreal radius);
QFont silkFont(int px);

// A trace that leaves `from` along one axis, bends by 45 degrees towards `to` and enters it
// straight for the last `lead` pixels.
QPolygonF route(QPointF from, QPointF to, bool verticalFirst, qreal lead = 0);

} // namespace boardphoto

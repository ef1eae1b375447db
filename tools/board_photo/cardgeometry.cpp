// Shared geometric helpers of the card photograph.

#include "cardgeometry.h"

#include <algorithm>
#include <cmath>

namespace boardphoto {

QLinearGradient lit(const QRectF &r, const QColor &base, int contrast)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, base.lighter(100 + contrast));
    g.setColorAt(1, base.darker(100 + contrast / 2));
    return g;
}

QPainterPath roundedPath(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QFont silkFont(int px)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(px);
    font.setBold(true);
    font.setStretch(QFont::Condensed);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPolygonF route(QPointF from, QPointF to, bool verticalFirst, qreal lead)
{
    const QPointF delta = to - from;
    const qreal primary = verticalFirst ? delta.y() : delta.x();
    const qreal secondary = verticalFirst ? delta.x() : delta.y();
    const qreal pSign = primary < 0 ? -1 : 1;
    const qreal sSign = secondary < 0 ? -1 : 1;
    const qreal room = std::max<qreal>(0, std::abs(primary) - lead);
    const qreal diagonal = std::min(std::abs(secondary), room);
    const auto point = [&](qreal p, qreal s) {
        return verticalFirst ? from + QPointF(s, p) : from + QPointF(p, s);
    };
    QPolygonF path{from};
    path << point(pSign * (room - diagonal), 0) << point(pSign * room, sSign * diagonal)
         << point(pSign * room, secondary) << to;
    return path;
}

} // namespace boardphoto

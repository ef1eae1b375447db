// The card's own surface: copper traces and vias, the ground pour's clearances, tinned pads,
// silkscreen text and outlines, mounting holes and fiducials.

#include "cardpainter.h"

#include "cardgeometry.h"

#include <QRadialGradient>

namespace boardphoto {

// Copper near `shape` that the ground pour must not touch.
void CardPainter::keepClear(const QPainterPath &shape, qreal gap)
{
    const QPainterPath device = board_.worldTransform().map(shape);
    clearance_.save();
    clearance_.resetTransform();
    clearance_.setPen(QPen(Qt::black, 2 * gap * kOversample, Qt::SolidLine, Qt::RoundCap,
                           Qt::RoundJoin));
    clearance_.setBrush(Qt::black);
    clearance_.drawPath(device);
    clearance_.restore();
}

void CardPainter::trace(const QPolygonF &path, qreal width)
{
    QPen pen(Qt::black, width + 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    clearance_.setPen(pen);
    clearance_.drawPolyline(path);
    clearance_.setPen(Qt::NoPen);
    pen.setColor(kCopper);
    pen.setWidthF(width);
    copper_.setPen(pen);
    copper_.drawPolyline(path);
    pen.setColor(QColor(255, 255, 255, 24));
    pen.setWidthF(width * 0.35);
    copper_.setPen(pen);
    copper_.drawPolyline(path.translated(-width * 0.2, -width * 0.2));
    copper_.setPen(Qt::NoPen);
}

// Tented via: the mask over the ring shows the copper, the drill hole stays dark. Stitching
// vias join the pour, the others stand in a clearance ring.
void CardPainter::via(QPointF at, bool stitching)
{
    if (!stitching) {
        clearance_.setBrush(Qt::black);
        clearance_.drawEllipse(at, 4.2, 4.2);
    }
    copper_.setBrush(kCopper.lighter(110));
    copper_.drawEllipse(at, 2.6, 2.6);
    copper_.setBrush(kLaminate.darker(160));
    copper_.drawEllipse(at, 1.1, 1.1);
}

void CardPainter::padRect(const QRectF &r)
{
    QPainterPath shape;
    shape.addRect(r);
    keepClear(shape, 1.6);
    board_.setBrush(lit(r, kTin, 14));
    board_.drawRect(r);
}

void CardPainter::padRound(QPointF at, qreal radius)
{
    QPainterPath shape;
    shape.addEllipse(at, radius, radius);
    keepClear(shape, 1.6);
    QRadialGradient g(at - QPointF(radius, radius) * 0.3, radius * 1.4);
    g.setColorAt(0, kTin.lighter(115));
    g.setColorAt(1, kTin.darker(125));
    board_.setBrush(g);
    board_.drawEllipse(at, radius, radius);
}

// Text whose vertical centre is at `at`; the horizontal alignment says which end `at` marks.
void CardPainter::silk(QPointF at, const QString &text, int px, Qt::Alignment align, qreal angle)
{
    board_.save();
    board_.translate(at);
    board_.rotate(angle);
    board_.setFont(silkFont(px));
    board_.setPen(kSilk);
    QRectF box(-200, -px, 400, 2 * px);
    if (align & Qt::AlignLeft)
        box.moveLeft(0);
    else if (align & Qt::AlignRight)
        box.moveRight(0);
    board_.drawText(box, int(align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, text);
    board_.restore();
}

void CardPainter::silkOutline(const QRectF &r)
{
    board_.setPen(QPen(kSilk, 1.1));
    board_.setBrush(Qt::NoBrush);
    board_.drawRect(r);
    board_.setPen(Qt::NoPen);
}

void CardPainter::mountingHole(QPointF at)
{
    board_.setPen(QPen(kSilk, 1.1));
    board_.setBrush(Qt::NoBrush);
    board_.drawEllipse(at, 12.5, 12.5);
    board_.setPen(Qt::NoPen);
    padRound(at, 8.5);
    QRadialGradient hole(at + QPointF(1.5, 1.5), 6);
    hole.setColorAt(0, kTable.darker(110));
    hole.setColorAt(0.7, kTable);
    hole.setColorAt(1, QColor(12, 12, 12));
    board_.setBrush(hole);
    board_.drawEllipse(at, 5.2, 5.2);
}

void CardPainter::fiducial(QPointF at)
{
    QPainterPath opening;
    opening.addEllipse(at, 4.5, 4.5);
    keepClear(opening, 1);
    board_.setBrush(QColor(70, 96, 60));
    board_.drawEllipse(at, 4.5, 4.5);
    padRound(at, 2);
}

} // namespace boardphoto

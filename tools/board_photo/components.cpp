// The parts fitted to the card, each with its shadow: pin headers, shunts, box headers and the
// bus sockets; DIP, SOIC and QFP chips with their markings; chip resistors and capacitors,
// tantalum and electrolytic capacitors, trimmers and the oscillator.

#include "cardpainter.h"

#include "cardgeometry.h"

#include <QFontMetricsF>
#include <QRadialGradient>

#include <algorithm>

namespace boardphoto {

void CardPainter::goldPin(QPointF at)
{
    const QRectF post(at.x() - 1.8, at.y() - 1.8, 3.6, 3.6);
    QLinearGradient g(post.topLeft(), post.bottomRight());
    g.setColorAt(0, QColor(255, 236, 160));
    g.setColorAt(0.5, kGold);
    g.setColorAt(1, QColor(128, 94, 32));
    parts_.setBrush(g);
    parts_.drawRect(post);
    parts_.setBrush(QColor(255, 244, 200, 210));
    parts_.drawRect(QRectF(at.x() - 0.8, at.y() - 0.8, 1.3, 1.3));
}

// Unshrouded pin header: one moulded block per pin, gold posts.
void CardPainter::header(QPointF pin1, int cols, int rows)
{
    const QRectF body(pin1.x() - kPitch / 2, pin1.y() - kPitch / 2, cols * kPitch, rows * kPitch);
    castShadow(roundedPath(body, 1), 3);
    parts_.setBrush(QColor(12, 12, 14));
    parts_.drawRoundedRect(body, 1, 1);
    for (int c = 0; c < cols; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QRectF cell(body.x() + c * kPitch, body.y() + r * kPitch, kPitch, kPitch);
            parts_.setBrush(lit(cell, kPlastic, 30));
            parts_.drawRoundedRect(cell.adjusted(0.6, 0.6, -0.6, -0.6), 2, 2);
            goldPin(cell.center());
        }
    }
}

// Shunt fitted over two neighbouring pins.
void CardPainter::shunt(QPointF a, QPointF b, const QColor &colour)
{
    const QRectF r = QRectF(a, b).normalized().adjusted(-4.8, -4.8, 4.8, 4.8);
    castShadow(roundedPath(r, 1.6), 7);
    parts_.setBrush(lit(r, colour, 45));
    parts_.drawRoundedRect(r, 1.8, 1.8);
    const QRectF top = r.adjusted(1.7, 1.7, -1.7, -1.7);
    parts_.setBrush(lit(top, colour.darker(118), 25));
    parts_.drawRoundedRect(top, 1, 1);
    parts_.setPen(QPen(colour.lighter(150), 0.7));
    const bool vertical = r.height() > r.width();
    for (qreal t : {0.38, 0.62}) {
        if (vertical)
            parts_.drawLine(QPointF(top.left() + 0.8, top.top() + top.height() * t),
                            QPointF(top.right() - 0.8, top.top() + top.height() * t));
        else
            parts_.drawLine(QPointF(top.left() + top.width() * t, top.top() + 0.8),
                            QPointF(top.left() + top.width() * t, top.bottom() - 0.8));
    }
    parts_.setPen(Qt::NoPen);
}

// Shrouded two-row box header with its polarising slot in one long wall.
void CardPainter::boxHeader(QPointF pin1, int cols, bool keyTowardsTop)
{
    const QRectF pins(pin1.x() - kPitch / 2, pin1.y() - kPitch / 2, cols * kPitch, 2 * kPitch);
    const QRectF outer = pins.adjusted(-4.5, -4.5, 4.5, 4.5);
    const QRectF cavity = pins.adjusted(-1.2, -1.2, 1.2, 1.2);
    castShadow(roundedPath(outer, 1.2), 8);
    parts_.setBrush(lit(outer, kPlastic, 40));
    parts_.drawRoundedRect(outer, 1.2, 1.2);
    parts_.setBrush(QColor(10, 10, 11));
    parts_.drawRect(cavity);
    parts_.setBrush(QColor(255, 255, 255, 22));
    parts_.drawRect(QRectF(cavity.left(), cavity.bottom() - 1.2, cavity.width(), 1.2));
    parts_.drawRect(QRectF(cavity.right() - 1.2, cavity.top(), 1.2, cavity.height()));
    const qreal keyWidth = 4 * kPitch;
    const QRectF key(pins.center().x() - keyWidth / 2,
                     keyTowardsTop ? outer.top() : cavity.bottom(), keyWidth,
                     keyTowardsTop ? cavity.top() - outer.top() : outer.bottom() - cavity.bottom());
    parts_.setBrush(QColor(14, 14, 15));
    parts_.drawRect(key);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < 2; ++r)
            goldPin(pin1 + QPointF(c * kPitch, r * kPitch));
    parts_.setBrush(QColor(90, 90, 94));
    const qreal tipY = keyTowardsTop ? outer.bottom() - 1 : outer.top() + 1;
    const qreal baseY = keyTowardsTop ? outer.bottom() - 3.3 : outer.top() + 3.3;
    parts_.drawPolygon(QPolygonF{QPointF(outer.left() + 2, baseY),
                                 QPointF(outer.left() + 5.4, baseY),
                                 QPointF(outer.left() + 3.7, tipY)});
}

// Stack-through bus socket seen from above: two columns of contact openings.
void CardPainter::busSocket(QPointF pin1, int rows)
{
    const QRectF body(pin1.x() - kPitch / 2 - 1.5, pin1.y() - kPitch / 2 - 1.5, 2 * kPitch + 3,
                      rows * kPitch + 3);
    castShadow(roundedPath(body, 1.4), 10);
    parts_.setBrush(lit(body, kPlastic, 30));
    parts_.drawRoundedRect(body, 1.4, 1.4);
    parts_.setPen(QPen(QColor(16, 16, 18), 0.8));
    parts_.drawLine(QPointF(body.center().x(), body.top() + 2),
                    QPointF(body.center().x(), body.bottom() - 2));
    parts_.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 2; ++c) {
            const QPointF at = pin1 + QPointF(c * kPitch, r * kPitch);
            parts_.setBrush(QColor(56, 56, 60));
            parts_.drawRect(QRectF(at.x() - 2.6, at.y() - 2.6, 5.2, 5.2));
            parts_.setBrush(QColor(6, 6, 7));
            parts_.drawRect(QRectF(at.x() - 2, at.y() - 2, 4, 4));
            parts_.setBrush(kGold.darker(150));
            parts_.drawRect(QRectF(at.x() - 1.2, at.y() + 0.6, 2.4, 0.9));
        }
    }
}

// Laser-etched marking in light grey, centred on the package face and shrunk to fit it.
void CardPainter::marking(const QRectF &face, const QStringList &lines, int px)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStretch(QFont::SemiCondensed);
    font.setHintingPreference(QFont::PreferNoHinting);
    qreal widest = 0;
    do {
        font.setPixelSize(px);
        const QFontMetricsF metrics(font);
        widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
    } while (widest > face.width() && --px > 4);
    parts_.setFont(font);
    parts_.setPen(kMarking);
    const qreal lineHeight = px * 1.15;
    const qreal top = face.center().y() - lineHeight * lines.size() / 2;
    for (int i = 0; i < lines.size(); ++i)
        parts_.drawText(QRectF(face.left(), top + i * lineHeight, face.width(), lineHeight),
                        Qt::AlignCenter, lines[i]);
    parts_.setPen(Qt::NoPen);
}

void CardPainter::dip(QPointF centre, int pins, qreal rowSpan, qreal angle,
                      const QStringList &lines)
{
    const int perSide = pins / 2;
    const qreal length = perSide * kPitch + 1.5;
    const qreal width = rowSpan - 6;
    const QRectF body(-length / 2, -width / 2, length, width);
    const Frame frame(*this, centre, angle);
    for (int i = 0; i < perSide; ++i) {
        const qreal x = -(perSide - 1) * kPitch / 2 + i * kPitch;
        for (qreal side : {-1.0, 1.0}) {
            padRound(QPointF(x, side * rowSpan / 2), 2.4);
            const QRectF lead(x - 1.1, side < 0 ? -rowSpan / 2 - 0.6 : width / 2, 2.2,
                              (rowSpan - width) / 2 + 0.6);
            parts_.setBrush(lit(lead, kTin, 30));
            parts_.drawRect(lead);
        }
    }
    castShadow(roundedPath(body, 1), 4);
    parts_.setBrush(lit(body, kEpoxy, 35));
    parts_.drawRoundedRect(body, 1, 1);
    parts_.setBrush(QColor(20, 20, 22));
    parts_.drawPie(QRectF(body.left() - 3.2, -3.2, 6.4, 6.4), -90 * 16, 180 * 16);
    parts_.setBrush(QColor(26, 26, 28));
    parts_.drawEllipse(QPointF(body.left() + 5, body.bottom() - 5), 1.8, 1.8);
    marking(body.adjusted(6, 0, -2, 0), lines, std::min(9, int(width / (lines.size() + 1.2))));
}

void CardPainter::soic(QPointF centre, int pins, qreal bodyWidth, qreal angle,
                       const QStringList &lines)
{
    const int perSide = pins / 2;
    const qreal length = perSide * kFinePitch + 1;
    const QRectF body(-length / 2, -bodyWidth / 2, length, bodyWidth);
    const Frame frame(*this, centre, angle);
    for (int i = 0; i < perSide; ++i) {
        const qreal x = -(perSide - 1) * kFinePitch / 2 + i * kFinePitch;
        for (qreal side : {-1.0, 1.0}) {
            const qreal edge = side * bodyWidth / 2;
            padRect(QRectF(x - 1.4, side < 0 ? edge - 6 : edge + 0.5, 2.8, 5.5));
            const QRectF lead(x - 0.9, side < 0 ? edge - 4 : edge, 1.8, 4);
            parts_.setBrush(lit(lead, kTin, 35));
            parts_.drawRect(lead);
        }
    }
    castShadow(roundedPath(body, 0.5), 2.5);
    parts_.setBrush(lit(body, kEpoxy, 35));
    parts_.drawRect(body);
    parts_.setBrush(QColor(255, 255, 255, 14));
    parts_.drawRect(QRectF(body.left(), body.bottom() - 1.6, body.width(), 1.6));
    parts_.setBrush(QColor(24, 24, 26));
    parts_.drawEllipse(QPointF(body.left() + 2.6, body.bottom() - 3.4), 1.1, 1.1);
    marking(body.adjusted(3, 0, -1, 0), lines, std::min(8, int(bodyWidth / (lines.size() + 0.6))));
}

void CardPainter::qfp(QPointF centre, int perSide, qreal pitch, qreal body,
                      const QStringList &lines)
{
    const QRectF square(-body / 2, -body / 2, body, body);
    const Frame frame(*this, centre, 0);
    for (int side = 0; side < 4; ++side) {
        board_.save();
        parts_.save();
        board_.rotate(side * 90);
        parts_.rotate(side * 90);
        for (int i = 0; i < perSide; ++i) {
            const qreal x = -(perSide - 1) * pitch / 2 + i * pitch;
            padRect(QRectF(x - pitch * 0.28, body / 2 + 0.4, pitch * 0.56, 5));
            const QRectF lead(x - pitch * 0.18, body / 2, pitch * 0.36, 3.6);
            parts_.setBrush(lit(lead, kTin, 35));
            parts_.drawRect(lead);
        }
        board_.restore();
        parts_.restore();
    }
    castShadow(roundedPath(square, 0.5), 2.5);
    parts_.setBrush(lit(square, kEpoxy, 35));
    parts_.drawRect(square);
    parts_.setBrush(QColor(22, 22, 24));
    parts_.drawEllipse(QPointF(square.left() + 4.5, square.bottom() - 4.5), 2, 2);
    parts_.drawEllipse(QPointF(square.right() - 5, square.top() + 5), 3, 3);
    marking(square.adjusted(2, 0, -2, 0), lines, 7);
}

void CardPainter::chipEnds(const QRectF &body, bool vertical, const QColor &middle, qreal endShare)
{
    const qreal end = (vertical ? body.height() : body.width()) * endShare;
    const QRectF first = vertical ? QRectF(body.left(), body.top(), body.width(), end)
                                  : QRectF(body.left(), body.top(), end, body.height());
    const QRectF second = vertical ? first.translated(0, body.height() - end)
                                   : first.translated(body.width() - end, 0);
    const QPointF out = vertical ? QPointF(0, 1) : QPointF(1, 0);
    padRect(first.adjusted(-0.3, -0.3, 0.3, 0.3).translated(-out * 0.7));
    padRect(second.adjusted(-0.3, -0.3, 0.3, 0.3).translated(out * 0.7));
    castShadow(roundedPath(body, 0.6), 1.8);
    parts_.setBrush(lit(body, middle, 30));
    parts_.drawRect(body);
    for (const QRectF &r : {first, second}) {
        parts_.setBrush(lit(r, kTin.darker(108), 40));
        parts_.drawRoundedRect(r, 0.5, 0.5);
    }
}

// 0805 resistor: black top; the larger 1206 size carries its value code.
void CardPainter::resistor(QPointF centre, bool vertical, const QString &code)
{
    const QSizeF size = code.isEmpty() ? QSizeF(8, 5) : QSizeF(12.5, 6.4);
    const QSizeF oriented = vertical ? size.transposed() : size;
    const QRectF body(centre - QPointF(oriented.width(), oriented.height()) / 2, oriented);
    chipEnds(body, vertical, QColor(26, 26, 28), 0.17);
    if (code.isEmpty())
        return;
    const Frame frame(*this, centre, vertical ? 90 : 0);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(5);
    parts_.setFont(font);
    parts_.setPen(QColor(200, 200, 194));
    parts_.drawText(QRectF(-4.5, -3.2, 9, 6.4), Qt::AlignCenter, code);
    parts_.setPen(Qt::NoPen);
}

void CardPainter::capacitor(QPointF centre, bool vertical)
{
    const QSizeF size = vertical ? QSizeF(5, 8) : QSizeF(8, 5);
    const QColor body =
        QColor::fromHsv(26 + int(noise(4)), 125 + int(noise(20)), 128 + int(noise(14)));
    chipEnds(QRectF(centre - QPointF(size.width(), size.height()) / 2, size), vertical, body,
             0.22);
}

void CardPainter::tantalum(QPointF centre, QSizeF size, qreal angle, const QString &code)
{
    const QRectF body(-size.width() / 2, -size.height() / 2, size.width(), size.height());
    const Frame frame(*this, centre, angle);
    const QRectF terminal(body.left() - 1.2, -size.height() * 0.32, 2.8, size.height() * 0.64);
    padRect(terminal.adjusted(-1.5, -0.8, 0.5, 0.8));
    padRect(terminal.translated(body.width() - 0.4, 0).adjusted(-0.5, -0.8, 1.5, 0.8));
    castShadow(roundedPath(body, 1), 3.5);
    parts_.setBrush(lit(body, QColor(222, 166, 38), 25));
    parts_.drawRoundedRect(body, 1, 1);
    parts_.setBrush(QColor(150, 86, 24));
    parts_.drawRect(QRectF(body.left() + 1.2, body.top() + 0.6, size.width() * 0.16,
                           size.height() - 1.2));
    parts_.setBrush(lit(terminal, kTin, 30));
    parts_.drawRect(terminal);
    parts_.drawRect(terminal.translated(body.width() - 0.4, 0));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(4, int(size.height() * 0.42)));
    font.setBold(true);
    parts_.setFont(font);
    parts_.setPen(QColor(96, 60, 20));
    parts_.drawText(body.adjusted(size.width() * 0.2, 0, 0, 0), Qt::AlignCenter, code);
    parts_.setPen(Qt::NoPen);
}

// Radial aluminium electrolytic from above: sleeve with polarity stripe, scored top.
void CardPainter::electrolytic(QPointF centre, qreal radius)
{
    board_.setPen(QPen(kSilk, 1.1));
    board_.setBrush(Qt::NoBrush);
    board_.drawEllipse(centre, radius + 2, radius + 2);
    board_.setPen(Qt::NoPen);
    silk(centre + QPointF(-radius - 4, -radius + 1), QStringLiteral("+"), 9, Qt::AlignRight);
    QPainterPath can;
    can.addEllipse(centre, radius, radius);
    castShadow(can, 11);
    parts_.setBrush(QColor(24, 24, 30));
    parts_.drawPath(can);
    const QRectF rim(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    parts_.setBrush(QColor(150, 150, 160));
    parts_.drawPie(rim, 100 * 16, 70 * 16);
    QRadialGradient top(centre - QPointF(radius, radius) * 0.35, radius * 1.5);
    top.setColorAt(0, QColor(236, 236, 232));
    top.setColorAt(0.6, QColor(176, 178, 178));
    top.setColorAt(1, QColor(118, 120, 122));
    parts_.setBrush(top);
    parts_.drawEllipse(centre, radius - 1.8, radius - 1.8);
    parts_.setPen(QPen(QColor(100, 102, 104), 0.9));
    const qreal arm = (radius - 1.8) * 0.62;
    parts_.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    parts_.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    parts_.setPen(Qt::NoPen);
}

// Multi-turn cermet trimmer: blue housing, brass adjustment screw at one end.
void CardPainter::trimmer(QPointF centre, qreal angle)
{
    const QRectF body(-18, -9, 36, 18);
    const Frame frame(*this, centre, angle);
    castShadow(roundedPath(body, 1.2), 9);
    parts_.setBrush(lit(body, QColor(42, 84, 190), 40));
    parts_.drawRoundedRect(body, 1.2, 1.2);
    const QPointF screw(body.right() - 5.5, 0);
    QRadialGradient brass(screw - QPointF(1.5, 1.5), 5);
    brass.setColorAt(0, QColor(250, 226, 150));
    brass.setColorAt(1, QColor(150, 110, 40));
    parts_.setBrush(brass);
    parts_.drawEllipse(screw, 3.6, 3.6);
    parts_.setPen(QPen(QColor(70, 50, 20), 0.9));
    parts_.drawLine(screw + QPointF(-2.4, 1.2), screw + QPointF(2.4, -1.2));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(6);
    font.setBold(true);
    parts_.setFont(font);
    parts_.setPen(QColor(236, 240, 250));
    parts_.drawText(QRectF(body.left() + 2, body.top(), 24, body.height()), Qt::AlignCenter,
                    QStringLiteral("103"));
    parts_.setPen(Qt::NoPen);
}

void CardPainter::oscillator(const QRectF &can, const QStringList &lines)
{
    castShadow(roundedPath(can, 2.5), 4);
    QLinearGradient metal(can.topLeft(), can.bottomRight());
    metal.setColorAt(0, QColor(238, 238, 234));
    metal.setColorAt(0.45, QColor(184, 186, 186));
    metal.setColorAt(1, QColor(120, 122, 124));
    parts_.setBrush(metal);
    parts_.drawRoundedRect(can, 2.5, 2.5);
    parts_.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
    parts_.setBrush(Qt::NoBrush);
    parts_.drawRoundedRect(can.adjusted(1.6, 1.6, -1.6, -1.6), 1.5, 1.5);
    parts_.setPen(Qt::NoPen);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(5);
    font.setBold(true);
    parts_.setFont(font);
    parts_.setPen(QColor(40, 40, 44));
    const qreal lineHeight = 6;
    const qreal top = can.center().y() - lineHeight * lines.size() / 2;
    for (int i = 0; i < lines.size(); ++i)
        parts_.drawText(QRectF(can.left(), top + i * lineHeight, can.width(), lineHeight),
                        Qt::AlignCenter, lines[i]);
    parts_.setPen(Qt::NoPen);
}

} // namespace boardphoto

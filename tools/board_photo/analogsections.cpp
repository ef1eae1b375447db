// The analog half of the card: the A/D input section with its mode and range jumpers, the D/A
// output section with its range jumpers, and the decoupling, stitching vias and serial-number
// field spread over the card.

#include "cardpainter.h"

#include "cardgeometry.h"

#include <iterator>

namespace boardphoto {

// A/D section: input multiplexers, amplifier, reference and converter, with the input-mode
// jumpers and the A/D range jumpers at the right edge.
void CardPainter::drawAnalogInput()
{
    const QPointF aio(286, 562.5);
    constexpr qreal muxPadRow = 425 + 17.75;
    // Seven inputs run in parallel to every other pad of the lower multiplexer.
    for (int m = 0; m < 7; ++m) {
        const qreal x = aio.x() + m * kPitch;
        const qreal end = 197.5 + m * kPitch;
        trace(QPolygonF{QPointF(x, aio.y()), QPointF(x, 545), QPointF(end, 545 - (x - end)),
                        QPointF(end, muxPadRow)},
              1.5);
    }
    for (int m = 7; m < 17; ++m) {
        if (m == 11)
            continue;
        const QPointF pin = aio + QPointF(m * kPitch, 0);
        const QPointF end = pin + QPointF(m < 9 ? -4 : 6, m % 2 ? -34 : -26);
        trace(route(pin, end, true, 3));
        via(end);
    }
    boxHeader(aio, 17, false);
    silk(QPointF(366, 598), QStringLiteral("J5   ANALOG I/O"), 8);
    silk(QPointF(aio.x() - 9, 592), QStringLiteral("1"), 7);

    for (int i = 0; i < 14; i += 2) {
        const qreal x = 197.5 + i * kFinePitch;
        trace(QPolygonF{QPointF(x, 370 + 17.75), QPointF(x, 425 - 17.75)});
    }
    trace(route(QPointF(312.5, 359), QPointF(385, 294), true, 5));
    trace(route(QPointF(355.5, 359), QPointF(395, 294), true, 5));
    for (int k = 0; k < 14; k += 2) {
        const QPointF pin(385 + k * kPitch, 264);
        trace(route(pin, pin + QPointF(-3, -12), true, 2));
        via(pin + QPointF(-3, -12));
    }
    soic(QPointF(230, 370), 28, 29, 0, {QStringLiteral("0418")});
    silk(QPointF(193, 370), QStringLiteral("U8"), 7, Qt::AlignRight);
    soic(QPointF(230, 425), 28, 29, 0, {QStringLiteral("0418")});
    silk(QPointF(193, 425), QStringLiteral("U9"), 7, Qt::AlignRight);
    soic(QPointF(305, 372), 8, 15, 0, {QStringLiteral("0416")});
    silk(QPointF(305, 391), QStringLiteral("U10"), 6);
    soic(QPointF(305, 425), 8, 15, 0, {QStringLiteral("0416")});
    silk(QPointF(305, 408), QStringLiteral("U11"), 6);
    soic(QPointF(348, 372), 8, 15, 0, {QStringLiteral("0421")});
    silk(QPointF(348, 391), QStringLiteral("U12"), 6);
    soic(QPointF(360, 425), 14, 15, 0, {QStringLiteral("0421")});
    silk(QPointF(360, 408), QStringLiteral("U13"), 6);
    dip(QPointF(450, 279), 28, 30, 0, {QStringLiteral("0420A")});
    silk(QPointF(450, 305), QStringLiteral("U14"), 7);
    tantalum(QPointF(332, 322), QSizeF(14, 10), 0, QStringLiteral("226"));
    silk(QPointF(332, 311), QStringLiteral("C22"), 6);
    resistor(QPointF(302, 322), false);
    silk(QPointF(302, 312), QStringLiteral("L1"), 6);

    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            resistor(QPointF(393 + i * 20, 358 + j * 14), false, QStringLiteral("103"));
    silk(QPointF(413, 415), QStringLiteral("R10-R21"), 6);
    tantalum(QPointF(475, 362), QSizeF(15, 10), 0, QStringLiteral("106"));
    tantalum(QPointF(475, 382), QSizeF(15, 10), 0, QStringLiteral("106"));
    silk(QPointF(495, 362), QStringLiteral("C20"), 6, Qt::AlignLeft);
    silk(QPointF(495, 382), QStringLiteral("C21"), 6, Qt::AlignLeft);
    trimmer(QPointF(505, 408), 0);
    trimmer(QPointF(505, 432), 0);
    silk(QPointF(484, 408), QStringLiteral("VR1"), 6, Qt::AlignRight);
    silk(QPointF(484, 432), QStringLiteral("VR2"), 6, Qt::AlignRight);
    for (int i = 0; i < 2; ++i) {
        const QPointF at(388 + i * 26, 476);
        padRound(at, 3.4);
        silk(at + QPointF(0, 9), i ? QStringLiteral("VREF") : QStringLiteral("AGND"), 6);
        silk(at + QPointF(0, -9), QStringLiteral("TP%1").arg(i + 1), 6);
    }

    const QPointF seDiff(447.5, 480);
    for (int row = 0; row < 2; ++row) {
        const QPointF first = seDiff + QPointF(0, row * 13);
        const QPointF end(first.x() + kPitch + 14, first.y() - 20 + row * 40);
        trace(route(first + QPointF(kPitch, 0), end, row == 0));
        via(end);
        header(first, 3, 1);
        shunt(first, first + QPointF(kPitch, 0), kBlueShunt);
    }
    silk(QPointF(440, 482), QStringLiteral("8 CH"), 7, Qt::AlignRight);
    silk(QPointF(440, 491), QStringLiteral("BAL"), 7, Qt::AlignRight);
    silk(QPointF(475, 482), QStringLiteral("16 CH"), 7, Qt::AlignLeft);
    silk(QPointF(475, 491), QStringLiteral("SE"), 7, Qt::AlignLeft);
    silk(QPointF(457.5, 468), QStringLiteral("JP6"), 7);

    const QStringList rangeLabels{"BIP", "UNIP", "GNH", "GNL"};
    for (int pair = 0; pair < 2; ++pair) {
        const qreal top = 357 + pair * 50;
        for (int c = 0; c < 2; ++c) {
            const QPointF first(569.25 + c * 12, top);
            const QPointF middle = first + QPointF(0, kPitch);
            trace(route(middle, middle + QPointF(-20 - c * 6, 24), false));
            header(first, 1, 3);
            shunt(first, middle, kBlueShunt);
        }
        silk(QPointF(561, top), rangeLabels[pair * 2], 7, Qt::AlignRight);
        silk(QPointF(561, top + 2 * kPitch), rangeLabels[pair * 2 + 1], 7, Qt::AlignRight);
    }
    silk(QPointF(575.25, 345), QStringLiteral("JP7"), 7);
}

// D/A section: the dual DAC with its output amplifiers and the DA5 / DB5 range jumpers.
void CardPainter::drawAnalogOutput()
{
    constexpr qreal padColumn = 17.75; // pad centres from the middle of a 15-wide SOIC body
    const QStringList labels{"DA5", "DB5"};
    const QPointF rowA(159, 534);
    const QPointF rowB(159, 560);
    trace(route(rowA, QPointF(132 + padColumn, 485.5), true, 4));
    trace(QPolygonF{rowB + QPointF(37, 0), QPointF(208, 560), QPointF(214, 554), QPointF(214, 502),
                    QPointF(185 + padColumn - 0.5, 485.75)});
    for (int row = 0; row < 2; ++row) {
        const QPointF fiveVolt = row ? rowB : rowA;
        const QPointF tenVolt = fiveVolt + QPointF(27, 0);
        trace(QPolygonF{fiveVolt + QPointF(kPitch, 0), tenVolt});
        header(fiveVolt, 2, 1);
        header(tenVolt, 2, 1);
        shunt(fiveVolt, fiveVolt + QPointF(kPitch, 0), kBlueShunt);
        silk(QPointF(150, fiveVolt.y()), labels[row], 8, Qt::AlignRight);
    }
    silk(QPointF(177.75, 547), QStringLiteral("5V       10V"), 6);
    silk(QPointF(177.75, 520), QStringLiteral("JP4"), 6);

    dip(QPointF(91, 425), 24, 30, 90, {QStringLiteral("0415")});
    silk(QPointF(91, 355), QStringLiteral("U15"), 7);
    soic(QPointF(132, 478), 8, 15, 90, {QStringLiteral("0416")});
    silk(QPointF(132, 459), QStringLiteral("U16"), 6);
    soic(QPointF(185, 478), 8, 15, 90, {QStringLiteral("0416")});
    silk(QPointF(185, 459), QStringLiteral("U17"), 6);

    electrolytic(QPointF(97, 532), 13);
    silk(QPointF(97, 553), QStringLiteral("C30"), 7);
    tantalum(QPointF(248, 590), QSizeF(14, 10), 0, QStringLiteral("475"));
    silk(QPointF(230, 590), QStringLiteral("C31"), 6, Qt::AlignRight);
    for (int i = 0; i < 4; ++i)
        resistor(QPointF(237 + (i % 2) * 13, 530 + (i / 2) * 14), false);
    silk(QPointF(243, 518), QStringLiteral("R30"), 6);
}

// Decoupling capacitors next to the supply pins, stitching vias of the ground pour and the
// serial-number field.
void CardPainter::drawDecoupling()
{
    const QPointF caps[] = {{180, 104}, {180, 146}, {410, 104}, {410, 146}, {256, 196},
                            {350, 236}, {425, 180}, {520, 180}, {180, 350}, {268, 398},
                            {330, 398}, {385, 445}, {372, 279}, {112, 380}, {112, 500},
                            {534, 268}, {534, 292}, {266, 170}, {372, 340}, {70, 505},
                            {230, 300}, {190, 72}};
    for (int i = 0; i < int(std::size(caps)); ++i)
        capacitor(caps[i], i % 3 == 0);
    silk(QPointF(180, 160), QStringLiteral("C5"), 6);
    silk(QPointF(410, 160), QStringLiteral("C6"), 6);
    silk(QPointF(120, 380), QStringLiteral("C12"), 6, Qt::AlignLeft);

    for (qreal y : {472.0, 484.0, 496.0, 508.0, 568.0})
        for (qreal x = 515; x < 588; x += 12)
            via(QPointF(x, y), true);
    for (qreal y = 520; y < 560; y += 12)
        via(QPointF(581, y), true);

    board_.setBrush(kSilk);
    board_.drawRect(QRectF(490, 520, 74, 22));
    board_.setFont(silkFont(8));
    board_.setPen(QColor(40, 40, 44));
    board_.drawText(QRectF(490, 520, 74, 22), Qt::AlignCenter, QStringLiteral("S/N 0417-2261"));
    board_.setPen(Qt::NoPen);
    silk(QPointF(527, 556), QStringLiteral("MADE IN USA  94V-0"), 6);
}

} // namespace boardphoto

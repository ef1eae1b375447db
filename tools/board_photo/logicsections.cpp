// The bus side and the logic of the card: the PC/104 connectors, the ±12 V source, the IRQ
// jumpers, the digital I/O and counter headers with their chips, and the base-address decoder.

#include "cardpainter.h"

#include "cardgeometry.h"

namespace boardphoto {

// PC/104 J1 (64 pins) along the left edge, J2 (40 pins) inboard of it, both ending above the
// lower mounting hole.
void CardPainter::drawBus()
{
    constexpr qreal j1Top = 255;
    constexpr qreal j2Top = 375;
    for (int r = 0; r < 32; ++r)
        if (r % 3 != 1)
            trace(QPolygonF{QPointF(24, j1Top + r * kPitch), QPointF(33, j1Top + r * kPitch)});
    for (int r = 0; r < 20; ++r) {
        const QPointF pin(54, j2Top + r * kPitch);
        if (r % 2 == 0) {
            trace(QPolygonF{pin, pin + QPointF(12 + (r % 4) * 2.5, 0)});
            via(pin + QPointF(12 + (r % 4) * 2.5, 0));
        }
    }
    busSocket(QPointF(14, j1Top), 32);
    busSocket(QPointF(44, j2Top), 20);
    silk(QPointF(19, 244), QStringLiteral("J1/P1"), 8);
    silk(QPointF(49, 364), QStringLiteral("J2/P2"), 8);
    silk(QPointF(35, j1Top), QStringLiteral("A1"), 6, Qt::AlignLeft);
    silk(QPointF(65, j2Top - 6), QStringLiteral("C0"), 6, Qt::AlignLeft);
}

// ±12 V source: JP25 selects the bus or the small header P3 at the card edge.
void CardPainter::drawPower()
{
    const QPointF p3(13, 156.7);
    const QPointF jp25(44.75, 157);
    for (int i = 0; i < 3; ++i)
        padRound(p3 + QPointF(0, i * kPitch), 3.2);
    trace(route(p3, jp25, false), 3.2);
    trace(route(p3 + QPointF(0, 2 * kPitch), jp25 + QPointF(0, 12), false), 3.2);
    trace(QPolygonF{jp25 + QPointF(kPitch, 0), jp25 + QPointF(kPitch, -14), QPointF(96, 143),
                    QPointF(96, 186)},
          3.2);
    trace(QPolygonF{jp25 + QPointF(2 * kPitch, 12), QPointF(84, 169), QPointF(90, 175),
                    QPointF(90, 200)},
          3.2);
    via(QPointF(96, 186));
    via(QPointF(90, 200));
    trace(QPolygonF{p3 + QPointF(0, kPitch), QPointF(3.5, 166.7), QPointF(3.5, 232)}, 3.2);

    header(p3, 1, 3);
    silkOutline(QRectF(p3.x() - 6, p3.y() - 6, 12, 3 * kPitch + 2));
    silk(p3 + QPointF(0, -13), QStringLiteral("P3"), 8);
    for (int row = 0; row < 2; ++row) {
        const QPointF first = jp25 + QPointF(0, row * 12);
        header(first, 3, 1);
        shunt(first + QPointF(kPitch, 0), first + QPointF(2 * kPitch, 0), kBlackShunt);
    }
    silk(QPointF(54.75, 184), QStringLiteral("JP25"), 8);
    silk(QPointF(34, 144), QStringLiteral("104"), 6, Qt::AlignLeft);
    silk(QPointF(62, 144), QStringLiteral("P3"), 6, Qt::AlignLeft);

    electrolytic(QPointF(38, 108), 12);
    electrolytic(QPointF(78, 108), 12);
    silk(QPointF(38, 126), QStringLiteral("C1"), 7);
    silk(QPointF(78, 126), QStringLiteral("C2"), 7);
    tantalum(QPointF(14, 214), QSizeF(14, 10), 90, QStringLiteral("106"));
    tantalum(QPointF(36, 214), QSizeF(14, 10), 90, QStringLiteral("106"));
    silk(QPointF(25, 230), QStringLiteral("C3 C4"), 6);
}

// IRQ selection: a column of two-pin jumpers from IRQ 15 down to IRQ 3, with the IRQ 9 and
// IRQ 10 pair set apart above it. The left pins run to the bus, the right pins are common.
void CardPainter::drawInterrupts()
{
    const QStringList levels{"15", "14", "12", "11", "7", "6", "5", "4", "3"};
    constexpr qreal top = 198.9;
    constexpr qreal step = 15;
    constexpr qreal left = 130.75;
    constexpr qreal bottom = top + 8 * step;
    // Parallel 45-degree runs: trace i follows x + y = 315 + 10 i down to bus pin 275 + 10 i.
    for (int i = 0; i < levels.size(); ++i) {
        const qreal y = top + i * step;
        const qreal diagonal = 315 + 10 * i;
        const qreal pinY = 275 + 10 * i;
        trace(QPolygonF{QPointF(left, y), QPointF(diagonal - y, y), QPointF(diagonal - pinY, pinY),
                        QPointF(24, pinY)});
    }
    trace(QPolygonF{QPointF(left + kPitch, top), QPointF(left + kPitch, bottom + 7),
                    QPointF(left + kPitch + 9, bottom + 16)});
    via(QPointF(left + kPitch + 9, bottom + 16));

    for (int i = 0; i < levels.size(); ++i) {
        const QPointF first(left, top + i * step);
        header(first, 2, 1);
        if (levels[i] == QLatin1String("5"))
            shunt(first, first + QPointF(kPitch, 0), kBlueShunt);
        silk(first + QPointF(17, 0), levels[i], 8, Qt::AlignLeft);
    }
    silk(QPointF(135.75, 186), QStringLiteral("IRQ"), 8);
    silk(QPointF(126, bottom + 14), QStringLiteral("JP2"), 7, Qt::AlignRight);

    const QPointF irq9(136.75, 111.7);
    const QPointF irq10(136.75, 126.7);
    trace(route(irq9, QPointF(108, 92), false));
    via(QPointF(108, 92));
    trace(route(irq10, QPointF(108, 140), false));
    via(QPointF(108, 140));
    trace(QPolygonF{irq9 + QPointF(kPitch, 0), irq10 + QPointF(kPitch, 0)});
    header(irq9, 2, 1);
    header(irq10, 2, 1);
    silk(irq9 + QPointF(-7, 0), QStringLiteral("9"), 8, Qt::AlignRight);
    silk(irq10 + QPointF(17, 0), QStringLiteral("10"), 8, Qt::AlignLeft);
    silk(QPointF(141.75, 99), QStringLiteral("JP3"), 7);
}

// Digital I/O header J3 with the 82C55 behind it, counter header J4 with the 82C54.
void CardPainter::drawDigital()
{
    const QPointF dio(212.25, 38.5);
    const QPointF ctr(486.25, 38.5);
    for (int k = 0; k < 20; ++k) {
        const QPointF pin = dio + QPointF((k + 1) * kPitch, kPitch);
        trace(route(pin, QPointF(195 + k * kPitch, 94), true, 6));
    }
    for (int k = 0; k < 5; ++k) {
        const QPointF pin = ctr + QPointF(k * kPitch, kPitch);
        trace(route(pin, QPointF(480 + k * kPitch, 94), true, 6));
    }
    // Lower-row leads 1-4 and 10-13 of U1, counted from 0 at the left, carry the data bus to U3
    // and U4; the others drop to vias.
    for (int k = 0; k < 20; ++k) {
        if ((k >= 1 && k <= 4) || (k >= 10 && k <= 13))
            continue;
        const QPointF pin(195 + k * kPitch, 154);
        const QPointF end = pin + QPointF(k % 2 ? 3 : -3, k % 2 ? 17 : 10);
        trace(route(pin, end, true, 2));
        via(end);
    }
    for (int k = 0; k < 12; ++k) {
        if (k % 3 == 2)
            continue;
        const QPointF pin(430 + k * kPitch, 154);
        const QPointF end = pin + QPointF(4, k % 2 ? 16 : 9);
        trace(route(pin, end, true, 2));
        via(end);
    }

    boxHeader(dio, 25, true);
    boxHeader(ctr, 5, true);
    silk(QPointF(332.25, 66), QStringLiteral("J3   DIGITAL I/O"), 8);
    silk(QPointF(dio.x() - 9, 63), QStringLiteral("1"), 7);
    silk(QPointF(506.25, 66), QStringLiteral("J4  CTR"), 8);

    dip(QPointF(290, 124), 40, 60, 0, {QStringLiteral("0417 CZ")});
    silk(QPointF(182, 124), QStringLiteral("U1"), 8, Qt::AlignRight);
    dip(QPointF(485, 124), 24, 60, 0, {QStringLiteral("0422 GK")});
    silk(QPointF(485, 160.5), QStringLiteral("U2"), 7);
    oscillator(QRectF(563, 105, 24, 34), {QStringLiteral("14.31"), QStringLiteral("818")});
    silk(QPointF(575, 146), QStringLiteral("Y1"), 7);
}

// Base address: comparator and bus buffer above the A5..A9 jumpers, glue logic beside them.
void CardPainter::drawAddressDecoder()
{
    constexpr qreal soicPadRow = 17.75; // pad centres from the middle of a 29-wide SOIC body
    for (int k = 0; k < 4; ++k) {
        trace(route(QPointF(205 + k * kPitch, 154), QPointF(202.5 + k * kPitch, 209 - soicPadRow),
                    true, 4));
        trace(route(QPointF(295 + k * kPitch, 154), QPointF(293.5 + k * kPitch, 209 - soicPadRow),
                    true, 4));
    }
    const QStringList lines{"A5", "A6", "A7", "A8", "A9"};
    for (int k = 0; k < 5; ++k) {
        const QPointF top(270.75 + 18 * k, 262);
        trace(QPolygonF{top, QPointF(top.x(), 244)});
        via(QPointF(top.x(), 244));
    }
    trace(QPolygonF{QPointF(262, 272), QPointF(352, 272)});
    trace(route(QPointF(262, 272), QPointF(244, 290), false));
    via(QPointF(244, 290));
    for (int k = 0; k < 5; ++k) {
        const QPointF top(270.75 + 18 * k, 262);
        header(top, 1, 2);
        if (k < 3)
            shunt(top, top + QPointF(0, kPitch), kBlueShunt);
        silk(top + QPointF(0, 25), lines[k], 8);
    }
    silk(QPointF(246, 262), QStringLiteral("JP1"), 7, Qt::AlignRight);

    // Short runs from the lower pads to vias.
    const auto stubs = [this](QPointF centre, int perSide, qreal bodyWidth, int every) {
        for (int i = 0; i < perSide; i += every) {
            const qreal x = centre.x() - (perSide - 1) * kFinePitch / 2 + i * kFinePitch;
            const QPointF pad(x, centre.y() + bodyWidth / 2 + 4);
            const QPointF end = pad + QPointF(i % 2 ? 2.5 : -2.5, i % 3 + 4);
            trace(route(pad, end, true, 1.5));
            via(end);
        }
    };
    stubs(QPointF(220, 209), 10, 29, 2);
    stubs(QPointF(306, 209), 10, 29, 3);
    stubs(QPointF(485, 205), 8, 15, 2);
    soic(QPointF(220, 209), 20, 29, 0, {QStringLiteral("D5K2")});
    silk(QPointF(188, 209), QStringLiteral("U3"), 7, Qt::AlignRight);
    soic(QPointF(306, 209), 20, 29, 0, {QStringLiteral("9C7E")});
    silk(QPointF(338, 209), QStringLiteral("U4"), 7, Qt::AlignLeft);
    qfp(QPointF(395, 205), 11, 3.2, 38, {QStringLiteral("0431")});
    silk(QPointF(395, 178), QStringLiteral("U5"), 7);
    soic(QPointF(485, 205), 16, 15, 0, {QStringLiteral("0419")});
    silk(QPointF(485, 186), QStringLiteral("U6"), 7);
    soic(QPointF(536, 212), 14, 15, 90, {QStringLiteral("0419")});
    silk(QPointF(536, 186), QStringLiteral("U7"), 7);
    for (int i = 0; i < 4; ++i)
        resistor(QPointF(448 + i * 9, 232), true);
    silk(QPointF(462, 244), QStringLiteral("R1-R4"), 6);

    for (int i = 0; i < 8; i += 3) {
        const QPointF pad(160 - 17.5 + i * kFinePitch, 72 - 10.75);
        trace(route(pad, pad + QPointF(-3, -8), true, 2));
        via(pad + QPointF(-3, -8));
    }
    soic(QPointF(160, 72), 16, 15, 0, {QStringLiteral("103")});
    silk(QPointF(134, 72), QStringLiteral("RN1"), 7, Qt::AlignRight);

    for (int i = 0; i < 7; i += 2) {
        const QPointF pad(205 + 10.75, 300 - 15 + i * kFinePitch);
        trace(route(pad, pad + QPointF(9, i % 4 ? 3 : -3), false, 2));
        via(pad + QPointF(9, i % 4 ? 3 : -3));
    }
    soic(QPointF(205, 300), 14, 15, 90, {QStringLiteral("0419")});
    silk(QPointF(205, 275), QStringLiteral("U18"), 6);
}

} // namespace boardphoto

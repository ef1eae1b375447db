// CardPainter draws the card in five oversampled layers (copper, pour clearances, board, parts,
// shadows) and composes them into the photograph. Its members are defined by concern: the layers
// and the whole card in cardpainter.cpp, copper and silkscreen in cardsurface.cpp, the parts in
// components.cpp, the card's sections in logicsections.cpp and analogsections.cpp, shadows and
// the photographic finish in photofinish.cpp.

#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace boardphoto {

class CardPainter
{
public:
    CardPainter();
    QImage render();

private:
    // Both painters in a frame turned and moved to a part's own coordinates.
    class Frame
    {
    public:
        Frame(CardPainter &card, QPointF origin, qreal angle) : card_(card)
        {
            for (QPainter *p : {&card_.board_, &card_.parts_}) {
                p->save();
                p->translate(origin);
                p->rotate(angle);
            }
        }
        ~Frame()
        {
            card_.board_.restore();
            card_.parts_.restore();
        }

    private:
        CardPainter &card_;
    };

    // The card as a whole and its composition.
    void drawCard();
    QImage composeCard();

    // Shadows and the photographic finish.
    void castShadow(const QPainterPath &shape, qreal height);
    void blurShadow(int radius);
    void texture(QImage &card);
    void finish(QImage &photo);
    qreal noise(qreal amplitude) { return (rng_.generateDouble() * 2 - 1) * amplitude; }

    // Copper, pads and silkscreen on the card itself.
    void keepClear(const QPainterPath &shape, qreal gap);
    void trace(const QPolygonF &path, qreal width = 1.7);
    void via(QPointF at, bool stitching = false);
    void padRect(const QRectF &r);
    void padRound(QPointF at, qreal radius);
    void silk(QPointF at, const QString &text, int px, Qt::Alignment align = Qt::AlignHCenter,
              qreal angle = 0);
    void silkOutline(const QRectF &r);
    void mountingHole(QPointF at);
    void fiducial(QPointF at);

    // Parts, each with its shadow.
    void goldPin(QPointF at);
    void header(QPointF pin1, int cols, int rows);
    void shunt(QPointF a, QPointF b, const QColor &colour);
    void boxHeader(QPointF pin1, int cols, bool keyTowardsTop);
    void busSocket(QPointF pin1, int rows);
    void marking(const QRectF &face, const QStringList &lines, int px);
    void dip(QPointF centre, int pins, qreal rowSpan, qreal angle, const QStringList &lines);
    void soic(QPointF centre, int pins, qreal bodyWidth, qreal angle, const QStringList &lines);
    void qfp(QPointF centre, int perSide, qreal pitch, qreal body, const QStringList &lines);
    void resistor(QPointF centre, bool vertical, const QString &code = QString());
    void capacitor(QPointF centre, bool vertical);
    void chipEnds(const QRectF &body, bool vertical, const QColor &middle, qreal endShare);
    void tantalum(QPointF centre, QSizeF size, qreal angle, const QString &code);
    void electrolytic(QPointF centre, qreal radius);
    void trimmer(QPointF centre, qreal angle);
    void oscillator(const QRectF &can, const QStringList &lines);

    // The card, section by section.
    void drawBus();
    void drawPower();
    void drawInterrupts();
    void drawDigital();
    void drawAddressDecoder();
    void drawAnalogInput();
    void drawAnalogOutput();
    void drawDecoupling();

    QImage copperImage_;    // traces and vias
    QImage clearanceImage_; // where the ground pour stops short of other copper
    QImage boardImage_;     // pads, holes and silkscreen
    QImage partsImage_;
    QImage shadowImage_;
    QPainter copper_;
    QPainter clearance_;
    QPainter board_;
    QPainter parts_;
    QPainter shadow_;
    QRandomGenerator rng_{0x104u};
};

} // namespace boardphoto

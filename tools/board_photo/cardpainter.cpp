// The card as a whole: the drawing layers, the order in which they are drawn and composed, and the
// features that belong to no section (mounting holes, fiducials, the card's title).

#include "cardpainter.h"

#include "cardgeometry.h"

#include <utility>

namespace boardphoto {

CardPainter::CardPainter()
{
    for (auto [painter, image] :
         {std::pair{&copper_, &copperImage_}, {&clearance_, &clearanceImage_},
          {&board_, &boardImage_}, {&parts_, &partsImage_}, {&shadow_, &shadowImage_}}) {
        *image = QImage(kWidth * kOversample, kHeight * kOversample,
                        QImage::Format_ARGB32_Premultiplied);
        image->fill(Qt::transparent);
        painter->begin(image);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::TextAntialiasing);
        painter->scale(kOversample, kOversample);
        painter->setPen(Qt::NoPen);
    }
}

QImage CardPainter::render()
{
    drawCard();
    for (QPainter *painter : {&copper_, &clearance_, &board_, &parts_, &shadow_})
        painter->end();

    QImage card = composeCard();
    texture(card);
    blurShadow(3 * kOversample);
    QPainter compose(&card);
    compose.drawImage(0, 0, shadowImage_);
    compose.drawImage(0, 0, partsImage_);
    compose.end();

    QImage photo = card.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    finish(photo);
    return photo;
}

// The bare card: laminate, the ground pour less its clearances, traces, then pads and silkscreen.
QImage CardPainter::composeCard()
{
    const QRectF outline(0.5, 0.5, kWidth - 1, kHeight - 1);
    QImage pour(copperImage_.size(), QImage::Format_ARGB32_Premultiplied);
    pour.fill(Qt::transparent);
    QPainter pourPainter(&pour);
    pourPainter.setRenderHint(QPainter::Antialiasing);
    pourPainter.scale(kOversample, kOversample);
    pourPainter.setPen(Qt::NoPen);
    pourPainter.setBrush(kCopper);
    pourPainter.drawRoundedRect(outline.adjusted(4, 4, -4, -4), 4, 4);
    pourPainter.resetTransform();
    pourPainter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    pourPainter.drawImage(0, 0, clearanceImage_);
    pourPainter.end();

    QImage card(copperImage_.size(), QImage::Format_RGB32);
    card.fill(kTable);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.scale(kOversample, kOversample);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLaminate);
    painter.drawRoundedRect(outline, 7, 7);
    painter.restore();
    for (const QImage *layer : {&pour, &copperImage_, &boardImage_})
        painter.drawImage(0, 0, *layer);
    painter.scale(kOversample, kOversample);
    painter.setPen(QPen(kLaminate.lighter(135), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outline.adjusted(0.7, 0.7, -0.7, -0.7), 6.5, 6.5);
    return card;
}

// Features of the whole card, then its sections.
void CardPainter::drawCard()
{
    for (const QPointF at :
         {QPointF(18, 18), QPointF(582, 18), QPointF(18, 593), QPointF(582, 593)})
        mountingHole(at);
    fiducial(QPointF(178, 22));
    fiducial(QPointF(560, 448));

    silk(QPointF(42, 24), QStringLiteral("PX-3208A"), 17, Qt::AlignLeft);
    silk(QPointF(44, 43), QStringLiteral("REV C   12-BIT A/D D/A"), 8, Qt::AlignLeft);

    drawBus();
    drawPower();
    drawInterrupts();
    drawDigital();
    drawAddressDecoder();
    drawAnalogInput();
    drawAnalogOutput();
    drawDecoupling();
}

} // namespace boardphoto

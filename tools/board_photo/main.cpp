// make_board_photo OUTPUT.jpg
//
// Draws the photograph of the data-acquisition card shown on the board page and writes it as a
// 600 x 611 progressive JPEG. The jumper blocks and connectors sit where the page's highlight
// circles expect them; a fixed seed keeps the output identical from run to run.

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <iterator>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 611;
constexpr int kOversample = 2;    // drawn at twice the size, then scaled down
constexpr int kJpegQuality = 88;
constexpr qreal kPitch = 10.0;    // 0.1 inch
constexpr qreal kFinePitch = 5.0; // 0.05 inch, SOIC leads

const QColor kTable(38, 40, 42);
const QColor kLaminate(17, 70, 37); // solder mask over bare laminate
const QColor kCopper(38, 116, 58);  // solder mask over copper
const QColor kSilk(234, 238, 228);
const QColor kPlastic(30, 30, 33);
const QColor kGold(220, 178, 86);
const QColor kTin(196, 198, 196);
const QColor kEpoxy(36, 36, 38);
const QColor kMarking(168, 170, 166);
const QColor kBlueShunt(34, 78, 178);
const QColor kBlackShunt(44, 44, 48);

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

// A trace that leaves `from` along one axis, bends by 45 degrees towards `to` and enters it
// straight for the last `lead` pixels.
QPolygonF route(QPointF from, QPointF to, bool verticalFirst, qreal lead = 0)
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

    void castShadow(const QPainterPath &shape, qreal height);
    void keepClear(const QPainterPath &shape, qreal gap);
    void blurShadow(int radius);
    QImage composeCard();
    void texture(QImage &card);
    void finish(QImage &photo);
    qreal noise(qreal amplitude) { return (rng_.generateDouble() * 2 - 1) * amplitude; }

    // Copper, pads and silkscreen on the card itself.
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

    // The card, region by region.
    void drawCard();
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

// Shadows fall to the lower right, further for taller parts.
void CardPainter::castShadow(const QPainterPath &shape, qreal height)
{
    const QPainterPath device = parts_.worldTransform().map(shape);
    shadow_.save();
    shadow_.resetTransform();
    shadow_.translate(height * 0.45 * kOversample, height * 0.6 * kOversample);
    shadow_.setBrush(QColor(0, 0, 0, std::min(200, 110 + int(height * 8))));
    shadow_.drawPath(device);
    shadow_.restore();
}

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

// Three box passes per axis over the shadow's alpha approximate a Gaussian penumbra.
void CardPainter::blurShadow(int radius)
{
    const int w = shadowImage_.width();
    const int h = shadowImage_.height();
    std::vector<int> alpha(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(shadowImage_.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * w + x] = qAlpha(line[x]);
    }
    std::vector<int> line;
    const auto pass = [&](int count, int stride, int lines, int lineStride) {
        line.resize(count);
        for (int l = 0; l < lines; ++l) {
            int *base = alpha.data() + size_t(l) * lineStride;
            for (int i = 0; i < count; ++i)
                line[i] = base[size_t(i) * stride];
            int sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += line[std::clamp(i, 0, count - 1)];
            for (int i = 0; i < count; ++i) {
                base[size_t(i) * stride] = sum / (2 * radius + 1);
                sum += line[std::min(i + radius + 1, count - 1)] - line[std::max(i - radius, 0)];
            }
        }
    };
    for (int i = 0; i < 3; ++i) {
        pass(w, 1, h, w);
        pass(h, w, w, 1);
    }
    for (int y = 0; y < h; ++y) {
        QRgb *out = reinterpret_cast<QRgb *>(shadowImage_.scanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = qRgba(0, 0, 0, alpha[size_t(y) * w + x]);
    }
}

// Slow mottling of the solder mask: bilinear value noise in two octaves.
void CardPainter::texture(QImage &card)
{
    const int w = card.width();
    const int h = card.height();
    struct Octave
    {
        int cell;
        qreal amplitude;
        std::vector<qreal> grid;
        int columns;
    };
    std::vector<Octave> octaves{{64, 0.05, {}, 0}, {14, 0.025, {}, 0}};
    for (Octave &o : octaves) {
        o.columns = w / o.cell + 2;
        o.grid.resize(size_t(o.columns) * (h / o.cell + 2));
        for (qreal &v : o.grid)
            v = noise(o.amplitude);
    }
    const auto smooth = [](qreal t) { return t * t * (3 - 2 * t); };
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(card.scanLine(y));
        for (int x = 0; x < w; ++x) {
            qreal factor = 1;
            for (const Octave &o : octaves) {
                const int gx = x / o.cell;
                const int gy = y / o.cell;
                const qreal fx = smooth(qreal(x % o.cell) / o.cell);
                const qreal fy = smooth(qreal(y % o.cell) / o.cell);
                const auto at = [&](int i, int j) { return o.grid[size_t(j) * o.columns + i]; };
                const qreal top = at(gx, gy) + (at(gx + 1, gy) - at(gx, gy)) * fx;
                const qreal bottom = at(gx, gy + 1) + (at(gx + 1, gy + 1) - at(gx, gy + 1)) * fx;
                factor += top + (bottom - top) * fy;
            }
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(int(qRed(c) * factor), 0, 255),
                           std::clamp(int(qGreen(c) * factor), 0, 255),
                           std::clamp(int(qBlue(c) * factor), 0, 255));
        }
    }
}

// Lighting from the upper left, a soft reflection of the lamp, vignetting and sensor noise.
void CardPainter::finish(QImage &photo)
{
    const QPointF glare(170, 140);
    for (int y = 0; y < photo.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const qreal u = qreal(x) / kWidth - 0.5;
            const qreal v = qreal(y) / kHeight - 0.5;
            const qreal falloff = 1.07 - 0.22 * (u + v) - 0.5 * (u * u + v * v);
            const qreal dx = (x - glare.x()) / 280.0;
            const qreal dy = (y - glare.y()) / 190.0;
            const qreal sheen = 20 * std::exp(-(dx * dx + dy * dy));
            const qreal grain = noise(3.5);
            const QRgb c = line[x];
            const auto channel = [&](int value) {
                return std::clamp(int(std::lround(value * falloff + sheen + grain + noise(1.5))),
                                  0, 255);
            };
            line[x] = qRgb(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)));
        }
    }
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

// libjpeg reports fatal errors through error_exit; jump back instead of exiting.
struct JpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager *>(info->err)->jump, 1);
}

// `rgb` is Format_RGB888. No object with a destructor lives across the setjmp.
bool writeProgressiveJpeg(const QImage &rgb, std::FILE *file)
{
    jpeg_compress_struct info;
    JpegErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = jpegErrorExit;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    // Progressive by spectral selection only: the DC scan of all components, then one AC scan
    // per component. Without successive approximation it decodes about a third faster than
    // libjpeg's default progression.
    static const jpeg_scan_info scans[] = {
        {3, {0, 1, 2, 0}, 0, 0, 0, 0},
        {1, {0, 0, 0, 0}, 1, 63, 0, 0},
        {1, {1, 0, 0, 0}, 1, 63, 0, 0},
        {1, {2, 0, 0, 0}, 1, 63, 0, 0},
    };
    info.scan_info = scans;
    info.num_scans = int(std::size(scans));
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_board_photo OUTPUT.jpg\n");
        return 2;
    }
    const QImage photo = CardPainter().render().convertToFormat(QImage::Format_RGB888);
    std::FILE *file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = writeProgressiveJpeg(photo, file);
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "make_board_photo: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

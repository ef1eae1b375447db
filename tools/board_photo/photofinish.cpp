// The photographic finish: cast shadows and their penumbra, the mottled solder mask, and the
// lighting, glare, vignetting and sensor noise of the camera.

#include "cardpainter.h"

#include "cardgeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace boardphoto {

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

} // namespace boardphoto

#include "tint.h"

#include <QImage>
#include <QVarLengthArray>
#include <cmath>

namespace {

// Rounds to the nearest integer, halves to even, as nearbyint does in the default rounding mode,
// without its call: below 2^22 in magnitude, adding 1.5 x 2^23 leaves no fraction bits.
// Larger values come out wrong but beyond the channel's bounds on the same side.
inline float RoundHalfEven(float value)
{
    constexpr float shift = 12582912.0f;
    return (value + shift) - shift;
}

// One channel moved from base towards tint by f, to the nearest integer with halves to even.
inline quint32 Mix(float base, float tint, float f)
{
    return quint32(qBound(0.0f, RoundHalfEven(base * (1.0f - f) + tint * f), 255.0f));
}

} // namespace

void TintEllipse(QImage &Image, int MaxX, int MaxY, float Strength, TColor Color, bool Ring)
{
    // A one-pixel side would scale by 2 / 0, and rows of narrower pixels are too short: such
    // images are left as they are.
    if (MaxX <= 0 || MaxY <= 0 || Image.depth() != 32)
        return;
    MaxX = qMin(MaxX, Image.width() - 1);
    MaxY = qMin(MaxY, Image.height() - 1);
    const float scaleX = 2.0f / float(MaxX);
    const float scaleY = 2.0f / float(MaxY);
    // Blue, green and red, from the low byte up.
    const float tint[3] = {float((Color >> 16) & 0xFF), float((Color >> 8) & 0xFF), float(Color & 0xFF)};

    // Inside 77 % of the ellipse every pixel blends by the same factor: each channel's result
    // is looked up, computed once for every byte value.
    const float disc = 0.16f * Strength;
    quint8 discMix[3][256];
    for (int channel = 0; channel < 3; ++channel) {
        for (int base = 0; base < 256; ++base)
            discMix[channel][base] = quint8(Mix(float(base), tint[channel], disc));
    }
    QVarLengthArray<float, 512> uSquared(MaxX + 1);
    for (int x = 0; x <= MaxX; ++x) {
        const float u = float(x) * scaleX - 1.0f;
        uSquared[x] = u * u;
    }

    for (int y = 0; y <= MaxY; ++y) {
        auto *row = reinterpret_cast<quint32 *>(Image.scanLine(y));
        const float v = float(y) * scaleY - 1.0f;
        const float vSquared = v * v;
        for (int x = 0; x <= MaxX; ++x) {
            const float d = uSquared[x] + vSquared;
            if (d >= 1.0f)
                continue;
            quint32 pixel = row[x];
            if (d < 0.5929f) {
                row[x] = (pixel & 0xFF000000u) | discMix[0][pixel & 0xFF] | quint32(discMix[1][(pixel >> 8) & 0xFF]) << 8 |
                         quint32(discMix[2][(pixel >> 16) & 0xFF]) << 16;
                continue;
            }
            float f = 1.0f - 8.0f * std::fabs(std::sqrt(d) - 0.875f);
            if (Ring) {
                f = 2.0f * f;
                if (f > 1.0f) {
                    pixel |= 0x00FFFFFFu;
                    f = 2.0f - f;
                }
            }
            f = f * Strength;
            quint32 result = pixel & 0xFF000000u;
            for (int channel = 0; channel < 3; ++channel)
                result |= Mix(float((pixel >> (8 * channel)) & 0xFF), tint[channel], f) << (8 * channel);
            row[x] = result;
        }
    }
}

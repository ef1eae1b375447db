#include "tint.h"

#include <QImage>
#include <cmath>

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
    const float tint[3] = {float((Color >> 16) & 0xFF), float((Color >> 8) & 0xFF), float(Color & 0xFF)};
    for (int y = 0; y <= MaxY; ++y) {
        auto *row = reinterpret_cast<quint32 *>(Image.scanLine(y));
        const float v = float(y) * scaleY - 1.0f;
        for (int x = 0; x <= MaxX; ++x) {
            const float u = float(x) * scaleX - 1.0f;
            const float d = u * u + v * v;
            if (d >= 1.0f)
                continue;
            quint32 pixel = row[x];
            float f;
            if (d < 0.5929f) {
                f = 0.16f;
            } else {
                f = 1.0f - 8.0f * std::fabs(std::sqrt(d) - 0.875f);
                if (Ring) {
                    f = 2.0f * f;
                    if (f > 1.0f) {
                        pixel |= 0x00FFFFFFu;
                        f = 2.0f - f;
                    }
                }
            }
            f = f * Strength;
            // Blue, green and red, from the low byte up.
            quint32 result = pixel & 0xFF000000u;
            for (int channel = 0; channel < 3; ++channel) {
                const float base = float((pixel >> (8 * channel)) & 0xFF);
                const float mixed = base * (1.0f - f) + tint[channel] * f;
                result |= quint32(qBound(0.0f, std::nearbyint(mixed), 255.0f)) << (8 * channel);
            }
            row[x] = result;
        }
    }
}

#pragma once

#include <QByteArray>
#include <QImage>

// Test pictures, encoded with libjpeg.
namespace JpegSamples {

// Four quadrants, red, green / blue, white, split at the middle; placement and scaling show in them.
QImage Quadrants(int width, int height);

enum TKind {
    Baseline,
    Progressive,
    Grayscale,
    // Progressive grayscale with one scan per coefficient and bit: 704 scans.
    EveryBitAScan,
};
QByteArray Encode(const QImage &image, TKind kind);

} // namespace JpegSamples

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG decoding through the IJG libjpeg API into 32-bit images.
namespace Jpeg {

// Limits for data that comes from outside: larger or longer files are refused.
constexpr int MaxSide = 8192;
constexpr qsizetype MaxInputBytes = qsizetype(64) << 20;
constexpr long MaxWorkingMemory = long(256) << 20; // libjpeg's own buffers (progressive coefficients)
constexpr int MaxScans = 500;

// Decodes a baseline or progressive JPEG into a QImage::Format_RGB32. Empty, damaged, truncated
// or oversized data gives a null image, and the reason in error.
QImage Decode(const QByteArray &data, QString *error = nullptr);

} // namespace Jpeg

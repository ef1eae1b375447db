// Writing the photograph as a progressive JPEG with libjpeg.

#pragma once

#include <QImage>

#include <cstdio>

namespace boardphoto {

// `rgb` is Format_RGB888. Returns false when libjpeg reports an error.
bool writeProgressiveJpeg(const QImage &rgb, std::FILE *file);

} // namespace boardphoto

// libFuzzer harness for the JPEG decoder: any bytes give either a null image or a complete
// opaque Format_RGB32 image within the size cap.
#include "jpegdecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QImage image = Jpeg::Decode(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (image.isNull())
        return 0;
    if (image.format() != QImage::Format_RGB32 || image.width() > Jpeg::MaxSide || image.height() > Jpeg::MaxSide)
        __builtin_trap();
    // Format_RGB32 needs the fourth byte of every pixel at 0xFF.
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0xFF)
                __builtin_trap();
        }
    }
    return 0;
}

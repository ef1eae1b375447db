#include "jpegdecoder.h"
#include "jpegsamples.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cstdlib>

using namespace JpegSamples;

namespace {

bool Near(QRgb actual, QColor expected, int tolerance = 12)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance && std::abs(qGreen(actual) - expected.green()) <= tolerance
        && std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

bool AllOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0xFF)
                return false;
        }
    }
    return true;
}

// Decoding must fail, with a reason.
void ExpectRefused(const QByteArray &data, const char *reasonPart = "")
{
    QString error;
    const QImage image = Jpeg::Decode(data, &error);
    EXPECT_TRUE(image.isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String(reasonPart))) << error.toStdString();
}

// The middle of the entropy-coded data of the first scan.
qsizetype FirstScanMiddle(const QByteArray &data)
{
    const qsizetype sos = data.indexOf("\xFF\xDA");
    const qsizetype start = sos + 2 + (uchar(data[sos + 2]) << 8 | uchar(data[sos + 3]));
    qsizetype end = start;
    while (end + 1 < data.size() && !(uchar(data[end]) == 0xFF && uchar(data[end + 1]) != 0))
        ++end;
    return (start + end) / 2;
}

QImage Noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        random.fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)), width);
    return image;
}

} // namespace

TEST(JpegDecoder, DecodesBaselineProgressiveAndGrayscaleIntoOpaque32BitRows)
{
    const QImage source = Quadrants(600, 611);
    for (TKind kind : {Baseline, Progressive}) {
        QString error;
        const QImage image = Jpeg::Decode(Encode(source, kind), &error);
        ASSERT_FALSE(image.isNull()) << error.toStdString();
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.size(), QSize(600, 611));
        EXPECT_TRUE(AllOpaque(image));
        EXPECT_TRUE(Near(image.pixel(150, 150), Qt::red));
        EXPECT_TRUE(Near(image.pixel(450, 150), Qt::green));
        EXPECT_TRUE(Near(image.pixel(150, 460), Qt::blue));
        EXPECT_TRUE(Near(image.pixel(599, 610), Qt::white));
    }
    const QImage gray = Jpeg::Decode(Encode(source, Grayscale));
    ASSERT_EQ(gray.size(), QSize(600, 611));
    const QRgb blue = gray.pixel(150, 460);
    EXPECT_TRUE(qRed(blue) == qGreen(blue) && qGreen(blue) == qBlue(blue));
    EXPECT_TRUE(AllOpaque(gray));
}

TEST(JpegDecoder, RefusesTruncatedData)
{
    for (TKind kind : {Baseline, Progressive}) {
        const QByteArray data = Encode(Quadrants(64, 64), kind);
        ExpectRefused(data.left(data.size() / 2));
        ExpectRefused(data.left(data.size() - 2), "Premature end"); // only the end-of-image marker missing
        ExpectRefused(data.left(20));
    }
}

TEST(JpegDecoder, RefusesCorruptData)
{
    for (TKind kind : {Baseline, Progressive}) {
        QByteArray data = Encode(Noise(64, 64), kind);
        const qsizetype middle = FirstScanMiddle(data);
        data[middle] = char(0xFF);
        data[middle + 1] = char(0xD9);
        ExpectRefused(data, "Corrupt JPEG data");
    }
    QByteArray notJpeg = Encode(Quadrants(16, 16), Baseline);
    notJpeg[1] = 'X';
    ExpectRefused(notJpeg, "Not a JPEG file");
    // A frame header stating a height of 0.
    QByteArray noHeight = Encode(Quadrants(16, 16), Baseline);
    const qsizetype frame = noHeight.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    noHeight[frame + 5] = 0;
    noHeight[frame + 6] = 0;
    ExpectRefused(noHeight);
}

TEST(JpegDecoder, RefusesEmptyDataAndRandomBytes)
{
    ExpectRefused(QByteArray(), "Empty input");
    QRandomGenerator random(20240613);
    for (int round = 0; round < 300; ++round) {
        QByteArray data(1 + random.bounded(4096), Qt::Uninitialized);
        for (char &c : data)
            c = char(random.bounded(256));
        if (round % 2)
            data.prepend("\xFF\xD8\xFF", 3); // past the signature check into the marker reader
        EXPECT_TRUE(Jpeg::Decode(data).isNull()) << "round " << round;
    }
}

TEST(JpegDecoder, RefusesOversizedImagesAndFiles)
{
    EXPECT_EQ(Jpeg::Decode(Encode(Quadrants(Jpeg::MaxSide, 8), Baseline)).width(), Jpeg::MaxSide);
    ExpectRefused(Encode(Quadrants(Jpeg::MaxSide + 1, 8), Baseline), "too large");
    ExpectRefused(Encode(Quadrants(8, Jpeg::MaxSide + 1), Baseline), "too large");
    ExpectRefused(QByteArray(Jpeg::MaxInputBytes + 1, '\0'), "too large");
}

TEST(JpegDecoder, BoundsTheScansOfAProgressiveFile)
{
    const QByteArray data = Encode(Quadrants(16, 16), EveryBitAScan);
    ASSERT_FALSE(data.isEmpty());
    ExpectRefused(data, "Too many scans");
    EXPECT_FALSE(Jpeg::Decode(Encode(Quadrants(16, 16), Progressive)).isNull());
}

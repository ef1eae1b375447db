#include "jpegsamples.h"

#include <QColor>
#include <QPainter>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// All encoder state in one plain struct: the error exit longjmps back past these frames.
struct EncodeJob
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    const unsigned char *pixels;
    std::size_t stride;
    int width;
    int height;
    JpegSamples::TKind kind;
    const jpeg_scan_info *scans;
    int scanCount;
    unsigned char *out;
    unsigned long outSize;
};

[[noreturn]] void Fail(j_common_ptr cinfo)
{
    std::longjmp(static_cast<EncodeJob *>(cinfo->client_data)->jump, 1);
}

bool Compress(EncodeJob *job)
{
    job->cinfo.err = jpeg_std_error(&job->errors);
    job->errors.error_exit = Fail;
    job->cinfo.client_data = job;
    if (setjmp(job->jump)) {
        jpeg_destroy_compress(&job->cinfo);
        return false;
    }
    jpeg_create_compress(&job->cinfo);
    jpeg_mem_dest(&job->cinfo, &job->out, &job->outSize);
    const bool gray = job->kind == JpegSamples::Grayscale || job->kind == JpegSamples::EveryBitAScan;
    job->cinfo.image_width = JDIMENSION(job->width);
    job->cinfo.image_height = JDIMENSION(job->height);
    job->cinfo.input_components = gray ? 1 : 3;
    job->cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&job->cinfo);
    jpeg_set_quality(&job->cinfo, 90, TRUE);
    if (job->kind == JpegSamples::Progressive)
        jpeg_simple_progression(&job->cinfo);
    if (job->scans) {
        job->cinfo.scan_info = job->scans;
        job->cinfo.num_scans = job->scanCount;
    }
    jpeg_start_compress(&job->cinfo, TRUE);
    while (job->cinfo.next_scanline < job->cinfo.image_height) {
        auto row = const_cast<JSAMPROW>(job->pixels + job->cinfo.next_scanline * job->stride);
        jpeg_write_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_compress(&job->cinfo);
    jpeg_destroy_compress(&job->cinfo);
    return true;
}

std::vector<jpeg_scan_info> EveryBitScans()
{
    std::vector<jpeg_scan_info> scans;
    constexpr int TopBit = 10;
    for (int coefficient = 0; coefficient < DCTSIZE2; ++coefficient) {
        scans.push_back({1, {0}, coefficient, coefficient, 0, TopBit});
        for (int bit = TopBit; bit > 0; --bit)
            scans.push_back({1, {0}, coefficient, coefficient, bit, bit - 1});
    }
    return scans;
}

} // namespace

QImage JpegSamples::Quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = width / 2;
    const int h = height / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, width - w, h, Qt::green);
    painter.fillRect(0, h, w, height - h, Qt::blue);
    painter.fillRect(w, h, width - w, height - h, Qt::white);
    return image;
}

QByteArray JpegSamples::Encode(const QImage &image, TKind kind)
{
    const bool gray = kind == Grayscale || kind == EveryBitAScan;
    const QImage rows = image.convertToFormat(gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    const std::vector<jpeg_scan_info> scans = kind == EveryBitAScan ? EveryBitScans() : std::vector<jpeg_scan_info>();
    EncodeJob job{};
    job.pixels = rows.constBits();
    job.stride = std::size_t(rows.bytesPerLine());
    job.width = rows.width();
    job.height = rows.height();
    job.kind = kind;
    job.scans = scans.empty() ? nullptr : scans.data();
    job.scanCount = int(scans.size());
    const bool ok = Compress(&job);
    QByteArray encoded = ok ? QByteArray(reinterpret_cast<const char *>(job.out), qsizetype(job.outSize)) : QByteArray();
    std::free(job.out);
    return encoded;
}

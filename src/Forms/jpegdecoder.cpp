#include "jpegdecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace {

#if defined(JCS_EXTENSIONS)
// libjpeg-turbo writes Format_RGB32 rows itself. The alpha variants are the ones documented to
// fill the fourth byte with 0xFF (the X variants leave it undefined); the layout is the same.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE RowColorSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE RowColorSpace = JCS_EXT_ARGB;
#endif
#endif

// Everything the libjpeg routine works on, as plain data owned by the caller: longjmp skips
// destructors, so no object that has one may live in the frames between setjmp and longjmp.
struct DecodeJob
{
    const unsigned char *data;
    unsigned long size;
    // Returns the first row of a Format_RGB32 image of that size, or null when it cannot be had.
    unsigned char *(*allocate)(void *context, int width, int height, std::size_t *stride);
    void *context;

    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    bool refused;
    char message[JMSG_LENGTH_MAX];
};

DecodeJob *JobOf(j_common_ptr cinfo)
{
    return static_cast<DecodeJob *>(cinfo->client_data);
}

[[noreturn]] void Fail(j_common_ptr cinfo)
{
    std::longjmp(JobOf(cinfo)->jump, 1);
}

[[noreturn]] void Refuse(j_decompress_ptr cinfo, const char *reason)
{
    DecodeJob *job = JobOf(reinterpret_cast<j_common_ptr>(cinfo));
    job->refused = true;
    std::snprintf(job->message, sizeof job->message, "%s", reason);
    Fail(reinterpret_cast<j_common_ptr>(cinfo));
}

// libjpeg only warns about damaged data and goes on (a truncated file gets a fake end-of-image
// marker, bad codes are skipped): such a picture is refused rather than shown half grey.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        Fail(cinfo);
}

// Runs while the scans of a progressive file are read; bounds the work a hostile file can cause.
void Progress(j_common_ptr cinfo)
{
    auto *dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > Jpeg::MaxScans)
        Refuse(dinfo, "Too many scans");
}

void ReadRows(j_decompress_ptr cinfo, unsigned char *first, std::size_t stride)
{
#if defined(JCS_EXTENSIONS)
    JSAMPROW rows[16];
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION count = std::min<JDIMENSION>(16, cinfo->output_height - cinfo->output_scanline);
        for (JDIMENSION k = 0; k < count; ++k)
            rows[k] = first + (cinfo->output_scanline + k) * stride;
        jpeg_read_scanlines(cinfo, rows, count);
    }
#else
    const int components = cinfo->output_components;
    JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                    cinfo->output_width * components, 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        auto *out = reinterpret_cast<QRgb *>(first + cinfo->output_scanline * stride);
        jpeg_read_scanlines(cinfo, buffer, 1);
        const JSAMPLE *in = buffer[0];
        for (JDIMENSION x = 0; x < cinfo->output_width; ++x, in += components)
            out[x] = components == 1 ? qRgb(in[0], in[0], in[0]) : qRgb(in[0], in[1], in[2]);
    }
#endif
}

void ReadImage(j_decompress_ptr cinfo, DecodeJob *job)
{
    cinfo->mem->max_memory_to_use = Jpeg::MaxWorkingMemory;
    jpeg_mem_src(cinfo, job->data, job->size);
    jpeg_read_header(cinfo, TRUE);
    if (cinfo->image_width > JDIMENSION(Jpeg::MaxSide) || cinfo->image_height > JDIMENSION(Jpeg::MaxSide))
        Refuse(cinfo, "Image too large");
#if defined(JCS_EXTENSIONS)
    cinfo->out_color_space = RowColorSpace;
#else
    cinfo->out_color_space = cinfo->jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
#endif
    jpeg_start_decompress(cinfo);
    std::size_t stride = 0;
    unsigned char *first = job->allocate(job->context, int(cinfo->output_width), int(cinfo->output_height), &stride);
    if (!first)
        Refuse(cinfo, "Not enough memory for the image");
    ReadRows(cinfo, first, stride);
    jpeg_finish_decompress(cinfo);
}

// The libjpeg work, in plain C style: all state lives in *job, nothing here needs a destructor.
bool DecodeInto(DecodeJob *job)
{
    job->cinfo.err = jpeg_std_error(&job->errors);
    job->errors.error_exit = Fail;
    job->errors.emit_message = EmitMessage;
    job->cinfo.client_data = job;
    job->progress.progress_monitor = Progress;
    if (setjmp(job->jump)) {
        if (!job->refused)
            (*job->errors.format_message)(reinterpret_cast<j_common_ptr>(&job->cinfo), job->message);
        jpeg_destroy_decompress(&job->cinfo);
        return false;
    }
    jpeg_create_decompress(&job->cinfo);
    job->cinfo.progress = &job->progress;
    ReadImage(&job->cinfo, job);
    jpeg_destroy_decompress(&job->cinfo);
    return true;
}

unsigned char *AllocateImage(void *context, int width, int height, std::size_t *stride)
{
    auto *image = static_cast<QImage *>(context);
    try {
        *image = QImage(width, height, QImage::Format_RGB32);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
    if (image->isNull())
        return nullptr;
    *stride = std::size_t(image->bytesPerLine());
    return image->bits();
}

} // namespace

QImage Jpeg::Decode(const QByteArray &data, QString *error)
{
    if (data.size() > MaxInputBytes) {
        if (error)
            *error = QStringLiteral("File too large");
        return QImage();
    }
    QImage image;
    DecodeJob job{};
    job.data = reinterpret_cast<const unsigned char *>(data.constData());
    job.size = static_cast<unsigned long>(data.size());
    job.allocate = AllocateImage;
    job.context = &image;
    if (!DecodeInto(&job)) {
        if (error)
            *error = QString::fromLatin1(job.message);
        return QImage();
    }
    return image;
}

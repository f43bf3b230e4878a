// JPEG through libjpeg-turbo into a 32-bit bitmap with alpha 255.
//
// libjpeg reports failures through error_exit, which here longjmps back to the decoding
// frame; C++ objects live in the caller's frame only.
#include <cstdio> // jpeglib.h needs FILE
#include <csetjmp>

#include <jerror.h>
#include <jpeglib.h>

#include "skin/pixels/codecs/PictureFailure.h"

namespace skin {
namespace {

// Far more than a 256 MiB picture needs, even progressive; beyond it libjpeg fails instead
// of allocating.
constexpr long kMaxJpegWorkingMemory = 768L << 20;

struct JpegErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings are ignored, except running out of data: a truncated picture is refused.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        OnJpegError(info);
}

struct JpegReadContext {
    std::span<const std::uint8_t> bytes;
    Bitmap32 bitmap;
    bool sizeRefused = false;
    long long width = 0, height = 0;
};

// Writes CMYK (Adobe's inverted form) as RGB into the bitmap row in place.
void CmykRowToPixels(std::span<Pixel> row) {
    for (Pixel& pixel : row) {
        const std::uint8_t* cmyk = reinterpret_cast<const std::uint8_t*>(&pixel);
        const unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        const unsigned red = c * k / 255, green = m * k / 255, blue = y * k / 255;
        pixel = 0xFF000000u | red << 16 | green << 8 | blue;
    }
}

bool DecodeJpeg(jpeg_decompress_struct& info, JpegErrorManager& errors, JpegReadContext& context) {
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    jpeg_mem_src(&info, context.bytes.data(), static_cast<unsigned long>(context.bytes.size()));
    jpeg_read_header(&info, TRUE);
    context.width = info.image_width;
    context.height = info.image_height;
    if (!Bitmap32::SizeIsAllowed(context.width, context.height) || context.width == 0 || context.height == 0) {
        context.sizeRefused = true;
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    if (info.output_width != info.image_width || info.output_height != info.image_height || info.output_components != 4)
        ERREXIT(&info, JERR_BAD_LENGTH);
    context.bitmap.SetSize(int(info.output_width), int(info.output_height));
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        JSAMPROW row = reinterpret_cast<JSAMPROW>(context.bitmap.Row(y).data());
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            ERREXIT(&info, JERR_INPUT_EOF);
        if (cmyk)
            CmykRowToPixels(context.bitmap.Row(y));
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

Bitmap32 ReadJpeg(std::span<const std::uint8_t> bytes, std::string_view name) {
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
        FailPicture(name, "not a JPEG file");
    JpegReadContext context;
    context.bytes = bytes;
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = OnJpegError;
    errors.standard.emit_message = OnJpegMessage;
    const bool decoded = DecodeJpeg(info, errors, context);
    jpeg_destroy_decompress(&info);
    if (context.sizeRefused)
        CheckPictureSize(name, context.width, context.height);
    if (!decoded)
        FailPicture(name, errors.message[0] ? errors.message : "the JPEG data is damaged");
    return std::move(context.bitmap);
}

} // namespace skin

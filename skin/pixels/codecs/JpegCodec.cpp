// JPEG through libjpeg-turbo into a 32-bit bitmap with alpha 255.
//
// libjpeg reports failures through error_exit, which here longjmps back to the decoding
// frame; C++ objects live in the caller's frame only. The header's size is not trusted: a
// few hundred bytes can claim 8192 x 8192 pixels, so the pixels grow with the rows that are
// actually decoded instead of being allocated from the header.
#include <cstdio> // jpeglib.h needs FILE
#include <csetjmp>

#include <jerror.h>
#include <jpeglib.h>

#include <vector>

#include "skin/pixels/codecs/PictureFailure.h"

namespace skin {
namespace {

// Beyond it libjpeg fails ("backing store not supported") instead of allocating.
constexpr long kMaxJpegWorkingMemory = long(kJpegMemoryLimit.Value);

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

// Warnings are ignored, except running out of data or meeting a marker where pixel data
// should be: a truncated picture is refused (instead of being filled out to its claimed size).
void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
        OnJpegError(info);
}

struct JpegReadContext {
    std::span<const std::uint8_t> bytes;
    std::vector<Pixel> pixels; // the rows decoded so far
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
    const std::size_t width = info.output_width;
    while (info.output_scanline < info.output_height) {
        const std::size_t y = info.output_scanline;
        context.pixels.resize((y + 1) * width); // grows by doubling, not from the header
        JSAMPROW row = reinterpret_cast<JSAMPROW>(context.pixels.data() + y * width);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            ERREXIT(&info, JERR_INPUT_EOF);
        if (cmyk)
            CmykRowToPixels({context.pixels.data() + y * width, width});
    }
    jpeg_finish_decompress(&info);
    context.bitmap = Bitmap32::FromPixels(int(info.output_width), int(info.output_height), std::move(context.pixels));
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
    if (!decoded && (errors.standard.msg_code == JERR_NO_BACKING_STORE || errors.standard.msg_code == JERR_OUT_OF_MEMORY))
        FailPicture(name, "decoding it needs more than " + LimitText(kJpegMemoryLimit));
    if (!decoded)
        FailPicture(name, errors.message[0] ? errors.message : "the JPEG data is damaged");
    return std::move(context.bitmap);
}

} // namespace skin

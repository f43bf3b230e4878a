// PNG through libpng: every colour type, depth and interlace read into a 32-bit bitmap with
// straight alpha; and an 8-bit RGBA writer.
//
// libpng reports failures by longjmp. Every C++ object lives in the caller's frame (the
// context), the frames with setjmp hold only plain values, so the jump skips no destructor.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>

#include "skin/pixels/codecs/PictureFailure.h"

namespace skin {
namespace {

constexpr std::size_t kPngSignatureSize = 8;
constexpr png_uint_32 kMaxPngSide = png_uint_32(1) << 26; // 256 MiB / 4 bytes in one row
constexpr png_alloc_size_t kMaxAncillaryChunk = png_alloc_size_t(8) << 20;
constexpr png_uint_32 kMaxCachedChunks = 1000;
constexpr std::uint64_t kMaxDeflateRatio = 1032;

struct PngReadContext {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    std::string error;
    Bitmap32 bitmap;
    std::vector<png_bytep> rows;
    bool sizeRefused = false;
    bool tooShort = false;
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngReadContext*>(png_get_error_ptr(png));
    if (context && context->error.empty())
        context->error = message ? message : "unknown PNG error";
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* context = static_cast<PngReadContext*>(png_get_io_ptr(png));
    if (count > context->bytes.size() - context->position)
        png_error(png, "the file is truncated");
    std::memcpy(out, context->bytes.data() + context->position, count);
    context->position += count;
}

// Everything between the header and the last row, under libpng's longjmp; returns false
// when libpng failed (its message is in the context).
bool DecodePng(png_structp png, png_infop info, PngReadContext& context) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
    png_set_chunk_malloc_max(png, kMaxAncillaryChunk);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    png_set_read_fn(png, &context, ReadFromMemory);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!Bitmap32::SizeIsAllowed(width, height)) {
        context.sizeRefused = true;
        return false;
    }
    // Deflate packs at most about 1032 bytes into one, so a file much shorter than its rows
    // cannot hold them: refused here, before the pixels are allocated.
    const std::uint64_t filteredBytes = std::uint64_t(height) * (std::uint64_t(png_get_rowbytes(png, info)) + 1);
    if (filteredBytes / kMaxDeflateRatio > context.bytes.size()) {
        context.tooShort = true;
        return false;
    }
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);

    // Everything to 8-bit blue, green, red, alpha: palettes and low depths expanded, tRNS
    // turned into alpha, 16 bits scaled down, grey copied into three channels.
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER); // only adds alpha where there is none
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * sizeof(Pixel))
        png_error(png, "unexpected row layout after conversion");

    context.bitmap.SetSize(int(width), int(height));
    context.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        context.rows[y] = reinterpret_cast<png_bytep>(context.bitmap.Row(int(y)).data());
    png_read_image(png, context.rows.data());
    return true;
}

struct PngWriteContext {
    std::vector<std::uint8_t> out;
    std::string error;
};

void OnPngWriteError(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngWriteContext*>(png_get_error_ptr(png));
    if (context && context->error.empty())
        context->error = message ? message : "unknown PNG error";
    png_longjmp(png, 1);
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
    auto* context = static_cast<PngWriteContext*>(png_get_io_ptr(png));
    try {
        context->out.insert(context->out.end(), data, data + count);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory"); // no C++ exception may cross libpng's frames
    }
}

void FlushNothing(png_structp) {}

bool EncodePng(png_structp png, png_infop info, PngWriteContext& context, const Bitmap32& bitmap,
               std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &context, WriteToMemory, FlushNothing);
    png_set_IHDR(png, info, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

} // namespace

Bitmap32 ReadPng(std::span<const std::uint8_t> bytes, std::string_view name) {
    if (bytes.size() < kPngSignatureSize || png_sig_cmp(bytes.data(), 0, kPngSignatureSize) != 0)
        FailPicture(name, "not a PNG file");
    // The header chunk comes first in every PNG; its size is checked before libpng reads on.
    constexpr std::size_t kHeaderChunkEnd = kPngSignatureSize + 8 + 8;
    if (bytes.size() >= kHeaderChunkEnd && std::memcmp(bytes.data() + 12, "IHDR", 4) == 0) {
        auto bigEndian = [&bytes](std::size_t at) {
            return png_uint_32(bytes[at]) << 24 | png_uint_32(bytes[at + 1]) << 16 | png_uint_32(bytes[at + 2]) << 8 |
                   png_uint_32(bytes[at + 3]);
        };
        const png_uint_32 width = bigEndian(16), height = bigEndian(20);
        if (width > 0 && height > 0)
            CheckPictureSize(name, width, height);
    }
    PngReadContext context;
    context.bytes = bytes;
    struct ReadStructs {
        png_structp png = nullptr;
        png_infop info = nullptr;
        ~ReadStructs() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
    } structs;
    structs.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, OnPngError, OnPngWarning);
    if (!structs.png)
        FailPicture(name, "the PNG reader could not start");
    structs.info = png_create_info_struct(structs.png);
    const bool decoded = structs.info && DecodePng(structs.png, structs.info, context);
    if (context.sizeRefused)
        CheckPictureSize(name, png_get_image_width(structs.png, structs.info),
                         png_get_image_height(structs.png, structs.info));
    if (context.tooShort)
        FailPicture(name, "the file is too short for a picture of its size (truncated)");
    if (!decoded)
        FailPicture(name, context.error.empty() ? "the PNG data is damaged" : context.error);
    return std::move(context.bitmap);
}

std::vector<std::uint8_t> WritePng(const Bitmap32& bitmap) {
    if (bitmap.Empty())
        throw EPictureError("Cannot write an empty bitmap as PNG");
    PngWriteContext context;
    std::vector<png_bytep> rows(std::size_t(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        rows[std::size_t(y)] = reinterpret_cast<png_bytep>(const_cast<Pixel*>(bitmap.Row(y).data()));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, OnPngWriteError, OnPngWarning);
    if (!png)
        throw EPictureError("Cannot write PNG: the writer could not start");
    png_infop info = png_create_info_struct(png);
    const bool encoded = info && EncodePng(png, info, context, bitmap, rows);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!encoded)
        throw EPictureError("Cannot write PNG: " + (context.error.empty() ? std::string("unknown failure") : context.error));
    return std::move(context.out);
}

} // namespace skin

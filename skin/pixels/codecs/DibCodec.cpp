// Device-independent bitmap files: our own reader (1 to 32 bits, BI_RGB and BI_BITFIELDS,
// either row order) and a 24/32-bit writer.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/codecs/PictureFailure.h"

namespace skin {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kMaxHeaderSize = 4096; // V5 is 124; anything far larger is not a header
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr int kMaxPaletteEntries = 256;

struct ByteReader {
    std::span<const std::uint8_t> bytes;
    std::uint32_t U32(std::size_t at) const {
        return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16 |
               std::uint32_t(bytes[at + 3]) << 24;
    }
    std::uint16_t U16(std::size_t at) const { return std::uint16_t(bytes[at] | bytes[at + 1] << 8); }
    std::int32_t I32(std::size_t at) const { return std::int32_t(U32(at)); }
};

// One colour channel of a bit-field pixel: its mask's position and width, scaled to 0..255.
struct BitField {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    static bool Make(std::uint32_t mask, BitField& field) {
        field = {};
        if (mask == 0)
            return true; // an absent channel reads as 0
        field.mask = mask;
        field.shift = std::countr_zero(mask);
        const std::uint32_t run = mask >> field.shift;
        if ((run & (run + 1)) != 0)
            return false; // the bits are not contiguous
        field.maximum = run;
        return true;
    }
    int Read(std::uint32_t value) const {
        if (mask == 0)
            return 0;
        const std::uint64_t raw = (value & mask) >> shift;
        return int((raw * 255 + maximum / 2) / maximum);
    }
};

struct DibHeader {
    std::uint32_t headerSize = 0;
    long long width = 0;
    long long height = 0; // positive: bottom-up
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t paletteEntries = 0;
    std::size_t paletteEntrySize = 4;
    std::array<std::uint32_t, 4> masks{}; // red, green, blue, alpha
    bool hasMasks = false;
};

// Pixels of pictures without their own alpha: opaque, except the key colour which is the
// fully transparent key pixel, as the engine's conversion to 32 bits makes them.
inline Pixel OpaqueOrKey(int red, int green, int blue) {
    const Pixel rgb = MakeValue(blue, green, red, 0);
    return rgb == kKeyPixel ? kKeyPixel : rgb | 0xFF000000u;
}

DibHeader ReadHeader(const ByteReader& in, std::string_view name) {
    const std::size_t size = in.bytes.size();
    if (size < kFileHeaderSize + 4)
        FailPicture(name, "the file is truncated (no bitmap header)");
    DibHeader header;
    header.headerSize = in.U32(kFileHeaderSize);
    if (header.headerSize != kCoreHeaderSize && (header.headerSize < kInfoHeaderSize || header.headerSize > kMaxHeaderSize))
        FailPicture(name, "the bitmap header has an unknown size of " + std::to_string(header.headerSize));
    if (kFileHeaderSize + header.headerSize > size)
        FailPicture(name, "the file is truncated (bitmap header)");
    const std::size_t h = kFileHeaderSize;
    int planes;
    if (header.headerSize == kCoreHeaderSize) {
        header.width = in.U16(h + 4);
        header.height = in.U16(h + 6);
        planes = in.U16(h + 8);
        header.bitsPerPixel = in.U16(h + 10);
        header.paletteEntrySize = 3;
    } else {
        header.width = in.I32(h + 4);
        header.height = in.I32(h + 8);
        planes = in.U16(h + 12);
        header.bitsPerPixel = in.U16(h + 14);
        header.compression = in.U32(h + 16);
        header.paletteEntries = in.U32(h + 32);
    }
    if (planes != 1)
        FailPicture(name, "the bitmap header gives " + std::to_string(planes) + " planes");
    if (header.height < 0) {
        header.topDown = true;
        header.height = -header.height;
    }
    const int bits = header.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        FailPicture(name, "unsupported bit count " + std::to_string(bits));
    const bool bitFields = header.compression == kBiBitfields || header.compression == kBiAlphaBitfields;
    if (header.compression != kBiRgb && !bitFields)
        FailPicture(name, "unsupported compression " + std::to_string(header.compression) +
                              " (only uncompressed and bit-field bitmaps are read)");
    if (bitFields && bits != 16 && bits != 32)
        FailPicture(name, "bit fields with " + std::to_string(bits) + " bits per pixel");

    if (bitFields) {
        // Masks live in the header from version 2 on, else right after the 40-byte header.
        const std::size_t maskCount = header.compression == kBiAlphaBitfields ? 4 : 3;
        const std::size_t at = h + kInfoHeaderSize;
        const std::size_t inHeader = header.headerSize >= kInfoHeaderSize + 16 ? 4
                                     : header.headerSize >= kInfoHeaderSize + 12 ? 3 : 0;
        const std::size_t count = std::max(inHeader, maskCount);
        if (at + count * 4 > size)
            FailPicture(name, "the file is truncated (bit-field masks)");
        for (std::size_t i = 0; i < count; ++i)
            header.masks[i] = in.U32(at + 4 * i);
        if (count < 4)
            header.masks[3] = 0;
        header.hasMasks = true;
    } else if (bits == 16) {
        header.masks = {0x7C00, 0x03E0, 0x001F, 0};
        header.hasMasks = true;
    }
    if (bits <= 8) {
        const std::uint32_t natural = 1u << bits;
        if (header.paletteEntries == 0)
            header.paletteEntries = natural;
        if (header.paletteEntries > std::uint32_t(kMaxPaletteEntries))
            FailPicture(name, "the colour table has " + std::to_string(header.paletteEntries) + " entries");
    } else {
        header.paletteEntries = 0; // a colour table of a true-colour file is only a hint
    }
    return header;
}

} // namespace

Bitmap32 ReadDib(std::span<const std::uint8_t> bytes, std::string_view name) {
    const ByteReader in{bytes};
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        FailPicture(name, "not a bitmap file");
    const DibHeader header = ReadHeader(in, name);
    if (header.width == 0 || header.height == 0)
        return {};
    CheckPictureSize(name, header.width, header.height);
    const int width = int(header.width), height = int(header.height), bits = header.bitsPerPixel;

    // The colour table follows the header (and the masks of a 40-byte BI_BITFIELDS header).
    std::size_t paletteAt = kFileHeaderSize + header.headerSize;
    if (header.hasMasks && header.headerSize == kInfoHeaderSize && header.compression != kBiRgb)
        paletteAt += (header.compression == kBiAlphaBitfields ? 4 : 3) * 4;
    std::array<Pixel, kMaxPaletteEntries> palette{};
    palette.fill(0xFF000000u); // an index past the table reads as black
    if (paletteAt + std::size_t(header.paletteEntries) * header.paletteEntrySize > bytes.size())
        FailPicture(name, "the file is truncated (colour table)");
    for (std::uint32_t i = 0; i < header.paletteEntries; ++i) {
        const std::size_t at = paletteAt + i * header.paletteEntrySize;
        palette[i] = OpaqueOrKey(bytes[at + 2], bytes[at + 1], bytes[at]);
    }

    std::size_t pixelsAt = in.U32(10);
    if (pixelsAt == 0)
        pixelsAt = paletteAt + std::size_t(header.paletteEntries) * header.paletteEntrySize;
    if (pixelsAt < kFileHeaderSize + header.headerSize)
        FailPicture(name, "the pixel data offset " + std::to_string(pixelsAt) + " lies inside the header");
    const std::uint64_t stride = ((std::uint64_t(width) * bits + 31) / 32) * 4;
    if (pixelsAt > bytes.size() || stride * std::uint64_t(height) > bytes.size() - pixelsAt)
        FailPicture(name, "the file is truncated (pixel data)");

    BitField red, green, blue, alpha;
    if (header.hasMasks &&
        (!BitField::Make(header.masks[0], red) || !BitField::Make(header.masks[1], green) ||
         !BitField::Make(header.masks[2], blue) || !BitField::Make(header.masks[3], alpha)))
        FailPicture(name, "a bit-field mask is not one run of bits");
    const bool ownAlpha = bits == 32 && (!header.hasMasks || header.masks[3] != 0);

    Bitmap32 bitmap(width, height);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* line = bytes.data() + pixelsAt + std::size_t(stride) * std::size_t(row);
        auto to = bitmap.Row(header.topDown ? row : height - 1 - row);
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 1: to[x] = palette[(line[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: to[x] = palette[(line[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
            case 8: to[x] = palette[line[x]]; break;
            case 16: {
                const std::uint32_t v = std::uint32_t(line[2 * x]) | std::uint32_t(line[2 * x + 1]) << 8;
                to[x] = OpaqueOrKey(red.Read(v), green.Read(v), blue.Read(v));
                break;
            }
            case 24: to[x] = OpaqueOrKey(line[3 * x + 2], line[3 * x + 1], line[3 * x]); break;
            default: {
                const std::uint32_t v = std::uint32_t(line[4 * x]) | std::uint32_t(line[4 * x + 1]) << 8 |
                                        std::uint32_t(line[4 * x + 2]) << 16 | std::uint32_t(line[4 * x + 3]) << 24;
                if (!header.hasMasks)
                    to[x] = v; // BI_RGB: blue, green, red and the alpha byte as stored
                else if (ownAlpha)
                    to[x] = MakeValue(blue.Read(v), green.Read(v), red.Read(v), alpha.Read(v));
                else
                    to[x] = OpaqueOrKey(red.Read(v), green.Read(v), blue.Read(v));
            }
            }
        }
    }
    return bitmap;
}

std::vector<std::uint8_t> WriteDib(const Bitmap32& bitmap, int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        throw EPictureError("Cannot write a bitmap file of " + std::to_string(bitsPerPixel) +
                            " bits per pixel (24 and 32 are written)");
    const std::size_t width = std::size_t(bitmap.Width()), height = std::size_t(bitmap.Height());
    const std::size_t stride = ((width * std::size_t(bitsPerPixel) + 31) / 32) * 4;
    const std::size_t pixelsAt = kFileHeaderSize + kInfoHeaderSize;
    const std::size_t fileSize = pixelsAt + stride * height;
    if (fileSize > 0xFFFFFFFFu)
        throw EPictureError("Cannot write a bitmap file larger than 4 GiB");
    std::vector<std::uint8_t> out(fileSize, 0);
    auto put32 = [&out](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = std::uint8_t(v >> (8 * i));
    };
    auto put16 = [&out](std::size_t at, std::uint16_t v) {
        out[at] = std::uint8_t(v);
        out[at + 1] = std::uint8_t(v >> 8);
    };
    constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch
    out[0] = 'B';
    out[1] = 'M';
    put32(2, std::uint32_t(fileSize));
    put32(10, std::uint32_t(pixelsAt));
    put32(14, kInfoHeaderSize);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    put16(26, 1);
    put16(28, std::uint16_t(bitsPerPixel));
    put32(30, kBiRgb);
    put32(34, std::uint32_t(stride * height));
    put32(38, kPixelsPerMetre);
    put32(42, kPixelsPerMetre);
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* line = out.data() + pixelsAt + stride * (height - 1 - y);
        auto from = bitmap.Row(int(y));
        for (std::size_t x = 0; x < width; ++x) {
            const Pixel p = from[x];
            if (bitsPerPixel == 32) {
                put32(std::size_t(line - out.data()) + 4 * x, p);
            } else {
                line[3 * x] = std::uint8_t(p);
                line[3 * x + 1] = std::uint8_t(p >> 8);
                line[3 * x + 2] = std::uint8_t(p >> 16);
            }
        }
    }
    return out;
}

} // namespace skin

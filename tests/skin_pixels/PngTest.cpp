// The PNG reader on pictures made here with libpng itself (every colour type and depth,
// Adam7, tRNS, gAMA, bKGD), the writer's round trip, and refusal of broken files.
#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <cmath>
#include <csetjmp>
#include <string>
#include <vector>

#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/pixels/SkinTypes.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Hex;
using test::NoiseBitmap;

struct PngVariant {
    int colourType;
    int depth;
    bool interlaced = false;
    bool transparency = false; // a tRNS chunk
    bool gammaAndBackground = false;
};

int Channels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1; // palette index
    }
}

// The sample of channel c at (x, y): spread over the whole range of the depth.
unsigned Sample(int x, int y, int c, int depth) {
    const unsigned maximum = (1u << depth) - 1;
    return (unsigned(x) * 2654435761u + unsigned(y) * 40503u + unsigned(c) * 977u) % (maximum + 1);
}

unsigned To8(unsigned v, int depth) {
    if (depth == 16)
        return unsigned(std::lround(v / 257.0));
    return v * 255 / ((1u << depth) - 1);
}

Pixel PaletteColour(unsigned index) { return 0xFF000000u | (index * 3) << 16 | (255 - index) << 8 | (index * 7 % 256); }
unsigned PaletteAlpha(unsigned index) { return index < 3 ? index * 100 : 255; }

constexpr int kWidth = 9, kHeight = 7;

void WriteBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

std::vector<std::uint8_t> MakePng(const PngVariant& v) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, WriteBytes, nullptr);
    png_set_IHDR(png, info, kWidth, kHeight, v.depth, v.colourType,
                 v.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (v.colourType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> palette(1u << v.depth);
        for (unsigned i = 0; i < palette.size(); ++i) {
            const Pixel p = PaletteColour(i);
            palette[i] = {png_byte(p >> 16), png_byte(p >> 8), png_byte(p)};
        }
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
        if (v.transparency) {
            png_byte alphas[3] = {png_byte(PaletteAlpha(0)), png_byte(PaletteAlpha(1)), png_byte(PaletteAlpha(2))};
            png_set_tRNS(png, info, alphas, std::min(3, int(palette.size())), nullptr);
        }
    } else if (v.transparency) {
        // The colour of pixel (0, 0) becomes transparent.
        png_color_16 key{};
        key.gray = png_uint_16(Sample(0, 0, 0, v.depth));
        key.red = png_uint_16(Sample(0, 0, 0, v.depth));
        key.green = png_uint_16(Sample(0, 0, 1, v.depth));
        key.blue = png_uint_16(Sample(0, 0, 2, v.depth));
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    if (v.gammaAndBackground) {
        png_set_gAMA(png, info, 1 / 2.2);
        png_color_16 background{};
        background.red = background.green = background.blue = background.gray = 1;
        png_set_bKGD(png, info, &background);
    }
    png_write_info(png, info);

    const int channels = Channels(v.colourType);
    const std::size_t rowBytes = (std::size_t(kWidth) * channels * v.depth + 7) / 8;
    std::vector<std::vector<png_byte>> rows(kHeight, std::vector<png_byte>(rowBytes, 0));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const unsigned s = Sample(x, y, c, v.depth);
                const std::size_t bit = (std::size_t(x) * channels + c) * v.depth;
                if (v.depth == 16) {
                    rows[y][bit / 8] = png_byte(s >> 8);
                    rows[y][bit / 8 + 1] = png_byte(s);
                } else {
                    rows[y][bit / 8] |= png_byte(s << (8 - v.depth - bit % 8));
                }
            }
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Pixel Expected(const PngVariant& v, int x, int y) {
    auto s = [&](int c) { return Sample(x, y, c, v.depth); };
    auto e = [&](int c) { return To8(s(c), v.depth); };
    switch (v.colourType) {
    case PNG_COLOR_TYPE_PALETTE: {
        const Pixel colour = PaletteColour(s(0)) & 0x00FFFFFF;
        return colour | Pixel(v.transparency ? PaletteAlpha(s(0)) : 255) << 24;
    }
    case PNG_COLOR_TYPE_GRAY: {
        const bool transparent = v.transparency && s(0) == Sample(0, 0, 0, v.depth);
        return Pixel(transparent ? 0 : 255) << 24 | e(0) << 16 | e(0) << 8 | e(0);
    }
    case PNG_COLOR_TYPE_GRAY_ALPHA: return e(1) << 24 | e(0) << 16 | e(0) << 8 | e(0);
    case PNG_COLOR_TYPE_RGB: {
        const bool transparent = v.transparency && s(0) == Sample(0, 0, 0, v.depth) &&
                                 s(1) == Sample(0, 0, 1, v.depth) && s(2) == Sample(0, 0, 2, v.depth);
        return Pixel(transparent ? 0 : 255) << 24 | e(0) << 16 | e(1) << 8 | e(2);
    }
    default: return e(3) << 24 | e(0) << 16 | e(1) << 8 | e(2);
    }
}

std::string Describe(const PngVariant& v) {
    return "type " + std::to_string(v.colourType) + " depth " + std::to_string(v.depth) +
           (v.interlaced ? " Adam7" : "") + (v.transparency ? " tRNS" : "") + (v.gammaAndBackground ? " gAMA bKGD" : "");
}

TEST(PngReader, EveryColourTypeAndDepthEndsAsStraightBgra) {
    std::vector<PngVariant> variants;
    for (int depth : {1, 2, 4, 8, 16})
        variants.push_back({PNG_COLOR_TYPE_GRAY, depth});
    for (int depth : {1, 2, 4, 8})
        variants.push_back({PNG_COLOR_TYPE_PALETTE, depth});
    for (int type : {PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB_ALPHA})
        for (int depth : {8, 16})
            variants.push_back({type, depth});
    variants.push_back({PNG_COLOR_TYPE_GRAY, 2, false, true});
    variants.push_back({PNG_COLOR_TYPE_GRAY, 16, false, true});
    variants.push_back({PNG_COLOR_TYPE_RGB, 8, false, true});
    variants.push_back({PNG_COLOR_TYPE_RGB, 16, true, true});
    variants.push_back({PNG_COLOR_TYPE_PALETTE, 4, false, true});
    variants.push_back({PNG_COLOR_TYPE_PALETTE, 8, true, true, true});
    variants.push_back({PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, true});
    variants.push_back({PNG_COLOR_TYPE_GRAY, 1, true});
    variants.push_back({PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false, true});

    for (const PngVariant& v : variants) {
        const std::vector<std::uint8_t> file = MakePng(v);
        ASSERT_FALSE(file.empty()) << Describe(v);
        try {
            const Bitmap32 bitmap = ReadPicture(file, "GLYPH.PNG");
            ASSERT_EQ(bitmap.Width(), kWidth) << Describe(v);
            ASSERT_EQ(bitmap.Height(), kHeight) << Describe(v);
            int wrong = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    if (bitmap.At(x, y) != Expected(v, x, y) && wrong++ < 3)
                        ADD_FAILURE() << Describe(v) << " at " << x << "," << y << ": " << Hex(bitmap.At(x, y))
                                      << " instead of " << Hex(Expected(v, x, y));
        } catch (const EPictureError& e) {
            ADD_FAILURE() << Describe(v) << ": " << e.what();
        }
    }
}

TEST(PngWriter, RoundTripsTheBytesAsTheyAre) {
    Bitmap32 bitmap = NoiseBitmap(17, 5, 77);
    bitmap.At(0, 0) = 0x00FFFFFF; // colour under alpha 0 is kept, not premultiplied away
    EXPECT_EQ(ReadPng(WritePng(bitmap), "ROUND.PNG"), bitmap);
    EXPECT_THROW(WritePng(Bitmap32()), EPictureError);
}

// A PNG signature and an IHDR chunk with a correct CRC, for headers libpng would not write.
std::vector<std::uint8_t> PngWithHeader(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(std::uint8_t(v >> shift));
    out.insert(out.end(), {8, 6, 0, 0, 0});
    const std::uint32_t crc = std::uint32_t(crc32(0, out.data() + 12, 17));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(crc >> shift));
    return out;
}

// The header above, then one chunk of a few bytes of image data and the end chunk.
std::vector<std::uint8_t> PngWithTinyData(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> out = PngWithHeader(width, height);
    auto chunk = [&out](const char* type, std::vector<std::uint8_t> data) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(std::uint8_t(data.size() >> shift));
        const std::size_t start = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        const std::uint32_t crc = std::uint32_t(crc32(0, out.data() + start, uInt(out.size() - start)));
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(std::uint8_t(crc >> shift));
    };
    chunk("IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});
    chunk("IEND", {});
    return out;
}

TEST(PngReader, RefusesBrokenFilesWithTheirName) {
    const std::vector<std::uint8_t> good = WritePng(NoiseBitmap(64, 64, 5));
    std::vector<std::uint8_t> badCrc = good;
    badCrc[29] ^= 0xFF; // the IHDR CRC
    std::vector<std::uint8_t> badData = good;
    for (std::size_t i = 60; i < 90; ++i)
        badData[i] ^= 0x5A;
    struct Row {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* messagePart;
    };
    const Row rows[] = {
        {"cut in the middle", {good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2)}, "truncated"},
        {"cut after the header", {good.begin(), good.begin() + 33}, "truncated"},
        {"damaged header CRC", badCrc, "CRC"},
        {"damaged image data", badData, ""},
        {"20000 x 20000", PngWithHeader(20000, 20000), "too large"},
        {"2^26 x 2", PngWithHeader(1u << 26, 2), "too large"},
        {"8000 x 8000 in a few bytes", PngWithTinyData(8000, 8000), "too short"},
        {"3 x 2 with too little data", PngWithTinyData(3, 2), ""},
        {"zero width", PngWithHeader(0, 5), ""},
        {"width past libpng's range", PngWithHeader(0x80000000u, 1), ""},
        {"signature only", {good.begin(), good.begin() + 8}, "truncated"},
    };
    for (const Row& row : rows) {
        try {
            ReadPicture(row.bytes, "MASK.PNG");
            ADD_FAILURE() << row.what << " was read";
        } catch (const EPictureError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("\"MASK.PNG\""), std::string::npos) << row.what << ": " << message;
            EXPECT_NE(message.find(row.messagePart), std::string::npos) << row.what << ": " << message;
        }
    }
}

TEST(Pictures, UnknownAndMissingPicturesNameTheirSource) {
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(DetectPictureFormat(text), PictureFormat::Unknown);
    try {
        ReadPicture(text, "README.TXT");
        ADD_FAILURE() << "text was read as a picture";
    } catch (const EPictureError& e) {
        EXPECT_NE(std::string(e.what()).find("README.TXT"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ReadPicture({}, "EMPTY"), EPictureError);
    try {
        ReadPictureFile("/nonexistent/folder/MASTER.BMP");
        ADD_FAILURE() << "a missing file was read";
    } catch (const EPictureError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/folder/MASTER.BMP"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace skin

// The bitmap file reader and writer: every bit count and layout, the alpha rules, and refusal
// of broken headers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/pixels/SkinTypes.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Hex;
using test::MakeBitmap;
using test::NoiseBitmap;

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiBitfields = 3;

// Builds a bitmap file from header values and raw rows (in file order, padded here).
struct DibFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 1, bits = 24;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette{}; // 0x00RRGGBB as stored (blue first)
    std::vector<std::uint32_t> masks{};   // written after a 40-byte header, or inside a longer one
    std::vector<std::vector<std::uint8_t>> rows{};
    std::int64_t pixelOffset = -1;       // -1: right after header, masks and palette
    std::size_t cutTo = 0;               // 0: the whole file

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out(14 + headerSize, 0);
        auto put = [&out](std::size_t at, std::uint64_t v, int n) {
            for (int i = 0; i < n; ++i)
                out[at + i] = std::uint8_t(v >> (8 * i));
        };
        out[0] = 'B', out[1] = 'M';
        put(14, headerSize, 4);
        if (headerSize == 12) {
            put(18, std::uint16_t(width), 2), put(20, std::uint16_t(height), 2), put(22, planes, 2), put(24, bits, 2);
        } else if (headerSize >= 40) {
            put(18, std::uint32_t(width), 4), put(22, std::uint32_t(height), 4), put(26, planes, 2), put(28, bits, 2);
            put(30, compression, 4), put(46, colorsUsed, 4);
        }
        for (std::size_t i = 0; i < masks.size(); ++i) {
            if (headerSize > 40)
                put(54 + 4 * i, masks[i], 4);
            else
                out.insert(out.end(), {std::uint8_t(masks[i]), std::uint8_t(masks[i] >> 8),
                                       std::uint8_t(masks[i] >> 16), std::uint8_t(masks[i] >> 24)});
        }
        for (std::uint32_t entry : palette) {
            out.insert(out.end(), {std::uint8_t(entry), std::uint8_t(entry >> 8), std::uint8_t(entry >> 16)});
            if (headerSize != 12)
                out.push_back(0);
        }
        put(10, pixelOffset >= 0 ? std::uint64_t(pixelOffset) : out.size(), 4);
        for (const auto& row : rows) {
            out.insert(out.end(), row.begin(), row.end());
            out.resize(out.size() + (4 - row.size() % 4) % 4, 0);
        }
        put(2, out.size(), 4);
        if (cutTo)
            out.resize(cutTo);
        return out;
    }
};

struct ReadRow {
    const char* what;
    DibFile file;
    Bitmap32 expected;
};

TEST(DibReader, ReadsEveryBitCountAndLayout) {
    const ReadRow rows[] = {
        {"1 bit, bottom-up", {.width = 3, .height = 2, .bits = 1, .palette = {0x000000, 0xFFFFFF},
                               .rows = {{0b10100000}, {0b01000000}}},
         MakeBitmap(3, 2, {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF})},
        {"4 bit, top-down, key in the colour table",
         {.width = 3, .height = -1, .bits = 4, .colorsUsed = 2, .palette = {0x102030, 0xFF00FF}, .rows = {{0x01, 0x00}}},
         MakeBitmap(3, 1, {0xFF102030, kKeyPixel, 0xFF102030})},
        {"8 bit, index past the colour table",
         {.width = 2, .height = 1, .bits = 8, .colorsUsed = 1, .palette = {0x445566}, .rows = {{0, 5}}},
         MakeBitmap(2, 1, {0xFF445566, 0xFF000000})},
        {"16 bit 5-5-5", {.width = 3, .height = 1, .bits = 16, .rows = {{0x1F, 0x7C, 0xE0, 0x03, 0x10, 0x42}}},
         MakeBitmap(3, 1, {kKeyPixel, 0xFF00FF00, 0xFF848484})},
        {"16 bit 5-6-5 bit fields",
         {.width = 3, .height = 1, .bits = 16, .compression = kBiBitfields, .masks = {0xF800, 0x07E0, 0x001F},
          .rows = {{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00}}},
         MakeBitmap(3, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF})},
        {"24 bit with row padding",
         {.width = 3, .height = 2, .rows = {{1, 2, 3, 255, 0, 255, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}}},
         MakeBitmap(3, 2, {0xFF0C0B0A, 0xFF0F0E0D, 0xFF121110, 0xFF030201, kKeyPixel, 0xFF090807})},
        {"32 bit keeps the stored alpha",
         {.width = 3, .height = 1, .bits = 32, .rows = {{0xFF, 0x00, 0xFF, 0x00, 0x78, 0x56, 0x34, 0x12, 1, 2, 3, 0}}},
         MakeBitmap(3, 1, {kKeyPixel, 0x12345678, 0x00030201})},
        {"32 bit fields with an alpha mask (version 5 header)",
         {.headerSize = 124, .width = 1, .height = 1, .bits = 32, .compression = kBiBitfields,
          .masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, .rows = {{0x11, 0x22, 0x33, 0x44}}},
         MakeBitmap(1, 1, {0x44112233})},
        {"32 bit fields without alpha",
         {.width = 2, .height = 1, .bits = 32, .compression = kBiBitfields,
          .masks = {0x00FF0000, 0x0000FF00, 0x000000FF}, .rows = {{0xFF, 0x00, 0xFF, 0x00, 1, 2, 3, 0}}},
         MakeBitmap(2, 1, {kKeyPixel, 0xFF030201})},
        {"core header, 8 bit, three-byte colour table",
         {.headerSize = 12, .width = 2, .height = 1, .bits = 8, .palette = std::vector<std::uint32_t>(256, 0x0A0B0C),
          .rows = {{0, 255}}},
         MakeBitmap(2, 1, {0xFF0A0B0C, 0xFF0A0B0C})},
    };
    for (const ReadRow& row : rows) {
        try {
            const Bitmap32 bitmap = ReadDib(row.file.Bytes(), "TEST.BMP");
            EXPECT_EQ(bitmap.Width(), row.expected.Width()) << row.what;
            EXPECT_EQ(bitmap.Height(), row.expected.Height()) << row.what;
            for (int y = 0; y < std::min(bitmap.Height(), row.expected.Height()); ++y)
                for (int x = 0; x < std::min(bitmap.Width(), row.expected.Width()); ++x)
                    EXPECT_EQ(Hex(bitmap.At(x, y)), Hex(row.expected.At(x, y))) << row.what << " at " << x << "," << y;
        } catch (const EPictureError& e) {
            ADD_FAILURE() << row.what << ": " << e.what();
        }
    }
}

struct RefuseRow {
    const char* what;
    DibFile file;
    const char* messagePart;
};

TEST(DibReader, RefusesBrokenFilesWithTheirName) {
    const std::vector<std::uint8_t> pixels(12, 0);
    const RefuseRow rows[] = {
        {"pixel data cut short", {.width = 4, .height = 4, .rows = {pixels, pixels, pixels}}, "truncated"},
        {"header cut short", {.width = 1, .height = 1, .rows = {{1, 2, 3}}, .cutTo = 30}, "truncated"},
        {"unknown header size", {.headerSize = 20, .width = 1, .height = 1}, "header"},
        {"two planes", {.width = 1, .height = 1, .planes = 2, .rows = {{1, 2, 3}}}, "planes"},
        {"seven bits", {.width = 1, .height = 1, .bits = 7, .rows = {{1}}}, "bit count"},
        {"run-length compression", {.width = 1, .height = 1, .bits = 8, .compression = kBiRle8, .rows = {{1}}},
         "compression"},
        {"bit fields on 24 bits", {.width = 1, .height = 1, .compression = kBiBitfields, .masks = {1, 2, 4},
                                   .rows = {{1, 2, 3}}}, "bit fields"},
        {"broken mask", {.width = 1, .height = 1, .bits = 16, .compression = kBiBitfields,
                         .masks = {0x0F0F, 0x00F0, 0x0000}, .rows = {{1, 2}}}, "mask"},
        {"colour table of 300", {.width = 1, .height = 1, .bits = 8, .colorsUsed = 300, .rows = {{0}}}, "colour table"},
        {"colour table cut short", {.width = 1, .height = 1, .bits = 8, .palette = {1, 2}, .rows = {{0}},
                                    .pixelOffset = 0}, "truncated"},
        {"pixel offset inside the header", {.width = 1, .height = 1, .rows = {{1, 2, 3}}, .pixelOffset = 20}, "offset"},
        {"40000 x 40000", {.width = 40000, .height = 40000, .rows = {{1, 2, 3}}}, "too large"},
        {"height of -2^31", {.width = 1, .height = INT32_MIN, .rows = {{1, 2, 3}}}, "too large"},
    };
    for (const RefuseRow& row : rows) {
        try {
            ReadDib(row.file.Bytes(), "TEST.BMP");
            ADD_FAILURE() << row.what << " was read";
        } catch (const EPictureError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("\"TEST.BMP\""), std::string::npos) << row.what << ": " << message;
            EXPECT_NE(message.find(row.messagePart), std::string::npos) << row.what << ": " << message;
        }
    }
}

TEST(DibReader, AZeroWidthGivesAnEmptyPicture) {
    EXPECT_TRUE(ReadDib(DibFile{.width = 0, .height = 3}.Bytes(), "EMPTY.BMP").Empty());
}

TEST(DibWriter, RoundTripsTwentyFourAndThirtyTwoBits) {
    Bitmap32 bitmap = NoiseBitmap(5, 3, 21);
    bitmap.At(1, 1) = kKeyPixel;
    bitmap.At(2, 1) = 0x00FF00FE;
    const Bitmap32 thirtyTwo = ReadPicture(WriteDib(bitmap, 32), "32.BMP");
    EXPECT_EQ(thirtyTwo, bitmap);

    const Bitmap32 twentyFour = ReadPicture(WriteDib(bitmap, 24), "24.BMP");
    ASSERT_EQ(twentyFour.Width(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const Pixel rgb = bitmap.At(x, y) & 0x00FFFFFF;
            EXPECT_EQ(Hex(twentyFour.At(x, y)), Hex(rgb == kKeyPixel ? kKeyPixel : rgb | 0xFF000000)) << x << "," << y;
        }
    EXPECT_THROW(WriteDib(bitmap, 16), EPictureError);
}

} // namespace
} // namespace skin

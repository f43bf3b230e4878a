// The drawing routines on a bitmap: arrow glyph pixels, frame strips and frame copies.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "skin/pixels/DrawingRoutines.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Filled;
using test::Hex;
using test::NoiseBitmap;

using PointSet = std::set<std::pair<int, int>>;

PointSet SetPixels(const Bitmap32& bitmap) {
    PointSet points;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.At(x, y) != 0)
                points.insert({x, y});
    return points;
}

TEST(DrawingRoutines, DownArrowIsFourShrinkingRows) {
    Bitmap32 bitmap(16, 16);
    DrawArrowGlyph(bitmap, TColor{0x0000FF}, {0, 0, 16, 16}, 8);
    PointSet expected;
    for (int k = 0; k < 4; ++k)
        for (int x = 4 + k; x <= 11 - k; ++x)
            expected.insert({x, 5 + k});
    EXPECT_EQ(SetPixels(bitmap), expected);
    EXPECT_TRUE(expected.count({4, 5}) && expected.count({11, 5}) && expected.count({7, 8}) && expected.count({8, 8}));
    EXPECT_EQ(Hex(bitmap.At(7, 8)), Hex(0xFFFF0000));
}

TEST(DrawingRoutines, RightArrowIsFourShrinkingColumns) {
    Bitmap32 bitmap(16, 16);
    DrawArrowGlyph(bitmap, TColor{0xFFFFFF}, {0, 0, 16, 16}, 4);
    PointSet expected;
    for (int k = 0; k < 4; ++k)
        for (int y = 5 + k; y <= 11 - k; ++y)
            expected.insert({6 + k, y});
    EXPECT_EQ(SetPixels(bitmap), expected);
    EXPECT_TRUE(expected.count({9, 8}) && !expected.count({9, 7}));
}

TEST(DrawingRoutines, OtherDirectionsAndPixelsOutsideDrawNothing) {
    Bitmap32 bitmap(16, 16);
    DrawArrowGlyph(bitmap, TColor{0xFFFFFF}, {0, 0, 16, 16}, 2);
    EXPECT_TRUE(SetPixels(bitmap).empty());
    Bitmap32 tiny(3, 3);
    DrawArrowGlyph(tiny, TColor{0xFFFFFF}, {-4, -4, 4, 4}, 8); // mostly outside: clipped, no crash
    EXPECT_FALSE(SetPixels(tiny).empty());
}

TEST(DrawingRoutines, FillFrameCoversTheFourStripsOnly) {
    Bitmap32 bitmap(7, 6);
    FillFrame(bitmap, {1, 0, 7, 6}, {1, 2, 1, 1}, TColor{0x010101});
    //   x: 0 1 2 3 4 5 6
    //   0  . # # # # # #     top strip, 2 high
    //   1  . # # # # # #
    //   2  . # . . . . #     left and right strips
    //   3  . # . . . . #
    //   4  . # . . . . #
    //   5  . # # # # # #     bottom strip
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool inFrame = x >= 1 && (y < 2 || y == 5 || x == 1 || x == 6);
            EXPECT_EQ(bitmap.At(x, y) != 0, inFrame) << x << "," << y;
        }
}

TEST(DrawingRoutines, CopyFrameCopiesTheStripsFromTheMatchingPlace) {
    const Bitmap32 src = NoiseBitmap(10, 10, 9);
    Bitmap32 dst(6, 6);
    CopyFrame(dst, {1, 1, 6, 6}, 1, src, 3, 2);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inFrame = x >= 1 && y >= 1 && (x == 1 || y == 1 || x == 5 || y == 5);
            EXPECT_EQ(Hex(dst.At(x, y)), Hex(inFrame ? src.At(x + 2, y + 1) : 0)) << x << "," << y;
        }
    Bitmap32 clipped(4, 4);
    CopyFrame(clipped, {-2, -2, 20, 20}, 3, src, 0, 0); // reaches past both bitmaps
    EXPECT_EQ(Hex(clipped.At(0, 0)), Hex(src.At(2, 2)));
}

TEST(DrawingRoutines, FillSolidClipsAndWritesTheAlpha) {
    Bitmap32 bitmap = Filled(3, 1, 0);
    FillSolid(bitmap, {2, -1, 9, 9}, TColor{0x0A0B0C}, 0x7F);
    EXPECT_EQ(Hex(bitmap.At(2, 0)), Hex(0x7F0C0B0A));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(0));
}

} // namespace
} // namespace skin

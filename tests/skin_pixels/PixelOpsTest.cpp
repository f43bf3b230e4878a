// Fills, tints, alpha, fades, premultiplication, grey and washes: clipping and arithmetic.
#include <gtest/gtest.h>

#include "skin/pixels/PixelOps.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Filled;
using test::Hex;
using test::MakeBitmap;

int CountDiffering(const Bitmap32& a, const Bitmap32& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            count += a.At(x, y) != b.At(x, y);
    return count;
}

TEST(PixelOps, ForEachPixelSkipsExactlyTheKeyValue) {
    Bitmap32 bitmap = MakeBitmap(4, 1, {kKeyPixel, 0xFFFF00FF, 0x1FFFFFFF, 0x00000001});
    ForEachPixel(bitmap, [](Pixel p) { return p + 1; }, kKeyPixel);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(kKeyPixel));   // the key
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(0xFFFF0100));  // magenta with alpha is no key
    EXPECT_EQ(Hex(bitmap.At(2, 0)), Hex(0x20000000));

    ForEachPixel(bitmap, [](Pixel) { return Pixel(7); }, kNoKey);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(bitmap.At(x, 0), 7u) << "x=" << x; // no key: every pixel, 0x1FFFFFFF too
}

TEST(PixelOps, BitmapShiftsLeaveKeyPixelsAlone) {
    Bitmap32 bitmap = MakeBitmap(2, 1, {0x00FF0000, kKeyPixel});
    ShiftHueOfBitmap(bitmap, 120, kKeyPixel);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(0x0000FF00));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(kKeyPixel));
    ShiftSaturationOfBitmap(bitmap, -100, kKeyPixel);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(0x00555555));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(kKeyPixel));
}

TEST(PixelOps, BitmapShiftsGiveThePixelShiftOfEveryPixel) {
    Bitmap32 bitmap = test::NoiseBitmap(40, 3, 17);
    for (int x = 0; x < 20; ++x)
        bitmap.At(x, 1) = x < 10 ? 0x00000000 : 0x80FF8000; // runs, black first
    const Bitmap32 original = bitmap;
    Bitmap32 saturated = bitmap;
    ShiftHueOfBitmap(bitmap, -75, kNoKey);
    ShiftSaturationOfBitmap(saturated, 35, kNoKey);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(bitmap.At(x, y), ShiftHue(-75, original.At(x, y))) << x << "," << y;
            ASSERT_EQ(saturated.At(x, y), ShiftSaturation(35, original.At(x, y))) << x << "," << y;
        }
}

TEST(PixelOps, FillPixelsFillsOnlyTheInsidePartOfTheRect) {
    Bitmap32 bitmap = Filled(4, 3, 0x11111111);
    FillPixels(bitmap, {-2, -1, 2, 10}, TColor{0x00332211}, 0x80);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Hex(bitmap.At(x, y)), Hex(x < 2 ? 0x80112233 : 0x11111111)) << x << "," << y;
    FillPixels(bitmap, {3, 0, 2, 3}, TColor{0}, 0); // empty rect
    EXPECT_EQ(Hex(bitmap.At(3, 0)), Hex(0x11111111));
}

TEST(PixelOps, TintPixelsMovesTowardTheColourAndSetsAlpha) {
    Bitmap32 bitmap = MakeBitmap(2, 1, {0x00C86401, 0x00C86401});
    // colour 0x000000FF is red 255; p = 50: R 200 -> 227.5 -> 228, G 100 -> 50, B 1 -> 0.5 -> 0
    TintPixels(bitmap, {1, 0, 5, 1}, TColor{0x0000FF}, 0x40, 50);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(0x00C86401));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(0x40E43200));
}

TEST(PixelOps, SetAlphaInRectTreatsNonKeyPixelsAndStaysInMemory) {
    Bitmap32 bitmap = MakeBitmap(3, 2, {kKeyPixel, 0x00102030, 0xFFFF00FF, 0x01020304, 0x05060708, 0x090A0B0C});
    SetAlphaInRect(bitmap, {0, 0, 3, 1}, 255, kKeyPixel);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(kKeyPixel));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(0xFF102030));
    EXPECT_EQ(Hex(bitmap.At(2, 0)), Hex(0xFFFF00FF));
    EXPECT_EQ(Hex(bitmap.At(0, 1)), Hex(0x01020304));

    SetAlphaInRect(bitmap, {1, 1, 50, 50}, 0x33, kNoKey); // past the bitmap: the inside part only
    EXPECT_EQ(Hex(bitmap.At(0, 1)), Hex(0x01020304));
    EXPECT_EQ(Hex(bitmap.At(2, 1)), Hex(0x330A0B0C));
    const Bitmap32 before = bitmap;
    SetAlphaInRect(bitmap, {2, 0, 0, 2}, 0, kNoKey); // negative width clamps to nothing
    EXPECT_EQ(bitmap, before);
}

TEST(PixelOps, FadeToColorTakesRightAndBottomInclusively) {
    Bitmap32 bitmap = Filled(20, 20, 0x80646464);
    const Bitmap32 before = bitmap;
    FadeToColor(bitmap, {0, 0, 10, 10}, 50, TColor{0x000000});
    EXPECT_EQ(CountDiffering(bitmap, before), 11 * 11);
    EXPECT_EQ(Hex(bitmap.At(10, 10)), Hex(0x80323232));
    EXPECT_EQ(Hex(bitmap.At(11, 10)), Hex(0x80646464));

    Bitmap32 tie = MakeBitmap(1, 1, {0x00010305});
    FadeToColor(tie, {-5, -5, 40, 40}, 50, TColor{0x000000}); // 0.5 -> 0, 1.5 -> 2, 2.5 -> 2
    EXPECT_EQ(Hex(tie.At(0, 0)), Hex(0x00000202));
}

TEST(PixelOps, FadeBitmapToColorKeepsKeyPixels) {
    Bitmap32 bitmap = MakeBitmap(2, 1, {0x7FC80000, kKeyPixel});
    FadeBitmapToColor(bitmap, 0.25, TColor{0x000000}, kKeyPixel);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(0x7F320000));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(kKeyPixel));
}

TEST(PixelOps, PremultiplyShiftsByEightAndClearsTransparentWhite) {
    Bitmap32 bitmap = MakeBitmap(4, 1, {0x00FFFFFF, 0x80FF8040, 0xFFFFFFFF, 0x00123456});
    Premultiply(bitmap);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(0x00000000));
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(0x807F4020));
    EXPECT_EQ(Hex(bitmap.At(2, 0)), Hex(0xFFFEFEFE)); // 255 * 255 >> 8 = 254
    EXPECT_EQ(Hex(bitmap.At(3, 0)), Hex(0x00000000));

    Bitmap32 part = MakeBitmap(2, 1, {0x80FF8040, 0x80FF8040});
    Premultiply(part, {1, 0, 2, 1});
    EXPECT_EQ(Hex(part.At(0, 0)), Hex(0x80FF8040));
    EXPECT_EQ(Hex(part.At(1, 0)), Hex(0x807F4020));
}

TEST(PixelOps, GrayscaleTruncatesTheMean) {
    Bitmap32 bitmap = MakeBitmap(2, 1, {0x40FF0100, kKeyPixel});
    Grayscale(bitmap, kKeyPixel);
    EXPECT_EQ(Hex(bitmap.At(0, 0)), Hex(0x40555555)); // 256 div 3
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(kKeyPixel));
    Grayscale(bitmap);
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(0x00AAAAAA));
}

TEST(PixelOps, WashRectKeepsPartOfThePixelAndPaintsTheLastColumnAndRow) {
    // p = 60 gives D = 153; channel 200 over colour channel 100: (100 * 256 + 100 * 153) >> 8 = 159
    Bitmap32 bitmap = Filled(3, 3, 0x7FC8C8C8);
    WashRect(bitmap, {0, 0, 3, 3}, 60, TColor{0x646464});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Hex(bitmap.At(x, y)), Hex(x == 2 || y == 2 ? 0x7F646464 : 0x7F9F9F9F)) << x << "," << y;

    // A rect one wider and higher than the bitmap washes every pixel of it.
    Bitmap32 bar = Filled(2, 2, 0x00000000);
    WashRect(bar, {0, 0, 3, 3}, 60, TColor{0xFFFFFF});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Hex(bar.At(x, y)), Hex(0x00666666)) << x << "," << y; // (255 * 256 - 255 * 153) >> 8 = 102
}

} // namespace
} // namespace skin

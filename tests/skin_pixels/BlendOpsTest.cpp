// Weighted, keyed and masked blends: formulas, clipping and the fast row against the plain one.
#include <gtest/gtest.h>

#include "skin/pixels/BlendOps.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Filled;
using test::Hex;
using test::MakeBitmap;
using test::NoiseBitmap;

TEST(BlendOps, BlendBitmapsWeighsTheDestinationAndKeepsItsAlpha) {
    Bitmap32 dst = MakeBitmap(1, 1, {0x40C86400});
    const Bitmap32 src = MakeBitmap(1, 1, {0xFF0064FF});
    BlendBitmaps(dst, src, 64, {0, 0}, {0, 0, 1, 1});
    // R (64 * 200 + 192 * 0) >> 8 = 50, G 100, B (192 * 255) >> 8 = 191
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0x403264BF));
}

TEST(BlendOps, BlendBitmapsTakesTheBottomRowOfTheSourceRectInclusively) {
    const Bitmap32 src = Filled(2, 4, 0x00000000);
    Bitmap32 dst = Filled(2, 4, 0x00FFFFFF);
    BlendBitmaps(dst, src, 0, {0, 0}, {0, 0, 2, 1});
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(Hex(dst.At(0, y)), Hex(y <= 1 ? 0 : 0x00FFFFFF)) << "row " << y;

    Bitmap32 whole = Filled(2, 4, 0x00FFFFFF);
    BlendBitmaps(whole, src, 0, {0, 0}, {0, 0, 2, 4}); // Bottom cut to the last row
    EXPECT_EQ(Hex(whole.At(1, 3)), Hex(0));
}

TEST(BlendOps, BlendBitmapsShiftsTheSourceForANegativePointAndClipsToTheDestination) {
    const Bitmap32 src = MakeBitmap(3, 1, {0x00000001, 0x00000002, 0x00000003});
    Bitmap32 dst = Filled(2, 1, 0x00000000);
    BlendBitmaps(dst, src, 0, {-1, 0}, {0, 0, 3, 1});
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(2));
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(3));

    Bitmap32 right = Filled(2, 2, 0x00000000);
    BlendBitmaps(right, src, 0, {1, 1}, {0, 0, 30, 30});
    EXPECT_EQ(Hex(right.At(1, 1)), Hex(1));
    EXPECT_EQ(Hex(right.At(0, 1)), Hex(0));
}

TEST(BlendOps, FastBlendRowGivesThePlainResultsForEveryWeight) {
    const Bitmap32 dst = NoiseBitmap(97, 1, 11);
    const Bitmap32 src = NoiseBitmap(97, 1, 12);
    for (int weight = 0; weight <= 255; ++weight) {
        Bitmap32 fast = dst, portable = dst, plain = dst;
        BlendRow(fast.Row(0), src.Row(0), weight);
        BlendRowPortable(portable.Row(0), src.Row(0), weight);
        BlendRowPlain(plain.Row(0), src.Row(0), weight);
        ASSERT_EQ(fast, plain) << "weight " << weight;
        ASSERT_EQ(portable, plain) << "weight " << weight;
    }
    Bitmap32 extremes = MakeBitmap(2, 1, {0xFFFFFFFF, 0x00000000});
    const Bitmap32 other = MakeBitmap(2, 1, {0x00000000, 0xFFFFFFFF});
    BlendRow(extremes.Row(0), other.Row(0), 255);
    EXPECT_EQ(Hex(extremes.At(0, 0)), Hex(0xFFFEFEFE));
    EXPECT_EQ(Hex(extremes.At(1, 0)), Hex(0x00000000));
}

TEST(BlendOps, SumBitmapsNeedsEqualSizes) {
    Bitmap32 dst = Filled(2, 2, 0x00FFFFFF);
    const Bitmap32 wrong = Filled(2, 3, 0);
    SumBitmaps(dst, wrong, 128);
    EXPECT_EQ(dst, Filled(2, 2, 0x00FFFFFF));
    SumBitmaps(dst, Filled(2, 2, 0), 128);
    EXPECT_EQ(dst, Filled(2, 2, 0x007F7F7F));
}

TEST(BlendOps, BlendKeyedMixesNonKeyPixelsWithRoundingToEven) {
    Bitmap32 dst = MakeBitmap(3, 1, {0x11000000, 0x22000000, 0x33000001});
    const Bitmap32 src = MakeBitmap(3, 1, {0xAA0A0A0A, kKeyPixel, 0x00000000});
    BlendKeyed(dst, 0, 0, kKeyPixel, 0.4, {0, 0, 3, 1}, src);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0x11060606)); // 10 - 10 * 0.4 = 6
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0x22000000));
    Bitmap32 tie = MakeBitmap(1, 1, {0x00000001});
    BlendKeyed(tie, 0, 0, kNoKey, 0.5, {0, 0, 1, 1}, MakeBitmap(1, 1, {0x00000002}));
    EXPECT_EQ(Hex(tie.At(0, 0)), Hex(0x00000002)); // 1.5 -> 2
    BlendKeyed(tie, -1, 0, kNoKey, 0.0, {0, 0, 2, 1}, MakeBitmap(2, 1, {0x00000009, 0x00000005}));
    EXPECT_EQ(Hex(tie.At(0, 0)), Hex(0x00000005)); // a negative x moves the source along
}

TEST(BlendOps, MergeByMaskUsesEachChannelOfTheMask) {
    Bitmap32 dst = MakeBitmap(3, 1, {0x00C8C8C8, 0x00C8C8C8, 0x00C8C8C8});
    const Bitmap32 image = MakeBitmap(3, 1, {0x10646464, 0x10646464, 0x10646464});
    const Bitmap32 mask = MakeBitmap(3, 1, {0x00000000, 0x00FFFFFF, 0x00FF0080});
    MergeByMask(dst, image, mask);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0xFF646464));        // black: the image
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0xFFC7C7C7));        // white: (255 * 200 + 100) >> 8 = 199
    EXPECT_EQ(Hex(dst.At(2, 0)), Hex(0xFFC76496));        // per channel: R 199, G 100, B 150
}

} // namespace
} // namespace skin

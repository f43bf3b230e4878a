// Alpha and glyph composition and keyed copies: weights, alpha rules, backdrops and clipping.
#include <gtest/gtest.h>

#include "skin/pixels/ComposeOps.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Filled;
using test::Hex;
using test::MakeBitmap;

TsBackdrop BackdropOf(const Bitmap32& bitmap, int offsetX, int offsetY) {
    TsBackdrop backdrop;
    backdrop.Bitmap = &bitmap;
    backdrop.OffsetX = offsetX;
    backdrop.OffsetY = offsetY;
    backdrop.HasBitmap = true;
    return backdrop;
}

struct GlyphRow {
    Pixel src, dst, expected;
};

TEST(ComposeGlyph, ComposesWithTheSourceAlphaAndRaisesTheDestinationAlpha) {
    const GlyphRow rows[] = {
        {0x80FFFFFF, 0x00000000, 0x807F7F7F}, // alpha 128 over alpha 0 stays 128
        {0xFF102030, 0x64FFFFFF, 0xFF102030}, // alpha 255 over 100 gives 255; (255 s + d) >> 8
        {0x00FFFFFF, 0x40123456, 0x40123456}, // alpha 0 changes nothing
        {0x40FF0000, 0x80000000, 0x9F3F0000}, // 128 + 127 * 64 div 255 = 159
    };
    for (const GlyphRow& row : rows) {
        Bitmap32 dst = MakeBitmap(1, 1, {row.dst});
        ComposeGlyph({0, 0, 1, 1}, {0, 0, 1, 1}, dst, UseBackdrop::No, {}, MakeBitmap(1, 1, {row.src}));
        EXPECT_EQ(Hex(dst.At(0, 0)), Hex(row.expected)) << Hex(row.src) << " over " << Hex(row.dst);
    }
}

TEST(ComposeGlyph, KeyPixelsShowTheBackdropOnlyWhenAskedTo) {
    const Bitmap32 parent = MakeBitmap(3, 1, {0x00000001, 0x00000002, 0x00000003});
    const Bitmap32 src = MakeBitmap(2, 1, {kKeyPixel, kKeyPixel});
    Bitmap32 dst = Filled(2, 1, 0x11111111);
    ComposeGlyph({0, 0, 2, 1}, {0, 0, 2, 1}, dst, UseBackdrop::Yes, BackdropOf(parent, 2, 0), src);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0xFF000003)); // backdrop (2, 0) with alpha 255
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0x11111111)); // (3, 0) lies outside the backdrop

    Bitmap32 left = Filled(2, 1, 0x11111111);
    ComposeGlyph({0, 0, 2, 1}, {0, 0, 2, 1}, left, UseBackdrop::No, BackdropOf(parent, 0, 0), src);
    EXPECT_EQ(left, Filled(2, 1, 0x11111111));

    // Without a backdrop bitmap the key is an ordinary pixel of alpha 0.
    ComposeGlyph({0, 0, 2, 1}, {0, 0, 2, 1}, left, UseBackdrop::Yes, {}, src);
    EXPECT_EQ(left, Filled(2, 1, 0x11111111));
}

TEST(ComposeGlyph, ANegativeLeftMovesTheOtherRect) {
    const Bitmap32 src = MakeBitmap(3, 1, {0xFF000010, 0xFF000020, 0xFF000030});
    Bitmap32 dst = Filled(3, 1, 0);
    ComposeGlyph({-1, 0, 2, 1}, {0, 0, 3, 1}, dst, UseBackdrop::No, {}, src);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0xFF00001F)); // source x 1: (32 * 255) >> 8
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0xFF00002F));
    EXPECT_EQ(Hex(dst.At(2, 0)), Hex(0));
}

TEST(ComposeAlpha, TransparencyScalesTheWeightAndOnlyFullOpacityRaisesAlpha) {
    const Bitmap32 src = MakeBitmap(1, 1, {0xC8FFFFFF});
    Bitmap32 opaque = MakeBitmap(1, 1, {0x10000000});
    ComposeAlpha(opaque, {0, 0, 1, 1}, src, {0, 0, 1, 1});
    EXPECT_EQ(Hex(opaque.At(0, 0)), Hex(0xC8C7C7C7)); // w = 200: 255 * 200 >> 8 = 199, alpha max(16, 200)

    Bitmap32 half = MakeBitmap(1, 1, {0x10000000});
    ComposeAlpha(half, {0, 0, 1, 1}, src, {0, 0, 1, 1}, {.Transparency = 50});
    EXPECT_EQ(Hex(half.At(0, 0)), Hex(0x10636363)); // w = 50 * 200 / 100 = 100: 99, alpha kept
}

TEST(ComposeAlpha, TintReplacesTheColourByTheTintedGrey) {
    const Bitmap32 src = MakeBitmap(1, 1, {0xFF3090F0}); // grey (48 + 144 + 240) div 3 = 144
    Bitmap32 dst = MakeBitmap(1, 1, {0x00000000});
    ComposeAlpha(dst, {0, 0, 1, 1}, src, {0, 0, 1, 1}, {.Tint = TColor{0x0080FF}}); // red 255, green 128
    // R 144, G RoundEven(144 * 128 / 255) = 72, B 0; composed at w = 255: (ch * 255) >> 8
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0xFF8F4700));
}

TEST(ComposeAlpha, KeyPixelsTakeTheBackdropWhenItHasABitmap) {
    const Bitmap32 parent = Filled(4, 4, 0x7F010203);
    const Bitmap32 src = MakeBitmap(2, 1, {kKeyPixel, 0xFF000000});
    Bitmap32 dst = Filled(2, 1, 0x11111111);
    ComposeAlpha(dst, {0, 0, 2, 1}, src, {0, 0, 2, 1},
                 {.Backdrop = BackdropOf(parent, 1, 1), .BackdropUse = UseBackdrop::Yes});
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0x7F010203));
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0xFF000000));
}

TEST(ComposeAlpha, ReflectionMirrorsTheLowerPartBelowTheImage) {
    // A 1 x 4 white image over black; two reflection lines: line k = 1 takes source line 2 at
    // weight 255 * (2 - 1) / 2 * 255 / 1024 = 31, line k = 2 weight 0.
    Bitmap32 src = MakeBitmap(1, 4, {0xFFFFFFFF, 0xFFFFFFFF, 0xFF808080, 0xFFFFFFFF});
    Bitmap32 dst = Filled(1, 10, 0x00000000);
    ComposeAlpha(dst, {0, 0, 1, 4}, src, {0, 0, 1, 4}, {.Reflect = Reflection::Below});
    EXPECT_EQ(Hex(dst.At(0, 3)), Hex(0xFFFEFEFE));
    EXPECT_EQ(Hex(dst.At(0, 4)), Hex(0));
    EXPECT_EQ(Hex(dst.At(0, 5)), Hex(0x1F0F0F0F)); // 128 * 31 >> 8 = 15
    for (int y = 6; y < 10; ++y)
        EXPECT_EQ(Hex(dst.At(0, y)), Hex(0)) << "line " << y;

    // Never past the destination bitmap.
    Bitmap32 shortDst = Filled(1, 5, 0);
    ComposeAlpha(shortDst, {0, 0, 1, 4}, src, {0, 0, 1, 4}, {.Reflect = Reflection::Below});
    EXPECT_EQ(Hex(shortDst.At(0, 4)), Hex(0));
}

TEST(CopyKeyed, CopiesAnInclusiveRectAndFillsKeyPixelsFromTheBackdrop) {
    const Bitmap32 src = MakeBitmap(3, 1, {0x01000001, kKeyPixel, 0xFFFF00FF});
    const Bitmap32 parent = Filled(5, 5, 0x40ABCDEF);

    Bitmap32 withParent = Filled(3, 1, 0x22222222);
    CopyKeyed(withParent, 0, 0, src, {0, 0, 2, 0}, kKeyPixel, BackdropOf(parent, 1, 1), UseBackdrop::Yes);
    EXPECT_EQ(Hex(withParent.At(0, 0)), Hex(0x01000001));
    EXPECT_EQ(Hex(withParent.At(1, 0)), Hex(0x40ABCDEF)); // the backdrop pixel with its alpha
    EXPECT_EQ(Hex(withParent.At(2, 0)), Hex(0xFFFF00FF)); // a key colour with alpha is copied

    Bitmap32 leftAlone = Filled(3, 1, 0x22222222);
    CopyKeyed(leftAlone, 0, 0, src, {0, 0, 1, 0}, kKeyPixel, BackdropOf(parent, 0, 0), UseBackdrop::No);
    EXPECT_EQ(Hex(leftAlone.At(1, 0)), Hex(0x22222222));
    EXPECT_EQ(Hex(leftAlone.At(2, 0)), Hex(0x22222222)); // outside the inclusive rect

    TsBackdrop flat;
    flat.FillColor = TColor{0x332211};
    Bitmap32 filled = Filled(3, 1, 0x22222222);
    CopyKeyed(filled, 0, 0, src, {0, 0, 9, 9}, kKeyPixel, flat, UseBackdrop::Yes);
    EXPECT_EQ(Hex(filled.At(1, 0)), Hex(0x00112233)); // fill colour, alpha 0
}

TEST(CopyKeyed, IntoItsOwnBackdropCopiesOpaquePixels) {
    Bitmap32 dst = Filled(2, 1, 0x22222222);
    const Bitmap32 src = MakeBitmap(2, 1, {0x01000001, kKeyPixel});
    CopyKeyed(dst, 0, 0, src, {0, 0, 1, 0}, kKeyPixel, BackdropOf(dst, 0, 0), UseBackdrop::No);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0xFF000001));
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0x22222222));
}

TEST(CopyKeyed, OpaqueVariantAndClippingAtTheDestination) {
    const Bitmap32 src = MakeBitmap(3, 1, {0x00000001, kKeyPixel, 0x00000003});
    Bitmap32 dst = Filled(2, 1, 0x22222222);
    CopyKeyedOpaque(dst, -1, 0, src, {0, 0, 2, 0}, kKeyPixel);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0x22222222)); // the key at source x 1
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0xFF000003));
    CopyKeyedOpaque(dst, 1, 0, src, {0, 0, 2, 0}, kKeyPixel);
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0xFF000001));
}

} // namespace
} // namespace skin

// Glyph cells at natural size: keyed copies, the faint blend, the glyph merge through a mask
// picture with its alpha rule, and cells cut at the destination's edges.
#include <gtest/gtest.h>

#include <cmath>

#include "PaintTestSupport.h"
#include "skin/render/sGlyphPaint.h"

namespace skin {
namespace {

using test::Filled;
using test::Hex;
using test::PositionPicture;

TsMaskData GlyphMask(const Bitmap32& picture, int cells, int layout) {
    TsMaskData mask;
    mask.Area = {0, 0, picture.Width(), picture.Height()};
    mask.CellCount = std::int16_t(cells);
    mask.MaskLayout = std::int16_t(layout);
    mask.MaskKind = TsMaskKind::mkGlyph;
    return mask;
}

TEST(Glyph, NormalModeCopiesAndShowsTheBackdropAtKeys) {
    Bitmap32 picture = PositionPicture(8, 3); // two cells of 4 x 3
    picture.At(4, 0) = kKeyPixel;
    const Bitmap32 parent = Filled(10, 10, 0xFF0000AA);
    TsBackdrop backdrop;
    backdrop.Bitmap = &parent;
    backdrop.HasBitmap = true;
    Bitmap32 dst = Filled(10, 10, 0xFF111111);
    PaintSkinGlyph(dst, {2, 3}, 1, backdrop, GlyphMask(picture, 2, 0), GlyphMode::Normal, picture);
    EXPECT_EQ(Hex(dst.At(2, 3)), Hex(0xFF0000AA)); // key pixel of cell 1
    EXPECT_EQ(Hex(dst.At(3, 3)), Hex(picture.At(5, 0)));
    EXPECT_EQ(Hex(dst.At(5, 5)), Hex(picture.At(7, 2)));
    EXPECT_EQ(Hex(dst.At(6, 3)), Hex(0xFF111111)); // right of the cell
}

TEST(Glyph, FaintModeBlendsHalfAndSkipsKeys) {
    Bitmap32 picture = Filled(2, 1, 0xFF6400C8); // R 100, G 0, B 200
    picture.At(1, 0) = kKeyPixel;
    Bitmap32 dst = Filled(2, 1, 0xFF0A0A0A);
    PaintSkinGlyph(dst, {0, 0}, 0, TsBackdrop{}, GlyphMask(picture, 1, 0), GlyphMode::Faint, picture);
    // RoundEven(src - (src - dst) * 0.5): 55, 5, 105.
    EXPECT_EQ(Hex(dst.At(0, 0) & 0x00FFFFFF), Hex(0x00370569));
    EXPECT_EQ(Hex(dst.At(1, 0)), Hex(0xFF0A0A0A));
}

TEST(Glyph, MaskPictureMergeAndAlpha) {
    const Pixel image = 0xFF204060;
    const Pixel dest = 0x40A0A0A0;
    struct Row {
        Pixel mask;
        GlyphMode mode;
    } rows[] = {{0xFF000000, GlyphMode::Normal}, {0xFF808080, GlyphMode::Normal}, {0xFF808080, GlyphMode::Faint},
                {0xFFFFFFFF, GlyphMode::Normal}, {0xFFC8C8C8, GlyphMode::Faint}};
    for (const Row& r : rows) {
        Bitmap32 picture(1, 2);
        picture.At(0, 0) = image;
        picture.At(0, 1) = r.mask;
        Bitmap32 dst = Filled(1, 1, dest);
        PaintSkinGlyph(dst, {0, 0}, 0, TsBackdrop{}, GlyphMask(picture, 1, 1), r.mode, picture);
        const int mr = int(r.mask >> 16 & 0xFF);
        Pixel expected = dest;
        if (mr != 255) {
            const int lift = r.mode == GlyphMode::Normal ? 0 : 100;
            auto ch = [&](int shift) {
                int d = int(dest >> shift & 0xFF), i = int(image >> shift & 0xFF);
                int m = std::min(int(r.mask >> shift & 0xFF) + lift, 255);
                return Pixel(((d - i) * m + i * 256) >> 8) << shift;
            };
            const int alpha = 0x40 + (((255 - 0x40) * (255 - mr)) >> 8);
            expected = ch(0) | ch(8) | ch(16) | Pixel(alpha) << 24;
        }
        EXPECT_EQ(Hex(dst.At(0, 0)), Hex(expected)) << "mask " << Hex(r.mask) << " mode " << int(r.mode);
    }
}

TEST(Glyph, NegativePointCutsTheHiddenPart) {
    const Bitmap32 picture = PositionPicture(4, 4);
    Bitmap32 dst = Filled(3, 3, 0);
    PaintSkinGlyph(dst, {-1, -2}, 0, TsBackdrop{}, GlyphMask(picture, 1, 0), GlyphMode::Normal, picture);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(picture.At(1, 2)));
    EXPECT_EQ(Hex(dst.At(2, 1)), Hex(picture.At(3, 3)));
    EXPECT_EQ(dst.At(0, 2), 0u);
}

TEST(Glyph, OwnImageThatDoesNotCoverTheAreaPaintsNothing) {
    auto image = std::make_shared<Bitmap32>(PositionPicture(4, 4));
    TsMaskData mask = GlyphMask(*image, 1, 0);
    mask.Image = image;
    mask.Area = {0, 0, 6, 4};
    Bitmap32 dst = Filled(6, 4, 0);
    PaintSkinGlyph(dst, {0, 0}, 0, TsBackdrop{}, mask, GlyphMode::Normal, *mask.Image);
    EXPECT_EQ(dst, Filled(6, 4, 0));
    mask.Area = {0, 0, 4, 4};
    PaintSkinGlyph(dst, {0, 0}, 0, TsBackdrop{}, mask, GlyphMode::Normal, *mask.Image);
    EXPECT_EQ(Hex(dst.At(3, 3)), Hex(image->At(3, 3)));
}

} // namespace
} // namespace skin

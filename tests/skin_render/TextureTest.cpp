// Texture fill modes with the rest each returns, and masked textures merged tile by tile.
#include <gtest/gtest.h>

#include "PaintTestSupport.h"
#include "skin/render/sTexture.h"

namespace skin {
namespace {

using test::Filled;
using test::kUntouched;
using test::Hex;
using test::PositionPicture;


struct TextureRow {
    const char* name;
    TextureFillMode mode;
    TRect painted;  // the strip the image covers
    TRect rest;     // what the fill returns
    bool tiled;     // tiles counted from the strip's top-left (else stretched)
};

std::ostream& operator<<(std::ostream& out, const TextureRow& row) { return out << row.name; }

class TextureModes : public ::testing::TestWithParam<TextureRow> {};

// A 3 x 2 image into the rect (1, 1, 9, 8) of a 10 x 10 bitmap.
TEST_P(TextureModes, PaintsItsStripAndReturnsTheRest) {
    const TextureRow& row = GetParam();
    const Bitmap32 image = PositionPicture(3, 2);
    Bitmap32 dst = Filled(10, 10, kUntouched);
    const TRect rest = FillTexture(dst, {1, 1, 9, 8}, image, TRect{}, row.mode);
    EXPECT_EQ(rest, row.rest);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= row.painted.Left && x < row.painted.Right && y >= row.painted.Top &&
                                y < row.painted.Bottom;
            if (!inside) {
                ASSERT_EQ(dst.At(x, y), kUntouched) << x << "," << y;
            } else if (row.tiled) {
                ASSERT_EQ(Hex(dst.At(x, y)), Hex(image.At((x - row.painted.Left) % 3, (y - row.painted.Top) % 2)))
                    << x << "," << y;
            } else {
                ASSERT_NE(dst.At(x, y), kUntouched) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TextureModes,
    ::testing::Values(TextureRow{"tile", TextureFillMode::tfTile, {1, 1, 9, 8}, kCoveredRect, true},
                      TextureRow{"stretch", TextureFillMode::tfStretch, {1, 1, 9, 8}, kCoveredRect, false},
                      TextureRow{"top_tiles", TextureFillMode::tfTopTiles, {1, 1, 9, 3}, {1, 3, 9, 8}, true},
                      TextureRow{"left_tiles", TextureFillMode::tfLeftTiles, {1, 1, 4, 8}, {4, 1, 9, 8}, true},
                      TextureRow{"top_stretched", TextureFillMode::tfTopStretched, {1, 1, 9, 3}, {1, 3, 9, 8}, false},
                      TextureRow{"left_stretched", TextureFillMode::tfLeftStretched, {1, 1, 4, 8}, {4, 1, 9, 8}, false},
                      TextureRow{"bottom_tiles", TextureFillMode::tfBottomTiles, {1, 6, 9, 8}, {1, 1, 9, 6}, true},
                      TextureRow{"right_tiles", TextureFillMode::tfRightTiles, {6, 1, 9, 8}, {1, 1, 6, 8}, true},
                      TextureRow{"whole_tiles", TextureFillMode::tfWholeTiles, {1, 1, 9, 8}, kCoveredRect, true},
                      TextureRow{"unknown_mode", TextureFillMode{8}, {0, 0, 0, 0}, {1, 1, 9, 8}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Texture, StripCoveringTheWholeRectReturnsCovered) {
    const Bitmap32 image = PositionPicture(3, 4);
    Bitmap32 dst(10, 10);
    EXPECT_EQ(FillTexture(dst, {0, 0, 10, 3}, image, TRect{}, TextureFillMode::tfTopTiles), kCoveredRect);
}

// A 2 x 2 tile over its black mask picture: whole tiles only, the rest from the backdrop.
TEST(MaskedTexture, WholeTilesAndTheBackdropInTheRest) {
    Bitmap32 picture = PositionPicture(2, 4);
    for (int y = 2; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            picture.At(x, y) = 0xFF000000;
    TsMaskData mask;
    mask.Area = {0, 0, 2, 4};
    mask.CellCount = 1;
    mask.MaskLayout = 1;
    mask.FillFlags = std::int16_t(TextureFillMode::tfWholeTiles);
    mask.MaskKind = TsMaskKind::mkTexture;
    const Bitmap32 parent = PositionPicture(20, 20, 0x77);
    TsBackdrop backdrop;
    backdrop.Bitmap = &parent;
    backdrop.HasBitmap = true;
    backdrop.OffsetX = 3;
    backdrop.OffsetY = 2;
    Bitmap32 dst = Filled(6, 6, kUntouched);
    EXPECT_EQ(FillMaskedTexture(dst, {0, 0, 5, 5}, backdrop, TextureFillMode::tfWholeTiles, mask, picture), kCoveredRect);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            Pixel expected = kUntouched;
            if (x < 4 && y < 4)
                expected = picture.At(x % 2, y % 2);
            else if (x < 5 && y < 5)
                expected = parent.At(x + 3, y + 2);
            ASSERT_EQ(Hex(dst.At(x, y)), Hex(expected)) << x << "," << y;
        }
    }
    // Other modes paint nothing.
    Bitmap32 untouched = Filled(6, 6, kUntouched);
    FillMaskedTexture(untouched, {0, 0, 5, 5}, backdrop, TextureFillMode::tfStretch, mask, picture);
    EXPECT_EQ(untouched, Filled(6, 6, kUntouched));
}

} // namespace
} // namespace skin

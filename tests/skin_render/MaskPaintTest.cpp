// Nine-slice painting of tiny masks: slices, tiling, border fitting, state cells, the
// degenerate cases, keyed corners and the merge through mask pictures with each backdrop.
#include <gtest/gtest.h>

#include <vector>

#include "PaintTestSupport.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/render/sMaskPaint.h"

namespace skin {
namespace {

using test::BorderMaskOver;
using test::Filled;
using test::Hex;
using test::PositionPicture;

constexpr Pixel kUntouched = 0x12345678;

// Where a destination offset along one axis takes its source offset in the cell, for tiled
// slices: near border, tiled centre, far border. -1: the centre has no source length.
int TiledSource(int d, int size, int nearBorder, int farBorder, int cell) {
    const int centre = cell - nearBorder - farBorder;
    if (d < nearBorder)
        return d;
    if (d >= size - farBorder)
        return cell - farBorder + (d - (size - farBorder));
    if (centre <= 0)
        return -1;
    return nearBorder + (d - nearBorder) % centre;
}

struct NineSliceRow {
    const char* name;
    int cellWidth, cellHeight, cells, state;
    int bl, bt, br, bb, flags;
    int width, height;
    int fittedLeft, fittedTop, fittedRight, fittedBottom; // the borders the paint must use
    bool paints;
};

std::ostream& operator<<(std::ostream& out, const NineSliceRow& row) { return out << row.name; }

class NineSliceTiling : public ::testing::TestWithParam<NineSliceRow> {};

TEST_P(NineSliceTiling, EveryPixelComesFromItsSlice) {
    const NineSliceRow& row = GetParam();
    const Bitmap32 picture = PositionPicture(row.cellWidth * row.cells, row.cellHeight);
    const TsMaskData mask =
        BorderMaskOver(picture, row.cells, 0, row.bl, row.bt, row.br, row.bb, row.flags);
    // The rect sits inside a larger bitmap so that writes outside it show.
    const int left = 2, top = 1;
    Bitmap32 dst = Filled(row.width + 5, row.height + 4, kUntouched);
    PaintSkinMask(dst, {left, top, left + row.width, top + row.height}, TsBackdrop{}, UseBackdrop::No, row.state,
                  mask, picture);

    const int cell = std::max(0, std::min(row.state, row.cells - 1));
    const bool centreFlag = (row.flags & kFillPaintCentre) != 0;
    for (int y = 0; y < dst.Height(); ++y) {
        for (int x = 0; x < dst.Width(); ++x) {
            const int dx = x - left, dy = y - top;
            Pixel expected = kUntouched;
            if (row.paints && dx >= 0 && dy >= 0 && dx < row.width && dy < row.height) {
                const bool centreColumn = dx >= row.fittedLeft && dx < row.width - row.fittedRight;
                const bool centreRow = dy >= row.fittedTop && dy < row.height - row.fittedBottom;
                const int sx = TiledSource(dx, row.width, row.fittedLeft, row.fittedRight, row.cellWidth);
                const int sy = TiledSource(dy, row.height, row.fittedTop, row.fittedBottom, row.cellHeight);
                if (sx >= 0 && sy >= 0 && (!(centreColumn && centreRow) || centreFlag))
                    expected = picture.At(cell * row.cellWidth + sx, sy);
            }
            ASSERT_EQ(Hex(dst.At(x, y)), Hex(expected)) << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Masks, NineSliceTiling,
    ::testing::Values(
        NineSliceRow{"exact_size", 6, 5, 1, 0, 2, 1, 2, 1, kFillPaintCentre, 6, 5, 2, 1, 2, 1, true},
        NineSliceRow{"tiled_wider_and_higher", 6, 5, 1, 0, 2, 1, 2, 1, kFillPaintCentre, 17, 12, 2, 1, 2, 1, true},
        NineSliceRow{"centre_left_alone_without_flag", 6, 5, 1, 0, 2, 1, 2, 1, 0, 13, 9, 2, 1, 2, 1, true},
        NineSliceRow{"narrower_than_cell", 8, 8, 1, 0, 3, 3, 3, 3, kFillPaintCentre, 7, 6, 3, 3, 3, 3, true},
        NineSliceRow{"borders_wider_than_destination", 16, 12, 1, 0, 8, 3, 7, 3, kFillPaintCentre, 10, 5, 6, 3, 4, 2, true},
        NineSliceRow{"second_cell", 5, 4, 3, 1, 1, 1, 1, 1, kFillPaintCentre, 9, 7, 1, 1, 1, 1, true},
        NineSliceRow{"state_beyond_last_cell", 5, 4, 3, 5, 1, 1, 1, 1, kFillPaintCentre, 9, 7, 1, 1, 1, 1, true},
        NineSliceRow{"hidden_in_state_0", 5, 4, 3, 0, 1, 1, 1, 1, 7, 9, 7, 1, 1, 1, 1, false},
        NineSliceRow{"shown_in_state_1", 5, 4, 3, 1, 1, 1, 1, 1, 6, 9, 7, 1, 1, 1, 1, true},
        NineSliceRow{"one_pixel_wide", 5, 4, 1, 0, 1, 1, 1, 1, kFillPaintCentre, 1, 7, 1, 1, 1, 1, false},
        NineSliceRow{"one_pixel_high", 5, 4, 1, 0, 1, 1, 1, 1, kFillPaintCentre, 7, 1, 1, 1, 1, 1, false},
        NineSliceRow{"cell_narrower_than_borders", 4, 6, 1, 0, 3, 1, 3, 1, kFillPaintCentre, 9, 7, 3, 1, 3, 1, false},
        NineSliceRow{"negative_border_read_as_zero", 5, 4, 1, 0, -3, 1, 1, 1, kFillPaintCentre, 9, 7, 0, 1, 1, 1, true},
        NineSliceRow{"zero_centre_not_tiled", 4, 4, 1, 0, 2, 2, 2, 2, kFillPaintCentre, 9, 9, 2, 2, 2, 2, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BorderFitting, ExcessSplitsAsTheTwoPaintersDo) {
    struct Row {
        int nearBorder, farBorder, size;
        int fittedNear, fittedFar, evenNear, evenFar;
    } rows[] = {
        {8, 7, 10, 6, 4, 6, 5},     // excess 5: 2 and 3 for the plain painter, 2 and 2 for the even rule
        {31, 32, 50, 25, 25, 25, 26}, // the region painter keeps one more on the far side
        {31, 32, 51, 25, 26, 25, 25}, // and takes one more from it for an odd size
        {3, 3, 10, 3, 3, 3, 3},     // fits: unchanged
        {1, 20, 4, 0, 11, 0, 12},   // neither goes below 0
    };
    for (const Row& r : rows) {
        BorderWidths plain = FitBorders({r.nearBorder, 0, r.farBorder, 0}, r.size, 100);
        BorderWidths even = FitBordersEvenly({r.nearBorder, 0, r.farBorder, 0}, r.size, 100);
        EXPECT_EQ(plain.Left, r.fittedNear) << r.nearBorder << "+" << r.farBorder << " in " << r.size;
        EXPECT_EQ(plain.Right, r.fittedFar) << r.nearBorder << "+" << r.farBorder << " in " << r.size;
        EXPECT_EQ(even.Left, r.evenNear) << r.nearBorder << "+" << r.farBorder << " in " << r.size;
        EXPECT_EQ(even.Right, r.evenFar) << r.nearBorder << "+" << r.farBorder << " in " << r.size;
    }
}

// A 3 x 3 cell: one-pixel borders around a one-pixel centre, so stretching is unambiguous.
TEST(NineSliceStretch, OnePixelSidesAndCentreFillTheirRuns) {
    const Bitmap32 picture = PositionPicture(3, 3);
    const TsMaskData mask = BorderMaskOver(picture, 1, 0, 1, 1, 1, 1, kFillStretch | kFillPaintCentre);
    Bitmap32 dst = Filled(8, 6, kUntouched);
    PaintSkinMask(dst, {0, 0, 8, 6}, TsBackdrop{}, UseBackdrop::No, 0, mask, picture);
    auto column = [](int x) { return x == 0 ? 0 : x == 7 ? 2 : 1; };
    auto line = [](int y) { return y == 0 ? 0 : y == 5 ? 2 : 1; };
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(Hex(dst.At(x, y)), Hex(picture.At(column(x), line(y)))) << x << "," << y;
}

TEST(NineSliceStretch, SideOfOnePixelWithMaskPicture) {
    // Image row 0 and mask picture row 1 below it: a 3 x 1 cell of borders 1, 0, 1, 0.
    const Pixel image = 0xFF102030, dest = 0xFF808080;
    struct Row {
        Pixel mask;
        Pixel expected;
    } rows[] = {
        {0xFF000000, 0xFF102030},                               // black: the image, opaque
        {0xFFFFFFFF, dest},                                     // white: nothing
        {0xFF404040, test::ExpectedSkinMerge(dest, image, 0xFF404040, 255)},
    };
    for (const Row& r : rows) {
        Bitmap32 picture(3, 2);
        picture.Fill(image);
        for (int x = 0; x < 3; ++x)
            picture.At(x, 1) = r.mask;
        const TsMaskData mask = BorderMaskOver(picture, 1, 1, 1, 0, 1, 0, kFillStretch);
        Bitmap32 dst = Filled(6, 2, dest);
        PaintSkinMask(dst, {0, 0, 6, 2}, TsBackdrop{}, UseBackdrop::No, 0, mask, picture);
        EXPECT_EQ(Hex(dst.At(0, 1)), Hex(r.expected)) << "mask " << Hex(r.mask);
    }
}

// Corners of a 3 x 3 cell whose top-left pixel is the key, against each kind of backdrop.
struct CornerRow {
    const char* name;
    int layout;     // 0 keyed copy, 1 merged through the mask picture
    int cornerKind;
    bool backdropBitmap;
    UseBackdrop use;
    Pixel keyPixelBecomes; // at the destination's top-left
    bool otherCornersOpaque; // the merged pixels take alpha 255
};

std::ostream& operator<<(std::ostream& out, const CornerRow& row) { return out << row.name; }

class KeyedCorners : public ::testing::TestWithParam<CornerRow> {};

constexpr Pixel kDest = 0x40808080;     // what the destination held, alpha 0x40
constexpr Pixel kParent = 0x7F0A0B0C;   // the backdrop bitmap's pixels
constexpr TColor kFill{0x00332211};    // the backdrop's fill colour (0x00BBGGRR)
constexpr Pixel kMaskGrey = 0xFF606060;

Pixel MergedKey(int alpha) { return test::ExpectedSkinMerge(kDest, kKeyPixel, kMaskGrey, alpha); }

TEST_P(KeyedCorners, KeyPixelFollowsTheBackdropRules) {
    const CornerRow& row = GetParam();
    Bitmap32 picture = PositionPicture(3, row.layout == 1 ? 6 : 3);
    picture.At(0, 0) = kKeyPixel;
    if (row.layout == 1)
        for (int y = 3; y < 6; ++y)
            for (int x = 0; x < 3; ++x)
                picture.At(x, y) = kMaskGrey;
    const TsMaskData mask = BorderMaskOver(picture, 1, row.layout, 1, 1, 1, 1, 0, row.cornerKind);
    const Bitmap32 parent = Filled(20, 20, kParent);
    TsBackdrop backdrop;
    if (row.backdropBitmap) {
        backdrop.Bitmap = &parent;
        backdrop.HasBitmap = true;
        backdrop.OffsetX = 3;
        backdrop.OffsetY = 4;
    } else {
        backdrop.FillColor = kFill;
    }
    Bitmap32 dst = Filled(5, 5, kDest);
    PaintSkinMask(dst, {0, 0, 5, 5}, backdrop, row.use, 0, mask, picture);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(row.keyPixelBecomes));
    if (row.layout == 1) {
        const int alpha = row.otherCornersOpaque ? 255 : 0x40;
        EXPECT_EQ(Hex(dst.At(4, 4)), Hex(test::ExpectedSkinMerge(kDest, picture.At(2, 2), kMaskGrey, alpha)));
    } else {
        EXPECT_EQ(Hex(dst.At(4, 4)), Hex(picture.At(2, 2)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Masks, KeyedCorners,
    ::testing::Values(
        // Merged through the mask picture: the four backdrop cases.
        CornerRow{"merge_bitmap_use", 1, 1, true, UseBackdrop::Yes, kParent | 0xFF000000u, true},
        CornerRow{"merge_bitmap_no_use", 1, 1, true, UseBackdrop::No, MergedKey(255), true},
        CornerRow{"merge_colour_use", 1, 1, false, UseBackdrop::Yes, 0x00112233, false},
        CornerRow{"merge_colour_no_use", 1, 1, false, UseBackdrop::No, kDest, false},
        // CornerKind 0: the corners never see the backdrop.
        CornerRow{"merge_corner_kind_0", 1, 0, true, UseBackdrop::Yes, kDest, false},
        // Keyed copies.
        CornerRow{"copy_bitmap_use", 0, 1, true, UseBackdrop::Yes, kParent, false},
        CornerRow{"copy_bitmap_no_use", 0, 1, true, UseBackdrop::No, kDest, false},
        CornerRow{"copy_colour", 0, 1, false, UseBackdrop::Yes, 0x00112233, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MergeThroughMask, WhiteMaskKeepsAlmostTheDestination) {
    Bitmap32 picture(3, 6);
    picture.Fill(0xFF0000FF);
    for (int y = 3; y < 6; ++y)
        for (int x = 0; x < 3; ++x)
            picture.At(x, y) = 0xFFFFFFFF;
    const TsMaskData mask = BorderMaskOver(picture, 1, 1, 1, 1, 1, 1, kFillPaintCentre);
    Bitmap32 dst = Filled(3, 3, 0xFFC8C8C8);
    PaintSkinMask(dst, {0, 0, 3, 3}, TsBackdrop{}, UseBackdrop::No, 0, mask, picture);
    // (255 * 200 + 255) >> 8 = 200 for blue, (255 * 200 + 0) >> 8 = 199 for red and green.
    EXPECT_EQ(Hex(dst.At(1, 1)), Hex(0xFFC7C7C8));
}

TEST(MaskAlpha, LayeredMergeRaisesTheAlpha) {
    const Pixel image = 0xFF204060;
    const Pixel maskPixel = 0xFF500000; // red 0x50 decides
    Bitmap32 picture(3, 6);
    picture.Fill(image);
    for (int y = 3; y < 6; ++y)
        for (int x = 0; x < 3; ++x)
            picture.At(x, y) = maskPixel;
    picture.At(0, 0) = kKeyPixel;
    const TsMaskData mask = BorderMaskOver(picture, 1, 1, 1, 1, 1, 1, kFillPaintCentre, 1);
    auto layered = [](int d, int i) { return (d * 0x50 + i * (255 - 0x50)) >> 8; };
    struct Row {
        Pixel before;
        int alphaAfter;
    } rows[] = {{0x00000000, 255 - 0x50}, {0x10000000, 255 - 0x50}, {0xF0000000, 0xF0}, {0xFF000000, 0xFF}};
    for (const Row& r : rows) {
        Bitmap32 dst = Filled(3, 3, r.before);
        PaintSkinMaskAlpha(dst, {0, 0, 3, 3}, TsBackdrop{}, 0, mask, picture);
        const Pixel expected = Pixel(r.alphaAfter) << 24 | Pixel(layered(0, 0x20)) << 16 | Pixel(layered(0, 0x40)) << 8 |
                               Pixel(layered(0, 0x60));
        EXPECT_EQ(Hex(dst.At(2, 2)), Hex(expected)) << "before " << Hex(r.before);
        // Without a backdrop bitmap the key pixel only loses its alpha.
        EXPECT_EQ(Hex(dst.At(0, 0)), Hex(r.before & 0x00FFFFFF));
    }
    const Bitmap32 parent = Filled(3, 3, 0x11223344);
    TsBackdrop backdrop;
    backdrop.Bitmap = &parent;
    backdrop.HasBitmap = true;
    Bitmap32 dst = Filled(3, 3, 0);
    PaintSkinMaskAlpha(dst, {0, 0, 3, 3}, backdrop, 0, mask, picture);
    EXPECT_EQ(Hex(dst.At(0, 0)), Hex(0x11223344));
}

// A 6 x 4 cell with key runs in its corners: row 0 "KK..KK", row 3 "K....K".
Bitmap32 RoundedCell() {
    Bitmap32 picture = PositionPicture(6, 4);
    for (int x : {0, 1, 4, 5})
        picture.At(x, 0) = kKeyPixel;
    picture.At(0, 3) = kKeyPixel;
    picture.At(5, 3) = kKeyPixel;
    return picture;
}

TEST(MaskRegion, KeyRunsLeaveTheRegionAndStayUnpainted) {
    const Bitmap32 picture = RoundedCell();
    const TsMaskData mask = BorderMaskOver(picture, 1, 0, 2, 1, 2, 1, kFillPaintCentre, 2);
    Bitmap32 dst = Filled(10, 6, kUntouched);
    std::vector<TRect> removed;
    PaintSkinMaskRegion(dst, removed, 0, mask, picture);
    // In the order the corners are painted: top-left, bottom-left, bottom-right, top-right.
    const std::vector<TRect> expected = {{0, 0, 2, 1}, {0, 5, 1, 6}, {9, 5, 10, 6}, {8, 0, 10, 1}};
    EXPECT_EQ(removed, expected);
    EXPECT_EQ(dst.At(0, 0), kUntouched);
    EXPECT_EQ(dst.At(9, 5), kUntouched);
    EXPECT_EQ(Hex(dst.At(2, 0)), Hex(picture.At(2, 0)));
    EXPECT_EQ(Hex(dst.At(1, 5)), Hex(picture.At(1, 3)));
}

TEST(CornerKeyRuns, RunsPlacedForTheWindowWidth) {
    const Bitmap32 picture = RoundedCell();
    const TsMaskData mask = BorderMaskOver(picture, 1, 0, 2, 1, 2, 1);
    std::vector<TRect> top, bottom;
    CornerKeyRuns(top, 100, mask, CornerRows::Top, 0, picture);
    CornerKeyRuns(bottom, 100, mask, CornerRows::Bottom, 50, picture);
    EXPECT_EQ(top, (std::vector<TRect>{{0, 0, 2, 1}, {98, 0, 100, 1}}));
    EXPECT_EQ(bottom, (std::vector<TRect>{{0, 53, 1, 54}, {99, 53, 100, 54}}));

    TsMaskData tooTall = mask;
    tooTall.Area.Bottom = 40; // the picture is only 4 rows high
    std::vector<TRect> none;
    CornerKeyRuns(none, 100, tooTall, CornerRows::Bottom, 0, picture);
    EXPECT_TRUE(none.empty());
}

TEST(MaskPaint, MaskWithoutAPictureIsNotPainted) {
    // A mask of the master bitmap in a model whose master bitmap is missing.
    const Bitmap32 picture = PositionPicture(6, 6);
    TsMaskData mask = BorderMaskOver(picture, 1, 0, 2, 2, 2, 2, kFillPaintCentre);
    const TsSkinModel model;
    Bitmap32 dst = Filled(6, 6, kUntouched);
    PaintSkinMask(dst, {0, 0, 6, 6}, TsBackdrop{}, UseBackdrop::No, 0, mask, MaskPicture(model, mask));
    EXPECT_EQ(dst, Filled(6, 6, kUntouched));
}

} // namespace
} // namespace skin

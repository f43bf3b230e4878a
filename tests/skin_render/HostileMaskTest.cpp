// Skin numbers that do not fit their pictures (areas beyond or before the picture, negative
// borders, no cells, odd layouts, wild states) through every painter: nothing may be read or
// written outside the bitmaps, and nothing outside the destination rect changes. This file
// also runs in a build with the address sanitizer.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "PaintTestSupport.h"
#include "tests/support/LargestAllocation.h"
#include "skin/render/sFrameStrips.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sTexture.h"

#if defined(__SANITIZE_ADDRESS__)
// Leaks of the libraries below us are not what this run looks for (and leak checking needs
// ptrace, which containers often refuse).
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

namespace skin {
namespace {

using test::Filled;
using test::PositionPicture;

constexpr Pixel kOutside = 0x5A5A5A5A;

struct HostileRow {
    const char* name;
    TRect area;
    int cells, layout, left, top, right, bottom, cornerKind;
};

std::ostream& operator<<(std::ostream& out, const HostileRow& row) { return out << row.name; }

class HostileMasks : public ::testing::TestWithParam<HostileRow> {
protected:
    TsMaskData Mask(int fillFlags) const {
        const HostileRow& row = GetParam();
        TsMaskData mask;
        mask.Area = row.area;
        mask.CellCount = std::int16_t(row.cells);
        mask.MaskLayout = std::int16_t(row.layout);
        mask.BorderLeft = std::int16_t(row.left);
        mask.BorderTop = std::int16_t(row.top);
        mask.BorderRight = std::int16_t(row.right);
        mask.BorderBottom = std::int16_t(row.bottom);
        mask.FillFlags = std::int16_t(fillFlags);
        mask.CornerKind = std::int16_t(row.cornerKind);
        return mask;
    }
    Bitmap32 picture_ = [] {
        Bitmap32 p = PositionPicture(12, 10);
        p.At(0, 0) = kKeyPixel;
        p.At(11, 9) = kKeyPixel;
        return p;
    }();
};

TEST_P(HostileMasks, PaintersStayInsideTheirBitmaps) {
    const Bitmap32 parent = PositionPicture(7, 5, 0x11);
    TsBackdrop backdrop;
    backdrop.Bitmap = &parent;
    backdrop.HasBitmap = true;
    backdrop.OffsetX = -3;
    backdrop.OffsetY = 4;
    for (int flags : {0, kFillStretch, kFillPaintCentre, kFillStretch | kFillPaintCentre, 10}) {
        const TsMaskData mask = Mask(flags);
        for (int state : {-4, 0, 1, 2, 1000}) {
            for (const TRect& rect : {TRect{2, 2, 20, 14}, TRect{3, 3, 5, 5}, TRect{2, 2, 31, 3}}) {
                Bitmap32 dst = Filled(24, 16, kOutside);
                PaintSkinMask(dst, rect, backdrop, UseBackdrop::Yes, state, mask, picture_);
                PaintSkinMaskAlpha(dst, rect, backdrop, state, mask, picture_);
                for (int y = 0; y < dst.Height(); ++y) {
                    for (int x = 0; x < dst.Width(); ++x) {
                        if (x < rect.Left || y < rect.Top || x >= rect.Right || y >= rect.Bottom) {
                            ASSERT_EQ(dst.At(x, y), kOutside)
                                << "flags " << flags << " state " << state << " at " << x << "," << y;
                        }
                    }
                }
            }
            // Rects that leave the bitmap on every side.
            Bitmap32 small = Filled(5, 4, kOutside);
            PaintSkinMask(small, {-7, -9, 40, 30}, backdrop, UseBackdrop::Yes, state, mask, picture_);
            PaintSkinMaskAlpha(small, {-7, -9, 40, 30}, TsBackdrop{}, state, mask, picture_);
            std::vector<TRect> removed;
            PaintSkinMaskRegion(small, removed, state, mask, picture_);
            for (const TRect& r : removed)
                ASSERT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= 5 && r.Bottom <= 4) << r.Left << "," << r.Top;
            for (TPoint point : {TPoint{-30, -30}, TPoint{-2, 1}, TPoint{3, 2}, TPoint{4, 3}})
                for (GlyphMode mode : {GlyphMode::Normal, GlyphMode::Faint})
                    PaintSkinGlyph(small, point, state, backdrop, mask, mode, picture_);
        }
        std::vector<TRect> runs;
        CornerKeyRuns(runs, 40, mask, CornerRows::Top, 0, picture_);
        CornerKeyRuns(runs, 3, mask, CornerRows::Bottom, -5, picture_);
        for (int number : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, -1}) {
            const auto mode = static_cast<TextureFillMode>(number);
            Bitmap32 dst = Filled(9, 7, kOutside);
            FillTexture(dst, {-3, 2, 30, 5}, mask, picture_);
            FillTexture(dst, {1, 1, 8, 6}, picture_, mask.Area, mode);
            FillMaskedTexture(dst, {-2, -2, 12, 12}, backdrop, mode, mask, picture_);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Masks, HostileMasks,
    ::testing::Values(HostileRow{"area_beyond_picture", {0, 0, 500, 300}, 3, 1, 4, 4, 4, 4, 1},
                      HostileRow{"area_before_picture", {-20, -15, 6, 4}, 2, 1, 2, 1, 2, 1, 2},
                      HostileRow{"negative_borders", {0, 0, 12, 10}, 1, 0, -5, -3, -7, -9, 1},
                      HostileRow{"zero_cells", {0, 0, 12, 10}, 0, 1, 1, 1, 1, 1, 1},
                      HostileRow{"negative_cells", {0, 0, 12, 10}, -3, 0, 1, 1, 1, 1, 2},
                      HostileRow{"huge_borders", {0, 0, 12, 10}, 1, 1, 30000, 30000, 30000, 30000, 1},
                      HostileRow{"odd_layout", {0, 0, 12, 10}, 2, 5, 1, 1, 1, 1, 1},
                      HostileRow{"negative_layout", {0, 0, 12, 10}, 2, -7, 1, 1, 1, 1, 1},
                      HostileRow{"inverted_area", {12, 10, 0, 0}, 1, 1, 1, 1, 1, 1, 1},
                      HostileRow{"one_pixel_cells", {0, 0, 3, 2}, 3, 1, 0, 0, 0, 0, 2},
                      // Edges at the ends of the 32-bit range, whose widths and sums overflow
                      // 32 bits: #(-2,0,2147483647,30) and #(0,2147483637,30,2147483647)(1,0,20,1).
                      HostileRow{"wider_than_int32", {-2, 0, INT32_MAX, 30}, 1, 0, 20, 20, 20, 20, 1},
                      HostileRow{"at_the_int32_bottom", {0, INT32_MAX - 10, 30, INT32_MAX}, 1, 0, 20, 20, 20, 20, 1},
                      HostileRow{"the_whole_int32_range", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 3, 1, 9, 9, 9,
                                 9, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostileMaskNumbers, CornerRunsOfAnAreaAtTheEndOfTheRangeReadNothing) {
    // Top + rows passed INT32_MAX, so the bounds check let the row loop read far outside the
    // picture (and, with 32767 rows, run for seconds).
    const Bitmap32 picture = Filled(30, 12, kKeyPixel);
    for (const TRect& area : {TRect{0, INT32_MAX - 10, 30, INT32_MAX}, TRect{INT32_MIN, INT32_MAX - 1, 30, INT32_MAX},
                              TRect{-2, 0, INT32_MAX, 12}}) {
        TsMaskData mask;
        mask.Area = area;
        mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = 32767;
        for (CornerRows rows : {CornerRows::Top, CornerRows::Bottom}) {
            std::vector<TRect> runs;
            CornerKeyRuns(runs, INT32_MAX, mask, rows, INT32_MAX - 3, picture);
            for (const TRect& r : runs)
                ASSERT_TRUE(r.Right >= r.Left && r.Bottom >= r.Top) << r.Left << "," << r.Top << "," << r.Right;
        }
    }
    // The area at the top of the range lies wholly outside the picture: no runs at all.
    TsMaskData mask;
    mask.Area = {0, INT32_MAX - 10, 30, INT32_MAX};
    mask.BorderTop = 20;
    std::vector<TRect> runs;
    CornerKeyRuns(runs, 40, mask, CornerRows::Top, 0, picture);
    EXPECT_TRUE(runs.empty());
}

// An 8000 x 8000 area over a 12 x 10 picture, stretched with a centre: slices used to be cut and
// allocated from the area's size (128 MB and a second per paint) instead of the picture's.
TEST(HostileMaskNumbers, WorkIsSizedByThePictureNotByTheArea) {
    const Bitmap32 picture = PositionPicture(12, 10);
    TsMaskData mask;
    mask.Area = {0, 0, 8000, 8000};
    mask.MaskLayout = 1;
    mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = 2;
    mask.FillFlags = kFillStretch | kFillPaintCentre;
    Bitmap32 dst = Filled(40, 30, kOutside);
    test::LargestAllocation largest;
    PaintSkinMask(dst, RectOf(dst), TsBackdrop{}, UseBackdrop::No, 1, mask, picture);
    PaintSkinMaskAlpha(dst, RectOf(dst), TsBackdrop{}, 1, mask, picture);
    std::vector<TRect> removed;
    PaintSkinMaskRegion(dst, removed, 1, mask, picture);
    EXPECT_LT(largest.Bytes(), std::size_t{64} << 10);
}

TEST(HostileFrameStrips, WildWidthsStayInside) {
    const Bitmap32 src = PositionPicture(10, 10);
    for (const FrameWidths& w : {FrameWidths{-5, 3, 400, 2}, FrameWidths{12, 12, 12, 12}, FrameWidths{0, -1, 0, 9}})
        for (const TRect& source : {TRect{-4, -4, 30, 30}, TRect{0, 0, 10, 10}, TRect{8, 8, 2, 2}}) {
            Bitmap32 dst = Filled(14, 9, kOutside);
            PaintFrameStrips(dst, src, {-2, -3, 20, 20}, {StripFill::Stretch, StripFill::Tile, StripFill::Stretch, StripFill::Tile},
                             w, {w.Bottom, w.Left, w.Top, w.Right}, source);
            PaintFrameStrips(dst, src, {0, 0, 14, 9}, StripFills{}, w, w, source);
        }
    SUCCEED();
}

} // namespace
} // namespace skin

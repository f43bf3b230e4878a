// Frame strips narrower than the image's margins: corners limited to the strips, sides tiled
// or stretched, nothing inside the strips' inner edge.
#include <gtest/gtest.h>

#include "PaintTestSupport.h"
#include "skin/render/sFrameStrips.h"

namespace skin {
namespace {

using test::Filled;
using test::kUntouched;
using test::Hex;
using test::PositionPicture;


TEST(FrameStrips, MarginsWiderThanStripsTiled) {
    const Bitmap32 src = PositionPicture(100, 100);
    Bitmap32 dst = Filled(200, 150, kUntouched);
    PaintFrameStrips(dst, src, {0, 0, 200, 150}, StripFills{}, {10, 10, 10, 10}, {30, 30, 30, 30}, {0, 0, 100, 100});
    // Along a strip: the near margin, tiles of the 40-pixel middle, the far margin.
    auto along = [](int d, int size) { return d < 30 ? d : d >= size - 30 ? d - (size - 100) : 30 + (d - 30) % 40; };
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            Pixel expected = kUntouched;
            if (y < 10 || y >= 140)
                expected = src.At(along(x, 200), y < 10 ? y : y - 50);
            else if (x < 10 || x >= 190)
                expected = src.At(x < 10 ? x : x - 100, along(y, 150));
            ASSERT_EQ(Hex(dst.At(x, y)), Hex(expected)) << x << "," << y;
        }
    }
}

TEST(FrameStrips, StretchedSidesAndUnknownMode) {
    const Bitmap32 src = PositionPicture(30, 30);
    Bitmap32 dst = Filled(60, 40, kUntouched);
    StripFills fills{StripFill::Stretch, StripFill::Stretch, StripFill(7), StripFill::Stretch};
    PaintFrameStrips(dst, src, {0, 0, 60, 40}, fills, {4, 4, 4, 4}, {10, 10, 10, 10}, {0, 0, 30, 30});
    // The top side's 10 middle columns are stretched over 40: every source column is used.
    EXPECT_EQ(Hex(dst.At(10, 0)), Hex(src.At(10, 0)));
    EXPECT_EQ(Hex(dst.At(49, 3)), Hex(src.At(19, 3)));
    // The right side (mode 7) is left alone below the corner block.
    EXPECT_EQ(dst.At(58, 20), kUntouched);
    EXPECT_EQ(Hex(dst.At(58, 5)), Hex(src.At(28, 5))); // the corner spill still comes
}

TEST(FrameStrips, NumbersBeyondThePicturesStayInside) {
    const Bitmap32 src = PositionPicture(8, 8);
    Bitmap32 dst = Filled(12, 12, kUntouched);
    PaintFrameStrips(dst, src, {-5, -5, 40, 40}, StripFills{}, {50, -3, 9, 9}, {20, 20, -4, 7}, {-2, 3, 30, 30});
    PaintFrameStrips(dst, src, {0, 0, 12, 12}, StripFills{}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 8, 8});
    SUCCEED();
}

} // namespace
} // namespace skin

// The pictures the program carries besides the skin: the gauge's light strip, the default form
// shadows and the icon, as the engine reads them.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/TovrinResources.h"
#include "skin/pixels/codecs/SkinPictures.h"

namespace skin::testing {
namespace {

int Alpha(Pixel p) { return int(p >> 24); }

TEST(ProgramPictures, TheLightStripIsAWhiteHourglass) {
    const Bitmap32 light = ReadPng(GaugeLightPng(), "VLGL");
    ASSERT_EQ(light.Width(), 60);
    ASSERT_EQ(light.Height(), 20);
    struct RowShape {
        int Peak = 0;
        int LitColumns = 0;
    };
    auto shape = [&](int y) {
        RowShape s;
        for (int x = 0; x < light.Width(); ++x) {
            const Pixel p = light.At(x, y);
            EXPECT_EQ(p & 0xFFFFFFu, 0xFFFFFFu) << x << "," << y; // pure white
            s.Peak = std::max(s.Peak, Alpha(p));
            s.LitColumns += Alpha(p) > 0;
        }
        EXPECT_EQ(Alpha(light.At(0, y)), 0) << "row " << y;
        EXPECT_EQ(Alpha(light.At(light.Width() - 1, y)), 0) << "row " << y;
        return s;
    };
    for (int y : {0, 19}) {
        const RowShape edge = shape(y);
        EXPECT_GE(edge.Peak, 134) << "row " << y;
        EXPECT_LE(edge.Peak, 140) << "row " << y;
        EXPECT_NEAR(edge.LitColumns, 50, 3) << "row " << y;
    }
    for (int y : {9, 10}) {
        const RowShape middle = shape(y);
        EXPECT_NEAR(middle.Peak, 90, 3) << "row " << y;
        EXPECT_NEAR(middle.LitColumns, 20, 3) << "row " << y;
    }
    // The alpha rises to the middle column and falls after it in every row.
    for (int y = 0; y < light.Height(); ++y)
        for (int x = 1; x < light.Width(); ++x) {
            const int step = Alpha(light.At(x, y)) - Alpha(light.At(x - 1, y));
            EXPECT_TRUE(x <= 30 ? step >= 0 : step <= 0) << x << "," << y;
        }
}

TEST(ProgramPictures, DefaultShadowsFadeOutwardAndTheActiveOneIsDeeper) {
    const Bitmap32 active = ReadPng(ActiveShadowPng(), "vlSHDA");
    const Bitmap32 inactive = ReadPng(InactiveShadowPng(), "vlSHDI");
    for (const Bitmap32* shadow : {&active, &inactive}) {
        ASSERT_EQ(shadow->Width(), 33);
        ASSERT_EQ(shadow->Height(), 33);
        EXPECT_EQ(Alpha(shadow->At(0, 16)), 0);
        EXPECT_EQ(Alpha(shadow->At(16, 16)), 0); // the window covers the middle
        for (int x = 1; x <= 8; ++x)
            EXPECT_GE(Alpha(shadow->At(x, 16)), Alpha(shadow->At(x - 1, 16))) << x;
    }
    EXPECT_GT(Alpha(active.At(8, 16)), Alpha(inactive.At(8, 16)));
    EXPECT_GT(Alpha(active.At(16, 24)), Alpha(active.At(16, 8))); // deeper below than above
}

TEST(ProgramPictures, TheIconComesInTwoSizesWithTransparentCorners) {
    for (const auto& [png, side] : {std::pair{ProgramIcon16Png(), 16}, std::pair{ProgramIcon32Png(), 32}}) {
        const Bitmap32 icon = ReadPng(png, "icon");
        ASSERT_EQ(icon.Width(), side);
        ASSERT_EQ(icon.Height(), side);
        EXPECT_EQ(Alpha(icon.At(0, 0)), 0) << side;
        EXPECT_EQ(Alpha(icon.At(side / 2, side / 2)), 255) << side;
    }
}

} // namespace
} // namespace skin::testing

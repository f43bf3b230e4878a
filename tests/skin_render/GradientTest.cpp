// Gradients segment by segment: where each segment starts and ends, the rounding of the steps,
// the four-corner mesh, and the mix with a texture.
#include <gtest/gtest.h>

#include "PaintTestSupport.h"
#include "skin/render/sGradient.h"

namespace skin {
namespace {

using test::Filled;
using test::kUntouched;
using test::Hex;


TsGradientSegment Segment(TColor from, TColor to, int percent, TsGradientKind kind = TsGradientKind::gkVertical) {
    return {from, to, percent, kind};
}

// Grey levels: colour value and pixel of a grey.
TColor Grey(int level) { return TColor(level * 0x010101); }
Pixel GreyPixel(int level) { return 0xFF000000u | Pixel(level * 0x010101); }

TEST(Gradient, LastSegmentAlwaysReachesTheBottom) {
    Bitmap32 bitmap = Filled(3, 100, kUntouched);
    PaintGradient(bitmap, {0, 0, 3, 100}, {Segment(Grey(0), Grey(99), 97)});
    EXPECT_EQ(Hex(bitmap.At(1, 0)), Hex(GreyPixel(0)));
    EXPECT_EQ(Hex(bitmap.At(1, 50)), Hex(GreyPixel(50)));
    EXPECT_EQ(Hex(bitmap.At(1, 99)), Hex(GreyPixel(99)));
}

TEST(Gradient, NextSegmentStartsOnTheRowWhereTheFirstEnds) {
    Bitmap32 bitmap = Filled(2, 101, kUntouched);
    PaintGradient(bitmap, {0, 0, 2, 101}, {Segment(Grey(0), Grey(100), 50), Segment(Grey(200), Grey(250), 50)});
    EXPECT_EQ(Hex(bitmap.At(0, 25)), Hex(GreyPixel(50)));  // rows 0..50 step by 2
    EXPECT_EQ(Hex(bitmap.At(0, 49)), Hex(GreyPixel(98)));
    EXPECT_EQ(Hex(bitmap.At(0, 50)), Hex(GreyPixel(200))); // painted over by the second
    EXPECT_EQ(Hex(bitmap.At(0, 100)), Hex(GreyPixel(250)));
}

TEST(Gradient, StepsRoundHalvesToEven) {
    // 0 to 3 over rows 0..2: 0, 1.5, 3 -> the middle row rounds to 2.
    Bitmap32 bitmap = Filled(1, 3, kUntouched);
    PaintGradient(bitmap, {0, 0, 1, 3}, {Segment(Grey(0), Grey(3), 100)});
    EXPECT_EQ(Hex(bitmap.At(0, 1)), Hex(GreyPixel(2)));
    // 0 to 1 over 0..2: 0.5 rounds to 0.
    PaintGradient(bitmap, {0, 0, 1, 3}, {Segment(Grey(0), Grey(1), 100)});
    EXPECT_EQ(Hex(bitmap.At(0, 1)), Hex(GreyPixel(0)));
}

TEST(Gradient, HorizontalSegmentEndsRoundAndCopyToEveryRow) {
    // 30 percent of 11 columns: the first segment ends at RoundEven(3.3) = 3.
    Bitmap32 bitmap = Filled(11, 4, kUntouched);
    PaintGradient(bitmap, {0, 0, 11, 4},
                  {Segment(Grey(0), Grey(30), 30, TsGradientKind::gkHorizontal), Segment(Grey(100), Grey(170), 70)});
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(Hex(bitmap.At(2, y)), Hex(GreyPixel(20)));
        EXPECT_EQ(Hex(bitmap.At(3, y)), Hex(GreyPixel(100)));
        EXPECT_EQ(Hex(bitmap.At(10, y)), Hex(GreyPixel(170)));
    }
}

TEST(Gradient, ColourValueOrderBecomesPixelOrder) {
    Bitmap32 bitmap = Filled(2, 2, kUntouched);
    PaintGradient(bitmap, {0, 0, 2, 2}, {Segment(TColor{0x000000FF}, TColor{0x000000FF}, 100)}); // red
    EXPECT_EQ(Hex(bitmap.At(1, 1)), Hex(0xFFFF0000));
}

TEST(Gradient, NothingForOneRowEmptyRectsOrUnknownKinds) {
    Bitmap32 bitmap = Filled(4, 4, kUntouched);
    PaintGradient(bitmap, {0, 1, 4, 2}, {Segment(Grey(0), Grey(9), 100)});
    PaintGradient(bitmap, {2, 2, 2, 4}, {Segment(Grey(0), Grey(9), 100)});
    PaintGradient(bitmap, {0, 0, 4, 4}, {});
    PaintGradient(bitmap, {0, 0, 4, 4}, {Segment(Grey(0), Grey(9), 100, TsGradientKind{3})});
    EXPECT_EQ(bitmap, Filled(4, 4, kUntouched));
}

TEST(Gradient, RectIsCutToTheBitmap) {
    Bitmap32 bitmap = Filled(4, 4, kUntouched);
    PaintGradient(bitmap, {-10, -10, 40, 40}, {Segment(Grey(7), Grey(7), 100)});
    EXPECT_EQ(bitmap, Filled(4, 4, GreyPixel(7)));
}

TEST(FourCornerGradient, VertexColoursAtTheCornersAndCentre) {
    const TColor topLeft{0x0000FF}, centre{0xFFFFFF}, topRight{0x00FF00}, bottomRight{0xFF0000}, bottomLeft{0};
    TsGradArray segments = {Segment(topLeft, TColor{0}, 0, TsGradientKind::gkFourCorner), Segment(centre, TColor{0}, 0), Segment(topRight, TColor{0}, 0),
                            Segment(bottomRight, TColor{0}, 0), Segment(bottomLeft, TColor{0}, 0)};
    Bitmap32 bitmap = Filled(101, 101, kUntouched);
    PaintGradient(bitmap, {0, 0, 101, 101}, segments);
    auto near = [](Pixel actual, Pixel expected) {
        for (int shift : {0, 8, 16})
            if (std::abs(int(actual >> shift & 0xFF) - int(expected >> shift & 0xFF)) > 6)
                return false;
        return (actual >> 24) == 0xFF;
    };
    EXPECT_TRUE(near(bitmap.At(0, 0), 0xFFFF0000)) << Hex(bitmap.At(0, 0));
    EXPECT_TRUE(near(bitmap.At(100, 0), 0xFF00FF00)) << Hex(bitmap.At(100, 0));
    EXPECT_TRUE(near(bitmap.At(100, 100), 0xFF0000FF)) << Hex(bitmap.At(100, 100));
    EXPECT_TRUE(near(bitmap.At(0, 100), 0xFF000000)) << Hex(bitmap.At(0, 100));
    EXPECT_TRUE(near(bitmap.At(50, 50), 0xFFFFFFFF)) << Hex(bitmap.At(50, 50));
    // Half way along the top edge: the mean of the two top corners.
    EXPECT_TRUE(near(bitmap.At(50, 0), 0xFF808000)) << Hex(bitmap.At(50, 0));
}

TEST(FourCornerGradient, MissingSegmentsRepeatTheLastColour) {
    Bitmap32 bitmap = Filled(9, 9, kUntouched);
    PaintGradient(bitmap, {0, 0, 9, 9}, {Segment(Grey(40), TColor{0}, 0, TsGradientKind::gkFourCorner), Segment(Grey(40), TColor{0}, 0)});
    EXPECT_EQ(bitmap, Filled(9, 9, GreyPixel(40)));
}

TEST(GradientOverTexture, MixesByTheImageWeight) {
    Bitmap32 texture(2, 1);
    texture.At(0, 0) = 0xFF000000;
    texture.At(1, 0) = 0xFFC8C8C8;
    Bitmap32 bitmap = Filled(4, 3, kUntouched);
    const int weight = 60 * 255 / 100; // 153
    PaintGradientOverTexture(bitmap, {0, 0, 4, 3}, {Segment(Grey(100), Grey(100), 100, TsGradientKind::gkHorizontal)}, weight,
                             TRect{}, texture);
    auto mix = [&](int g, int x) { return ((x - g) * weight + g * 256) >> 8; };
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(Hex(bitmap.At(0, y)), Hex(GreyPixel(mix(100, 0))));
        EXPECT_EQ(Hex(bitmap.At(1, y)), Hex(GreyPixel(mix(100, 200))));
        EXPECT_EQ(Hex(bitmap.At(2, y)), Hex(GreyPixel(mix(100, 0))));
    }
    // The four-corner kind is not mixed.
    Bitmap32 untouched = Filled(4, 3, kUntouched);
    PaintGradientOverTexture(untouched, {0, 0, 4, 3}, {Segment(Grey(1), Grey(1), 100, TsGradientKind::gkFourCorner)}, weight, TRect{},
                             texture);
    EXPECT_EQ(untouched, Filled(4, 3, kUntouched));
}

} // namespace
} // namespace skin

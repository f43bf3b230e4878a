// Section backgrounds over the fixture skin: the transparency rules over bitmaps and colours,
// the layers of the own background, and where the section picture puts its pieces.
#include <gtest/gtest.h>

#include <cmath>

#include "FixtureSkin.h"
#include "PaintTestSupport.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/render/sBackgrounds.h"
#include "skin/render/sSectionPaint.h"

namespace skin {
namespace {

using test::Filled;
using test::kUntouched;
using test::Hex;
using test::PositionPicture;


class Backgrounds : public ::testing::Test {
protected:
    static void SetUpTestSuite() { skin_ = new TsSkinModel(test::LoadFixtureSkin()); }
    static void TearDownTestSuite() {
        delete skin_;
        skin_ = nullptr;
    }
    static int Section(std::string_view name) {
        const int index = GetSkinIndex(*skin_, name);
        EXPECT_GE(index, 0) << name;
        return index;
    }
    static void Background(std::string_view name, const TsBackdrop& backdrop, Bitmap32& bitmap, int state = 0,
                           TRect rect = {}) {
        if (RectIsEmptyOrZero(rect))
            rect = RectOf(bitmap);
        PaintSectionBackground(*skin_, bitmap, rect, Paint(name, backdrop, state));
    }
    static TsSectionPaint Paint(std::string_view name, const TsBackdrop& backdrop, int state = 0, TPoint point = {}) {
        TsSectionPaint paint;
        paint.SectionIndex = Section(name);
        paint.SectionName = name;
        paint.State = state;
        paint.Backdrop = backdrop;
        paint.BackdropPoint = point;
        return paint;
    }
    static bool RectIsEmptyOrZero(const TRect& rect) { return rect == TRect{}; }
    static Pixel Opaque(TColor colour) { return 0xFF000000u | (PixelOfColor(colour) & 0xFFFFFF); }
    static TsSkinModel* skin_;
};

TsSkinModel* Backgrounds::skin_ = nullptr;

TEST_F(Backgrounds, FixtureSkinLoaded) {
    EXPECT_EQ(skin_->MasterBitmap.Width(), 64);
    EXPECT_GE(FindMask(*skin_, "BUTTON", "BORDERSMASK"), 0);
    EXPECT_GE(FindMask(*skin_, "TEXTURED", "PATTERN"), 0);
}

TEST_F(Backgrounds, PartialTransparencyOverAFlatColourMixesThePercent) {
    TsBackdrop backdrop;
    backdrop.FillColor = TColor{0x000000FF};
    Bitmap32 bitmap = Filled(4, 4, kUntouched);
    Background("PANEL", backdrop, bitmap);
    // 30 percent of the parent's colour, 70 percent of the section colour 15395812.
    EXPECT_EQ(Hex(bitmap.At(2, 2)), Hex(Opaque(LerpColor(TColor{0x000000FF}, TColor{15395812}, 0.30))));
}

TEST_F(Backgrounds, PartialTransparencyOverABitmapBlendsTheParentIn) {
    const Bitmap32 parent = PositionPicture(20, 20);
    TsBackdrop backdrop;
    backdrop.Bitmap = &parent;
    backdrop.HasBitmap = true;
    backdrop.OffsetX = 5;
    backdrop.OffsetY = 6;
    Bitmap32 bitmap = Filled(4, 4, kUntouched);
    Background("PANEL", backdrop, bitmap);
    const int w = 76; // RoundEven(30 * 2.55): the product is just below 76.5
    const Pixel own = Opaque(TColor{15395812}), under = parent.At(5 + 1, 6 + 2);
    auto ch = [&](int shift) {
        int d = int(under >> shift & 0xFF), s = int(own >> shift & 0xFF);
        return Pixel((w * (d - s) + s * 256) >> 8) << shift;
    };
    EXPECT_EQ(Hex(bitmap.At(1, 2)), Hex(ch(0) | ch(8) | ch(16) | (under & 0xFF000000u)));
}

TEST_F(Backgrounds, FullTransparencyShowsTheParentsStripsAndColour) {
    const Bitmap32 parent = PositionPicture(20, 20);
    TsBackdrop backdrop;
    backdrop.Bitmap = &parent; // the parent answered with a colour and holds only its border strips
    backdrop.FillColor = TColor{0x00332211};
    backdrop.Margins = {3, 2, 4, 5};
    Bitmap32 bitmap = Filled(20, 20, kUntouched);
    Background("GLASS", backdrop, bitmap);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool strip = x < 3 || y < 2 || x >= 16 || y >= 15;
            ASSERT_EQ(Hex(bitmap.At(x, y)), Hex(strip ? parent.At(x, y) : 0xFF112233u)) << x << "," << y;
        }
    }
    // With a whole parent bitmap the rect is copied from it at offset + point.
    TsBackdrop whole;
    whole.Bitmap = &parent;
    whole.HasBitmap = true;
    whole.OffsetX = 2;
    Bitmap32 copy = Filled(5, 5, kUntouched);
    PaintSectionBackground(*skin_, copy, RectOf(copy), Paint("GLASS", whole, 0, {1, 3}));
    EXPECT_EQ(Hex(copy.At(0, 0)), Hex(parent.At(3, 3)));
    EXPECT_EQ(Hex(copy.At(4, 4)), Hex(parent.At(7, 7)));
}

TEST_F(Backgrounds, GradientWithoutDataFillsTheSectionColour) {
    Bitmap32 bitmap = Filled(6, 6, kUntouched);
    Background("PLAINGRAD", TsBackdrop{}, bitmap);
    EXPECT_EQ(bitmap, Filled(6, 6, Opaque(TColor{15263979})));
}

TEST_F(Backgrounds, PartialLayersFadeTowardTheColour) {
    // GRADIENTPERCENT 50, no image: the gradient keeps 50 percent, the colour gives the rest.
    Bitmap32 bitmap = Filled(3, 11, kUntouched);
    Background("HALF", TsBackdrop{}, bitmap);
    const TColor colour{11837025};
    const int g = 128; // row 5 of 11 from white to black: 255 - 5 * 25.5 = 127.5, rounded to even
    auto faded = [&](int gradient, int c) { return RoundEvenInt(0.5 * gradient + 0.5 * c); };
    const Pixel expected = 0xFF000000u | Pixel(faded(g, RedOf(colour))) << 16 | Pixel(faded(g, GreenOf(colour))) << 8 |
                           Pixel(faded(g, BlueOf(colour)));
    EXPECT_EQ(Hex(bitmap.At(1, 5)), Hex(expected));
}

TEST_F(Backgrounds, TextureTilesFromTheRectsCorner) {
    Bitmap32 bitmap = Filled(9, 9, kUntouched);
    Background("TEXTURED", TsBackdrop{}, bitmap);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(Hex(bitmap.At(x, y)), Hex(skin_->MasterBitmap.At(52 + x % 4, y % 4))) << x << "," << y;
}

TEST_F(Backgrounds, SectionPictureOutsideTheBitmapPaintsNothing) {
    Bitmap32 bitmap = Filled(10, 10, kUntouched);
    for (const TRect& rect : {TRect{-1, 0, 5, 5}, TRect{0, 0, 11, 5}, TRect{2, 2, 5, 12}}) {
        PaintSectionByIndex(*skin_, bitmap, rect, Paint("BUTTON", TsBackdrop{}));
        EXPECT_EQ(bitmap, Filled(10, 10, kUntouched)) << rect.Left << "," << rect.Top << "," << rect.Right << ","
                                                      << rect.Bottom;
    }
}

TEST_F(Backgrounds, BottomLeftCornerImageSitsAtTheRectsLeft) {
    Bitmap32 bitmap = Filled(20, 20, kUntouched);
    const TRect rect{5, 3, 15, 13};
    TsBackdrop backdrop;
    backdrop.FillColor = TColor{0};
    PaintSectionByIndex(*skin_, bitmap, rect, Paint("PANEL", backdrop));
    const Pixel glyph = skin_->MasterBitmap.At(48, 3); // bottom row of the triangle
    EXPECT_EQ(Hex(bitmap.At(5, 12)), Hex(glyph));
    EXPECT_EQ(Hex(bitmap.At(8, 12)), Hex(glyph));
    EXPECT_NE(bitmap.At(6, 9), glyph); // above the glyph's key pixels the background stays
    EXPECT_EQ(bitmap.At(4, 12), kUntouched);
}

TEST_F(Backgrounds, SectionOnBitmapUsesTheFallbackName) {
    Bitmap32 bitmap = Filled(8, 8, kUntouched);
    PaintSectionOnBitmap(*skin_, bitmap, {"NO SUCH SECTION", "PLAINGRAD"});
    EXPECT_EQ(Hex(bitmap.At(4, 4)), Hex(Opaque(TColor{15263979})));
    Bitmap32 untouched = Filled(8, 8, kUntouched);
    PaintSectionOnBitmap(*skin_, untouched, {"NO SUCH SECTION", "NOR THIS"});
    EXPECT_EQ(untouched, Filled(8, 8, kUntouched));
}

TEST_F(Backgrounds, PartBackgroundReadsTheSectionWideHotValues) {
    TsBackdrop backdrop;
    backdrop.FillColor = TColor{0x00FFFFFF};
    Bitmap32 normal = Filled(4, 4, kUntouched), hot = Filled(4, 4, kUntouched);
    PaintPartBackground(*skin_, normal, RectOf(normal), Paint("GLASS", backdrop, 0));
    PaintPartBackground(*skin_, hot, RectOf(hot), Paint("GLASS", backdrop, 1));
    EXPECT_EQ(normal, Filled(4, 4, 0xFFFFFFFF));
    EXPECT_EQ(Hex(hot.At(0, 0)), Hex(Opaque(LerpColor(TColor{0x00FFFFFF}, TColor{11837025}, 0.5))));
}

TEST_F(Backgrounds, AlphaBackgroundTurnsTransparencyIntoAlpha) {
    TsLookValues look;
    look.Color = TColor{0x000000FF};
    struct Row {
        int transparency;
        Pixel before;
        Pixel after;
    } rows[] = {
        {30, 0x00000000, 0xB2FF0000},  // nothing painted yet: alpha (100 - 30) * 255 div 100 = 178
        {0, 0x20102030, 0xFFFF0000},   // opaque
        {100, 0x20102030, 0x20FF0000}, // the colour at the pixel's alpha
    };
    for (const Row& r : rows) {
        look.Transparency = r.transparency;
        Bitmap32 bitmap = Filled(3, 3, r.before);
        PaintOwnBackgroundAlpha(bitmap, RectOf(bitmap), look, TsBackdrop{});
        EXPECT_EQ(Hex(bitmap.At(1, 1)), Hex(r.after)) << r.transparency;
    }
    // Any other transparency tints toward the colour by 100 - t percent.
    look.Transparency = 40;
    Bitmap32 bitmap = Filled(3, 3, 0xC0000000);
    PaintOwnBackgroundAlpha(bitmap, RectOf(bitmap), look, TsBackdrop{});
    EXPECT_EQ(Hex(bitmap.At(1, 1)), Hex(0xC0990000)); // red 0 - 0.6 * (0 - 255) = 153, alpha max(192, 153)
}

} // namespace
} // namespace skin

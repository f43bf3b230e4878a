// Skinned text: contours, disabled colours, borrowed colours, the glow and its blur, the
// alpha-keeping merge, the disabled look, ellipsis, alignment and turned fonts. Where Qt draws the
// glyphs the tests look at the colours that appear; where the arithmetic is ours, at exact values.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sControlAccess.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/render/sSkinnedText.h"

namespace skin::testing {
namespace {

QFont BigFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(22);
    font.setBold(true);
    return font;
}

constexpr TsTextFormat kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

std::set<Pixel> ColoursOf(const Bitmap32& bitmap) {
    std::set<Pixel> colours;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (Pixel pixel : bitmap.Row(y))
            colours.insert(pixel);
    return colours;
}

class SkinnedText : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 80);
    }
    // The caption of a control of the section, written over white.
    Bitmap32 Caption(const std::string& section, bool enabled, const QString& text = QStringLiteral("Hi")) {
        auto* control = new TTestControl(window_.get(), 93, section);
        control->setGeometry(0, 0, 90, 40);
        Bitmap32 bitmap(90, 40);
        bitmap.Fill(0xFFFFFFFF);
        TsCanvas canvas{bitmap, BigFont(), TColor{0}};
        WriteSkinnedText(canvas, text, enabled, 0, control->SkinData, kCentred, RectOf(bitmap));
        return bitmap;
    }
    std::unique_ptr<QWidget> window_;
};

TEST_F(SkinnedText, ContoursOfMinusOneDrawNothingAndOthersDrawTheirColours) {
    // All four contours -1: only white, red and their mixes (red stays 255, green equals blue).
    const std::set<Pixel> plain = ColoursOf(Caption("TESTTEXT", true));
    EXPECT_TRUE(plain.count(0xFFFF0000));
    for (Pixel pixel : plain) {
        EXPECT_EQ(Byte2(pixel), 255) << std::hex << pixel;
        EXPECT_EQ(Byte1(pixel), Byte0(pixel)) << std::hex << pixel;
    }
    // Four contours: each side's colour shows somewhere around the black text, nearly pure.
    const std::set<Pixel> outlined = ColoursOf(Caption("TESTCONTOURS", true));
    const auto near = [&outlined](Pixel wanted) {
        for (Pixel pixel : outlined)
            if (std::abs(Byte0(pixel) - Byte0(wanted)) < 48 && std::abs(Byte1(pixel) - Byte1(wanted)) < 48 &&
                std::abs(Byte2(pixel) - Byte2(wanted)) < 48)
                return true;
        return false;
    };
    for (Pixel colour : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF000000u})
        EXPECT_TRUE(near(colour)) << std::hex << colour;
    EXPECT_FALSE(near(0xFF00FFFF)); // no colour of the skin mixes into cyan
}

TEST_F(SkinnedText, DisabledCaptionMixesFortyPercentOfTheFontColourIntoTheMainColour) {
    ASSERT_EQ(TestManager().Model().Palette[PaletteEntry::pcMainColor], TColor{0xEBE7E4});
    // 0.4 * (255, 0, 0) + 0.6 * (228, 231, 235), rounded: (239, 139, 141).
    const std::set<Pixel> colours = ColoursOf(Caption("TESTTEXT", false));
    EXPECT_TRUE(colours.count(0xFFEF8B8D));
    EXPECT_FALSE(colours.count(0xFFFF0000));
}

TEST_F(SkinnedText, TransparentCheckBoxBorrowsTheColoursOfTheFirstOpaqueAncestorThatLendsThem) {
    const TsSkinModel& skin = TestManager().Model();
    for (const char* grandparent : {"TESTGIVER", "TESTFLAT"}) {
        SCOPED_TRACE(grandparent);
        auto* outer = new TTestControl(window_.get(), 51, grandparent);
        auto* panel = new TTestControl(outer, 51, "TESTSEETHROUGH");
        auto* check = new TTestControl(panel, kKindCheckBox, "TESTCHECK");
        const int own = check->SkinData.SectionIndex;
        const int found = FindTextSection(check, own, skin, 0);
        // The see-through panel is skipped; only a lending section gives its colours.
        EXPECT_EQ(found, std::string(grandparent) == "TESTGIVER" ? GetSkinIndex(skin, "TESTGIVER") : own);
    }
    auto* outer = new TTestControl(window_.get(), 51, "TESTGIVER");
    auto* panel = new TTestControl(outer, 51, "TESTSEETHROUGH");
    auto* check = new TTestControl(panel, kKindCheckBox, "TESTCHECK");
    check->setGeometry(0, 0, 90, 40);
    Bitmap32 bitmap(90, 40);
    bitmap.Fill(0xFFFFFFFF);
    TsCanvas canvas{bitmap, BigFont(), TColor{0}};
    WriteSkinnedText(canvas, QStringLiteral("Hi"), true, 0, check->SkinData, kCentred, RectOf(bitmap));
    const std::set<Pixel> colours = ColoursOf(bitmap);
    EXPECT_TRUE(colours.count(0xFF00FF00)); // the lender's green
    EXPECT_FALSE(colours.count(0xFFFF0000)); // not the check box's own red
}

TEST_F(SkinnedText, GlowSizeZeroLeavesTheSurroundingsAloneAndFourTintsThem) {
    for (const char* section : {"TESTTEXT", "TESTGLOW"}) {
        SCOPED_TRACE(section);
        auto* control = new TTestControl(window_.get(), 93, section);
        control->setGeometry(0, 0, 90, 40);
        control->SkinData.EnsureCacheBitmap();
        Bitmap32& cache = *control->SkinData.CacheBitmap;
        cache.Fill(0x00FFFFFF); // white, fully transparent
        TsCanvas canvas{cache, BigFont(), TColor{0}};
        WriteSkinnedText(canvas, QStringLiteral("Hi"), true, 0, control->SkinData, kCentred, RectAt(30, 5, 30, 30));
        // Just outside the text's rect: only a glow reaches there.
        const Pixel outside = cache.At(27, 20);
        if (std::string(section) == "TESTTEXT") {
            EXPECT_EQ(outside, 0x00FFFFFFu);
        } else {
            EXPECT_GT(Byte3(outside), 0); // the glow makes it visible
            EXPECT_LT(Byte2(outside), 255); // and moves it toward the glow's blue
            EXPECT_EQ(Byte0(outside), 255);
        }
        // Far away nothing changes either way.
        EXPECT_EQ(cache.At(2, 2), 0x00FFFFFFu);
    }
}

TEST(TextGlow, KernelKeepsTheWeightsAboveOneIn510AndSumsToOne) {
    // Radius 1: the pair at +-3 brings the dropped weight over 1/510, so -2..2 stays.
    EXPECT_EQ(GlowKernel(1).size(), 5u);
    // Radius 4: the pair at +-12 does it, so -11..11 stays.
    EXPECT_EQ(GlowKernel(4).size(), 23u);
    for (int radius : {1, 2, 4, 9}) {
        const std::vector<float> kernel = GlowKernel(radius);
        double sum = 0;
        for (std::size_t i = 0; i < kernel.size(); ++i) {
            sum += kernel[i];
            EXPECT_FLOAT_EQ(kernel[i], kernel[kernel.size() - 1 - i]);
        }
        EXPECT_NEAR(sum, 1.0, 1e-6);
    }
}

TEST(TextGlow, BlurRunsRowsThenColumnsAndTruncates) {
    // One black pixel in white, radius 1: weights e^0, e^-1/2, e^-2 over -2..2, normalised:
    // 0.402620, 0.244201, 0.054489. Rows: 255 (1 - w) truncated = 152, 192, 241. Columns of
    // those rows then give the values below.
    constexpr int kSize = 9, kMid = 4;
    std::vector<std::uint8_t> picture(kSize * kSize, 255);
    picture[kMid * kSize + kMid] = 0;
    BlurGlowPicture(picture, kSize, kSize, GlowKernel(1));
    struct Probe {
        int Dx, Dy, Value;
    };
    // (0,0): 0.402620 * 152 + 0.597380 * 255 = 213.5; (1,0): 0.402620 * 192 + 0.597380 * 255 = 229.6;
    // (1,1): 0.244201 * 192 + 0.755799 * 255 = 239.6; (2,2): 0.054489 * 241 + 0.945511 * 255 = 254.2.
    for (const Probe p : {Probe{0, 0, 213}, Probe{1, 0, 229}, Probe{0, 1, 229}, Probe{1, 1, 239}, Probe{2, 2, 254},
                          Probe{3, 0, 255}, Probe{4, 4, 255}}) {
        SCOPED_TRACE(p.Dx * 10 + p.Dy);
        EXPECT_EQ(picture[std::size_t((kMid + p.Dy) * kSize + kMid + p.Dx)], p.Value);
    }
}

int ByteOf(Pixel pixel, int channel) { return int((pixel >> (8 * channel)) & 0xFF); }

// Pixels of the area at least 85 % of the way from the background to the text colour, on the
// channel where the two differ most: stems that stand on whole pixels.
int WellCoveredPixels(const Bitmap32& image, const TRect& area, Pixel background, Pixel text) {
    int channel = 0;
    for (int c = 1; c < 3; ++c)
        if (std::abs(ByteOf(background, c) - ByteOf(text, c)) > std::abs(ByteOf(background, channel) - ByteOf(text, channel)))
            channel = c;
    const int span = ByteOf(text, channel) - ByteOf(background, channel);
    int count = 0;
    for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, image.Height()); ++y)
        for (int x = std::max(area.Left, 0); x < std::min(area.Right, image.Width()); ++x)
            count += (ByteOf(image.At(x, y), channel) - ByteOf(background, channel)) * span * 100 >= span * span * 85;
    return count;
}

TEST(SkinTextHinting, StemsOfTahomaAtElevenPixelsStandOnWholePixels) {
    // Five stems eight pixels high. Hinted fully each stem is one pixel of about 240/255 on every
    // row (40 such pixels); hinted slightly (Qt's default) most stems are two pixels of about
    // half each (about 20 reach 85 %).
    const QString stems = QStringLiteral("IIIII");
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(11);
    constexpr int kAtLeast = 5 * 7;
    const TsSkinModel& skin = TestManager().Model();
    const auto fontColour = [&](const char* section) {
        return 0xFF000000u | PixelOfColor(skin.gd[std::size_t(GetSkinIndex(skin, section))].Props[TsLook::Normal].FontColor[FontColorEntry::fcText]);
    };
    {
        SCOPED_TRACE("section text in a font made from its family name");
        Bitmap32 bitmap(40, 16);
        bitmap.Fill(0xFFFFFFFF);
        TsCanvas canvas{bitmap, tahoma, TColor{0}};
        WriteSectionText(canvas, stems, true, skin, 0, GetSkinIndex(skin, "TESTTEXT"), DT_LEFT | DT_SINGLELINE | DT_VCENTER,
                         RectOf(bitmap));
        EXPECT_GE(WellCoveredPixels(bitmap, RectOf(bitmap), 0xFFFFFFFF, fontColour("TESTTEXT")), kAtLeast);
    }
    QWidget window;
    window.resize(200, 80);
    {
        SCOPED_TRACE("button caption");
        auto* button = new TsButton(&window);
        button->setFocusPolicy(Qt::NoFocus);
        button->SkinData.SetSkinSection("BUTTON");
        button->setFont(tahoma);
        button->setText(stems);
        button->setGeometry(10, 10, 61, 29);
        ShowExposed(&window);
        ASSERT_EQ(button->RenderState(), 0);
        const Bitmap32 shown = GrabbedBitmap(button);
        const TRect caption = button->CaptionRect();
        const Pixel face = shown.At(caption.Left - 2, (caption.Top + caption.Bottom) / 2);
        EXPECT_GE(WellCoveredPixels(shown, caption, face, fontColour("BUTTON")), kAtLeast);
    }
    {
        SCOPED_TRACE("label");
        auto* label = new TsLabel(&window);
        label->setFont(tahoma);
        label->setText(stems);
        label->setGeometry(10, 50, 40, 13);
        label->show();
        const Bitmap32 shown = GrabbedBitmap(&window);
        const Pixel text = 0xFF000000u | PixelOfColor(label->TextColor());
        const TRect bounds = RectAt(10, 50, label->width(), 13);
        EXPECT_GE(WellCoveredPixels(shown, bounds, shown.At(5, 55), text), kAtLeast);
    }
}

TEST(AlphaText, EveryWrittenPixelIsTheMergeOfOneCoverageValueAndOpaque) {
    // Destination and colour differ in every channel, so each written pixel names its coverage m.
    Bitmap32 bitmap(60, 30);
    constexpr Pixel kStart = 0x40C86432; // alpha 0x40, R 200, G 100, B 50
    bitmap.Fill(kStart);
    TsSkinModel empty;
    TsCanvas canvas{bitmap, BigFont(), TColor{0xFA3200}}; // R 0, G 50, B 250
    WriteAlphaText(canvas, QStringLiteral("Il"), true, empty, false, -1, kCentred, RectOf(bitmap));
    int written = 0, solid = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (Pixel pixel : bitmap.Row(y)) {
            if (pixel == kStart)
                continue;
            ++written;
            EXPECT_EQ(Byte3(pixel), 255);
            bool found = false;
            for (int m = 0; m < 255 && !found; ++m) {
                const auto mix = [m](int d, int c) { return ((d - c) * m + c * 256) >> 8; };
                found = Byte2(pixel) == mix(200, 0) && Byte1(pixel) == mix(100, 50) && Byte0(pixel) == mix(50, 250);
            }
            EXPECT_TRUE(found) << std::hex << pixel;
            solid += pixel == 0xFF0032FA;
        }
    EXPECT_GT(written, 20);
    EXPECT_GT(solid, 0); // fully covered pixels take the colour itself
}

TEST(DisabledLook, BlendsWithTheParentOrFadesTowardItsColour) {
    struct Row {
        const char* Name;
        int Flags;
        bool ParentImage;
        TColor Fill;
        Pixel Expected;
    };
    // Control pixel R 200, G 100, B 0 (alpha 0x80); parent pixel R 0, G 50, B 250.
    const Row rows[] = {
        // 60 % parent, 40 % control: (80, 70, 150), the control's alpha kept.
        {"ParentImage", dlBlendWithParent, true, kTransparentKey, 0x80504696},
        // Halfway to the fill colour 0xFF0000 (blue 255): (100, 50, 127.5 -> 128).
        {"FillColour", dlBlendWithParent, false, TColor{0xFF0000}, 0x80643280},
        // Desaturated by 90 % only.
        {"Desaturate", dlDesaturate, false, kTransparentKey, ShiftSaturation(-90, 0x80C86400)},
    };
    Bitmap32 parent(10, 10);
    parent.Fill(0xFF0032FA);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        Bitmap32 bitmap(4, 3);
        bitmap.Fill(0x80C86400);
        TsBackdrop backdrop;
        backdrop.FillColor = row.Fill;
        if (row.ParentImage) {
            backdrop.Bitmap = &parent;
            backdrop.HasBitmap = true;
            backdrop.OffsetX = 3;
        }
        PaintDisabledLook(bitmap, row.Flags, nullptr, {1, 2}, backdrop);
        EXPECT_EQ(bitmap.At(3, 2), row.Expected) << std::hex << bitmap.At(3, 2);
    }
}

TEST(TextRoutines, CutTextKeepsWhatFitsWithTheEllipsis) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    const QFontMetrics metrics(SkinTextFont(font)); // as skin text is measured
    const QString word = QStringLiteral("Abcdef");
    struct Row {
        int MaxWidth;
        QString Expected;
    };
    const Row rows[] = {
        {metrics.horizontalAdvance(word), word},
        {metrics.horizontalAdvance(QStringLiteral("Ab...")), QStringLiteral("Ab...")},
        {metrics.horizontalAdvance(QStringLiteral("Abc...")) - 1, QStringLiteral("Ab...")},
        {metrics.horizontalAdvance(QStringLiteral("A...")) - 1, QString()},
        {0, QString()},
        {-5, QString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.MaxWidth);
        EXPECT_EQ(CutText(font, word, row.MaxWidth), row.Expected);
    }
}

TEST(TextRoutines, AlignmentFlagsAndTurnedFonts) {
    QWidget rtl;
    rtl.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(AlignmentFlags(nullptr, TsAlignment::LeftJustify), DT_LEFT | DT_VCENTER | DT_EXPANDTABS);
    EXPECT_EQ(AlignmentFlags(nullptr, TsAlignment::RightJustify), DT_RIGHT | DT_VCENTER | DT_EXPANDTABS);
    EXPECT_EQ(AlignmentFlags(&rtl, TsAlignment::Center), DT_CENTER | DT_VCENTER | DT_EXPANDTABS | DT_RTLREADING);

    Bitmap32 bitmap(20, 20);
    TsCanvas canvas{bitmap, QFont(), TColor{0}};
    QFont raster(QStringLiteral("MS Sans Serif"));
    raster.setBold(true);
    raster.setItalic(true);
    const TsRotatedFont turned = SelectRotatedFont(canvas, raster, TColor{0x123456}, 900);
    EXPECT_EQ(turned.Font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(turned.Font.weight(), QFont::Bold);
    EXPECT_TRUE(turned.Font.italic());
    EXPECT_EQ(turned.Angle, 900);
    EXPECT_EQ(canvas.FontColor, TColor{0x123456});
    EXPECT_EQ(SelectRotatedFont(canvas, QFont(QStringLiteral("Tahoma")), TColor{0}, 900).Font.family(),
              QStringLiteral("Tahoma"));
}

} // namespace
} // namespace skin::testing

// The generator against the stored skin: the package holds exactly what the generator draws from
// the stored options, a hand edit that breaks the layout is refused, and text stays legible.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "resources/TovrinResources.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/internal_skin/InternalSkinFixture.h"
#include "tools/skin-art/MasterArt.h"
#include "tools/skin-art/MasterCells.h"

namespace skin::testing {
namespace {

TEST(PewterArt, TheStoredMasterIsWhatTheGeneratorDrawsFromTheStoredOptions) {
    const auto convertor = ReadPackageBytes(InternalSkinPackage());
    const TvlImageItem* stored = convertor->FindImage("MASTER.BMP");
    ASSERT_NE(stored, nullptr);
    const Bitmap32 read = ReadPicture(stored->Data, stored->Name);
    const Bitmap32 drawn = skinart::DrawMaster(StoredOptions());
    ASSERT_EQ(read.Width(), drawn.Width());
    ASSERT_EQ(read.Height(), drawn.Height());
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x) {
            const Pixel expected = drawn.At(x, y) == skinart::kMasterKey ? kKeyPixel : drawn.At(x, y);
            ASSERT_EQ(read.At(x, y), expected) << x << "," << y;
        }
}

TEST(PewterArt, LayoutMistakesInTheOptionsAreRefused) {
    struct Row {
        const char* Options;
        const char* Message;
    };
    const Row rows[] = {
        {"[BUTTON]\nBORDERSMASK=^0000,0000,0036,0040,0004,0004,0004,0004,3,1,5,0\n"
         "[SPEEDBUTTON]\nBORDERSMASK=^0030,0000,0066,0040,0004,0004,0004,0004,3,1,5,0\n",
         "overlaps"},
        {"[NEWPART]\nBORDERSMASK=^0000,0000,0012,0012,0004,0004,0004,0004,1,0,0,0\n", "no painter"},
        {"[BUTTON]\nBORDERSMASK=^0000,0000,0035,0040,0004,0004,0004,0004,3,1,5,0\n", "whole cells"},
        {"[BUTTON]\nBORDERSMASK=^00x0,0000,0036,0040,0004,0004,0004,0004,3,1,5,0\n", "not a number"},
        {"[BUTTON]\nBORDERSMASK=^0250,0000,0286,0040,0004,0004,0004,0004,3,1,5,0\n", "master width"},
    };
    for (const Row& row : rows) {
        try {
            skinart::DrawMaster(TsSkinIni::Parse(row.Options));
            ADD_FAILURE() << "accepted: " << row.Options;
        } catch (const std::runtime_error& failure) {
            EXPECT_NE(std::string(failure.what()).find(row.Message), std::string::npos)
                << failure.what() << " for " << row.Options;
        }
    }
}

// Relative luminance of a colour value 0x00BBGGRR.
double Luminance(TColor colour) {
    auto linear = [](int byte) {
        const double c = byte / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(colour)) + 0.7152 * linear(GreenOf(colour)) + 0.0722 * linear(BlueOf(colour));
}

double Contrast(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(PewterArt, BodyTextHasContrastOfAtLeastFourAndAHalfToOne) {
    const TsSkinManager& m = SharedManager();
    constexpr double kBodyTextContrast = 4.5;
    // Each look's text against its colour and both ends of its gradient.
    struct Row {
        const char* Section;
        int Look;
    };
    const Row rows[] = {{"BUTTON", 0},    {"BUTTON", 1},      {"EDIT", 0},      {"EDIT", 1},     {"STATUSBAR", 0},
                        {"TABTOP", 0},    {"TABTOP", 1},      {"TABSHEET", 0},  {"PAGECONTROL", 0},
                        {"SELECTION", 0}, {"SELECTION", 1},   {"MENUITEM", 1},  {"MAINMENU", 0}, {"GAUGE", 0},
                        {"PROGRESSH", 0}, {"MENUCAPTION", 0}, {"PANEL", 0},     {"HINT", 0}};
    for (const Row& row : rows) {
        const TsGenState& look = Section(m, row.Section).Props[std::size_t(row.Look)];
        const TColor text = look.FontColor[FontColorEntry::fcText];
        std::vector<TColor> backgrounds{look.Color};
        if (look.GradientPercent > 0)
            for (const TsGradientSegment& segment : look.GradientArray)
                backgrounds.insert(backgrounds.end(), {segment.Color1, segment.Color2});
        for (TColor background : backgrounds)
            EXPECT_GE(Contrast(text, background), kBodyTextContrast)
                << row.Section << " look " << row.Look << " text " << ColorBits(text) << " on " << ColorBits(background);
    }
    // Group-box captions and labels are drawn straight on the form face.
    const TColor face = Section(m, "GLOBALINFO").Props[0].Color;
    for (const char* section : {"GROUPBOX", "CHECKBOX", "LABEL"})
        EXPECT_GE(Contrast(Section(m, section).Props[0].FontColor[FontColorEntry::fcText], face), kBodyTextContrast) << section;
}

} // namespace
} // namespace skin::testing

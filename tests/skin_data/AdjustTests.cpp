// Hue and saturation of a whole skin, the kept title-button pictures, extended-border pictures.
#include "SkinDataFixtures.h"

#include "skin/data/sSkinAdjust.h"
#include "skin/pixels/ColorOps.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using testing::CapturedMessages;
using testing::FixtureSkin;
using testing::LoadSkin;
using testing::SolidBitmap;

constexpr Pixel kRedPixel = 0xFFFF0000;
constexpr Pixel kGreenPixel = 0xFF00FF00;
// PNG pictures of current skins are premultiplied with a shift by 8: 255 becomes 254.
constexpr Pixel kPngRedPixel = 0xFFFE0000;
constexpr Pixel kPngGreenPixel = 0xFF00FE00;

// A red master bitmap with a key pixel at (63, 31); close and maximise buttons in the master,
// a red PNG with its own picture; red section colours; palette colours 2 and 3.
FixtureSkin RedSkin(int keepHue) {
    FixtureSkin skin;
    Bitmap32 master = SolidBitmap(64, 32, kRedPixel);
    master.At(63, 31) = kKeyPixel;
    skin.Bitmaps = {{"Master.bmp", master}};
    skin.Pngs = {{"Own.png", SolidBitmap(4, 4, kRedPixel)}, {"CloseGlow.png", SolidBitmap(4, 4, kRedPixel)}};
    skin.Options = "[GLOBALINFO]\nVERSION=8\nMASTERBITMAP=MASTER.BMP\nBIKEEPHUE=" + std::to_string(keepHue) +
                   "\nSHADOW1COLOR=255\nTCBOTTOM=255\nTCTOP=255\n"
                   "BICONCLOSE=@0000,0000,0010,0010,1,0\nBICONMAX=@0010,0000,0020,0010,1,0\n"
                   "BICONCLOSEGLOW0=!CLOSEGLOW.PNG!1!0!3\n"
                   "[EDIT]\nSTATES=2\nCOLOR=255\nHOTCOLOR=-2147483643\nFONTCOLOR=255\nTCLEFT=-1\n"
                   "GRADIENTDATA=255;255;100;0;0\nGLOW0=!OWN.PNG!1!0!3\n";
    return skin;
}

TEST(SkinAdjustments, HueShiftTurnsPicturesAndColours) {
    const auto manager = LoadSkin(RedSkin(0), [](TsSkinManager& m) { m.SetHueOffset(120); });
    EXPECT_EQ(manager->MasterBitmap().At(5, 5), kGreenPixel);
    EXPECT_EQ(manager->MasterBitmap().At(63, 31), kKeyPixel) << "key pixels are left alone";
    const int own = manager->FindMask("EDIT", "GLOW0");
    EXPECT_EQ(manager->Masks()[own].Image->At(0, 0), kPngGreenPixel);
    const TsGeneralData& edit = manager->Sections()[manager->GetSkinIndex("EDIT")];
    EXPECT_EQ(edit.Props[0].Color, TColor{0x00FF00});
    EXPECT_EQ(edit.Props[0].FontColor[FontColorEntry::fcText], TColor{0x00FF00});
    EXPECT_EQ(edit.Props[0].FontColor[FontColorEntry::fcLeft], kNoColor) << "-1 stays -1";
    EXPECT_EQ(edit.Props[1].Color, TColor{0x80000005}) << "system colours are not shifted";
    EXPECT_EQ(edit.Props[0].GradientArray[0].Color1, TColor{0x00FF00});
    EXPECT_EQ(manager->SkinData().Shadow1Color, TColor{0x00FF00});
    EXPECT_EQ(manager->Palette()[2], TColor{0x00FF00}) << "entry 2 follows the shift";
    EXPECT_EQ(manager->Palette()[3], TColor{255}) << "entry 3 keeps its value";
}

TEST(SkinAdjustments, KeepHueLeavesTitleButtons) {
    struct Row {
        int KeepHue;
        Pixel Close, Max, CloseGlow;
    };
    const Row rows[] = {{0, kGreenPixel, kGreenPixel, kPngGreenPixel},
                        {1, kRedPixel, kRedPixel, kPngRedPixel},
                        {2, kRedPixel, kGreenPixel, kPngRedPixel}};
    for (const Row& row : rows) {
        const auto manager = LoadSkin(RedSkin(row.KeepHue), [](TsSkinManager& m) { m.SetHueOffset(120); });
        EXPECT_EQ(manager->MasterBitmap().At(5, 5), row.Close) << row.KeepHue;
        EXPECT_EQ(manager->MasterBitmap().At(15, 5), row.Max) << row.KeepHue;
        EXPECT_EQ(manager->MasterBitmap().At(30, 20), kGreenPixel) << row.KeepHue;
        const int glow = manager->FindMask("GLOBALINFO", "BICONCLOSEGLOW0");
        EXPECT_EQ(manager->Masks()[glow].Image->At(1, 1), row.CloseGlow) << row.KeepHue;
    }
}

TEST(SkinAdjustments, SaturationIsTakenModulo101AndShiftsEverything) {
    for (const auto& [setting, used] : {std::pair{150, 49}, std::pair{-150, -49}, std::pair{40, 40}}) {
        const auto manager = LoadSkin(RedSkin(1), [s = setting](TsSkinManager& m) { m.SetSaturation(s); });
        EXPECT_EQ(EffectiveSaturation(setting), used);
        const TsGeneralData& edit = manager->Sections()[manager->GetSkinIndex("EDIT")];
        EXPECT_EQ(edit.Props[0].Color, ShiftSaturationColor(TColor{255}, used)) << setting;
        EXPECT_EQ(manager->MasterBitmap().At(5, 5), ShiftSaturation(used, kRedPixel)) << "nothing kept";
    }
}

TEST(SkinAdjustments, ChangingHueReloadsFromTheSource) {
    const auto manager = LoadSkin(RedSkin(0));
    int changes = 0;
    manager->OnAfterChange = [&](TsSkinManager&) { ++changes; };
    manager->SetHueOffset(120);
    EXPECT_EQ(manager->MasterBitmap().At(5, 5), kGreenPixel);
    manager->SetHueOffset(0);
    EXPECT_EQ(manager->MasterBitmap().At(5, 5), kRedPixel) << "shifts are never applied twice";
    manager->SetHueOffset(0);
    EXPECT_EQ(changes, 2);
}

TEST(SkinAdjustments, ReloadsAfterAChangeKeepTheSkinActive) {
    // These reloads are not announced again, so the loaded skin must stay marked active.
    const auto manager = LoadSkin(RedSkin(0));
    ASSERT_TRUE(manager->SkinData().Active);
    manager->SetHueOffset(60);
    EXPECT_TRUE(manager->SkinData().Active) << "after a hue change";
    manager->SetSaturation(20);
    EXPECT_TRUE(manager->SkinData().Active) << "after a saturation change";
    manager->SetExtendedBorders(!manager->ExtendedBorders());
    EXPECT_TRUE(manager->SkinData().Active) << "after switching extended borders";
}

TEST(SkinAdjustments, ExtendedBorderPictures) {
    // 100 x 80 picture of two cells, borders 24, 54, 25, 25.
    Bitmap32 exBorder = SolidBitmap(100, 80, 0xFF101010);
    for (int y = 0; y < 80; ++y)
        for (int x = 50; x < 100; ++x)
            exBorder.At(x, y) = 0xFF202020;
    const auto skinWith = [&](const std::string& global) {
        FixtureSkin skin;
        skin.Pngs = {{"ExtBord.png", exBorder}};
        skin.Options = "[GLOBALINFO]\nVERSION=8\nFORMOFFSET=14\n" + global;
        return skin;
    };
    const auto extended = [](TsSkinManager& m) { m.SetExtendedBorders(true); };
    const std::string mask = "EXBORDER=!EXTBORD.PNG!2!0!4!0024!0054!0025!0025\n";

    const auto frameMode = LoadSkin(skinWith("BORDERMODE=1\n" + mask), extended);
    EXPECT_EQ(frameMode->ExtendedMargins(), (std::array<int, 4>{14, 14, 14, 14}));
    EXPECT_EQ(frameMode->ExtendedBorderActive().Width(), 50);
    EXPECT_EQ(frameMode->ExtendedBorderActive().Height(), 80);
    EXPECT_EQ(frameMode->ExtendedBorderActive().At(0, 0), 0xFF0F0F0Fu) << "premultiplied";
    EXPECT_EQ(frameMode->ExtendedBorderInactive().At(0, 0), 0xFF1F1F1Fu) << "the second cell";

    const auto maskMode = LoadSkin(skinWith(mask), extended);
    EXPECT_EQ(maskMode->ExtendedMargins(), (std::array<int, 4>{10, 40, 11, 11}));

    // Without a mask of its own the skin takes the program's default pictures, when it has them.
    const Bitmap32 active = SolidBitmap(33, 33, 0x60000000), inactive = SolidBitmap(33, 33, 0x30000000);
    TsSkinManager::SetDefaultShadowPictures(active, inactive);
    const auto builtIn = LoadSkin(skinWith(""), extended);
    TsSkinManager::SetDefaultShadowPictures({}, {});
    EXPECT_EQ(builtIn->ExtendedMargins(), (std::array<int, 4>{9, 9, 9, 9}));
    EXPECT_EQ(builtIn->ExtendedBorderActive(), active);
    EXPECT_EQ(builtIn->ExtendedBorderInactive(), inactive);
    const auto bare = LoadSkin(skinWith(""), extended);
    EXPECT_EQ(bare->ExtendedMargins(), (std::array<int, 4>{0, 0, 0, 0})) << "no pictures, no shadow";
    EXPECT_TRUE(bare->ExtendedBorderActive().Empty());

    const auto off = LoadSkin(skinWith(mask));
    EXPECT_EQ(off->ExtendedMargins(), (std::array<int, 4>{0, 0, 0, 0}));
    off->SetExtendedBorders(true);
    EXPECT_EQ(off->ExtendedMargins(), (std::array<int, 4>{10, 40, 11, 11})) << "switching on prepares them";
}

} // namespace
} // namespace skin

// The facts the program relies on about its internal skin, read through the skin manager from
// the package the program carries.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "resources/TovrinResources.h"
#include "skin/data/sSkinOptions.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/internal_skin/InternalSkinFixture.h"
#include "skin/data/sMaskGeometry.h"

namespace skin::testing {
namespace {

TEST(InternalSkinPackage, HoldsTheOptionsAndNinePicturesInOrder) {
    const auto package = InternalSkinPackage();
    const auto convertor = ReadPackageBytes(package);
    ASSERT_TRUE(convertor->OptionsStream);
    EXPECT_EQ(convertor->ImageCount, 9);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"ButtonHuge.bmp", true}, {"Master.bmp", true},   {"Close.png", false},
        {"ExtBord.png", false},   {"GlowEdit.png", false}, {"Max.png", false},
        {"Min.png", false},       {"Norm.png", false},     {"RectHint1.png", false}};
    ASSERT_EQ(convertor->Images.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const TvlImageItem& item = convertor->Images[i];
        EXPECT_EQ(item.Name, expected[i].first) << "entry " << i + 1;
        EXPECT_EQ(item.IsBitmap, expected[i].second) << item.Name;
        EXPECT_EQ(DetectPictureFormat(item.Data), item.IsBitmap ? PictureFormat::Dib : PictureFormat::Png) << item.Name;
    }
    EXPECT_EQ(convertor->SourcePosition, package.size());
    // The first entry's stream: the name length, "Options.dat", the size, then the zlib header.
    constexpr std::size_t kFirstStream = 8 + 4 + 11 + 4;
    ASSERT_GT(package.size(), kFirstStream + 2);
    EXPECT_EQ(package[kFirstStream], 0x78);
    EXPECT_EQ(package[kFirstStream + 1], 0x9C);
}

TEST(InternalSkinPackage, PngEntriesCarryAlphaAndTheMasterIsOpaqueExceptTheKey) {
    const auto convertor = ReadPackageBytes(InternalSkinPackage());
    for (const TvlImageItem& item : convertor->Images) {
        const Bitmap32 picture = ReadPicture(item.Data, item.Name);
        bool translucent = false;
        for (int y = 0; y < picture.Height(); ++y)
            for (Pixel p : picture.Row(y))
                translucent |= (p >> 24) != 255 && p != kKeyPixel;
        EXPECT_EQ(translucent, !item.IsBitmap) << item.Name;
    }
}

struct GlobalFact {
    const char* Name;
    double Actual;
    double Expected;
};

TEST(InternalSkinFacts, GlobalValues) {
    const TsSkinManager& m = SharedManager();
    const TsSkinData& d = m.SkinData();
    ASSERT_TRUE(d.Active);
    EXPECT_EQ(m.SkinInfo(), "8");
    EXPECT_EQ(m.SkinName(), kInternalSkinName);
    EXPECT_TRUE(m.IsPacked());
    EXPECT_EQ(d.SkinFolder, "");
    const GlobalFact facts[] = {
        {"sections", double(m.Sections().size()), 70}, {"VERSION", d.Version, 8.00},
        {"TITLEHEIGHT", double(d.TitleHeight), 31},    {"BORDERWIDTH", double(d.BorderWidth), 8},
        {"MAXHEIGHT", double(d.MaxHeight), 28},        {"FORMOFFSET", double(d.FormOffset), 14},
        {"CENTEROFFSET", double(d.CenterOffset), -2},  {"BORDERMODE", double(d.BorderMode), 1},
        {"BISPACE", double(d.BISpace), -2},            {"BIRIGHT", double(d.BIRight), 0},
        {"BITOP", double(d.BITop), 1},                 {"BILEFT", double(d.BILeft), 0},
        {"BIVALIGN", double(d.BIVAlign), 0},           {"AEROBLUR", double(d.AeroBlur), 0},
    };
    for (const GlobalFact& fact : facts)
        EXPECT_EQ(fact.Actual, fact.Expected) << fact.Name;
}

TEST(InternalSkinFacts, KeysAndSectionsThatMustBeAbsent) {
    const TsSkinIni& options = StoredOptions();
    EXPECT_EQ(options.ReadString("GLOBALINFO", "MASTERBITMAP", ""), "MASTER.BMP");
    for (const char* key : {"BILEFT", "BIVALIGN", "BICLOSEALONE"})
        EXPECT_EQ(options.Find("GLOBALINFO", key), nullptr) << key;
    EXPECT_FALSE(options.SectionExists("CAPTION"));
    EXPECT_EQ(options.Find("STATUSBAR", "STATUSPANELMASK"), nullptr);
    EXPECT_EQ(options.ReadString("EDIT", "GLOW0", ""), "!GLOWEDIT.PNG!1!0!3!0007!0007!0007!0007!1");
    EXPECT_EQ(options.ReadString("GLOBALINFO", "EXBORDER", "").substr(0, 13), "!EXTBORD.PNG!");
}

struct MaskFact {
    const char* Section;
    const char* Key;
    int CellCount, MaskLayout;
    int Left, Top, Right, Bottom; // borders
    int FillFlags, CornerKind;
    TsMaskKind MaskKind;
    int CellWidth, CellHeight;
    bool OwnPicture;
};

TEST(InternalSkinFacts, Masks) {
    using enum TsMaskKind;
    const TsSkinManager& m = SharedManager();
    const MaskFact facts[] = {
        {"EDIT", "BORDERSMASK", 2, 0, 1, 1, 1, 1, 0, 0, mkBorder, 3, 3, false},
        {"EDIT", "GLOW0", 1, 0, 7, 7, 7, 7, 1, 0, mkAlphaPicture, 16, 16, true},
        {"BUTTON_HUGE", "BORDERSMASK", 3, 1, 31, 31, 32, 32, 4, 2, mkBorder, 64, 64, true},
        {"GLOBALINFO", "EXBORDER", 2, 0, 24, 54, 25, 25, 1, 0, mkAlphaPicture2, 50, 80, true},
        {"GLOBALINFO", "BICONCLOSE", 3, 1, 0, 0, 0, 0, 0, 0, mkGlyph, 24, 24, false},
        {"GLOBALINFO", "SICONCLOSE", 3, 1, 0, 0, 0, 0, 0, 0, mkGlyph, 14, 14, false},
        {"DIVIDER", "BORDERSMASK", 1, 0, 1, 0, 0, 0, 1, 0, mkBorder, 3, 6, false},
        {"SCROLLBTNLEFT", "BORDERSMASK", 3, 1, 5, 5, 5, 5, 5, 0, mkBorder, 26, 17, false},
        {"SCROLLBTNTOP", "BORDERSMASK", 3, 1, 5, 5, 5, 5, 5, 0, mkBorder, 17, 26, false},
        {"BUTTON", "BORDERSMASK", 3, 1, 4, 4, 4, 4, 5, 1, mkBorder, 12, 20, false},
    };
    for (const MaskFact& f : facts) {
        const std::string where = std::string(f.Section) + "/" + f.Key;
        const int index = MaskIndex(m, f.Section, f.Key);
        ASSERT_GE(index, 0) << where;
        const TsMaskData& mask = m.Masks()[std::size_t(index)];
        EXPECT_EQ(mask.CellCount, f.CellCount) << where;
        EXPECT_EQ(mask.MaskLayout, f.MaskLayout) << where;
        EXPECT_EQ((std::vector<int>{mask.BorderLeft, mask.BorderTop, mask.BorderRight, mask.BorderBottom}),
                  (std::vector<int>{f.Left, f.Top, f.Right, f.Bottom}))
            << where;
        EXPECT_EQ(mask.FillFlags, f.FillFlags) << where;
        EXPECT_EQ(mask.CornerKind, f.CornerKind) << where;
        EXPECT_EQ(mask.MaskKind, f.MaskKind) << where;
        EXPECT_EQ(CellWidth(mask), f.CellWidth) << where;
        EXPECT_EQ(CellHeight(mask), f.CellHeight) << where;
        EXPECT_EQ(mask.Image != nullptr, f.OwnPicture) << where;
    }
    const TsMaskData& edit = m.Masks()[std::size_t(MaskIndex(m, "EDIT", "BORDERSMASK"))];
    EXPECT_EQ(edit.Area, (TRect{51, 4, 57, 7}));
    const TsMaskData& close = m.Masks()[std::size_t(MaskIndex(m, "GLOBALINFO", "BICONCLOSE"))];
    EXPECT_EQ(WidthOf(close.Area), 72);
    const TsMaskData& exborder = m.Masks()[std::size_t(MaskIndex(m, "GLOBALINFO", "EXBORDER"))];
    EXPECT_EQ(exborder.Image->Width(), 100);
    EXPECT_EQ(exborder.Image->Height(), 80);
}

struct SectionFact {
    const char* Name;
    int States;
    bool BorderMask;
    int Transparency;  // normal look, -1: not checked
    int FadingIterations; // 0: fading off
};

TEST(InternalSkinFacts, Sections) {
    const TsSkinManager& m = SharedManager();
    const SectionFact facts[] = {
        {"FORM", 2, true, 0, 0},           {"FORMTITLE", 2, false, 0, 0},
        {"BUTTON", 3, true, 0, 10},        {"SPEEDBUTTON_SMALL", 3, true, 100, 10},
        {"GROUPBOX", 1, true, 100, 0},     {"CHECKBOX", 3, false, 100, 0},
        {"STATUSBAR", 1, true, 0, 0},      {"EDIT", 2, true, 0, 0},
        {"SCROLLBAR1H", 1, true, 0, 0},    {"SCROLLBAR2H", 1, true, 0, 0},
        {"SCROLLBAR1V", 1, true, 0, 0},    {"SCROLLBAR2V", 1, true, 0, 0},
        {"SCROLLBTNLEFT", 3, true, 0, 0},  {"SCROLLBTNRIGHT", 3, true, 0, 0},
        {"SCROLLBTNTOP", 3, true, 0, 0},   {"SCROLLBTNBOTTOM", 3, true, 0, 0},
        {"SCROLLSLIDERH", 2, true, 0, 0},  {"SCROLLSLIDERV", 2, true, 0, 0},
        {"TABTOP", 2, true, 0, 0},         {"PAGECONTROL", 1, true, -1, 0},
        {"GAUGE", 1, true, -1, 0},         {"MAINMENU", 1, true, -1, 0},
    };
    for (const SectionFact& f : facts) {
        const TsGeneralData& s = Section(m, f.Name);
        EXPECT_EQ(s.States, f.States) << f.Name;
        EXPECT_EQ(s.BorderIndex >= 0, f.BorderMask) << f.Name;
        if (f.Transparency >= 0) {
            EXPECT_EQ(s.Props[0].Transparency, f.Transparency) << f.Name;
        }
        EXPECT_EQ(s.FadingEnabled, f.FadingIterations > 0) << f.Name;
        if (f.FadingIterations > 0) {
            EXPECT_EQ(s.FadingIterations, f.FadingIterations) << f.Name;
        }
    }
    const TsGeneralData& edit = Section(m, "EDIT");
    EXPECT_EQ(edit.GlowCount, 1);
    EXPECT_EQ(edit.GlowMargin, 2);
    const TsGeneralData& title = Section(m, "FORMTITLE");
    EXPECT_EQ(title.Props[0].FontColor[FontColorEntry::fcText], TColor{12303291});
    EXPECT_EQ(title.Props[1].FontColor[FontColorEntry::fcText], TColor{16777215});
    const TsGeneralData& status = Section(m, "STATUSBAR");
    EXPECT_EQ(status.Props[0].Color, TColor{15856113});
    EXPECT_EQ(status.Props[0].FontColor[FontColorEntry::fcText], TColor{0});
    EXPECT_EQ(Section(m, "CHECKBOX").Props[1].Transparency, 100);
    for (const char* arrow : {"SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM"})
        EXPECT_GE(MaskIndex(m, arrow, "GLYPHMASK"), 0) << arrow;
    // Drawn arrows are as long as one state of the arrow masks (26) when SCROLLBTNLEFT says so.
    EXPECT_TRUE(Section(m, "SCROLLBTNLEFT").ReservedBoolean);
    EXPECT_FALSE(Section(m, "SCROLLBAR1H").ReservedBoolean);
    EXPECT_FALSE(Section(m, "SCROLLBAR1V").ReservedBoolean);
}

TEST(InternalSkinFacts, EverySectionThePaintersLookUpExists) {
    const TsSkinManager& m = SharedManager();
    for (const char* name :
         {"GLOBALINFO", "FORM", "FORMTITLE", "DIALOG", "DIALOGTITLE", "BUTTON", "BUTTON_HUGE", "SPEEDBUTTON",
          "SPEEDBUTTON_SMALL", "TOOLBUTTON", "MENUBTN", "EDIT", "COMBOBOX", "COMBOBTN", "CHECKBOX", "GROUPBOX", "PANEL",
          "PANEL_LOW", "BAR", "BARTITLE", "TOOLBAR", "DRAGBAR", "SPLITTER", "TRACKBAR", "PAGECONTROL",
          "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "TABSHEET", "TABTOP", "TABBOTTOM", "TABLEFT",
          "TABRIGHT", "STATUSBAR", "DIVIDER", "GAUGE", "PROGRESSH", "PROGRESSV", "MAINMENU", "MENUITEM", "MENUCAPTION",
          "DIVIDERV", "ICOLINE", "EXTRALINE", "SELECTION", "WEBBUTTON"})
        EXPECT_GE(m.GetSkinIndex(name), 0) << name;
    EXPECT_LT(m.GetSkinIndex("CAPTION"), 0);
}

TEST(InternalSkinFacts, CommonIndexesFindEverythingButTheAloneCloseAndTextures) {
    for (const auto& [key, index] : ListCommonIndexes(SharedManager().CommonIndexes())) {
        const bool texture = key.ends_with(".PATTERN") || key.ends_with(".HOTPATTERN");
        if (texture || key == "BICLOSEALONE")
            EXPECT_EQ(index, -1) << key;
        else
            EXPECT_GE(index, 0) << key;
    }
}

TEST(InternalSkinFacts, ExtendedBordersAreFourteenOnEverySideAndTheInactiveLookIsTheSecondCell) {
    const TsSkinManager& m = SharedManager();
    ASSERT_TRUE(m.ExtendedBordersInEffect());
    EXPECT_EQ(m.ExtendedMargins(), (std::array<int, 4>{14, 14, 14, 14}));
    const TsMaskData& mask = m.Masks()[std::size_t(MaskIndex(m, "GLOBALINFO", "EXBORDER"))];
    const Bitmap32& active = m.ExtendedBorderActive();
    const Bitmap32& inactive = m.ExtendedBorderInactive();
    ASSERT_EQ(active.Width(), 50);
    ASSERT_EQ(inactive.Width(), 50);
    ASSERT_EQ(active.Height(), 80);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(active.At(x, y), mask.Image->At(x, y)) << x << "," << y;
            ASSERT_EQ(inactive.At(x, y), mask.Image->At(50 + x, y)) << x << "," << y;
        }
    // The active title strip is darker than the inactive one.
    auto brightness = [](Pixel p) { return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF); };
    EXPECT_LT(brightness(active.At(24, 30)), brightness(inactive.At(24, 30)));
}

TEST(MainSkinManager, HasTheStoredProperties) {
    const TsSkinManager& m = SharedManager();
    EXPECT_TRUE(m.ExtendedBorders());
    ASSERT_EQ(m.InternalSkins().size(), 1u);
    EXPECT_EQ(m.InternalSkins()[0].Name, "Pewter (internal)");
    const auto package = InternalSkinPackage();
    EXPECT_TRUE(std::equal(package.begin(), package.end(), m.InternalSkins()[0].Data.begin(),
                           m.InternalSkins()[0].Data.end()));
    EXPECT_EQ(m.MenuSupport.IcoLineSkin, "ICOLINE");
    EXPECT_EQ(m.MenuSupport.ExtraLineFont.Name, "Tahoma");
    EXPECT_EQ(m.MenuSupport.ExtraLineFont.Height, -11);
    EXPECT_EQ(m.MenuSupport.ExtraLineFont.Color, clWindowText);
    for (int list = 0; list < kThirdPartyListCount; ++list)
        EXPECT_EQ(m.ThirdParty[std::size_t(list)], list == int(ThirdPartyListIndex::tpButtons) ? "TButton" : " ")
            << "list " << list;
    EXPECT_EQ(m.ThirdList(ThirdPartyListIndex::tpButtons), std::vector<std::string>{"TButton"});
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(m.HueOffset(), 0);
    EXPECT_EQ(m.Saturation(), 0);
}

} // namespace
} // namespace skin::testing

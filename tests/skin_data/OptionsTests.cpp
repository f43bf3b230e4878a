// The options model: value conventions, inheritance, sections and looks, the mask forms, the
// palette and the common sections, read from small fixture skins through the manager.
#include "SkinDataFixtures.h"

#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSkinOptionsLoad.h"
#include "skin/data/sSystemColors.h"

#include <gtest/gtest.h>

#include <climits>

namespace skin {
namespace {

using testing::CapturedMessages;
using testing::FixtureSkin;
using testing::LoadSkin;
using testing::SolidBitmap;

const TsGeneralData& SectionOf(const TsSkinManager& manager, const std::string& name) {
    const int index = manager.GetSkinIndex(name);
    EXPECT_GE(index, 0) << name;
    static const TsGeneralData kNone;
    return index >= 0 ? manager.Sections()[index] : kNone;
}

TEST(SkinOptionValues, IntegersBooleansAndReals) {
    struct Row {
        const char* Text;
        bool Valid;
        std::int32_t Value;
    };
    const Row rows[] = {{"12", true, 12},       {"-5", true, -5},        {"$FF", true, 255},
                        {"0x1F", true, 31},     {"0X1f", true, 31},      {"$FF000005", true, std::int32_t(0xFF000005)},
                        {"16777215", true, 16777215}, {"12a", false, 0}, {"", false, 0},
                        {"N/A", false, 0},      {"$", false, 0},         {"99999999999", false, 0},
                        {"1.5", false, 0}};
    for (const Row& row : rows) {
        std::int32_t value = 0;
        EXPECT_EQ(ParseOptionInteger(row.Text, value), row.Valid) << row.Text;
        if (row.Valid) {
            EXPECT_EQ(value, row.Value) << row.Text;
        }
    }
    for (const char* yes : {"1", "TRUE", "true", "True"})
        EXPECT_TRUE(OptionBoolean(yes)) << yes;
    for (const char* no : {"0", "yes", "", "2"})
        EXPECT_FALSE(OptionBoolean(no)) << no;
    EXPECT_DOUBLE_EQ(OptionReal("8.00"), 8.0);
    EXPECT_DOUBLE_EQ(OptionReal("7.45"), 7.45);
    EXPECT_DOUBLE_EQ(OptionReal("8,5"), 0.0);
    EXPECT_EQ(VersionText(8.0), "8");
    EXPECT_EQ(VersionText(8.5), "8.5");
}

TEST(SkinOptionValues, GradientSegments) {
    const TsGradArray segments = ParseGradient("16777215;16579836;97;0;0;16579836;16579836;0;0;0");
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0], (TsGradientSegment{TColor{16777215}, TColor{16579836}, 97, TsGradientKind::gkVertical}));
    EXPECT_EQ(segments[1], (TsGradientSegment{TColor{16579836}, TColor{16579836}, 0, TsGradientKind::gkVertical}));
    const TsGradArray clamped = ParseGradient("-5;7;150;1;0");
    ASSERT_EQ(clamped.size(), 1u);
    EXPECT_EQ(clamped[0], (TsGradientSegment{TColor{0}, TColor{7}, 100, TsGradientKind::gkHorizontal}));
    EXPECT_TRUE(ParseGradient("N/A").empty());
    EXPECT_TRUE(ParseGradient("1;2;3;4").empty());
}

TEST(SkinOptionsIni, CaseSensitiveOrderKeepingFirstKeyWins) {
    const TsSkinIni ini = TsSkinIni::Parse("; comment\r\n[B]\r\nK = one \r\nK=two\r\nk=lower\r\n[A]\nX=1\n[B]\nL=2\n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.Sections()[0].Name, "B");
    EXPECT_EQ(ini.ReadString("B", "K", "?"), "one");
    EXPECT_EQ(ini.ReadString("B", "k", "?"), "lower");
    EXPECT_EQ(ini.ReadString("b", "K", "missing"), "missing");
    EXPECT_EQ(ini.ReadString("B", "L", "?"), "2"); // a repeated section continues the first
}

TEST(SkinOptionsInheritance, ChainsDefaultsAndLoops) {
    const TsSkinIni ini = TsSkinIni::Parse(R"([BASE]
COLOR=255
STATES=1
GRADIENTDATA=1;2;3;0;0
[CHILD]
PARENTCLASS=BASE
COLOR=-1
TRANSPARENCY=abc
GRADIENTDATA=?
[GRANDCHILD]
PARENTCLASS=CHILD
[SELF]
PARENTCLASS=SELF
COLOR=7
[LOOPA]
PARENTCLASS=LOOPB
[LOOPB]
PARENTCLASS=LOOPC
STATES=1
[LOOPC]
PARENTCLASS=LOOPA
[SYSBASE]
COLOR=-2147483633
[SYS]
PARENTCLASS=SYSBASE
[QUESTION]
PARENTCLASS=?
)");
    const TsOptionsReader reader(ini);
    EXPECT_EQ(reader.ReadInteger("CHILD", "COLOR", 1), 255) << "-1 counts as missing";
    EXPECT_EQ(reader.ReadInteger("GRANDCHILD", "COLOR", 1), 255);
    EXPECT_EQ(reader.ReadInteger("CHILD", "TRANSPARENCY", 9), 9) << "a non-number counts as missing";
    EXPECT_EQ(reader.ReadString("GRANDCHILD", "GRADIENTDATA", "-"), "1;2;3;0;0") << "\"?\" counts as missing";
    EXPECT_EQ(reader.ReadInteger("SELF", "COLOR", 1), 7);
    EXPECT_EQ(reader.ReadInteger("SELF", "STATES", 3), 3);
    EXPECT_EQ(reader.ReadInteger("LOOPA", "STATES", 3), 1);
    EXPECT_EQ(reader.ReadInteger("LOOPA", "GLOW", 42), 42) << "a looping chain ends with the default";
    EXPECT_EQ(reader.ReadString("LOOPC", "GRADIENTDATA", "none"), "none");
    EXPECT_EQ(reader.ReadInteger("SYS", "COLOR", 1), 0xF0F0F0) << "a parent's system colour is resolved";
    EXPECT_EQ(reader.ReadInteger("SYSBASE", "COLOR", 1), -2147483633) << "the section's own value is not";
    EXPECT_EQ(reader.ReadInteger("QUESTION", "COLOR", 5), 5);
}

FixtureSkin SectionSkin() {
    FixtureSkin skin;
    skin.Options = R"([GLOBALINFO]
VERSION=8.00
TITLEHEIGHT=0
ALIGNOFFSET=3
ALIGNOFFSETT=5
SHADOW1BLUR=2
[ONESTATE]
STATES=1
COLOR=255
HOTCOLOR=65280
FONTCOLOR=$00FF00
TCLEFT=7
[TWOSTATE]
STATES=2
COLOR=-2147483643
HOTCOLOR=-2147483643
GRADIENTDATA=N/A
GRADIENTPERCENT=50
HOTGRADIENTDATA=5
HOTGRADIENTPERCENT=60
GCOL=-2147483633
FADINGENABLED=true
GLOW=1
GLOWMARGIN=2
[INHERITS]
PARENTCLASS=TWOSTATE
)";
    return skin;
}

TEST(SkinOptionsSections, GlobalValuesAndTheTwoLooks) {
    CapturedMessages messages;
    const auto manager = LoadSkin(SectionSkin());
    ASSERT_TRUE(manager->SkinData().Active) << messages.Errors();
    const TsSkinData& data = manager->SkinData();
    EXPECT_EQ(data.TitleHeight, 30);
    EXPECT_EQ(data.MaxHeight, 30);
    EXPECT_EQ(data.AlignOffsetR, 3);
    EXPECT_EQ(data.AlignOffsetT, 5);
    EXPECT_EQ(data.Shadow1Blur, 2);
    EXPECT_EQ(data.FormOffset, kSizingFrameWidth);
    EXPECT_EQ(manager->SkinInfo(), "8");
    ASSERT_EQ(manager->Sections().size(), 4u);

    const TsGeneralData& one = SectionOf(*manager, "ONESTATE");
    EXPECT_EQ(one.Props[1].Color, TColor{255}) << "one state: the hot look is the normal look";
    EXPECT_EQ(one.Props[0].FontColor[FontColorEntry::fcText], TColor{0x00FF00});
    EXPECT_EQ(one.Props[0].FontColor[FontColorEntry::fcLeft], TColor{7});
    EXPECT_EQ(one.Props[0].FontColor[FontColorEntry::fcTop], kNoColor);
    EXPECT_EQ(one.Props[1].Color, TColor{255});
    EXPECT_TRUE(one.ShowFocus);

    const TsGeneralData& two = SectionOf(*manager, "TWOSTATE");
    EXPECT_EQ(two.Props[0].Color, TColor{0xFFFFFF}) << "normal colour resolved";
    EXPECT_EQ(two.Props[1].Color, TColor{0x80000005}) << "hot colour as read";
    EXPECT_EQ(two.Props[0].GradientPercent, 50) << "\"N/A\" is long enough to keep the percent";
    EXPECT_TRUE(two.Props[0].GradientArray.empty());
    EXPECT_EQ(two.Props[1].GradientPercent, 0) << "a gradient text under 2 characters";
    EXPECT_EQ(two.Props[0].GlowColor, TColor{0xF0F0F0});
    EXPECT_TRUE(two.FadingEnabled);
    EXPECT_EQ(two.FadingIterations, 5);
    EXPECT_EQ(two.GlowCount, 1);
    EXPECT_EQ(two.GlowMargin, 2);

    const TsGeneralData& child = SectionOf(*manager, "INHERITS");
    EXPECT_EQ(child.ParentClass, "TWOSTATE");
    EXPECT_EQ(child.States, 2);
    EXPECT_EQ(child.Props[1].Color, TColor{0xFFFFFF}) << "a hot colour inherited from a parent is resolved";
}

TEST(SkinOptionsSections, StrictFieldFailsTheLoadAndKeepsThePreviousSkin) {
    FixtureSkin bad = SectionSkin();
    bad.Options += "[GLOBALINFO]\nSHADOW1OFFSET=abc\n";
    CapturedMessages messages;
    auto manager = LoadSkin(SectionSkin());
    ASSERT_EQ(manager->SkinName(), "Fixture");
    TsStoredSkin second;
    second.Name = "Broken";
    second.Data = testing::PackSkin(bad);
    manager->InternalSkins().push_back(std::move(second));
    manager->SetSkinName("Broken");
    EXPECT_EQ(messages.Errors(), "Broken: 'abc' is not a valid integer value"); // naming the skin
    EXPECT_EQ(manager->SkinName(), "Fixture");
    EXPECT_EQ(manager->Sections().size(), 4u) << "the previous skin stays loaded";
    EXPECT_TRUE(manager->SkinData().Active);
}

// Master 64 x 32 with a key pixel at (0, 0); FRAME.BMP 27 x 12 with a key pixel at (26, 11);
// GLOW.PNG 20 x 10, half-transparent red.
FixtureSkin MaskSkin(const std::string& version, const std::string& masks) {
    FixtureSkin skin;
    Bitmap32 master = SolidBitmap(64, 32, 0xFF336699);
    master.At(0, 0) = 0x00FF00FF;
    Bitmap32 frame = SolidBitmap(27, 12, 0xFF808080);
    frame.At(26, 11) = 0x00FF00FF;
    skin.Bitmaps = {{"Master.bmp", master}, {"Frame.bmp", frame}};
    skin.Pngs = {{"Glow.png", SolidBitmap(20, 10, 0x80FF0000)}};
    skin.Options = "[GLOBALINFO]\nVERSION=" + version + "\nMASTERBITMAP=MASTER.BMP\n[M]\n" + masks;
    return skin;
}

struct MaskRow {
    const char* Value;
    bool Made;
    TRect Area = {};
    int CellCount = 0, MaskLayout = 0;
    TsMaskKind MaskKind = TsMaskKind::mkBorder;
    int BorderLeft = 0, BorderTop = 0, BorderRight = 0,
        BorderBottom = 0, FillFlags = 0, BorderWidth = 0, CornerKind = 0;
    bool OwnImage = false;
};

TEST(SkinOptionsMasks, EveryFormWithItsDefaults) {
    using enum TsMaskKind;
    const MaskRow rows[] = {
        {"@0001,0002,0031,0012,3,0", true, {1, 2, 31, 12}, 3, 0, mkGlyph, 0, 0, 0, 0, 0, 0, 0, false},
        {"^0000,0000,0030,0012,0000,0000,0000,0000,3,1,4,0", true, {0, 0, 30, 12}, 3, 1, mkBorder, 3, 2, 3, 2, 4, 0, 1,
         false},
        {"^0002,0002,0032,0014,0000,0000,0000,0000,3,1,4,2", true, {2, 2, 32, 14}, 3, 1, mkBorder, 2, 2, 2, 2, 4, 2, 0,
         false},
        {"^0002,0002,0032,0014,0001,0002,0003,0004,1,0,0,0", true, {2, 2, 32, 14}, 1, 0, mkBorder, 1, 2, 3, 4, 0, 0, 0,
         false},
        {"~0010,0000,0020,0010,07,1", true, {10, 0, 20, 10}, 1, 1, mkTexture, 0, 0, 0, 0, 7, 0, 0, false},
        {"~0010,0000,0020,0010,07", true, {10, 0, 20, 10}, 1, 0, mkTexture, 0, 0, 0, 0, 7, 0, 0, false},
        {"!GLOW.PNG!2!0!3!0007!0007!0007!0007!1", true, {0, 0, 20, 10}, 2, 0, mkAlphaPicture, 7, 7, 7, 7, 1, 0, 0, true},
        {"!GLOW.PNG!0!0!9", true, {0, 0, 20, 10}, 1, 0, mkAlphaPicture2, 6, 3, 6, 3, 1, 0, 0, true},
        {"!GLOW.PNG!1!0!-3!1!1!1!1", true, {0, 0, 20, 10}, 1, 0, mkBorder, 1, 1, 1, 1, 1, 0, 0, true},
        {"!FRAME.BMP!3!1!0!3!2!3!2!0", true, {0, 0, 27, 12}, 3, 1, mkBorder, 3, 2, 3, 2, 0, 0, 0, true},
        {"!FRAME.BMP!1!0!0!3!2!3!2!0", true, {0, 0, 27, 12}, 1, 0, mkBorder, 3, 2, 3, 2, 0, 0, 1, true},
        {"FRAME.BMP", true, {0, 0, 27, 12}, 3, 1, mkBorder, 3, 2, 3, 2, 0, 0, 0, true},
        {"#(2,4,32,16)(3,1,0,5)", true, {2, 4, 32, 16}, 3, 1, mkBorder, 10, 6, 10, 6, 5, 0, 0, false},
        {"#(0,0,30,12)(0,-1,2)", true, {0, 0, 30, 12}, 1, 0, mkBorder, 2, 2, 2, 2, 1, 2, 1, false},
        {"!glow.png!1", false},
        {"!MISSING.PNG!1", false},
        {"!GLOW.GIF!1", false},
        {"#", false},
        {"N/A", false},
        {"12", false},
    };
    for (const MaskRow& row : rows) {
        CapturedMessages messages;
        const auto manager = LoadSkin(MaskSkin("8.00", std::string("K=") + row.Value + "\n"));
        ASSERT_TRUE(manager->SkinData().Active) << row.Value << ": " << messages.Errors();
        const int index = manager->FindMask("M", "K");
        ASSERT_EQ(index >= 0, row.Made) << row.Value;
        if (!row.Made)
            continue;
        const TsMaskData& m = manager->Masks()[index];
        EXPECT_EQ(m.Area, row.Area) << row.Value;
        EXPECT_EQ(m.CellCount, row.CellCount) << row.Value;
        EXPECT_EQ(m.MaskLayout, row.MaskLayout) << row.Value;
        EXPECT_EQ(m.MaskKind, row.MaskKind) << row.Value;
        EXPECT_EQ((std::array<int, 4>{m.BorderLeft, m.BorderTop, m.BorderRight, m.BorderBottom}),
                  (std::array<int, 4>{row.BorderLeft, row.BorderTop, row.BorderRight, row.BorderBottom}))
            << row.Value;
        EXPECT_EQ(m.FillFlags, row.FillFlags) << row.Value;
        EXPECT_EQ(m.BorderWidth, row.BorderWidth) << row.Value;
        EXPECT_EQ(m.CornerKind, row.CornerKind) << row.Value;
        EXPECT_EQ(m.Image != nullptr, row.OwnImage) << row.Value;
        EXPECT_EQ(&MaskPicture(manager->Model(), m), m.Image ? m.Image.get() : &manager->MasterBitmap()) << row.Value;
    }
}

TEST(SkinOptionsMasks, BrokenPicturesFailTheLoadNamingTheEntry) {
    FixtureSkin skin = MaskSkin("8.00", "K=!BAD.PNG!1\n");
    auto manager = LoadSkin(MaskSkin("8.00", ""));
    TsStoredSkin broken;
    broken.Name = "Broken";
    std::vector<PackageEntry> entries = {{"Options.dat", ByteArray(skin.Options.begin(), skin.Options.end())},
                                         {"Bad.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0}}};
    broken.Data = WritePackage(entries);
    manager->InternalSkins().push_back(std::move(broken));
    CapturedMessages messages;
    manager->SetSkinName("Broken");
    EXPECT_NE(messages.Errors().find("BAD.PNG"), std::string::npos) << messages.Errors();
    EXPECT_EQ(manager->SkinName(), "Fixture");
}

// Areas at the ends of the 32-bit range load without overflow (cell widths saturate, corner
// tests work in 64 bits); an area that covers more of its picture than the mask area limit
// is refused with a message naming the mask and the limit.
TEST(SkinOptionsMasks, HostileAreasLoadOrAreRefusedByTheMaskAreaLimit) {
    TsSkinModel model;
    model.MasterBitmap = SolidBitmap(8, 8, kKeyPixel);
    const TsSkinIni ini;
    const TsLoadContext context{ini, TsSkinImageSource{}, nullptr, nullptr};
    AppendMaskFromValue(model, context, "S", "WIDE", "#(-2,0,2147483647,30)(2,0,20,1)");
    AppendMaskFromValue(model, context, "S", "LOW", "#(0,2147483637,30,2147483647)(1,0,20,1)");
    ASSERT_EQ(model.ma.size(), 2u);
    EXPECT_EQ(CellWidth(model.ma[0]), INT32_MAX / 2);
    EXPECT_EQ(model.ma[0].CornerKind, 1); // its top-left corner covers keyed pixels
    EXPECT_EQ(CellHeight(model.ma[1]), 10);
    EXPECT_EQ(model.ma[1].CornerKind, 0); // wholly below the picture

    model.MasterBitmap = Bitmap32(4097, 4096);
    try {
        AppendMaskFromValue(model, context, "FORM", "BORDERSMASK", "#(-9,0,5000,5000)(1,0,4,1)");
        ADD_FAILURE() << "loaded";
    } catch (const EPackageError& failure) {
        EXPECT_EQ(std::string(failure.what()), "Skin mask FORM.BORDERSMASK covers 4097 x 4096 pixels of its picture, "
                                               "more than the mask area limit (16777216 pixels) allows");
    }
    AppendMaskFromValue(model, context, "FORM", "BORDERSMASK", "#(1,0,5000,5000)(1,0,4,1)"); // 4096 x 4096
    EXPECT_EQ(model.ma.size(), 3u);
}

TEST(SkinOptionsMasks, StrictFormsFailWithTheConversionMessage) {
    CapturedMessages messages;
    const auto manager = LoadSkin(MaskSkin("8.00", "K=^00x1,0000,0030,0012,0000,0000,0000,0000,3,1,4,0\n"));
    EXPECT_EQ(messages.Errors(), "Fixture: '00x1' is not a valid integer value"); // naming the skin
    EXPECT_FALSE(manager->SkinData().Active);
    CapturedMessages shortValue;
    LoadSkin(MaskSkin("8.00", "K=@0001,0002\n"));
    EXPECT_EQ(shortValue.Errors(), "Fixture: '' is not a valid integer value");
}

TEST(SkinOptionsMasks, VisitOrderButtonHugeOldSkinsAndPictures) {
    const std::string masks = "A=^0000,0000,0009,0006,0001,0001,0001,0001,3,1,0,0\n"
                              "B=^0000,0000,0012,0006,0001,0001,0001,0001,3,1,1,0\n"
                              "P=!GLOW.PNG!1\n"
                              "[BUTTON_HUGE]\nBORDERSMASK=FRAME.BMP\n";
    const auto current = LoadSkin(MaskSkin("8.00", masks));
    const auto old = LoadSkin(MaskSkin("7.00", masks));
    ASSERT_EQ(current->Masks().size(), 4u);
    EXPECT_EQ(current->FindMask("M", "A"), 0);
    EXPECT_EQ(current->FindMask("BUTTON_HUGE", "BORDERSMASK"), 3);
    EXPECT_EQ(current->Masks()[3].CornerKind, 2);
    // Old skins: a 1 x 1 centre sets the stretch flag, any other centre clears it.
    EXPECT_EQ(current->Masks()[0].FillFlags, 0);
    EXPECT_EQ(old->Masks()[0].FillFlags, kFillStretch);
    EXPECT_EQ(current->Masks()[1].FillFlags, 1);
    EXPECT_EQ(old->Masks()[1].FillFlags, 0);
    // PNG pictures are premultiplied for current skins; older ones only lose their white key.
    EXPECT_EQ(current->Masks()[2].Image->At(0, 0), 0x807F0000u);
    const auto older = LoadSkin(MaskSkin("7.45", masks));
    EXPECT_EQ(older->Masks()[2].Image->At(0, 0), 0x80FF0000u);
    // The master bitmap: 32 bits, alpha 255 except the key pixel.
    EXPECT_EQ(current->MasterBitmap().Width(), 64);
    EXPECT_EQ(current->MasterBitmap().At(0, 0), 0x00FF00FFu);
    EXPECT_EQ(current->MasterBitmap().At(1, 0), 0xFF336699u);
}

TEST(SkinOptionsMasks, LookUpsFollowParentClassAndStopOnLoops) {
    const std::string masks = "BORDERSMASK=^0000,0000,0030,0012,0000,0000,0000,0000,3,1,4,0\n"
                              "PATTERN=~0010,0000,0020,0010,07,1\n"
                              "[CHILD]\nPARENTCLASS=M\n[LOOPA]\nPARENTCLASS=LOOPB\n[LOOPB]\nPARENTCLASS=LOOPA\n";
    const auto manager = LoadSkin(MaskSkin("8.00", masks));
    const int child = manager->GetSkinIndex("CHILD");
    EXPECT_EQ(manager->GetMaskIndex(child, "CHILD", "BORDERSMASK"), 0);
    EXPECT_EQ(manager->GetTextureIndex(child, "CHILD", "BORDERSMASK"), -1) << "not a texture";
    EXPECT_EQ(manager->GetTextureIndex(child, "CHILD", "PATTERN"), 1);
    EXPECT_EQ(manager->FindMask("CHILD", "BORDERSMASK"), -1);
    EXPECT_EQ(manager->GetMaskIndex(-1, "M", "BORDERSMASK"), -1);
    EXPECT_EQ(manager->Sections()[child].BorderIndex, 0);
    EXPECT_EQ(manager->Sections()[child].TextureIndex, 1);
    const int loop = manager->GetSkinIndex("LOOPA");
    EXPECT_EQ(manager->GetMaskIndex(loop, "LOOPA", "BORDERSMASK"), -1);
    EXPECT_EQ(manager->GetSkinIndex(""), -1);
    EXPECT_EQ(manager->GetSkinIndex("child"), -1);
    EXPECT_EQ(manager->MaskBorderLeft(0), 3);
    EXPECT_EQ(manager->MaskBorderBottom(0), 2);
    EXPECT_EQ(manager->MaskBorderTop(1), CellHeight(manager->Masks()[1])) << "no borders, no width: the cell";
}

TEST(SkinOptionsPalette, DefaultsSelectionAndMenuItemRules) {
    struct Row {
        const char* What;
        std::string Options;
        std::array<std::uint32_t, 4> Selection; // entries 6 to 9
    };
    const std::vector<Row> rows = {
        {"neither section", "", {0xD77800, 0xFFFFFF, 0xD77800, 0xFFFFFF}},
        {"selection", "[SELECTION]\nSTATES=2\nCOLOR=1\nFONTCOLOR=2\nHOTCOLOR=3\nHOTFONTCOLOR=4\n", {1, 2, 3, 4}},
        {"one-state selection", "[SELECTION]\nSTATES=1\nCOLOR=1\nFONTCOLOR=2\nHOTCOLOR=3\n", {1, 2, 1, 2}},
        {"keyed selection text, menu item", "[SELECTION]\nFONTCOLOR=16711935\n[MENUITEM]\nHOTCOLOR=9\nHOTFONTCOLOR=16711935\n",
         {9, 0xFF00000E, 9, 0xFF00000E}},
        {"keyed selection text, no menu item", "[SELECTION]\nFONTCOLOR=16711935\n",
         {0xD77800, 0xFFFFFF, 0xD77800, 0xFFFFFF}},
    };
    for (const Row& row : rows) {
        FixtureSkin skin;
        skin.Options = "[GLOBALINFO]\nVERSION=8\nEDITTEXT_ALERT=77\n[EDIT]\nCOLOR=16777215\nFONTCOLOR=0\n" + row.Options;
        const auto manager = LoadSkin(skin);
        const TsPalette& p = manager->Palette();
        EXPECT_EQ((std::array<std::uint32_t, 4>{ColorBits(p[6]), ColorBits(p[7]), ColorBits(p[8]), ColorBits(p[9])}),
                  row.Selection)
            << row.What;
        EXPECT_EQ(p[0], TColor{0xF0F0F0}) << row.What;
        EXPECT_EQ(p[4], TColor{0});
        EXPECT_EQ(p[5], TColor{0xFFFFFF});
        EXPECT_EQ(p[13], TColor{0xF2F2F2}) << "LerpColor(edit text, edit colour, 0.05)";
        EXPECT_EQ(p[16], TColor{77});
        EXPECT_EQ(p[17], TColor{77});
        EXPECT_EQ(p[19], TColor{0x6CC2A5});
        EXPECT_EQ(manager->GetHighLightColor(TsLook::Hot), p[8]);
    }
}

TEST(SkinOptionsCommonSections, UpdateAndAppendSections) {
    FixtureSkin skin;
    skin.Options = "[GLOBALINFO]\nVERSION=8\n[EDIT]\nSTATES=2\nCOLOR=100\nFADINGITERATIONS=7\nTCLEFT=3\n";
    const auto manager = LoadSkin(skin, [](TsSkinManager& m) {
        m.SetCommonSections({"[EDIT]", "COLOR = 255", "; a comment", "[MYEDIT]", "PARENTCLASS=edit", "SHOWFOCUS=0",
                             "[FRESH]", "STATES=1"});
    });
    EXPECT_EQ(manager->CommonSections()[1], "COLOR=255");
    const TsGeneralData& edit = SectionOf(*manager, "EDIT");
    EXPECT_EQ(edit.Props[0].Color, TColor{255});
    EXPECT_EQ(edit.FadingIterations, 7);
    const TsGeneralData& mine = SectionOf(*manager, "MYEDIT");
    EXPECT_EQ(mine.Props[0].Color, TColor{255}) << "starts from the section PARENTCLASS names";
    EXPECT_EQ(mine.Props[0].FontColor[FontColorEntry::fcLeft], TColor{3});
    EXPECT_FALSE(mine.ShowFocus);
    const TsGeneralData& fresh = SectionOf(*manager, "FRESH");
    EXPECT_EQ(fresh.States, 1);
    EXPECT_EQ(fresh.FadingIterations, -1);
}

} // namespace
} // namespace skin

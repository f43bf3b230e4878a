// How the manager chooses and adjusts the internal skin: the name rules, the look-ups that follow
// PARENTCLASS, a folder that overrides the stored skin, and a hue shift that keeps the close button.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <filesystem>

#include "resources/TovrinResources.h"
#include "tests/internal_skin/InternalSkinFixture.h"

namespace skin::testing {
namespace {

// A manager holding the internal skin, streamed with the given name and settings.
std::unique_ptr<TsSkinManager> Streamed(const std::string& skinName, const std::string& directory,
                                        int hueOffset = 0) {
    auto manager = std::make_unique<TsSkinManager>();
    manager->BeginLoading();
    manager->SetSkinDirectory(directory);
    manager->SetHueOffset(hueOffset);
    ApplyMainSkinManagerProperties(*manager);
    manager->SetSkinName(skinName);
    manager->EndLoading();
    return manager;
}

TEST(InternalSkinChoice, NotLoadedBeforeANameIsSet) {
    TsSkinManager manager;
    EXPECT_EQ(manager.SkinInfo(), "N/A");
}

TEST(InternalSkinChoice, AnUnknownNameFallsBackToTheInternalSkinAndTakesItsName) {
    for (const std::string name : {"No such skin", "", "pewter (internal)"}) {
        const auto manager = Streamed(name, kMissingSkinDirectory);
        EXPECT_EQ(manager->SkinName(), kInternalSkinName) << "'" << name << "'";
        EXPECT_EQ(manager->SkinInfo(), "8") << "'" << name << "'";
        EXPECT_TRUE(manager->IsPacked()) << "'" << name << "'";
    }
}

TEST(InternalSkinChoice, ANameEndingInVlzLosesTheExtension) {
    const auto manager = Streamed("Pewter (internal).VLZ", kMissingSkinDirectory);
    EXPECT_EQ(manager->SkinName(), kInternalSkinName);
    EXPECT_EQ(manager->SkinData().SkinFolder, "");
}

TEST(InternalSkinChoice, AFolderOfTheSameNameInTheSkinDirectoryWins) {
    // The generated folder, copied under the stored skin's name: a skin author's edited copy.
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() /
                          ("tovrin-internal-skin-" + std::to_string(QCoreApplication::applicationPid()));
    const fs::path folder = root / kInternalSkinName;
    fs::create_directories(folder);
    fs::copy(fs::path(TOVRIN_PEWTER_SKIN_DIR), folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const auto manager = Streamed(kInternalSkinName, root.string());
    EXPECT_FALSE(manager->IsPacked());
    EXPECT_NE(manager->SkinData().SkinFolder, "");
    EXPECT_EQ(manager->Sections().size(), 70u);
    EXPECT_GE(manager->FindMask("BUTTON_HUGE", "BORDERSMASK"), 0);
    fs::remove_all(root);
}

TEST(InternalSkinLookups, MasksFollowParentClass) {
    const TsSkinManager& m = SharedManager();
    struct Row {
        const char* Section;
        const char* FoundIn;
    };
    const Row rows[] = {{"TABBOTTOM", "TABBOTTOM"}, {"ALPHAEDIT", "EDIT"}, {"MEMO", "EDIT"},
                        {"DIALOG", "FORM"},         {"PAGECONTROLBOTTOM", "PAGECONTROL"}, {"UPDOWN", "SPEEDBUTTON_SMALL"}};
    for (const Row& row : rows) {
        const int index = m.GetMaskIndex(m.GetSkinIndex(row.Section), row.Section, "BORDERSMASK");
        EXPECT_EQ(index, m.FindMask(row.FoundIn, "BORDERSMASK")) << row.Section;
        EXPECT_GE(index, 0) << row.Section;
    }
    EXPECT_EQ(m.FindMask("MEMO", "BORDERSMASK"), -1);
    EXPECT_EQ(m.GetMaskIndex(m.GetSkinIndex("PANEL"), "PANEL", "BORDERSMASK"), -1);
}

TEST(InternalSkinAdjustments, AHueShiftKeepsTheCloseButtonButTurnsTheGlow) {
    const TsSkinManager& plain = SharedManager();
    const auto shifted = Streamed(kInternalSkinName, kMissingSkinDirectory, 120);
    const TsMaskData& close = plain.Masks()[std::size_t(plain.FindMask("GLOBALINFO", "BICONCLOSE"))];
    // Every pixel of the close button's cells and mask pictures keeps its value.
    for (int y = close.Area.Top; y < close.Area.Bottom; ++y)
        for (int x = close.Area.Left; x < close.Area.Right; ++x)
            ASSERT_EQ(shifted->MasterBitmap().At(x, y), plain.MasterBitmap().At(x, y)) << x << "," << y;
    // The edit's blue halo has its own picture and turns.
    const TsMaskData& glow = plain.Masks()[std::size_t(plain.FindMask("EDIT", "GLOW0"))];
    const TsMaskData& turned = shifted->Masks()[std::size_t(shifted->FindMask("EDIT", "GLOW0"))];
    EXPECT_NE(*glow.Image, *turned.Image);
}

} // namespace
} // namespace skin::testing

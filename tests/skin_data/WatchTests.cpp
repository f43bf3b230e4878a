// The skin watch: every way editors save reloads the skin once their writes pause, and only
// once; an editor's own files reload nothing; a save that cannot be loaded (or an options text
// gone for a moment) keeps the last good skin and says where; the next good save takes over;
// the hue stays applied; a package file is watched as a folder is.
#include "SkinDataFixtures.h"

#include "skin/data/sSkinWatch.h"
#include "skin/pixels/ColorOps.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace skin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr int kQuietMs = 60;

std::string Options(int buttonColour, const std::string& more = "") {
    return "[GLOBALINFO]\nVERSION=8.00\n" + more + "[BUTTON]\nCOLOR=" + std::to_string(buttonColour) + "\n";
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    return done();
}

// Lets the event loop run for a while (for what must not happen).
void Idle(int milliseconds) { WaitUntil([] { return false; }, milliseconds); }

// A manager with a skin folder "Live" loaded and watched.
class WatchedSkin {
public:
    explicit WatchedSkin(const std::string& options, bool package = false) {
        fs::create_directories(Folder());
        WriteText(Folder() / "Options.dat", options);
        if (package)
            testing::WriteBytes(dir_ / "Live.vlz", PackFolder(Folder().string()));
        manager_ = std::make_unique<TsSkinManager>();
        // A skin stored in the program, which a folder without its options text must not fall back to.
        TsStoredSkin stored;
        stored.Name = "Stored";
        stored.Data = testing::PackSkin(testing::FixtureSkin{Options(7), {}, {}});
        manager_->InternalSkins().push_back(std::move(stored));
        manager_->SetSkinDirectory(dir_.Path().string());
        manager_->SetSkinName("Live");
        watcher_ = new TsSkinWatcher(*manager_);
        watcher_->SetQuietTime(kQuietMs);
        watcher_->OnReload = [this](const TsSkinReload& reload) { Reloads.push_back(reload); };
        std::string why;
        EXPECT_TRUE(watcher_->WatchLoadedSkin(why)) << why;
    }

    fs::path Folder() const { return dir_.Path() / "Live"; }
    fs::path Package() const { return dir_.Path() / "Live.vlz"; }
    TsSkinManager& Manager() { return *manager_; }
    TsSkinWatcher& Watcher() { return *watcher_; }
    std::uint32_t ButtonColour() const {
        const int index = manager_->GetSkinIndex("BUTTON");
        return index < 0 ? 0xFFFFFFFFu : ColorBits(manager_->Sections()[index].Props[TsLook::Normal].Color);
    }
    bool WaitForReloads(std::size_t count) { return WaitUntil([&] { return Reloads.size() >= count; }); }

    std::vector<TsSkinReload> Reloads;

private:
    TempFolder dir_;
    std::unique_ptr<TsSkinManager> manager_;
    TsSkinWatcher* watcher_ = nullptr; // the manager's child
};

TEST(SkinWatch, EveryWayEditorsSaveReloadsOnce) {
    using Save = void (*)(const fs::path& file, const std::string& text);
    struct Row {
        const char* Name;
        Save Write;
    };
    const Row rows[] = {
        {"written in place", [](const fs::path& file, const std::string& text) { WriteText(file, text); }},
        {"a new file renamed over it (sed -i)",
         [](const fs::path& file, const std::string& text) {
             WriteText(file.string() + ".new", text);
             fs::rename(file.string() + ".new", file);
         }},
        {"removed, then written anew",
         [](const fs::path& file, const std::string& text) {
             fs::remove(file);
             WriteText(file, text);
         }},
        {"kept as a backup, then written anew",
         [](const fs::path& file, const std::string& text) {
             fs::rename(file, file.string() + "~");
             WriteText(file, text);
         }},
    };
    for (const Row& row : rows) {
        WatchedSkin skin(Options(255));
        ASSERT_EQ(skin.ButtonColour(), 255u) << row.Name;
        row.Write(skin.Folder() / "Options.dat", Options(65280));
        ASSERT_TRUE(skin.WaitForReloads(1)) << row.Name;
        Idle(3 * kQuietMs);
        ASSERT_EQ(skin.Reloads.size(), 1u) << row.Name;
        EXPECT_TRUE(skin.Reloads[0].Loaded) << row.Name << ": " << skin.Reloads[0].Failure;
        EXPECT_EQ(skin.ButtonColour(), 65280u) << row.Name;
        // The file the editor left is watched again: a save in place, which changes no folder, is
        // seen too.
        WriteText(skin.Folder() / "Options.dat", Options(16711680));
        ASSERT_TRUE(skin.WaitForReloads(2)) << row.Name;
        EXPECT_EQ(skin.ButtonColour(), 16711680u) << row.Name;
    }
}

TEST(SkinWatch, AnEditorsOwnFilesReloadNothingAndABurstOfWritesReloadsOnce) {
    WatchedSkin skin(Options(255));
    WriteText(skin.Folder() / ".Options.dat.swp", "swap");
    WriteText(skin.Folder() / "#Options.dat#", "autosave");
    Idle(4 * kQuietMs);
    EXPECT_TRUE(skin.Reloads.empty());
    for (int colour : {1, 2, 3, 4, 5}) {
        WriteText(skin.Folder() / "Options.dat", Options(colour));
        Idle(kQuietMs / 4);
    }
    ASSERT_TRUE(skin.WaitForReloads(1));
    Idle(3 * kQuietMs);
    EXPECT_EQ(skin.Reloads.size(), 1u);
    EXPECT_EQ(skin.ButtonColour(), 5u);
}

TEST(SkinWatch, ASaveThatCannotBeLoadedKeepsTheLastGoodSkinUntilTheNextGoodOne) {
    WatchedSkin skin(Options(255));
    WriteText(skin.Folder() / "Options.dat", Options(65280, "SHADOW1OFFSET=two\n"));
    ASSERT_TRUE(skin.WaitForReloads(1));
    EXPECT_FALSE(skin.Reloads[0].Loaded);
    EXPECT_EQ(skin.Reloads[0].Failure, "'two' is not a valid integer value");
    EXPECT_EQ(skin.Reloads[0].FailurePlace, "Options.dat:3: [GLOBALINFO] SHADOW1OFFSET");
    EXPECT_EQ(skin.ButtonColour(), 255u);
    EXPECT_TRUE(skin.Manager().SkinData().Active);
    // An options text that is gone (an editor between its writes) is no reason to take another skin.
    fs::remove(skin.Folder() / "Options.dat");
    ASSERT_TRUE(skin.WaitForReloads(2));
    EXPECT_FALSE(skin.Reloads[1].Loaded);
    EXPECT_EQ(skin.Manager().SkinName(), "Live");
    EXPECT_EQ(skin.ButtonColour(), 255u);
    WriteText(skin.Folder() / "Options.dat", Options(65280));
    ASSERT_TRUE(skin.WaitForReloads(3));
    EXPECT_TRUE(skin.Reloads[2].Loaded);
    EXPECT_EQ(skin.ButtonColour(), 65280u);
}

TEST(SkinWatch, TheHueOfTheManagerStaysApplied) {
    WatchedSkin skin(Options(255));
    skin.Manager().SetHueOffset(120);
    const std::uint32_t turned = skin.ButtonColour();
    EXPECT_EQ(turned, ColorBits(ShiftHueColor(120, TColor{255})));
    WriteText(skin.Folder() / "Options.dat", Options(65280));
    ASSERT_TRUE(skin.WaitForReloads(1));
    EXPECT_EQ(skin.ButtonColour(), ColorBits(ShiftHueColor(120, TColor{65280})));
    EXPECT_EQ(skin.Manager().HueOffset(), 120);
}

TEST(SkinWatch, APackageFileIsWatchedAsAFolderIs) {
    WatchedSkin skin(Options(255), true);
    ASSERT_EQ(skin.Manager().SourceKind(), SkinSourceKind::PackageFile);
    EXPECT_EQ(skin.Watcher().WatchedPath(), skin.Package().string());
    WriteText(skin.Folder() / "Options.dat", Options(65280));
    Idle(3 * kQuietMs);
    EXPECT_TRUE(skin.Reloads.empty()) << "the folder beside the package is not the skin";
    testing::WriteBytes(skin.Package().string() + ".new", PackFolder(skin.Folder().string()));
    fs::rename(skin.Package().string() + ".new", skin.Package());
    ASSERT_TRUE(skin.WaitForReloads(1));
    EXPECT_TRUE(skin.Reloads[0].Loaded) << skin.Reloads[0].Failure;
    EXPECT_EQ(skin.ButtonColour(), 65280u);
}

TEST(SkinWatch, AFolderThatCouldNotBeLoadedAtFirstTakesOverAtItsFirstGoodSave) {
    TempFolder dir;
    fs::create_directories(dir.Path() / "Live");
    WriteText(dir.Path() / "Live" / "Options.dat", Options(255, "SHADOW1OFFSET=two\n"));
    testing::CapturedMessages messages;
    auto manager = testing::LoadSkin(testing::FixtureSkin{Options(7), {}, {}});
    manager->SetSkinDirectory(dir.Path().string());
    manager->SetSkinName("Live");
    ASSERT_EQ(manager->SkinName(), "Fixture") << "the broken folder is refused";
    auto* watcher = new TsSkinWatcher(*manager);
    watcher->SetQuietTime(kQuietMs);
    std::vector<TsSkinReload> reloads;
    watcher->OnReload = [&](const TsSkinReload& reload) { reloads.push_back(reload); };
    std::string why;
    EXPECT_FALSE(watcher->WatchLoadedSkin(why));
    EXPECT_NE(why.find("stored in the program"), std::string::npos) << why;
    watcher->Watch(SkinSourceKind::Folder, (dir.Path() / "Live").string());
    WriteText(dir.Path() / "Live" / "Options.dat", Options(65280));
    ASSERT_TRUE(WaitUntil([&] { return !reloads.empty(); }));
    EXPECT_TRUE(reloads[0].Loaded) << reloads[0].Failure;
    EXPECT_EQ(manager->SkinName(), "Live");
    EXPECT_EQ(manager->SourceKind(), SkinSourceKind::Folder);
    EXPECT_EQ(manager->SkinDirectory(), dir.Path().string());
}

} // namespace
} // namespace skin

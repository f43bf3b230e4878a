// The skin manager: sources and their order, directories, events, announcements to every
// window, failures, the version check, hot tracking.
#include "SkinCommandRecorder.h"
#include "SkinDataFixtures.h"
#include "framework/core/WidgetProperties.h"

#include "framework/base/Cp1251.h"
#include "framework/core/Dialogs.h"

#include <QDir>

#include <gtest/gtest.h>

namespace skin {
namespace {

using testing::CapturedMessages;
using testing::FixtureSkin;
using testing::ReceivedCommand;
using testing::SkinCommandRecorder;
using testing::TempFolder;

FixtureSkin NamedSkin(const std::string& author) {
    FixtureSkin skin;
    skin.Options = "[GLOBALINFO]\nVERSION=8.00\nAUTHOR=" + author + "\n[BUTTON]\nSTATES=3\n";
    return skin;
}

TsStoredSkin Stored(const std::string& name, const FixtureSkin& skin) {
    TsStoredSkin stored;
    stored.Name = name;
    stored.Data = testing::PackSkin(skin);
    return stored;
}

class SkinManagerSources : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteSkinFolder(dir / "Folder1", NamedSkin("folder"));
        testing::WriteBytes(dir / "Pack1.vlz", testing::PackSkin(NamedSkin("package")));
        testing::WriteSkinFolder(dir / "Both", NamedSkin("folder"));
        testing::WriteBytes(dir / "Both.vlz", testing::PackSkin(NamedSkin("package")));
        testing::WriteBytes(dir / "Broken.vlz", ByteArray{'n', 'o', 'p', 'e', 0, 0, 0, 0});
        std::filesystem::create_directories(dir / ".hidden");
        testing::WriteSkinFolder(dir / ".hidden", NamedSkin("hidden"));
        manager.SetSkinDirectory(dir.Path().string());
        manager.InternalSkins().push_back(Stored("Inside", NamedSkin("internal")));
        manager.InternalSkins().push_back(Stored("Second", NamedSkin("second")));
    }
    TempFolder dir;
    TsSkinManager manager;
};

TEST_F(SkinManagerSources, PackageFileThenFolderThenInternalSkins) {
    struct Row {
        const char* Name;
        const char* StoredName;
        const char* Author;
        SkinSourceKind Kind;
        bool Packed;
    };
    const Row rows[] = {
        {"Pack1", "Pack1", "package", SkinSourceKind::PackageFile, true},
        {"Pack1.VLZ", "Pack1", "package", SkinSourceKind::PackageFile, true},
        {"Folder1", "Folder1", "folder", SkinSourceKind::Folder, false},
        {"Both", "Both", "package", SkinSourceKind::PackageFile, true},
        {"Second", "Second", "second", SkinSourceKind::Internal, true},
        {"Nowhere", "Inside", "internal", SkinSourceKind::Internal, true},
    };
    EXPECT_EQ(manager.SkinInfo(), "N/A");
    for (const Row& row : rows) {
        CapturedMessages messages;
        manager.SetSkinName(row.Name);
        EXPECT_EQ(messages.Errors(), "") << row.Name;
        EXPECT_EQ(manager.SkinName(), row.StoredName) << row.Name;
        EXPECT_EQ(manager.SkinData().Author, row.Author) << row.Name;
        EXPECT_EQ(manager.SourceKind(), row.Kind) << row.Name;
        EXPECT_EQ(manager.IsPacked(), row.Packed) << row.Name;
        EXPECT_EQ(manager.SkinData().SkinFolder, row.Kind == SkinSourceKind::Folder ? dir / "Folder1/" : "")
            << row.Name;
        EXPECT_TRUE(manager.SkinData().Active) << row.Name;
        EXPECT_EQ(manager.SkinInfo(), "8") << row.Name;
    }
}

TEST_F(SkinManagerSources, AFailedLoadKeepsTheNameAndShowsTheMessageNamingTheSkin) {
    // A folder whose options name a master picture that is no picture, and a stored skin that is
    // no package: the message names the package file, the folder or the stored skin.
    FixtureSkin badPicture;
    badPicture.Options = "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n";
    testing::WriteSkinFolder(dir / "BadPicture", badPicture);
    testing::WriteBytes(dir / "BadPicture/MASTER.BMP", ByteArray{'n', 'o', 'p', 'e'});
    TsStoredSkin damaged;
    damaged.Name = "Damaged";
    damaged.Data = ByteArray{'V', 'L', 'z', 'f', 0xFF, 0xFF};
    manager.InternalSkins().push_back(damaged);
    struct Row {
        const char* Name;
        std::string Named;
    };
    const Row rows[] = {
        {"Broken", dir / "Broken.vlz" + ": Loaded data is not a packed Vellum file"},
        {"BadPicture", dir / "BadPicture"},
        {"Damaged", "Damaged: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        manager.SetSkinName("Folder1");
        EXPECT_EQ(manager.LoadFailure(), "");
        CapturedMessages messages;
        manager.SetSkinName(row.Name);
        EXPECT_EQ(messages.Errors().rfind(row.Named, 0), 0u) << messages.Errors();
        EXPECT_EQ(manager.LoadFailure(), messages.Errors());
        EXPECT_EQ(manager.SkinName(), "Folder1");
        EXPECT_EQ(manager.SkinData().Author, "folder");
    }
}

// A skin that breaks one of the size limits is refused with a message that names the limit,
// and the skin that was loaded before stays loaded and active.
TEST_F(SkinManagerSources, ASkinBeyondALimitIsRefusedAndThePreviousOneStays) {
    FixtureSkin longOptions = NamedSkin("long");
    longOptions.Options += ";" + std::string(std::size_t{4} << 20, 'x') + "\n";
    testing::WriteSkinFolder(dir / "LongOptions", longOptions);
    FixtureSkin bigPicture;
    bigPicture.Options = "[GLOBALINFO]\nVERSION=8.00\nAUTHOR=big\nMASTERBITMAP=MASTER.BMP\n";
    testing::WriteSkinFolder(dir / "BigPicture", bigPicture);
    testing::WriteBytes(dir / "BigPicture/MASTER.BMP", ByteArray{'B', 'M'});
    std::filesystem::resize_file(dir / "BigPicture/MASTER.BMP", (std::uintmax_t{32} << 20) + 1); // sparse
    const ByteArray zeros(std::size_t{24} << 20, 0);
    testing::WriteBytes(dir / "Inflating.vlz", WritePackage({{"Options.dat", ByteArray{'[', 'A', ']'}},
                                                             {"A.bmp", zeros}, {"B.bmp", zeros}, {"C.bmp", zeros}}));
    struct Row {
        const char* Name;
        const char* Limit;
    };
    for (const Row& row : {Row{"LongOptions", "the options text limit (4 MiB)"},
                           Row{"BigPicture", "the skin file limit (32 MiB)"},
                           Row{"Inflating", "the package total limit (64 MiB)"}}) {
        manager.SetSkinName("Folder1");
        CapturedMessages messages;
        manager.SetSkinName(row.Name);
        EXPECT_NE(messages.Errors().find(row.Limit), std::string::npos) << row.Name << ": " << messages.Errors();
        EXPECT_EQ(manager.SkinName(), "Folder1") << row.Name;
        EXPECT_EQ(manager.SkinData().Author, "folder") << row.Name;
        EXPECT_TRUE(manager.SkinData().Active) << row.Name;
    }
}

// Without a dialog presenter (command-line tools) a message goes to standard error in UTF-8,
// every Windows-1251 character converted, not only the Cyrillic letters.
TEST(SkinManagerMessages, WithoutAPresenterTheTextIsPrintedAsUtf8) {
    const std::string text = "Скин «Ёлка» № 2 — нет";
    ::testing::internal::CaptureStderr();
    framework::ShowMessageDialog(framework::MessageKind::Error, framework::Utf8ToCp1251(text));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), text + "\n");
}

TEST_F(SkinManagerSources, NoSkinAnywhereDeactivates) {
    manager.InternalSkins().clear();
    std::vector<std::string> events;
    manager.OnDeactivate = [&](TsSkinManager&) { events.push_back("deactivate"); };
    manager.SetSkinName("Nowhere");
    EXPECT_FALSE(manager.Active());
    EXPECT_FALSE(manager.SkinData().Active);
    EXPECT_EQ(events, std::vector<std::string>{"deactivate"});
}

TEST_F(SkinManagerSources, SkinNamesInternalFirstThenFoldersAndPackages) {
    std::vector<std::string> names;
    EXPECT_EQ(manager.GetSkinNames(names), "Inside");
    EXPECT_EQ(names, (std::vector<std::string>{"Both", "Both", "Broken", "Folder1", "Inside", "Pack1", "Second"}));
    manager.GetSkinNames(names, SkinNameKinds::Folders);
    EXPECT_EQ(names, (std::vector<std::string>{"Both", "Folder1", "Inside", "Second"}));
    manager.GetSkinNames(names, SkinNameKinds::Packages);
    EXPECT_EQ(names, (std::vector<std::string>{"Both", "Broken", "Inside", "Pack1", "Second"}));
}

TEST(SkinManagerDirectory, RelativeValuesResolveAgainstTheProgramFolder) {
    TsSkinManager::SetProgramFolder("/opt/tovrin/bin");
    TsSkinManager manager;
    const std::pair<const char*, std::string> rows[] = {
        {"./Skins", "/opt/tovrin/bin/Skins/"}, {"..", "/opt/tovrin/"},       {"../Skins", "/opt/tovrin/Skins/"},
        {".", "/opt/tovrin/bin/"},             {"Skins", "/opt/tovrin/bin/Skins/"}, {"/srv/skins/", "/srv/skins/"},
        {"/srv/skins", "/srv/skins/"},         {"~/s", QDir::homePath().toStdString() + "/s/"},
    };
    for (const auto& [value, resolved] : rows) {
        manager.SetSkinDirectory(value);
        EXPECT_EQ(manager.ResolvedSkinDirectory(), resolved) << value;
    }
    TsSkinManager::SetProgramFolder("");
    EXPECT_TRUE(TsSkinManager::DefaultSkinDirectory().ends_with("/Tovrin/Skins"));
    TsSkinManager fresh;
    EXPECT_EQ(fresh.SkinDirectory(), TsSkinManager::DefaultSkinDirectory());
}

class SkinManagerAnnouncements : public ::testing::Test {
protected:
    void SetUp() override {
        // F1 (unskinned) with C1 (skinned) > C1a (skinned), C2 (unskinned) > C2a (skinned),
        // W (windowless) > W1; F2 (skinned) > D1 (skinned); F3 (unskinned).
        auto* c1 = new SkinCommandRecorder("C1", log, true, &f1);
        new SkinCommandRecorder("C1a", log, true, c1);
        auto* c2 = new SkinCommandRecorder("C2", log, false, &f1);
        new SkinCommandRecorder("C2a", log, true, c2);
        auto* w = new SkinCommandRecorder("W", log, false, &f1);
        w->setProperty(framework::kWindowlessProperty, true);
        new SkinCommandRecorder("W1", log, true, w);
        new SkinCommandRecorder("D1", log, true, &f2);
        framework::SetTopLevelWindowLister([this] { return std::vector<QObject*>{&f1, &f2, &f3}; });
    }
    void TearDown() override { framework::SetTopLevelWindowLister(nullptr); }

    std::vector<std::string> ReceiversOf(int command) const {
        std::vector<std::string> names;
        for (const ReceivedCommand& entry : log)
            if (entry.Command == command)
                names.push_back(entry.Receiver);
        return names;
    }

    std::vector<ReceivedCommand> log;
    SkinCommandRecorder f1{"F1", log, false};
    SkinCommandRecorder f2{"F2", log, true};
    SkinCommandRecorder f3{"F3", log, false};
};

TEST_F(SkinManagerAnnouncements, LoadedRefreshedAndRemovedReachEveryWindowInOrder) {
    const std::vector<std::string> order = {"F3", "F1", "C1", "C1a", "C2a", "W", "F2", "D1"};
    std::vector<std::string> events;
    {
        TsSkinManager manager;
        manager.OnBeforeChange = [&](TsSkinManager&) { events.push_back("before"); };
        manager.OnSkinLoading = [&](TsSkinManager&) { events.push_back("loading"); };
        manager.OnActivate = [&](TsSkinManager& m) {
            events.push_back(std::string("activate, announced ") + std::to_string(log.size()));
        };
        manager.OnAfterChange = [&](TsSkinManager&) { events.push_back("after"); };
        manager.InternalSkins().push_back(Stored("Inside", NamedSkin("internal")));
        manager.SetSkinName("Inside");
        EXPECT_EQ(ReceiversOf(1), order);
        EXPECT_EQ(events, (std::vector<std::string>{"before", "loading", "activate, announced 8", "after"}));

        log.clear();
        manager.SetHueOffset(30);
        EXPECT_EQ(ReceiversOf(16), order) << "stop fading first";
        EXPECT_EQ(ReceiversOf(3), order);
        ASSERT_EQ(log.size(), 2 * order.size());
        EXPECT_EQ(log[order.size() - 1].Command, 16);
        EXPECT_EQ(log[order.size()].Command, 3);

        log.clear();
        manager.SetActive(false);
        EXPECT_EQ(ReceiversOf(2), order);
        EXPECT_EQ(manager.CommonIndexes().GlobalInfo, -1);
        EXPECT_TRUE(manager.Sections().empty());
        log.clear();
        manager.SetActive(true);
        EXPECT_EQ(ReceiversOf(1), order);
        log.clear();
    }
    EXPECT_EQ(ReceiversOf(2), order) << "a destroyed manager announces the removal";
}

TEST_F(SkinManagerAnnouncements, StreamingLoadsButAnnouncesOnlyWhenLoaded) {
    TsSkinManager manager;
    int activations = 0;
    manager.OnActivate = [&](TsSkinManager&) { ++activations; };
    manager.BeginLoading();
    manager.InternalSkins().push_back(Stored("Inside", NamedSkin("internal")));
    manager.SetSkinDirectory("");
    manager.SetSkinName("Inside");
    EXPECT_EQ(manager.SkinData().Author, "internal");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(activations, 0);
    manager.EndLoading();
    EXPECT_EQ(ReceiversOf(1).size(), 8u);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(manager.SkinDirectory(), TsSkinManager::DefaultSkinDirectory());
    EXPECT_EQ(manager.MenuSupport.IcoLineSkin, "ICOLINE");
    EXPECT_EQ(manager.ThirdList(ThirdPartyListIndex::tpButtons), std::vector<std::string>{"TButton"});
    EXPECT_EQ(manager.ThirdList(ThirdPartyListIndex::tpListViews), std::vector<std::string>{" "});
}

TEST_F(SkinManagerAnnouncements, HotWindowAndSpeedButtonTracking) {
    TsSkinManager manager;
    manager.SetHotWindow(&f1);
    manager.SetHotWindow(&f1);
    manager.SetHotWindow(&f3);
    EXPECT_EQ(log, (std::vector<ReceivedCommand>{{"F1", 29}, {"F1", 30}, {"F3", 29}}));
    log.clear();

    SkinCommandRecorder button("S", log, true);
    manager.SetHotSpeedButton(&button);
    EXPECT_EQ(manager.HotWindow(), nullptr) << "a tracked button forgets the hot window";
    button.setProperty("MouseOver", true);
    manager.SetHotSpeedButton(nullptr);
    EXPECT_EQ(manager.HotSpeedButton(), &button) << "still under the pointer";
    manager.SetHotWindow(&f2);
    EXPECT_EQ(log, (std::vector<ReceivedCommand>{{"F2", 29}}));
    log.clear();
    manager.SetHotWindow(&f3); // a hot window and a tracked button: the button is asked first
    EXPECT_TRUE(log.empty()) << "the button stays, so does the hot window";
    button.setProperty("MouseOver", false);
    manager.SetHotWindow(&f3);
    EXPECT_EQ(log, (std::vector<ReceivedCommand>{{"S", 30}, {"F2", 30}, {"F3", 29}}));
}

TEST(SkinManagerDefault, TheFirstManagerIsTheDefaultUntilItGoes) {
    auto first = std::make_unique<TsSkinManager>();
    TsSkinManager second;
    EXPECT_TRUE(first->IsDefault());
    EXPECT_FALSE(second.IsDefault());
    EXPECT_EQ(TsSkinManager::DefaultManager(), first.get());
    first.reset();
    EXPECT_EQ(TsSkinManager::DefaultManager(), nullptr);
    TsSkinManager third;
    EXPECT_TRUE(third.IsDefault());
    EXPECT_EQ(third.ScrollBarSize(), 17);
    third.ScrollsOptions.ScrollSize = 0;
    EXPECT_EQ(third.ScrollBarSize(), 0);
}

TEST(SkinManagerDefault, AnInternalSkinWithoutDataLoadsNothing) {
    TsSkinManager manager;
    manager.SetSkinDirectory("/nonexistent/tovrin-skins");
    manager.InternalSkins().push_back(TsStoredSkin{});
    manager.InternalSkins().back().Name = "Empty";
    CapturedMessages messages;
    manager.SetSkinName("Empty");
    EXPECT_EQ(messages.Errors(), "");
    EXPECT_FALSE(manager.SkinData().Active);
    EXPECT_EQ(manager.SkinInfo(), "N/A");
}

TEST(SkinManagerVersion, NewAndOldSkinsShowTheirNotices) {
    struct Row {
        const char* Version;
        QStringList CommandLine;
        std::string Message;
    };
    const std::vector<Row> rows = {
        {"9.5", {}, "This version of the skin have not complete support by used Velcora package release.\n"
                    "Components must be updated up to latest version for using this skin."},
        {"6.5", {"tovrin", "/VLTEST"}, "You are using an old version of the \"Fixture\" skin. Please, update a skins "
                                       "to latest or link with the Velcora support for upgrading of existing skin."
                                       "\n\nThis notification occurs in design-time only for your information and "
                                       "will not occur in real-time."},
        {"6.5", {"tovrin"}, ""},
        {"8.5", {"tovrin", "/vltest"}, ""},
    };
    for (const Row& row : rows) {
        TsSkinManager::SetCommandLine(row.CommandLine);
        CapturedMessages messages;
        FixtureSkin skin;
        skin.Options = std::string("[GLOBALINFO]\nVERSION=") + row.Version + "\n";
        const auto manager = testing::LoadSkin(skin);
        std::string shown;
        for (const auto& [kind, text] : messages.Messages)
            shown += text;
        EXPECT_EQ(shown, row.Message) << row.Version;
        EXPECT_TRUE(manager->SkinningRules.Has(TvlSkinningRule::srStdDialogs)) << row.Version;
    }
    TsSkinManager::SetCommandLine({});
}

} // namespace
} // namespace skin

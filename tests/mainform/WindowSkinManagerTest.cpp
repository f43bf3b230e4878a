// The window's skin manager sSkinManager1: streamed with the controls, its internal skin loaded
// and announced to the window before FormCreate's probe, and a skin that cannot be loaded shown
// in the error dialog (named, when the command line chose it) while the window goes on with the
// skin it has.
#include "app/SkinChoice.h"
#include "framework/core/SkinCommand.h"
#include "resources/TovrinResources.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/mainform/MainFormFixture.h"
#include "skin/data/sSkinCommands.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

using testing_support::DemoSiteProcess;
using testing_support::Newest;
using testing_support::MakeWindow;
using testing_support::ModalAnswerer;

namespace {

constexpr int kNewest = 12;
constexpr int kPewterSections = 70;

struct Delivered {
    const QObject* receiver;
    int command;
    bool operator==(const Delivered&) const = default;
};

// Records every skin command the application delivers, with its receiver (the answers
// to "are you skinned?" are asked so often that they are left out).
class SkinCommandLog : public QObject {
public:
    SkinCommandLog() { QCoreApplication::instance()->installEventFilter(this); }
    ~SkinCommandLog() override { QCoreApplication::instance()->removeEventFilter(this); }
    long Count(const QObject* receiver, int command) const {
        return std::count(entries_.begin(), entries_.end(), Delivered{receiver, command});
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() == framework::kSkinCommandEventType) {
            const int command = static_cast<framework::SkinCommandEvent*>(event)->Command();
            if (command != skin::SKC_IS_SKINNED)
                entries_.push_back({receiver, command});
        }
        return false;
    }

private:
    std::vector<Delivered> entries_;
};

class WindowSkinManagerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::filesystem::path LogPath() const { return folder.filePath(QStringLiteral("logs.txt")).toStdString(); }
};

} // namespace

TEST_F(WindowSkinManagerTest, StreamedWithTheControlsAndAnnouncedBeforeFormCreate) {
    DemoSiteProcess site(Newest(kNewest));
    scanner::NewestNumber.clear();
    scanner::ScanSettings settings;
    settings.host = site.Host();
    settings.logPath = LogPath();
    SkinCommandLog log;
    auto form = std::make_unique<app::TForm1>(settings);

    skin::TsSkinManager* manager = form->findChild<skin::TsSkinManager*>(QStringLiteral("sSkinManager1"));
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager, form->sSkinManager1);
    EXPECT_EQ(manager->parent(), form.get());
    EXPECT_FALSE(manager->IsLoading());
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(manager->SkinData().Active);
    EXPECT_EQ(manager->SkinName(), skin::kInternalSkinName);
    EXPECT_EQ(manager->SourceKind(), skin::SkinSourceKind::Internal);
    EXPECT_EQ(manager->SkinInfo(), "8");
    EXPECT_EQ(manager->Sections().size(), std::size_t(kPewterSections));
    EXPECT_TRUE(manager->ExtendedBorders());
    EXPECT_EQ(manager->MenuSupport.IcoLineSkin, "ICOLINE");
    EXPECT_EQ(manager->ThirdList(skin::ThirdPartyListIndex::tpButtons), std::vector<std::string>{"TButton"});

    // The end of streaming announced the skin once to the window, before its creation handler
    // has probed the site.
    EXPECT_TRUE(scanner::NewestNumber.empty());
    EXPECT_EQ(log.Count(form.get(), skin::SKC_SKIN_LOADED), 1);
    form->DoCreate();
    EXPECT_EQ(scanner::NewestNumber, std::to_string(kNewest));

    // Destroying the window takes its manager first, which announces the removal of the skin
    // to the window while it is still whole.
    const QObject* window = form.get();
    form.reset();
    EXPECT_EQ(log.Count(window, skin::SKC_SKIN_REMOVED), 1);
}

TEST_F(WindowSkinManagerTest, SkinThatCannotBeLoadedIsShownAndTheWindowKeepsItsSkin) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    skin::TsSkinManager& manager = *form->sSkinManager1;
    skin::TsStoredSkin broken;
    broken.Name = "Broken";
    broken.Data = {'V', 'L', 'z', 'f', 0xFF, 0xFF};
    manager.InternalSkins().push_back(broken);

    ModalAnswerer answerer;
    manager.SetSkinName("Broken");
    ASSERT_EQ(answerer.Answered().size(), 1u);
    EXPECT_TRUE(answerer.Answered()[0].hasIcon);
    EXPECT_FALSE(answerer.Answered()[0].text.isEmpty());
    EXPECT_EQ(manager.SkinName(), skin::kInternalSkinName);
    EXPECT_TRUE(manager.Active());
    EXPECT_EQ(manager.Sections().size(), std::size_t(kPewterSections));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(WindowSkinManagerTest, ASkinFromTheCommandLineThatCannotBeLoadedIsNamedInTheDialogAndTheLine) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    skin::TsSkinManager& manager = *form->sSkinManager1;
    const std::filesystem::path dir = folder.path().toStdString();
    const std::vector<std::uint8_t>& package = manager.InternalSkins().front().Data;
    const auto write = [&](const char* name, std::string_view bytes) {
        std::ofstream(dir / name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return (dir / name).string();
    };
    const std::string truncated =
        write("Truncated.vlz", std::string_view(reinterpret_cast<const char*>(package.data()), package.size() / 4));
    const std::string text = write("Text.vlz", "not a package\n");
    std::filesystem::create_directories(dir / "Empty");
    const std::string empty = (dir / "Empty").string();
    struct Row {
        std::string Source;
        std::string Named; // what the line names (the dialog too, as a sentence)
        std::size_t Dialogs;
    };
    const Row rows[] = {
        {truncated, truncated + ": Stream read error", 1},
        {text, text + ": ", 1},
        {empty, "the folder \"" + empty + "\" holds no skin", 1},
        {empty + "/", "the folder \"" + empty + "\" holds no skin", 1},
        {"NoSuchSkin", "no skin \"NoSuchSkin\"", 0}, // nowhere: the line alone
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Source);
        ModalAnswerer answerer;
        app::SkinChoice choice;
        choice.source = row.Source;
        const std::string line = app::ApplySkinChoice(manager, choice);
        EXPECT_NE(line.find(row.Named), std::string::npos) << line;
        EXPECT_NE(line.find("\"Pewter (internal)\" stays"), std::string::npos) << line;
        ASSERT_EQ(answerer.Answered().size(), row.Dialogs);
        if (row.Dialogs > 0) {
            EXPECT_TRUE(answerer.Answered()[0].hasIcon);
            EXPECT_TRUE(answerer.Answered()[0].text.contains(QString::fromStdString(row.Named), Qt::CaseInsensitive))
                << answerer.Answered()[0].text.toStdString();
            EXPECT_TRUE(answerer.Answered()[0].text.front().isUpper() || answerer.Answered()[0].text.front() == u'/');
        }
        EXPECT_EQ(manager.SkinName(), skin::kInternalSkinName);
        EXPECT_TRUE(manager.SkinData().Active);
    }
}

// The window under --watch: a saved skin repaints every skinned part that exists when it lands
// (frame, controls, a caption button's hot picture, fades under way) exactly as a window started
// with that skin shows it; a save that cannot be loaded leaves the window as it was and says so
// in the log tab, and so does the next good save. (Halos: GlowTest.)
#include "app/SkinChoice.h"
#include "app/SkinWatch.h"
#include "skin/controls/sFade.h"
#include "skin/data/sSkinWatch.h"
#include "tests/mainform/MainFormFixture.h"
#include "tests/support/ModalAnswerer.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using testing_support::DemoSiteProcess;
using testing_support::MakeWindow;
using testing_support::Newest;
using testing_support::WaitUntil;

namespace {

constexpr int kNewest = 40;
constexpr int kQuietMs = 20;
// The Close button and the title of the main window's frame, in the window with its shadow margin.
const QPoint kClose(465, 29);
const QPoint kTitle(250, 29);

QString Read(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll());
}

void Write(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toLatin1());
}

// Pewter's faces, texts, title strip, gauge and tabs in other colours.
QString Recoloured(QString text) {
    const std::pair<const char*, const char*> recoloured[] = {
        {"16316149", "13421772"}, {"14802136", "11184810"}, {"15856113", "14540253"}, {"15394273", "12632256"},
        {"11565130", "255"},      {"9722412", "255"},       {"15131101", "13421772"}, {"15657703", "13421772"},
        {"16250355", "15132390"}, {"4208174", "128"},       {"2695966", "8388608"},   {"7497307", "3355443"},
        {"5984326", "2236962"},   {"10327180", "6710886"},  {"9208698", "5592405"},
    };
    for (const auto& [from, to] : recoloured)
        text.replace(QLatin1String(from), QLatin1String(to));
    return text;
}

void Hover(QWidget& control) {
    QEnterEvent enter(QPointF(2, 2), control.mapToGlobal(QPointF(2, 2)), control.mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(&control, &enter);
}

void Leave(QWidget& control) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&control, &leave);
}

void MoveOnFrame(QWidget& window, QPoint at) {
    QCursor::setPos(window.mapToGlobal(at));
    QMouseEvent move(QEvent::MouseMove, at, window.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
}

// Until every fade has ended: the controls' (counted) and the caption buttons' (ten frames of 12 ms).
void Settle() {
    WaitUntil([] { return skin::LiveFadeTimers() == 0; }, 5000);
    constexpr int kCaptionFadeMs = 250;
    WaitUntil([] { return false; }, kCaptionFadeMs);
}

QImage WindowImage(app::TForm1& form) {
    form.activateWindow();
    Settle();
    return form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

class SkinWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::setCursorFlashTime(0); // a caret that does not blink
        const QDir art(QStringLiteral(TOVRIN_PEWTER_ART_DIR "/Pewter"));
        QDir().mkpath(live);
        for (const QString& name : art.entryList(QDir::Files))
            QFile::copy(art.filePath(name), live + QLatin1Char('/') + name);
    }
    void TearDown() override { QApplication::setCursorFlashTime(1000); }

    // A window against the site with the live skin folder, watched as --watch watches it.
    std::unique_ptr<app::TForm1> WatchedWindow(const DemoSiteProcess& site) {
        auto form = MakeWindow(site.Host(), folder.filePath(QStringLiteral("logs.txt")).toStdString());
        form->sGauge1->SetAnimated(false);
        app::SkinChoice choice;
        choice.source = live.toStdString();
        EXPECT_EQ(app::ApplySkinChoice(*form->sSkinManager1, choice), "");
        EXPECT_EQ(app::WatchSkin(*form, live.toStdString()), "");
        auto* watcher = form->sSkinManager1->findChild<skin::TsSkinWatcher*>();
        EXPECT_NE(watcher, nullptr);
        if (watcher != nullptr) {
            watcher->SetQuietTime(kQuietMs);
            auto said = watcher->OnReload;
            watcher->OnReload = [this, said](const skin::TsSkinReload& reload) {
                said(reload);
                reloads.push_back(reload);
            };
        }
        return form;
    }

    bool Save(const QString& text) {
        const std::size_t before = reloads.size();
        Write(live + QStringLiteral("/Options.dat"), text);
        return WaitUntil([&] { return reloads.size() > before; }, 5000);
    }

    QTemporaryDir folder;
    const QString live = folder.filePath(QStringLiteral("Live"));
    std::vector<skin::TsSkinReload> reloads;
};

} // namespace

TEST_F(SkinWatchTest, ASaveRepaintsEveryPartAsAWindowStartedWithThatSkin) {
    // Close hot (its glow picture over the frame), a button fading in; then both left.
    const auto point = [](app::TForm1& form) {
        form.activateWindow();
        Settle();
        MoveOnFrame(form, kClose);
        Hover(*form.sButton1);
    };
    const auto leave = [](app::TForm1& form) {
        Leave(*form.sButton1);
        MoveOnFrame(form, kTitle);
    };
    DemoSiteProcess site(Newest(kNewest));
    auto form = WatchedWindow(site);
    const QImage before = WindowImage(*form);
    // The save lands at once, while the pointer is on both and their fades are under way.
    form->sSkinManager1->findChild<skin::TsSkinWatcher*>()->SetQuietTime(0);
    point(*form);
    ASSERT_GT(skin::LiveFadeTimers(), 0);
    ASSERT_TRUE(Save(Recoloured(Read(live + QStringLiteral("/Options.dat")))));
    ASSERT_TRUE(reloads.back().Loaded) << reloads.back().Failure;
    const QImage reloadedPointed = WindowImage(*form);
    leave(*form);
    const QImage reloadedLeft = WindowImage(*form);
    EXPECT_GT(DifferingPixels(before, reloadedLeft), 1000);
    form.reset();

    // A window started with the saved skin, in the same states.
    auto fresh = WatchedWindow(site);
    point(*fresh);
    const QImage freshPointed = WindowImage(*fresh);
    leave(*fresh);
    const QImage freshLeft = WindowImage(*fresh);
    fresh.reset();
    EXPECT_EQ(DifferingPixels(reloadedPointed, freshPointed), 0);
    EXPECT_EQ(DifferingPixels(reloadedLeft, freshLeft), 0);
}

TEST_F(SkinWatchTest, ABrokenSaveLeavesTheWindowAsItWasAndTheLogTabSaysWhy) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = WatchedWindow(site);
    const QString pewter = Read(live + QStringLiteral("/Options.dat"));
    const QImage before = WindowImage(*form);
    QString broken = pewter;
    broken.replace(QStringLiteral("SHADOW1OFFSET=0"), QStringLiteral("SHADOW1OFFSET=zero"));
    ASSERT_TRUE(Save(Recoloured(broken)));
    EXPECT_FALSE(reloads.back().Loaded);
    EXPECT_EQ(DifferingPixels(before, WindowImage(*form)), 0);
    ASSERT_GE(form->LogLines().size(), 2u);
    const std::vector<std::string> lines = form->LogLines();
    EXPECT_EQ(lines[lines.size() - 2], "Skin not reloaded, the last good skin stays:");
    EXPECT_EQ(lines.back().rfind("Options.dat:", 0), 0u) << lines.back();
    EXPECT_NE(lines.back().find("[GLOBALINFO] SHADOW1OFFSET: 'zero' is not a valid integer value"), std::string::npos)
        << lines.back();
    ASSERT_TRUE(Save(Recoloured(pewter)));
    EXPECT_TRUE(reloads.back().Loaded);
    EXPECT_EQ(form->LogLines().back().rfind("Skin reloaded from", 0), 0u) << form->LogLines().back();
    EXPECT_GT(DifferingPixels(before, WindowImage(*form)), 1000);
}

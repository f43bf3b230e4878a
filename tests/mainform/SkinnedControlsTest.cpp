// The window's skinned controls together: golden images of the client area (at rest, and during
// a run with the gauge half full), a second skin loaded at run time repainting every skinned
// control, the group boxes' frames clear of their children, and the skin chosen on the command
// line.
#include "tests/mainform/MainFormFixture.h"
#include "tests/support/GoldenImages.h"
#include "tests/support/ModalAnswerer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

using testing_support::DemoSiteProcess;
using testing_support::MakeWindow;
using testing_support::Newest;

namespace {

constexpr int kNewest = 40;

skin::Bitmap32 ClientImage(app::TForm1& form) {
    QApplication::processEvents();
    const QImage image = form.client()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    skin::Bitmap32 bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(bitmap.Row(y).data(), image.constScanLine(y), bitmap.BytesPerLine());
    return bitmap;
}

QRect InClient(const app::TForm1& form, const QWidget* control) {
    return QRect(control->mapTo(form.client(), QPoint(0, 0)), control->size()) & form.client()->rect();
}

int DifferingPixels(const skin::Bitmap32& a, const skin::Bitmap32& b, const QRect& area) {
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            differing += a.At(x, y) != b.At(x, y);
    return differing;
}

// Pewter with other colours for faces, texts, the bar, the tabs and the gauge: a second skin.
void WriteSecondSkin(const QString& folder) {
    QDir().mkpath(folder);
    const QDir art(QStringLiteral(TOVRIN_PEWTER_ART_DIR "/Pewter"));
    for (const QString& name : art.entryList(QDir::Files))
        QFile::copy(art.filePath(name), folder + QLatin1Char('/') + name);
    QFile options(folder + QStringLiteral("/Options.dat"));
    ASSERT_TRUE(options.open(QIODevice::ReadOnly));
    QString text = QString::fromLatin1(options.readAll());
    options.close();
    const std::pair<const char*, const char*> recoloured[] = {
        {"16316149", "13421772"}, {"14802136", "11184810"}, {"15856113", "14540253"}, {"15394273", "12632256"},
        {"11565130", "255"},      {"9722412", "255"},       {"15131101", "13421772"}, {"15657703", "13421772"},
        {"16250355", "15132390"}, {"4208174", "128"},       {"2695966", "8388608"},
    };
    for (const auto& [from, to] : recoloured)
        text.replace(QLatin1String(from), QLatin1String(to));
    ASSERT_TRUE(options.open(QIODevice::WriteOnly | QIODevice::Truncate));
    options.write(text.toLatin1());
}

class SkinnedControlsTest : public ::testing::Test {
protected:
    void SetUp() override { QApplication::setCursorFlashTime(0); } // a caret that does not blink
    void TearDown() override { QApplication::setCursorFlashTime(1000); }
    QTemporaryDir folder;
    std::filesystem::path LogPath() const { return folder.filePath(QStringLiteral("logs.txt")).toStdString(); }
};

} // namespace

TEST_F(SkinnedControlsTest, ClientAreaAtRestAndDuringARunMatchesItsGoldenImages) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    form->sGauge1->SetAnimated(false); // the strip's place depends on the clock
    std::string failure = testing_support::CompareWithGolden(ClientImage(*form), "mainform", "client_at_rest");
    EXPECT_TRUE(failure.empty()) << failure;
    // What a run shows half-way through 20 numbers.
    form->SetGaugeMaxValue(20);
    form->SetGaugeProgress(10);
    form->SetStatusPanelText(1, "10");
    form->SetStatusPanelText(3, "30");
    form->SetStartEnabled(false);
    failure = testing_support::CompareWithGolden(ClientImage(*form), "mainform", "client_gauge_half_full");
    EXPECT_TRUE(failure.empty()) << failure;
}

TEST_F(SkinnedControlsTest, SecondSkinLoadedAtRunTimeRepaintsEveryControl) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    form->sGauge1->SetAnimated(false);
    form->SetGaugeProgress(0);
    form->SetGaugeMaxValue(100);
    form->SetGaugeProgress(50);
    const skin::Bitmap32 before = ClientImage(*form);
    WriteSecondSkin(folder.filePath(QStringLiteral("Skins/Second")));
    form->sSkinManager1->SetSkinDirectory(folder.filePath(QStringLiteral("Skins")).toStdString());
    form->sSkinManager1->SetSkinName("Second");
    ASSERT_EQ(form->sSkinManager1->SkinName(), "Second");
    const skin::Bitmap32 after = ClientImage(*form);
    const QWidget* controls[] = {form->sGroupBox1, form->sGroupBox2, form->sLabel3,  form->sLabel4,
                                 form->sLabel5,    form->sButton1,   form->sButton2, form->sButton3,
                                 form->sGauge1,    form->sStatusBar1};
    for (const QWidget* control : controls)
        EXPECT_GT(DifferingPixels(before, after, InClient(*form, control)), 0) << control->objectName().toStdString();
    // The tab strip of the page control.
    const QRect tabs = InClient(*form, form->sPageControl1->TabBar());
    EXPECT_GT(DifferingPixels(before, after, tabs), 0);
    // The gauge's fill is the second skin's red, not a cached fill of the first.
    const QPoint fill = InClient(*form, form->sGauge1).topLeft() + QPoint(20, 8);
    EXPECT_EQ(after.At(fill.x(), fill.y()) & 0x00FFFFFFu, 0x00FF0000u);
}

TEST_F(SkinnedControlsTest, GroupBoxFramesRunClearOfTheirChildren) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    const skin::Bitmap32 shown = ClientImage(*form);
    const QPoint box = InClient(*form, form->sGroupBox2).topLeft();
    const skin::Pixel background = shown.At(box.x() + 8, box.y() + 20);
    // Between the frame's left edge and the edit, and right of the labels, nothing but the box's
    // background from below the frame's top lines (the line, a light line) down to its bottom ones.
    const int top = (QFontMetrics(form->sGroupBox2->font()).height() + 2) / 2;
    for (int y = top + 2; y < 42; ++y) {
        EXPECT_EQ(shown.At(box.x() + 8, box.y() + y), background) << y;
        EXPECT_EQ(shown.At(box.x() + 151, box.y() + y), background) << y;
    }
    // The top line runs above the labels and the edit.
    EXPECT_NE(shown.At(box.x() + 151, box.y() + top), background);
    EXPECT_GT(form->sLabel4->geometry().top(), top + 1);
    EXPECT_GT(form->sEdit1->geometry().top(), top + 1);
    // The link label's address fits its place.
    EXPECT_LE(QFontMetrics(form->sWebLabel1->NormalFont()).horizontalAdvance(form->sWebLabel1->text()),
              form->sWebLabel1->width());
}

TEST_F(SkinnedControlsTest, SkinChosenOnTheCommandLine) {
    DemoSiteProcess site(Newest(kNewest));
    const QString host = QString::fromStdString(site.Host());
    const auto run = [&](QStringList arguments, const QString& picture) {
        QProcess program;
        program.start(QStringLiteral(TOVRIN_WINDOW),
                      QStringList{QStringLiteral("--host"), host, QStringLiteral("--screenshot"), picture} + arguments);
        EXPECT_TRUE(program.waitForFinished(30000));
        return std::pair{program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
    };
    const QString plain = folder.filePath(QStringLiteral("plain.png"));
    const QString turned = folder.filePath(QStringLiteral("turned.png"));
    const QString missing = folder.filePath(QStringLiteral("missing.png"));
    EXPECT_EQ(run({}, plain).first, 0);
    // A skin folder with its hues turned: another picture.
    const auto [turnedStatus, turnedErrors] =
        run({QStringLiteral("--skin"), QStringLiteral(TOVRIN_PEWTER_ART_DIR "/Pewter"), QStringLiteral("--hue"),
             QStringLiteral("120"), QStringLiteral("--saturation"), QStringLiteral("-20")},
            turned);
    EXPECT_EQ(turnedStatus, 0) << turnedErrors.toStdString();
    // Below the range edits, whose caret may blink.
    const auto lower = [](const QString& picture) { return QImage(picture).copy(0, 100, 455, 196); };
    EXPECT_NE(lower(turned), lower(plain));
    // A name that is nowhere: said in one line, and the internal skin draws the window.
    const auto [missingStatus, missingErrors] = run({QStringLiteral("--skin"), QStringLiteral("NoSuchSkin")}, missing);
    EXPECT_EQ(missingStatus, 0);
    EXPECT_TRUE(missingErrors.contains(QStringLiteral("no skin \"NoSuchSkin\""))) << missingErrors.toStdString();
    EXPECT_EQ(lower(missing), lower(plain));
    // Out-of-range adjustments are usage errors.
    for (const QStringList& wrong : {QStringList{QStringLiteral("--hue"), QStringLiteral("400")},
                                     QStringList{QStringLiteral("--saturation"), QStringLiteral("x")}}) {
        QProcess program;
        program.start(QStringLiteral(TOVRIN_WINDOW), wrong);
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 2) << wrong.join(QLatin1Char(' ')).toStdString();
    }
}

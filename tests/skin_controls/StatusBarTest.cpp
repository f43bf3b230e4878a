// The skinned status bar with the main window's panels: the dividers, the text rectangles and an
// overlong text, a text change repainting the bar with the link label still on it, and the link
// label's colours normally and under the pointer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>

#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sStatusBar.h"
#include "skin/pixels/ColorOps.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using skin::test::Hex;

constexpr Pixel kDivider = 0xFFB5BCC4, kBar = 0xFFF1F1F1; // DIVIDER's line, STATUSBAR's colour
constexpr Pixel kBlue = 0xFF0000FF, kMaroon = 0xFF800000;

class StatusBars : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(455, 40);
        bar_ = new TsStatusBar(window_.get());
        bar_->setGeometry(0, 20, 455, 19);
        bar_->SetSizeGrip(false);
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPixelSize(11);
        bar_->setFont(tahoma);
        for (auto [text, width] : {std::pair{"Парсим:", 57}, {"0", 90}, {"Осталось:", 65}, {"0", 135}, {"", 50}})
            bar_->AddPanel(QString::fromUtf8(text), width);
        link_ = new TsWebLabel(bar_);
        link_->setGeometry(348, 2, 103, 15);
        QFont segoe(QStringLiteral("Segoe UI"));
        segoe.setPixelSize(12);
        link_->SetNormalFont(segoe, framework::clBlue);
        link_->SetHoverFont(segoe, framework::clMaroon);
        link_->SetUseSkinColor(false);
        link_->setText(QStringLiteral("http://tovrin.test"));
        ShowExposed(window_.get());
    }
    Bitmap32 Shown() { return GrabbedBitmap(bar_); }
    static int Count(const Bitmap32& image, const TRect& area, Pixel colour) {
        int count = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                count += image.At(x, y) == colour;
        return count;
    }
    std::unique_ptr<QWidget> window_;
    TsStatusBar* bar_ = nullptr;
    TsWebLabel* link_ = nullptr;
};

TEST_F(StatusBars, DividersAndTextRectsOfThePanels) {
    EXPECT_EQ(TsStatusBar::PanelTextRect(bar_->PanelPaintRect(0)), (TRect{4, 2, 51, 16}));
    EXPECT_EQ(bar_->PanelPaintRect(4).Right, 455 - 1); // the last panel reaches the edge
    const Bitmap32 shown = Shown();
    // After panel 0 (0..57) the divider takes x 54 and 55, rows 1 to 17; its line is the left one.
    for (int y = 1; y <= 17; ++y) {
        EXPECT_EQ(Hex(shown.At(54, y)), Hex(kDivider)) << y;
        EXPECT_EQ(Hex(shown.At(55, y)), Hex(kBar)) << y;
    }
    for (int x : {147 - 3, 212 - 3, 347 - 3})
        EXPECT_EQ(Hex(shown.At(x, 9)), Hex(kDivider)) << x;
    EXPECT_EQ(Count(shown, {400, 1, 455, 18}, kDivider), 0); // none after the last panel
}

TEST_F(StatusBars, AnOverlongTextEndsWithinItsPanel) {
    bar_->SetPanelText(0, QStringLiteral("Парсим страницу за страницей"));
    const Bitmap32 shown = Shown();
    const TRect text = TsStatusBar::PanelTextRect(bar_->PanelPaintRect(0));
    int inkBeyond = 0, inkNearTheEnd = 0;
    for (int y = 1; y < 18; ++y) {
        for (int x = text.Right; x < 54; ++x)
            inkBeyond += shown.At(x, y) != kBar;
        for (int x = text.Right - 12; x < text.Right; ++x)
            inkNearTheEnd += shown.At(x, y) != kBar;
    }
    EXPECT_EQ(inkBeyond, 0);
    EXPECT_GT(inkNearTheEnd, 0); // the ellipsis
}

TEST_F(StatusBars, ATextChangeRepaintsTheBarAndTheLinkStaysOnIt) {
    const Bitmap32 before = Shown();
    bar_->SetPanelText(1, QStringLiteral("1207"));
    EXPECT_TRUE(bar_->SkinData.BackgroundStale);
    bar_->repaint();
    EXPECT_FALSE(bar_->SkinData.BackgroundStale);
    const Bitmap32 after = Shown();
    const TRect panel1 = TsStatusBar::PanelTextRect(bar_->PanelPaintRect(1));
    EXPECT_NE(Count(before, panel1, kBar), Count(after, panel1, kBar));
    EXPECT_GT(Count(after, {348, 2, 451, 17}, kBlue), 0);
}

TEST_F(StatusBars, LinkLabelIsBlueAndMaroonUnderThePointer) {
    const TRect link{348, 2, 451, 17};
    Bitmap32 shown = Shown();
    EXPECT_GT(Count(shown, link, kBlue), 0);
    EXPECT_EQ(Count(shown, link, kMaroon), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(link_, &enter);
    EXPECT_TRUE(link_->PointerOver());
    shown = Shown();
    EXPECT_GT(Count(shown, link, kMaroon), 0);
    EXPECT_EQ(Count(shown, link, kBlue), 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link_, &leave);
    EXPECT_GT(Count(Shown(), link, kBlue), 0);
    // Its address fits its place in the fonts at hand.
    EXPECT_LE(QFontMetrics(link_->HoverFont()).horizontalAdvance(link_->text()), link_->width());
    EXPECT_LE(QFontMetrics(link_->NormalFont()).horizontalAdvance(link_->text()), link_->width());
}

} // namespace
} // namespace skin::testing

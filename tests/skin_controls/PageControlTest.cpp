// The skinned page control with two top tabs: where tabs and captions go, hover moving between
// tabs, the change test before a click, the frames of the page-change reveal, and a control
// without pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>

#include <memory>
#include <vector>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sPageReveal.h"
#include "skin/render/sSkinnedText.h"
#include "skin/pixels/ColorOps.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using skin::test::Hex;

constexpr Pixel kAccent = 0xFF5B80A8; // the line along the top of the active and hovered tabs

QFont Tahoma() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    return font;
}

void SendToTabBar(TsPageControl* control, QEvent::Type type, const TRect& tab) {
    QTabBar* bar = control->TabBar();
    const QPointF at((tab.Left + tab.Right) / 2 - bar->x(), (tab.Top + tab.Bottom) / 2 - bar->y());
    QMouseEvent event(type, at, bar->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &event);
}

// Records the images a reveal cover shows.
class CoverWatcher : public QObject {
public:
    std::vector<Bitmap32> Frames;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            if (auto* cover = qobject_cast<TsRevealCover*>(watched))
                if (Frames.empty() || !(Frames.back() == cover->Image()))
                    Frames.push_back(cover->Image());
        return false;
    }
};

class PageControls : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(460, 200);
        control_ = new TsPageControl(window_.get());
        control_->setFont(Tahoma());
        control_->setGeometry(0, 0, 454, 193);
        for (const char* caption : {"Таблица", "Текст"}) {
            auto* page = new TsTabSheet(control_);
            page->SetCaption(QString::fromUtf8(caption));
        }
        control_->SetActivePageIndex(0);
        ShowExposed(window_.get());
    }
    Bitmap32 Shown() { return CaptureWidget(control_); }
    std::unique_ptr<QWidget> window_;
    TsPageControl* control_ = nullptr;
};

TEST_F(PageControls, TabsAndCaptionsArePlacedAsThePlatformDrawsThem) {
    for (int i : {0, 1}) {
        SCOPED_TRACE(i);
        const TRect tab = control_->TabRect(i);
        EXPECT_EQ(tab.Bottom, control_->PageFrameRect().Top); // the tabs stand on the frame
        const int state = i == 0 ? 2 : 0;
        const TRect drawn = control_->TabDrawRect(i, state);
        const QSize text = TextExtent(Tahoma(), control_->Page(i)->Caption());
        const TRect caption = control_->TabCaptionRect(i, state);
        if (i == 0) {
            // The active tab is 4 pixels wider and taller; its caption sits at the centre, one up.
            EXPECT_EQ(drawn, (TRect{tab.Left - 2, tab.Top - 2, tab.Right + 2, tab.Bottom + 2}));
            EXPECT_EQ(caption.Top, (HeightOf(drawn) - text.height()) / 2 - 1);
        } else {
            // An inactive tab's caption sits one pixel below the centre.
            EXPECT_EQ(drawn, tab);
            EXPECT_EQ(caption.Top, (HeightOf(drawn) - text.height()) / 2 + 1);
        }
        EXPECT_EQ(caption.Left, (WidthOf(drawn) - text.width()) / 2);
    }
    EXPECT_EQ(control_->VisibleTabCount(), 2);
}

TEST_F(PageControls, HoverMovesBetweenTabsAndTheActiveOneStaysActive) {
    const TRect inactive = control_->TabRect(1);
    const TRect active = control_->TabDrawRect(0, 2);
    const auto topLine = [&](const Bitmap32& shown, const TRect& tab) { return shown.At((tab.Left + tab.Right) / 2, tab.Top + 1); };
    EXPECT_EQ(Hex(topLine(Shown(), active)), Hex(kAccent));
    EXPECT_NE(Hex(topLine(Shown(), inactive)), Hex(kAccent));
    SendToTabBar(control_, QEvent::MouseMove, inactive);
    EXPECT_EQ(control_->HotTab(), 1);
    EXPECT_EQ(Hex(topLine(Shown(), inactive)), Hex(kAccent));
    SendToTabBar(control_, QEvent::MouseMove, control_->TabRect(0));
    EXPECT_EQ(control_->HotTab(), 0);
    const Bitmap32 shown = Shown();
    EXPECT_NE(Hex(topLine(shown, inactive)), Hex(kAccent));
    EXPECT_EQ(Hex(topLine(shown, active)), Hex(kAccent));
    // Leaving the strip from the active tab keeps it hot; leaving the control clears it.
    SendToTabBar(control_, QEvent::MouseMove, {0, 60, 10, 70});
    EXPECT_EQ(control_->HotTab(), 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(control_->TabBar(), &leave);
    EXPECT_EQ(control_->HotTab(), -1);
}

TEST_F(PageControls, ClickSwitchesPagesOnlyWhenTheChangeIsAllowed) {
    bool allow = false;
    TsTabSheet* asked = nullptr;
    control_->OnPageChanging = [&](QObject*, TsTabSheet* page, bool& allowed) {
        asked = page;
        allowed = allow;
    };
    SendToTabBar(control_, QEvent::MouseButtonPress, control_->TabRect(1));
    SendToTabBar(control_, QEvent::MouseButtonRelease, control_->TabRect(1));
    EXPECT_EQ(asked, control_->Page(1));
    EXPECT_EQ(control_->ActivePageIndex(), 0);
    allow = true;
    SendToTabBar(control_, QEvent::MouseButtonPress, control_->TabRect(1));
    SendToTabBar(control_, QEvent::MouseButtonRelease, control_->TabRect(1));
    EXPECT_EQ(control_->ActivePageIndex(), 1);
    EXPECT_TRUE(control_->Page(1)->isVisible());
    EXPECT_FALSE(control_->Page(0)->isVisible());
}

TEST_F(PageControls, PageChangeIsRevealedInFrames12MillisecondsApart) {
    TvlAnimEffect& effect = TestManager().AnimEffects.PageChange;
    const TvlAnimEffect saved = effect;
    struct Row {
        int Time;
        std::vector<int> Weights; // of the old look, frame by frame
    };
    // n = Time div 12 frames and one: w = 255 - i * (255 div n).
    const Row rows[] = {{48, {255, 192, 129, 66, 3}}, {0, {}}, {11, {}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Time);
        effect = {true, row.Time};
        const int target = 1 - control_->ActivePageIndex();
        const Bitmap32 before = Shown();
        CoverWatcher watcher;
        qApp->installEventFilter(&watcher);
        control_->SetActivePageIndex(target);
        qApp->removeEventFilter(&watcher);
        const Bitmap32 after = Shown();
        ASSERT_FALSE(before == after);
        std::vector<Bitmap32> expected;
        for (int w : row.Weights)
            expected.push_back(RevealFrame(before, after, w));
        if (!row.Weights.empty())
            expected.push_back(after);
        ASSERT_EQ(watcher.Frames.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(watcher.Frames[i], expected[i]) << i;
        EXPECT_TRUE(control_->findChildren<TsRevealCover*>().isEmpty());
    }
    effect = saved;
}

TEST(PageControlWithoutPages, PaintsOnlyItsFrame) {
    QWidget window;
    window.resize(120, 80);
    auto* control = new TsPageControl(&window);
    control->setGeometry(0, 0, 100, 60);
    ShowExposed(&window);
    EXPECT_EQ(control->PageFrameRect(), (TRect{0, 0, 100, 60}));
    EXPECT_EQ(control->TabStripRect(), TRect{});
    const Bitmap32 shown = CaptureWidget(control);
    EXPECT_EQ(Hex(shown.At(50, 0)), Hex(0xFF8B939Du)); // the frame's line all along the top
}

} // namespace
} // namespace skin::testing

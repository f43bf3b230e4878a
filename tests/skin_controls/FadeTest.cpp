// Cross-fades: the frames of a push-button fade and its end, frames shown for a control that does
// not draw them, no fade where the skin has none, a speed-button fade reversed half-way, the
// threaded timer, and no timer left running once nothing animates.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QScreen>

#include <functional>
#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "framework/core/SkinCommand.h"
#include "skin/controls/vlThdTimer.h"
#include "skin/data/sSkinCommands.h"

namespace skin::testing {
namespace {

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

void Hover(QWidget* control) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(control, &enter);
}

int ActiveTimers(QObject* root) {
    int active = 0;
    for (QTimer* timer : root->findChildren<QTimer*>())
        active += timer->isActive();
    return active;
}

// A speed button: shows the frames its fade timer prepares, and frees the timer at the end.
class TTestSpeedButton : public TTestControl {
public:
    explicit TTestSpeedButton(QWidget* parent) : TTestControl(parent, kKindSpeedButton, "TESTFADE") {}
    QPointer<TsAnimTimer> Fade;
    std::vector<int> StepsShown;

protected:
    bool OwnCommand(int command, std::intptr_t lParam, std::intptr_t& result) override {
        if (command == SKC_FADE_FRAME_READY && Fade) {
            StepsShown.push_back(Fade->Step);
            return true;
        }
        if (command == SKC_STOP_FADING) {
            StopSpeedButtonFade(Fade);
            return true;
        }
        return TTestControl::OwnCommand(command, lParam, result);
    }
};

class Fades : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(120, 60);
        panel_ = new TTestControl(window_.get(), 51, "TESTFLAT");
        panel_->setGeometry(0, 0, 120, 60);
    }
    template <class Button, class... Args>
    Button* Shown(Args&&... args) {
        auto* button = new Button(panel_, std::forward<Args>(args)...);
        button->setGeometry(10, 10, 20, 10);
        ShowExposed(window_.get());
        button->PrepareCache();
        return button;
    }
    std::unique_ptr<QWidget> window_;
    TTestControl* panel_ = nullptr;
};

TEST_F(Fades, ButtonFadeShowsItsFramesAndStopsItsTimerWhenDone) {
    struct Row {
        bool Fast;
        std::vector<int> Blends; // b of each frame: the new look's share in 1/255
    };
    const Row rows[] = {
        {false, {25, 51, 76, 102, 127, 153, 178, 204, 229, 255}},
        {true, {51, 102, 153, 204, 255}},
    };
    const int liveBefore = LiveFadeTimers();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Fast);
        auto* button = Shown<TTestButton>("TESTFADE", TTestButton::Frames::DrawnByButton);
        ASSERT_EQ(button->SkinData.CacheBitmap->At(5, 5), 0xFF000000u);
        button->SkinData.MouseOver = true;
        FadeButton(button, button->SkinData, button->Fade, row.Fast, true);
        ASSERT_TRUE(button->Fade);
        EXPECT_TRUE(WaitUntil([&] { return button->StopFadingReceived > 0; }));
        // From black to white, each channel of frame k is ((1 + b) * 255) >> 8 = b.
        ASSERT_EQ(button->FramesDrawn.size(), row.Blends.size());
        for (std::size_t k = 0; k < row.Blends.size(); ++k)
            EXPECT_EQ(button->FramesDrawn[k].At(5, 5), 0xFF000000u | Pixel(row.Blends[k]) * 0x010101u) << k;
        EXPECT_EQ(button->FramesDrawn.back(), *button->SkinData.CacheBitmap);
        EXPECT_EQ(button->Fade, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(LiveFadeTimers(), liveBefore);
        EXPECT_EQ(ActiveTimers(window_.get()), 0);
        delete button;
    }
}

TEST_F(Fades, FramesOfAButtonThatDoesNotDrawThemArePaintedOverIt) {
    auto* button = Shown<TTestButton>("TESTFADE", TTestButton::Frames::DrawnByTimer);
    Hover(button);
    ASSERT_TRUE(button->Fade);
    button->Fade->stop();
    button->Fade->Tick(); // step 1: b = 25
    const QImage screen = window_->screen()->grabWindow(window_->winId()).toImage();
    EXPECT_EQ(screen.pixel(15, 15) & 0xFFFFFF, 0x191919u);
    StopButtonFade(button->Fade);
}

TEST_F(Fades, SectionWithoutFadingSwitchesLooksAtOnce) {
    auto* button = Shown<TTestButton>("TESTNOFADE", TTestButton::Frames::DrawnByButton);
    const int rebuilds = button->Rebuilds;
    Hover(button);
    EXPECT_EQ(button->Fade, nullptr);
    EXPECT_TRUE(button->FramesDrawn.empty());
    EXPECT_GT(button->Rebuilds, rebuilds);
    EXPECT_EQ(button->SkinData.CacheBitmap->At(5, 5), 0xFFFFFFFFu);
}

TEST_F(Fades, SpeedButtonFadeInterruptedHalfWayGoesBackFromWhereItWas) {
    auto* button = Shown<TTestSpeedButton>();
    button->SkinData.MouseOver = true;
    FadeSpeedButton(button, button->SkinData, button->Fade, false, true);
    ASSERT_TRUE(button->Fade);
    button->Fade->stop();
    button->Fade->Tick();
    button->Fade->Tick();
    EXPECT_EQ(button->StepsShown, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(button->Fade->Step, 4);
    button->StepsShown.clear();
    button->SkinData.MouseOver = false;
    FadeSpeedButton(button, button->SkinData, button->Fade, false, true);
    ASSERT_TRUE(button->Fade);
    EXPECT_TRUE(WaitUntil([&] { return button->Fade.isNull(); }));
    EXPECT_EQ(button->StepsShown, (std::vector<int>{6, 7, 8, 9, 10}));
}

TEST(ThreadedTimer, TicksOnlyWithAnIntervalAHandlerAndEnabled) {
    TvlThreadedTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Ticking()); // no handler yet
    int ticks = 0;
    timer.SetInterval(0);
    timer.SetOnTimer([&](QObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    EXPECT_FALSE(timer.Ticking());
    timer.SetInterval(5);
    EXPECT_TRUE(timer.Ticking());
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 2; }));
    timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.Ticking());
    TvlThreadedTimer owned(nullptr, &timer, true);
    EXPECT_FALSE(owned.Enabled());
    EXPECT_EQ(owned.OwnerControl(), &timer);
    owned.SetEnabled(true);
    EXPECT_TRUE(owned.Ticking());
}

} // namespace
} // namespace skin::testing

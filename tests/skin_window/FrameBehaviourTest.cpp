// The frame's behaviour through the mouse events a user makes: the Close fade's opacities,
// press and release over and away from Close, the hit-test table, the system menu and its
// ways of opening, double clicks, dragging the title (without re-rendering the frame), a
// blocked owner's inert frame, and SC_CLOSE ending the program's loop.
#include <gtest/gtest.h>

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <vector>

#include "FrameTestSupport.h"
#include "framework/widgets/Application.h"
#include "skin/window/sSkinProviderFade.h"
#include "skin/window/sSkinProviderSysMenu.h"

namespace skin::testing {
namespace {

const QPoint kClose(465, 29);
const QPoint kTitle(250, 29);
const QPoint kIcon(30, 29);

void Mouse(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton,
           Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(type, at, window.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}
void Move(QWidget& window, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QCursor::setPos(window.mapToGlobal(at));
    Mouse(window, QEvent::MouseMove, at, Qt::NoButton, held);
}
void Press(QWidget& window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(window, QEvent::MouseButtonPress, at, button, button);
}
void Release(QWidget& window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(window, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

struct ActiveForm {
    std::unique_ptr<framework::TForm> form = ShowMainLikeForm();
    TsSkinProvider& provider = ProviderOf(*form);
    ActiveForm() {
        form->activateWindow();
        Settle();
    }
    TvlSBAnimation* CloseFade() const { return provider.CaptionButton(HTCLOSE)->Animation.get(); }
};

TEST(FrameBehaviour, HoveringCloseFadesItsHotImageInAndLeavingFadesItOut) {
    ActiveForm f;
    Move(*f.form, kClose);
    EXPECT_EQ(f.provider.HotHitCode(), HTCLOSE);
    TvlSBAnimation* fade = f.CloseFade();
    ASSERT_NE(fade, nullptr);
    ASSERT_NE(fade->Window(), nullptr);
    std::vector<int> opacities{fade->Opacity()};
    for (int tick = 0; tick < 9; ++tick) {
        fade->Tick();
        opacities.push_back(fade->Opacity());
    }
    EXPECT_EQ(opacities, (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 255}));
    EXPECT_EQ(fade->MaxSteps(), -1);
    // The hot look of Close is the skin's glow picture, placed by its margin of 3.
    EXPECT_EQ(fade->Window()->geometry().topLeft(), QPoint(453 - 3, 17 - 3));
    EXPECT_EQ(f.provider.CaptionButton(HTCLOSE)->State, 1);

    // The pointer leaves the button: the next tick notices and the image fades out.
    QCursor::setPos(f.form->mapToGlobal(kTitle));
    fade->Tick();
    EXPECT_EQ(f.provider.HotHitCode(), -1);
    EXPECT_EQ(f.provider.CaptionButton(HTCLOSE)->State, 0);
    EXPECT_FALSE(fade->FadingIn());
    opacities.clear();
    while (fade->Target() >= 0 && opacities.size() < 20) {
        fade->Tick();
        opacities.push_back(fade->Opacity());
    }
    EXPECT_EQ(opacities, (std::vector<int>{250, 225, 200, 175, 150, 125, 100, 75, 50, 25, 0}));
    EXPECT_EQ(fade->Window(), nullptr);
}

TEST(FrameBehaviour, PressingCloseShowsItPressedAtOnceAndReleasingOverItClosesTheForm) {
    ActiveForm f;
    bool closed = false;
    QObject::connect(f.form.get(), &framework::TForm::Closed, [&] { closed = true; });
    Move(*f.form, kClose);
    Press(*f.form, kClose);
    EXPECT_EQ(f.provider.CaptionButton(HTCLOSE)->State, 2);
    EXPECT_TRUE(TsSkinProvider::ButtonPressed());
    ASSERT_NE(f.CloseFade(), nullptr);
    EXPECT_EQ(f.CloseFade()->Target(), 2);
    EXPECT_EQ(f.CloseFade()->Opacity(), 255);
    Release(*f.form, kClose);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(f.form->isVisible());
    EXPECT_FALSE(TsSkinProvider::ButtonPressed());
}

TEST(FrameBehaviour, PressingCloseAndReleasingOnTheTitleDoesNotClose) {
    ActiveForm f;
    Move(*f.form, kClose);
    Press(*f.form, kClose);
    Move(*f.form, kTitle, Qt::LeftButton);
    EXPECT_EQ(f.provider.CaptionButton(HTCLOSE)->State, 0) << "the button lets go as the pointer leaves it";
    Release(*f.form, kTitle);
    EXPECT_TRUE(f.form->isVisible());
    EXPECT_FALSE(TsSkinProvider::ButtonPressed());
}

TEST(FrameBehaviour, HitTestsOfTheFrame) {
    ActiveForm f;
    struct Case {
        QPoint At;
        int Code;
    };
    const Case withBorder[] = {
        {kClose, HTCLOSE}, {kTitle, HTCAPTION},  {kIcon, HTSYSMENU},      {{20, 14}, HTCAPTION},
        {{5, 5}, -1},      {{250, 360}, -1},     {{17, 200}, -1},         {{480, 200}, -1},
        {{490, 30}, -1},   {{250, 13}, -1},      {{250, 44}, HTCAPTION},
    };
    for (const Case& c : withBorder)
        EXPECT_EQ(f.provider.HitTest(c.At), c.Code) << c.At.x() << "," << c.At.y();
    // A greyed Close is part of the title.
    f.provider.SystemMenu().SetCommandEnabled(SC_CLOSE, false);
    EXPECT_EQ(f.provider.HitTest(kClose), HTCAPTION);
    f.provider.SystemMenu().SetCommandEnabled(SC_CLOSE, true);
    {
        // Without extended borders the form's own frame answers, in its own coordinates.
        ScopedCompositor none(false);
        const Case own[] = {
            {{448, 12}, HTCLOSE}, {{200, 12}, HTCAPTION}, {{10, 12}, HTSYSMENU}, {{200, 100}, HTCLIENT},
        };
        ASSERT_TRUE(Contains(f.provider.CaptionButton(HTCLOSE)->Rect, 448, 12));
        for (const Case& c : own)
            EXPECT_EQ(f.provider.HitTest(c.At), c.Code) << c.At.x() << "," << c.At.y();
    }
}

TEST(FrameBehaviour, WhileAModalWindowIsOpenTheOwnersFrameIsInert) {
    ActiveForm f;
    Move(*f.form, kClose);
    ASSERT_EQ(f.provider.HotHitCode(), HTCLOSE);
    framework::TForm dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    Settle();
    EXPECT_EQ(f.provider.HotHitCode(), -1) << "blocking clears the hover";
    EXPECT_EQ(f.provider.HitTest(kClose), -1);
    EXPECT_EQ(f.provider.HitTest(kTitle), -1);
    Move(*f.form, kClose);
    EXPECT_LT(f.provider.HotHitCode(), 1) << "no button turns hot";
    EXPECT_EQ(f.provider.CaptionButton(HTCLOSE)->State, 0);
    dialog.hide();
    Settle();
    EXPECT_EQ(f.provider.HitTest(kClose), HTCLOSE);
}

TEST(FrameBehaviour, TheMainWindowsSystemMenu) {
    ActiveForm f;
    TsSystemMenu& menu = f.provider.SystemMenu();
    f.provider.ShowSystemMenu(f.form->mapToGlobal(kTitle));
    Settle();
    ASSERT_TRUE(menu.isVisible());
    struct Item {
        QString Text;
        bool Enabled;
    };
    std::vector<Item> shown;
    for (QAction* action : menu.actions())
        if (action->isVisible())
            shown.push_back({action->isSeparator() ? QStringLiteral("-") : action->text(), action->isEnabled()});
    ASSERT_EQ(shown.size(), 5u);
    const Item expected[] = {{QStringLiteral("&Restore"), false}, {QStringLiteral("&Move"), true},
                             {QStringLiteral("&Size"), false},    {QStringLiteral("-"), true},
                             {QStringLiteral("&Close"), true}};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].Text, expected[i].Text) << i;
        EXPECT_EQ(shown[i].Enabled, expected[i].Enabled) << i;
    }
    EXPECT_EQ(menu.Item(QStringLiteral("vlIC"))->shortcut(), QKeySequence(QStringLiteral("Alt+F4")));
    EXPECT_FALSE(menu.Item(QStringLiteral("vlIN"))->isVisible());
    EXPECT_FALSE(menu.Item(QStringLiteral("vlIX"))->isVisible());
    menu.hide();
    // Choosing Close closes the form.
    menu.Item(QStringLiteral("vlIC"))->trigger();
    EXPECT_FALSE(f.form->isVisible());
}

TEST(FrameBehaviour, TheSystemMenuOpensOnTheIconOnARightClickOnTheTitleAndOnAltSpace) {
    ActiveForm f;
    TsSystemMenu& menu = f.provider.SystemMenu();
    // A click on the icon: after a moment (a double click would close instead), below the icon.
    Press(*f.form, kIcon);
    Release(*f.form, kIcon);
    EXPECT_FALSE(menu.isVisible());
    ASSERT_TRUE(WaitFor([&] { return menu.isVisible(); }));
    menu.hide();
    // A right click on the title: at the pointer.
    Press(*f.form, kTitle, Qt::RightButton);
    Release(*f.form, kTitle, Qt::RightButton);
    Settle();
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), f.form->mapToGlobal(kTitle));
    menu.hide();
    // Alt+Space.
    f.provider.SystemCommand(SC_KEYMENU, kSpaceKey);
    Settle();
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST(FrameBehaviour, DoubleClicks) {
    {
        // On the title of a form that cannot maximize: nothing.
        ActiveForm f;
        const QSize size = f.form->size();
        Press(*f.form, kTitle);
        Release(*f.form, kTitle);
        Mouse(*f.form, QEvent::MouseButtonDblClick, kTitle, Qt::LeftButton, Qt::LeftButton);
        Release(*f.form, kTitle);
        Settle();
        EXPECT_TRUE(f.form->isVisible());
        EXPECT_FALSE(f.form->isMaximized());
        EXPECT_EQ(f.form->size(), size);
    }
    {
        // On the icon: the form closes and no menu opens.
        ActiveForm f;
        Press(*f.form, kIcon);
        Release(*f.form, kIcon);
        Mouse(*f.form, QEvent::MouseButtonDblClick, kIcon, Qt::LeftButton, Qt::LeftButton);
        Release(*f.form, kIcon);
        EXPECT_FALSE(f.form->isVisible());
        Pause(300);
        EXPECT_FALSE(f.provider.SystemMenu().isVisible());
    }
}

TEST(FrameBehaviour, DraggingTheTitleMovesTheWindowWithoutRenderingTheFrameAgain) {
    ActiveForm f;
    const QPoint start = f.form->pos();
    const int renders = f.provider.RenderCount();
    Press(*f.form, kTitle);
    // Within the drag distance nothing moves (a double click stays possible).
    Move(*f.form, kTitle + QPoint(1, 1), Qt::LeftButton);
    EXPECT_EQ(f.form->pos(), start);
    // Without a window manager to move it, the window follows the pointer.
    const QPoint screen = f.form->mapToGlobal(kTitle);
    for (int step = 1; step <= 4; ++step) {
        const QPoint to = screen + QPoint(10 * step, 6 * step);
        QCursor::setPos(to);
        QMouseEvent event(QEvent::MouseMove, f.form->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(f.form.get(), &event);
    }
    Release(*f.form, f.form->mapFromGlobal(screen + QPoint(40, 24)));
    Settle();
    EXPECT_EQ(f.form->pos(), start + QPoint(40, 24));
    EXPECT_EQ(f.provider.RenderCount(), renders) << "a move renders nothing";
}

TEST(FrameBehaviour, SystemCloseEndsTheProgramsLoopNormally) {
    framework::TApplication& app = *framework::Application();
    ASSERT_EQ(app.MainForm(), nullptr) << "run this test in a process of its own";
    auto* form = app.CreateForm<framework::TForm>();
    form->SetCaption(QString::fromLatin1(kCaption));
    form->SetBorderStyle(framework::bsSingle);
    form->SetBorderIcons(framework::biSystemMenu);
    QTimer::singleShot(50, [form] { ProviderOf(*form).SystemCommand(SC_CLOSE); });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.Terminated());
}

} // namespace
} // namespace skin::testing

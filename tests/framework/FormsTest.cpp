// The form: client widget and sizes, border styles, the non-client area a skin provider takes
// over, placement, close refusal, the modal loop, and the window-creation notification.
#include "framework/widgets/Forms.h"
#include "framework/widgets/StdCtrls.h"
#include "framework/widgets/WindowHook.h"
#include "tests/support/ModalAnswerer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using namespace framework;

TEST(FormTest, ClientWidgetHoldsTheControlsInClientCoordinates) {
    TForm form;
    form.SetBorderStyle(bsSingle);
    form.SetClientSize(455, 296);
    EXPECT_EQ(form.size(), QSize(455, 296));
    EXPECT_EQ(form.client()->geometry(), QRect(0, 0, 455, 296));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()); // bsSingle is not resizable

    form.TakeOverFrame(QMargins(22, 45, 22, 22), FrameTakeOver::Translucent);
    EXPECT_EQ(form.size(), QSize(499, 363));
    EXPECT_EQ(form.client()->pos(), QPoint(22, 45));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(form.ClientWidth(), 455);

    form.GiveBackFrame();
    EXPECT_EQ(form.size(), QSize(455, 296));
    EXPECT_EQ(form.client()->pos(), QPoint(0, 0));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(FormTest, BorderIconsGiveTheWindowButtons) {
    struct Case {
        TFormBorderStyle style;
        TBorderIcons icons;
        bool close;
        bool minimize;
        bool maximize;
    };
    const Case cases[] = {
        {bsSingle, biSystemMenu, true, false, false},
        {bsSizeable, TBorderIcons(biSystemMenu) | biMinimize | biMaximize, true, true, true},
        {bsDialog, TBorderIcons(biSystemMenu) | biMinimize, true, false, false},
        {bsSingle, TBorderIcons(), false, false, false},
    };
    for (const Case& c : cases) {
        TForm form;
        form.SetBorderStyle(c.style);
        form.SetBorderIcons(c.icons);
        const Qt::WindowFlags flags = form.windowFlags();
        EXPECT_EQ(flags.testFlag(Qt::WindowCloseButtonHint), c.close) << c.style;
        EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), c.minimize) << c.style;
        EXPECT_EQ(flags.testFlag(Qt::WindowMaximizeButtonHint), c.maximize) << c.style;
    }
}

TEST(FormTest, DesktopCentreAndCloseQuery) {
    TForm form;
    form.SetClientSize(200, 100);
    form.SetPosition(poDesktopCenter);
    bool allow = false;
    form.OnCloseQuery = [&](QObject*, bool& canClose) { canClose = allow; };
    form.show();
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    EXPECT_EQ(form.pos(), QPoint(desktop.x() + (desktop.width() - 200) / 2, desktop.y() + (desktop.height() - 100) / 2));
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    allow = true;
    EXPECT_TRUE(form.close());
}

TEST(FormTest, ShowModalReturnsTheButtonsModalResult) {
    TForm form;
    auto* button = new TButton(form.client());
    button->SetModalResult(mrOk);
    testing_support::ModalAnswerer answerer;
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowModality(), Qt::NonModal);
}

TEST(WindowHookTest, ReportsTopLevelCreationShowAndChildren) {
    struct Seen {
        QWidget* widget;
        WindowHookCode code;
    };
    std::vector<Seen> seen;
    const int id = AddWindowHookListener([&](QWidget* w, WindowHookCode code) { seen.push_back({w, code}); });
    {
        TForm form;
        auto* button = new TButton(form.client());
        form.show();
        form.hide();
        form.show();
        auto count = [&](QWidget* w, WindowHookCode code) {
            return std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.widget == w && s.code == code; });
        };
        EXPECT_EQ(count(&form, WindowHookCode::TopLevelCreated), 1);
        EXPECT_EQ(count(&form, WindowHookCode::TopLevelShown), 1);
        EXPECT_EQ(count(button, WindowHookCode::ChildCreated), 1);
        // Creation comes before the first show.
        const auto created = std::find_if(seen.begin(), seen.end(), [&](const Seen& s) {
            return s.widget == &form && s.code == WindowHookCode::TopLevelCreated;
        });
        const auto shown = std::find_if(seen.begin(), seen.end(), [&](const Seen& s) {
            return s.widget == &form && s.code == WindowHookCode::TopLevelShown;
        });
        EXPECT_LT(created - seen.begin(), shown - seen.begin());
    }
    RemoveWindowHookListener(id);
    seen.clear();
    TForm later;
    later.show();
    EXPECT_TRUE(seen.empty());
}

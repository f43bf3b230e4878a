// The window hook's rules for forms: engine tags, excluded classes, the skinning rules for
// forms and for the message dialog (which wears the small caption buttons), a form still being
// built, a second provider on a form that has one, and the hook's list of providers.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>

#include "FrameTestSupport.h"
#include "framework/core/SkinCommand.h"
#include "framework/widgets/MessageForm.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/window/vlDials.h"

namespace skin::testing {

// A form of a class the hook never skins.
class TfcPopup : public framework::TForm {
    Q_OBJECT
};

namespace {

bool Skinned(framework::TForm& form) { return skin::ProviderOf(&form) != nullptr; }

std::unique_ptr<framework::TForm> ShowTaggedForm(int tag) {
    auto form = std::make_unique<framework::TForm>();
    form->SetTag(tag);
    form->show();
    Settle();
    return form;
}

TEST(WindowHook, FormsWhoseTagAndMinus98IsMinus98AreNeverSkinned) {
    for (const int tag : {-98, -97, -66, -65, -34, -33, -2, -1}) {
        const auto form = ShowTaggedForm(tag);
        EXPECT_FALSE(Skinned(*form)) << tag;
        EXPECT_FALSE(form->FrameTakenOver()) << tag;
    }
    for (const int tag : {-99, 0, 5}) {
        const auto form = ShowTaggedForm(tag);
        EXPECT_TRUE(Skinned(*form)) << tag;
        EXPECT_TRUE(form->FrameTakenOver()) << tag;
    }
}

TEST(WindowHook, ExcludedClassesAndFormsWithoutTheirRule) {
    ASSERT_EQ(ExclusionList().size(), 6u);
    TfcPopup popup;
    popup.show();
    Settle();
    EXPECT_FALSE(Skinned(popup));

    MainManager().SkinningRules.Exclude(TvlSkinningRule::srStdForms);
    const auto plain = ShowTaggedForm(0);
    MainManager().SkinningRules.Include(TvlSkinningRule::srStdForms);
    EXPECT_FALSE(Skinned(*plain));
}

TEST(WindowHook, TheMessageDialogNeedsStdDialogsAndWearsTheSmallButtons) {
    MainManager().SkinningRules.Exclude(TvlSkinningRule::srStdDialogs);
    {
        framework::TMessageForm dialog(QStringLiteral("Done."), framework::mtCustom, false);
        dialog.show();
        Settle();
        EXPECT_FALSE(Skinned(dialog));
        const auto form = ShowTaggedForm(0);
        EXPECT_TRUE(Skinned(*form)) << "other forms need srStdForms only";
    }
    MainManager().SkinningRules.Include(TvlSkinningRule::srStdDialogs);
    framework::TMessageForm dialog(QStringLiteral("Done."), framework::mtCustom, false);
    dialog.show();
    Settle();
    ASSERT_TRUE(Skinned(dialog));
    TsSkinProvider& p = ProviderOf(dialog);
    EXPECT_NE(p.BorderForm(), nullptr);
    const TsCaptionButton& close = *p.CaptionButton(HTCLOSE);
    EXPECT_EQ(close.ImageIndex, FindMask(MainManager().Model(), "GLOBALINFO", "SICONCLOSE"));
    EXPECT_EQ(WidthOf(close.Rect), 14);
    EXPECT_EQ(HeightOf(close.Rect), 14);
    EXPECT_FALSE(p.IconShown());
    EXPECT_EQ(dialog.size(), QSize(dialog.ClientWidth() + 2 * 8 + 28, dialog.ClientHeight() + 31 + 8 + 28));
}

TEST(WindowHook, AFormStillBeingBuiltIsTakenAtALaterActivation) {
    framework::TForm form;
    ASSERT_TRUE(form.Loading());
    form.winId(); // its window is made as it stands: opaque
    form.ensurePolished();
    EXPECT_TRUE(AddToAdapter(&form)) << "taken later";
    EXPECT_FALSE(Skinned(form));
    form.show();
    form.activateWindow();
    Settle();
    EXPECT_FALSE(form.Loading());
    ASSERT_TRUE(Skinned(form));
    EXPECT_TRUE(form.FrameTakenOver());
    // Its window was made opaque; it is made again with an alpha channel for the shadow (only
    // the X11 platform tells a window's real format).
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        EXPECT_TRUE(WaitFor([&] { return form.windowHandle()->format().hasAlpha(); }));
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(ProviderOf(form).FrameWidth(), ProviderOf(form).FrameHeight()));
}

TEST(WindowHook, ASecondProviderOnAFormStaysIdle) {
    const auto form = ShowTaggedForm(0);
    TsSkinProvider& first = ProviderOf(*form);
    const TsSkinProvider second(form.get());
    EXPECT_FALSE(second.Serving());
    EXPECT_TRUE(first.Serving());
    EXPECT_EQ(skin::ProviderOf(form.get()), &first);
    EXPECT_FALSE(AddToAdapter(form.get())) << "a skinned form is not taken twice";
    EXPECT_EQ(framework::SendSkinCommand(form.get(), SKC_IS_SKINNED), 1);
}

TEST(WindowHook, TheHookListsTheProvidersOfLiveForms) {
    const std::size_t before = ProviderList().size();
    auto form = ShowTaggedForm(0);
    ASSERT_EQ(ProviderList().size(), before + 1);
    EXPECT_EQ(ProviderList().back()->FormProvider(), skin::ProviderOf(form.get()));
    form.reset();
    EXPECT_EQ(ProviderList().size(), before);
}

} // namespace
} // namespace skin::testing

#include "WindowHookTest.moc"

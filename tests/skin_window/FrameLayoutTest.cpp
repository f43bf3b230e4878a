// Frame metrics and the title's layout: the main window's numbers, the dialog's small buttons,
// the close picture of a form without other buttons, overlapping buttons, the caption's space,
// the icon's size for a title height, and the margins of skins without an extended-border
// picture or in the other border mode.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "FrameTestSupport.h"
#include "framework/widgets/SystemMetrics.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/window/sSkinProviderBorder.h"

namespace skin::testing {
namespace {

using framework::TBorderIcons;

::testing::AssertionResult RectIs(const TRect& actual, const TRect& expected) {
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.Left << ", " << actual.Top << ")-(" << actual.Right << ", "
                                         << actual.Bottom << ") instead of (" << expected.Left << ", " << expected.Top
                                         << ")-(" << expected.Right << ", " << expected.Bottom << ")";
}

TEST(FrameLayout, MainWindowFrameClientIconCloseAndCaptionSpace) {
    const auto form = ShowMainLikeForm();
    TsSkinProvider& p = ProviderOf(*form);
    ASSERT_TRUE(p.FrameTaken());
    ASSERT_NE(p.BorderForm(), nullptr) << "the offscreen platform composites";
    EXPECT_EQ(p.FrameWidth(), 499);
    EXPECT_EQ(p.FrameHeight(), 363);
    ASSERT_NE(p.FrameBitmap(), nullptr);
    EXPECT_EQ(p.FrameBitmap()->Width(), 499);
    EXPECT_EQ(p.FrameBitmap()->Height(), 363);
    EXPECT_EQ(form->size(), QSize(499, 363)) << "frame and form are one window";
    EXPECT_EQ(form->client()->geometry(), QRect(22, 45, 455, 296));
    EXPECT_EQ(p.ClientOffsetX(), 22);
    EXPECT_EQ(p.ClientOffsetY(), 45);
    const FrameWidths m = p.ExtMargins();
    EXPECT_EQ((std::array<int, 4>{m.Left, m.Top, m.Right, m.Bottom}), (std::array<int, 4>{14, 14, 14, 14}));
    // The form's own window lies at (OffsetX, OffsetY): 22 - SysBorder, 45 - SysBorder - SM_CYCAPTION.
    EXPECT_EQ(p.BorderForm()->OffsetX(), 19);
    EXPECT_EQ(p.BorderForm()->OffsetY(), 19);
    EXPECT_TRUE(RectIs(p.IconRect(), {22, 21, 38, 37}));
    EXPECT_EQ(p.CaptionVCenter(), 29);
    EXPECT_TRUE(RectIs(p.CaptionButton(HTCLOSE)->Rect, {453, 17, 477, 41}));
    for (int hidden : {HTMINBUTTON, HTMAXBUTTON, HTHELP})
        EXPECT_FALSE(p.CaptionButton(hidden)->Shown()) << hidden;
    EXPECT_EQ(p.ButtonsWidth(), 24);
    EXPECT_EQ(p.CaptionTextRect().Left, 42);
    EXPECT_EQ(p.CaptionTextRect().Right, 449);
    const int height = QFontMetrics(framework::CaptionFont()).height();
    EXPECT_EQ(p.CaptionTextRect().Top, 29 - height / 2) << "centred on y 29";
}

TEST(FrameLayout, ADialogHasTheSmallCloseCentredOnTheCaptionLineAndNoIcon) {
    const auto form = ShowMainLikeForm(framework::biSystemMenu, framework::bsDialog);
    TsSkinProvider& p = ProviderOf(*form);
    const TsCaptionButton& close = *p.CaptionButton(HTCLOSE);
    EXPECT_FALSE(close.BigImage);
    EXPECT_EQ(close.ImageIndex, FindMask(MainManager().Model(), "GLOBALINFO", "SICONCLOSE"));
    EXPECT_EQ(WidthOf(close.Rect), 14);
    EXPECT_EQ(HeightOf(close.Rect), 14);
    EXPECT_EQ(close.Rect.Top, p.CaptionVCenter() - 7);
    EXPECT_EQ(close.Rect.Right, p.FrameWidth() - 14 - 8);
    EXPECT_FALSE(p.IconShown());
    EXPECT_EQ(WidthOf(p.IconRect()), 0);
    EXPECT_EQ(p.CaptionTextRect().Left, 8 + 14 + 4) << "no icon before the caption";
}

// BISPACE -2: each button's right edge lies 2 pixels inside its right neighbour.
TEST(FrameLayout, NeighbouringCaptionButtonsOverlapByTwoPixels) {
    const auto form = ShowMainLikeForm(TBorderIcons(framework::biSystemMenu) | framework::biMinimize | framework::biMaximize);
    TsSkinProvider& p = ProviderOf(*form);
    EXPECT_TRUE(RectIs(p.CaptionButton(HTCLOSE)->Rect, {453, 17, 477, 41}));
    EXPECT_TRUE(RectIs(p.CaptionButton(HTMAXBUTTON)->Rect, {431, 17, 455, 41}));
    EXPECT_TRUE(RectIs(p.CaptionButton(HTMINBUTTON)->Rect, {409, 17, 433, 41}));
    EXPECT_EQ(p.ButtonsWidth(), 24 + 2 * (24 - 2));
    EXPECT_EQ(p.CaptionTextRect().Right, 499 - 68 - 14 - 12);
    EXPECT_EQ(p.CaptionButton(HTCLOSE)->ImageIndex, FindMask(MainManager().Model(), "GLOBALINFO", "BICONCLOSE"));
}

TEST(FrameLayout, ALoneCloseTakesBicloseAloneWhenTheSkinHasIt) {
    ScopedSkin skin([](std::string options) { return WithGlobal(options, "BICLOSEALONE", "@0144,0056,0216,0104,3,1"); });
    const int alone = FindMask(skin.Manager().Model(), "GLOBALINFO", "BICLOSEALONE");
    ASSERT_GE(alone, 0);
    const auto main = ShowMainLikeForm();
    EXPECT_EQ(ProviderOf(*main).CaptionButton(HTCLOSE)->ImageIndex, alone);
    const auto withMinimize = ShowMainLikeForm(TBorderIcons(framework::biSystemMenu) | framework::biMinimize);
    EXPECT_EQ(ProviderOf(*withMinimize).CaptionButton(HTCLOSE)->ImageIndex,
              FindMask(skin.Manager().Model(), "GLOBALINFO", "BICONCLOSE"));
}

TEST(FrameLayout, ACaptionTooLongEndsInAnEllipsisWithinItsSpace) {
    const auto form = ShowMainLikeForm();
    TsSkinProvider& p = ProviderOf(*form);
    const QImage shortCaption = Grab(*form);
    const QString caption(200, QLatin1Char('W'));
    form->SetCaption(caption);
    const QImage longCaption = Grab(*form);
    EXPECT_EQ(p.CaptionTextRect().Right, 449);
    // Nothing is written between the space's end and the button.
    for (int y = 17; y < 41; ++y)
        for (int x = 449; x < 453; ++x)
            ASSERT_EQ(longCaption.pixel(x, y), shortCaption.pixel(x, y)) << x << "," << y;
    // What is written is the caption cut to the space with an ellipsis at its end.
    const QString cut = QFontMetrics(framework::CaptionFont()).elidedText(caption, Qt::ElideRight, 449 - 42);
    ASSERT_TRUE(cut.endsWith(QChar(0x2026)));
    form->SetCaption(cut);
    const QImage cutCaption = Grab(*form);
    EXPECT_EQ(longCaption.copy(0, 0, 499, 45), cutCaption.copy(0, 0, 499, 45));
}

TEST(FrameLayout, ACentredCaptionSitsInTheMiddleOfItsSpace) {
    const auto form = ShowMainLikeForm();
    TsSkinProvider& p = ProviderOf(*form);
    form->SetCaption(QStringLiteral("Ab"));
    p.SetCaptionAlignment(framework::taCenter);
    Grab(*form);
    const int width = QFontMetrics(framework::CaptionFont()).horizontalAdvance(QStringLiteral("Ab"));
    // The space runs from 42 to 449; the text and a gap of 4 are centred in it.
    const int left = 42 + (449 - 42 - (width + 4)) / 2;
    EXPECT_EQ(p.CaptionTextRect().Left, left);
    EXPECT_EQ(p.CaptionTextRect().Right, left + width);
    p.SetCaptionAlignment(framework::taRightJustify);
    Grab(*form);
    EXPECT_EQ(p.CaptionTextRect().Left, 449 - (width + 4));
}

TEST(FrameLayout, TheIconSizeFollowsTheTitleHeight) {
    struct Case {
        int TitleHeight;
        int Icon;
    };
    for (const Case c : {Case{8, 1}, Case{9, 8}, Case{16, 8}, Case{17, 16}, Case{31, 16}}) {
        ScopedSkin skin([&](std::string options) {
            options = WithGlobal(options, "TITLEHEIGHT", std::to_string(c.TitleHeight));
            return WithGlobal(options, "MAXHEIGHT", std::to_string(c.TitleHeight));
        });
        const auto form = ShowMainLikeForm();
        TsSkinProvider& p = ProviderOf(*form);
        EXPECT_EQ(p.TitleHeight(), c.TitleHeight);
        EXPECT_EQ(WidthOf(p.IconRect()), c.Icon) << "title height " << c.TitleHeight;
        EXPECT_EQ(HeightOf(p.IconRect()), c.Icon) << "title height " << c.TitleHeight;
    }
}

TEST(FrameLayout, MarginsOfSkinsWithoutTheirOwnPictureAndInBorderModeZero) {
    {
        // The program's default shadow pictures: 9 on every side.
        ScopedSkin skin([](std::string options) { return WithGlobal(options, "EXBORDER", ""); });
        const auto form = ShowMainLikeForm();
        TsSkinProvider& p = ProviderOf(*form);
        EXPECT_EQ(p.FrameWidth(), 489);
        EXPECT_EQ(p.FrameHeight(), 353);
        EXPECT_EQ(form->client()->geometry(), QRect(17, 40, 455, 296));
    }
    {
        // BORDERMODE 0: the picture's margins less FORMOFFSET: 24 - 14, 54 - 14, 25 - 14, 25 - 14.
        ScopedSkin skin([](std::string options) { return WithGlobal(options, "BORDERMODE", "0"); });
        const auto form = ShowMainLikeForm();
        TsSkinProvider& p = ProviderOf(*form);
        const FrameWidths m = p.ExtMargins();
        EXPECT_EQ((std::array<int, 4>{m.Left, m.Top, m.Right, m.Bottom}), (std::array<int, 4>{10, 40, 11, 11}));
        EXPECT_EQ(p.FrameWidth(), 455 + 16 + 21);
        EXPECT_EQ(p.FrameHeight(), 296 + 31 + 8 + 51);
        EXPECT_EQ(form->client()->geometry(), QRect(18, 71, 455, 296));
        EXPECT_EQ(p.CaptionVCenter(), 40 + 31 - 14 - 2);
    }
}

} // namespace
} // namespace skin::testing

// The skinned push button on real widgets: the pixel facts of each state, the content layout,
// the frames of the hover fade, the press and release fades, and the window region of a mask
// whose corners are cut.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <functional>
#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/controls/sButton.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sImageView.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"
#include "skin/pixels/ColorOps.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using skin::test::Hex;

// The border colours of the Pewter button's three cells (the art direction's values).
constexpr Pixel kNormalBorder = 0xFF8B939D, kHotBorder = 0xFF5B80A8, kPressedBorder = 0xFF4F6E91;

QFont Tahoma() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    return font;
}

// A bitmap as a window shows it: every pixel opaque.
Bitmap32 Opaque(Bitmap32 bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (Pixel& pixel : bitmap.Row(y))
            pixel |= 0xFF000000u;
    return bitmap;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

void SendMouse(QWidget* widget, QEvent::Type type) {
    const QPointF at(widget->width() / 2, widget->height() / 2);
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

class Buttons : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 120);
        button_ = Make(QStringLiteral("Старт"), "BUTTON", {10, 10, 61, 29});
        // Not the window's first focus, which would make it look hot.
        button_->setFocusPolicy(Qt::NoFocus);
        ShowExposed(window_.get());
        QApplication::setActiveWindow(window_.get());
    }
    TsButton* Make(const QString& caption, const char* section, QRect bounds) {
        auto* button = new TsButton(window_.get());
        button->SkinData.SetSkinSection(section);
        button->setFont(Tahoma());
        button->setText(caption);
        button->setGeometry(bounds);
        button->show();
        return button;
    }
    // The section painted by itself over the window's colour: the face a state shows.
    Bitmap32 SectionAlone(int state) const {
        const TsSkinModel& model = TestManager().Model();
        Bitmap32 image(61, 29);
        TsSectionPaint paint;
        paint.SectionIndex = GetSkinIndex(model, "BUTTON");
        paint.SectionName = "BUTTON";
        paint.State = state;
        paint.Backdrop.FillColor = AnsweredColor(window_.get());
        PaintSectionByIndex(model, image, RectOf(image), paint);
        return image;
    }
    std::unique_ptr<QWidget> window_;
    TsButton* button_ = nullptr;
};

TEST_F(Buttons, EachStateShowsItsFaceBorderAndFocusFrame) {
    struct Row {
        const char* Name;
        std::function<void(TsButton&)> Setup;
        int RenderState;
        Pixel Border;
        bool FocusFrame;
    };
    const Row rows[] = {
        {"normal", [](TsButton&) {}, 0, kNormalBorder, false},
        {"hovered", [](TsButton& b) { b.SkinData.MouseOver = true; }, 1, kHotBorder, false},
        {"held down", [](TsButton& b) { b.SetDown(true); }, 2, kPressedBorder, false},
        {"focused", [](TsButton& b) { b.setFocus(); }, 1, kHotBorder, true},
        // A default button of a section with fewer than 4 states takes image 1.
        {"default", [](TsButton& b) { b.setDefault(true); }, 1, kHotBorder, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        auto* button = Make(QStringLiteral("Старт"), "BUTTON", {80, 10, 61, 29});
        row.Setup(*button);
        QCoreApplication::processEvents();
        ASSERT_EQ(button->RenderState(), row.RenderState);
        const Bitmap32 shown = GrabbedBitmap(button);
        const Bitmap32 face = SectionAlone(row.RenderState);
        // The face away from the caption, the left border half-way down, and the focus frame's
        // first dot (HOTFONTCOLOR), or none.
        EXPECT_EQ(Hex(shown.At(30, 3)), Hex(face.At(30, 3)));
        EXPECT_EQ(Hex(shown.At(0, 14)), Hex(row.Border));
        const TRect frame = button->FocusRect();
        const Pixel dotColour = 0xFF000000u | PixelOfColor(TestManager().Model().gd[std::size_t(
                                    GetSkinIndex(TestManager().Model(), "BUTTON"))].Props[TsLook::Hot].FontColor[FontColorEntry::fcText]);
        EXPECT_EQ(shown.At(frame.Left + 1, frame.Top) == dotColour && shown.At(frame.Left, frame.Top + 1) == dotColour,
                  row.FocusFrame);
        delete button;
    }
}

TEST_F(Buttons, TheDefaultLookLastsWhileNoOtherPushButtonHasTheFocus) {
    auto* other = Make(QStringLiteral("Стоп"), "BUTTON", {80, 10, 61, 29});
    auto* edit = new QLineEdit(window_.get());
    edit->setGeometry(10, 50, 80, 21);
    edit->show();
    button_->setDefault(true);
    struct Row {
        const char* Name;
        QWidget* Focus;
        bool ActiveDefault;
    };
    const Row rows[] = {
        {"focus in an edit", edit, true},
        {"focus on another push button", other, false},
        {"focus back in the edit", edit, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Focus->setFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), row.Focus);
        EXPECT_EQ(button_->IsActiveDefault(), row.ActiveDefault);
        EXPECT_EQ(button_->VisualState(), row.ActiveDefault ? bvActiveDefault : bvNormal);
        // The section has 3 states: the default look is image 1.
        EXPECT_EQ(Hex(GrabbedBitmap(button_).At(0, 14)), Hex(row.ActiveDefault ? kHotBorder : kNormalBorder));
    }
}

TEST_F(Buttons, DisabledLookIsTheEnabledOneBlendedWithTheParent) {
    const Bitmap32 enabled = GrabbedBitmap(button_);
    button_->setEnabled(false);
    Bitmap32 expected = enabled;
    TsBackdrop parent;
    parent.FillColor = AnsweredColor(window_.get());
    PaintDisabledLook(expected, dlBlendWithParent, button_, {0, 0}, parent);
    EXPECT_EQ(GrabbedBitmap(button_), Opaque(expected));
}

TEST(ButtonLayout, CaptionAndGlyphPlaces) {
    struct Row {
        const char* Name;
        TsButtonLayoutInput In;
        QSize Text;
        TRect Caption;
        TRect Glyph;
    };
    TsButtonLayoutInput push{.Width = 61, .Height = 29};
    TsButtonLayoutInput left = push;
    left.HasGlyph = true;
    left.ListSize = {16, 16};
    left.Width = 100;
    TsButtonLayoutInput right = left;
    right.ImageAlignment = iaRight;
    TsButtonLayoutInput top = left;
    top.ImageAlignment = iaTop;
    top.Height = 60;
    TsButtonLayoutInput bottom = top;
    bottom.ImageAlignment = iaBottom;
    TsButtonLayoutInput pressed = push;
    pressed.Pressed = true;
    TsButtonLayoutInput split = push;
    split.Style = bsSplitButton;
    TsButtonLayoutInput link{.Width = 200, .Height = 60, .Style = bsCommandLink};
    const Row rows[] = {
        // Left = (61 - tw) / 2 - 1, Top = (29 - th) / 2, Bottom = H - Top.
        {"push", push, {31, 13}, {14, 8, 47, 21}, {}},
        {"pressed moves by one", pressed, {31, 13}, {15, 9, 48, 22}, {}},
        {"split leaves its part", split, {31, 13}, {6, 8, 39, 21}, {}},
        {"glyph left", left, {31, 13}, {22, 8, 94, 21}, RectAt(6, 6, 16, 16)},
        {"glyph right", right, {31, 13}, {6, 8, 78, 21}, RectAt(78, 6, 16, 16)},
        {"glyph top", top, {31, 13}, {6, 34, 94, 47}, RectAt(42, 6, 16, 16)},
        {"glyph bottom", bottom, {31, 13}, {6, 12, 94, 25}, RectAt(42, 38, 16, 16)},
        // Without a glyph a command link keeps 32 x 32 for one.
        {"command link", link, {80, 16}, {44, 6, 194, 22}, RectAt(6, 6, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(CaptionRect(row.In, row.Text), row.Caption);
        if (row.In.HasGlyph) {
            EXPECT_EQ(GlyphRect(row.In), row.Glyph);
        }
    }
    EXPECT_EQ(CommandLinkImageSize(link), QSize(32, 32));
    // The focus frame keeps 3 pixels from the top and bottom edges.
    EXPECT_EQ(FocusFrameRect({14, 8, 47, 21}, 1, 29), (TRect{12, 7, 49, 22}));
    EXPECT_EQ(FocusFrameRect({14, 1, 47, 28}, 1, 29), (TRect{12, 3, 49, 26}));
}

TEST_F(Buttons, CaptionOfStartIsCentredAsTheFrameworkMeasuresIt) {
    const int tw = TextWidth(Tahoma(), QStringLiteral("Старт"));
    const TRect caption = button_->CaptionRect();
    EXPECT_EQ(caption.Left, (61 - tw) / 2 - 1);
    EXPECT_EQ(caption.Right, caption.Left + tw + 2);
}

TEST_F(Buttons, HoverFadePassesThroughItsFramesAndEndsOnTheHotLook) {
    const Bitmap32 normal = GrabbedBitmap(button_);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(button_, &enter);
    ASSERT_NE(button_->Fader(), nullptr);
    const Bitmap32 start = Opaque(button_->Fader()->StartImage);
    EXPECT_EQ(start, normal);
    // The timer's ticks, one by one.
    button_->Fader()->stop();
    std::vector<Bitmap32> frames;
    for (int tick = 0; tick < 20 && button_->Fader(); ++tick) {
        button_->Fader()->Tick();
        if (TsFadeTimer* fade = button_->Fader())
            frames.push_back(Opaque(fade->ShownFrame()));
    }
    EXPECT_EQ(button_->Fader(), nullptr);
    const Bitmap32 hot = GrabbedBitmap(button_);
    EXPECT_EQ(Hex(hot.At(0, 14)), Hex(kHotBorder));
    // FADINGITERATIONS = 10 frames 10 ms apart; each a blend of the two looks.
    ASSERT_EQ(frames.size(), 10u);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(frames[std::size_t(k)], Opaque(FadeFrame(normal, hot, k + 1, 10))) << k;
    EXPECT_FALSE(frames.front() == normal);
    EXPECT_FALSE(frames.front() == hot);
    EXPECT_EQ(frames.back(), hot);
}

TEST_F(Buttons, PressAndReleaseFadeInHalfTheStepsAndClickOnce) {
    int clicks = 0;
    button_->OnClick = [&](QObject*) { ++clicks; };
    button_->SkinData.MouseOver = true;
    GrabbedBitmap(button_);
    SendMouse(button_, QEvent::MouseButtonPress);
    ASSERT_NE(button_->Fader(), nullptr);
    EXPECT_EQ(button_->Fader()->StepCount, 5);
    EXPECT_TRUE(WaitUntil([&] { return button_->Fader() == nullptr; }));
    EXPECT_EQ(Hex(GrabbedBitmap(button_).At(0, 14)), Hex(kPressedBorder));
    // Released before its fade has run: the release fade starts from the pressed look.
    SendMouse(button_, QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks, 1);
    SendMouse(button_, QEvent::MouseButtonPress);
    SendMouse(button_, QEvent::MouseButtonRelease);
    ASSERT_NE(button_->Fader(), nullptr);
    EXPECT_EQ(button_->Fader()->StepCount, 5);
    EXPECT_EQ(Hex(button_->Fader()->StartImage.At(0, 14)), Hex(kPressedBorder));
    EXPECT_TRUE(WaitUntil([&] { return button_->Fader() == nullptr; }));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Hex(GrabbedBitmap(button_).At(0, 14)), Hex(kHotBorder));
}

TEST_F(Buttons, DownHoldsThePressedLookAndPressesStartNoFade) {
    button_->SetDown(true);
    GrabbedBitmap(button_);
    SendMouse(button_, QEvent::MouseButtonPress);
    EXPECT_EQ(button_->Fader(), nullptr);
    SendMouse(button_, QEvent::MouseButtonRelease);
    EXPECT_EQ(Hex(GrabbedBitmap(button_).At(0, 14)), Hex(kPressedBorder));
}

TEST_F(Buttons, CutCornersOfACornerKind2MaskLeaveTheWindowRegion) {
    const TsSkinModel& model = TestManager().Model();
    auto* big = Make(QStringLiteral("Huge"), "BUTTON_HUGE", {10, 45, 100, 70});
    ASSERT_EQ(big->SkinData.BorderMask()->CornerKind, 2);
    GrabbedBitmap(big);
    big->repaint();
    EXPECT_FALSE(big->RegionStale());
    // The region is the button without the key-pixel runs of the corners' rows.
    const TsMaskData& mask = *big->SkinData.BorderMask();
    std::vector<TRect> runs;
    CornerKeyRuns(runs, 100, mask, CornerRows::Top, 0, MaskPicture(model, mask));
    CornerKeyRuns(runs, 100, mask, CornerRows::Bottom, 70 - CellHeight(mask), MaskPicture(model, mask));
    ASSERT_FALSE(runs.empty());
    QRegion expected(0, 0, 100, 70);
    for (const TRect& run : runs)
        expected -= QRect(run.Left, run.Top, WidthOf(run), HeightOf(run));
    EXPECT_EQ(big->mask(), expected);
    EXPECT_FALSE(big->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(big->mask().contains(QPoint(50, 35)));
    // A plain BUTTON keeps its whole rectangle.
    button_->repaint();
    EXPECT_TRUE(button_->mask().isEmpty());
}

} // namespace
} // namespace skin::testing

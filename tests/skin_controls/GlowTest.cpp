// Glow halos around hovered edits of the internal skin: size and place, cropping at hidden sides,
// the image cut from the mask, an overlay that takes neither focus nor pointer, and handles.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPointer>

#include <memory>

#include "TestControls.h"
#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinCommands.h"
#include "TestSkin.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sControlAccess.h"
#include "skin/window/sWidgetAccess.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/render/sGlow.h"

namespace skin::testing {
namespace {

void Hover(QWidget* control) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(control, &enter);
}

void Unhover(QWidget* control) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(control, &leave);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TvlGlowOverlay* OverlayOf(QWidget* window) {
    TvlGlowOverlay* shown = nullptr;
    for (auto* overlay : window->findChildren<TvlGlowOverlay*>(Qt::FindDirectChildrenOnly))
        if (overlay->isVisible())
            shown = overlay;
    return shown;
}

const Bitmap32& EditGlowPicture() {
    const TsSkinModel& skin = TestManager().Model();
    const int index = FindMask(skin, "EDIT", "GLOW0");
    EXPECT_GE(index, 0);
    return *skin.ma[std::size_t(index)].Image;
}

class Glow : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(300, 200);
        panel_ = new TTestControl(window_.get(), 51, "TESTFLAT");
        panel_->setGeometry(10, 10, 100, 60);
    }
    TTestControl* Edit(int x, int y, int width = 61, int height = 21) {
        auto* edit = new TTestControl(panel_, kKindEdit, "EDIT");
        edit->setGeometry(x, y, width, height);
        ShowExposed(window_.get());
        return edit;
    }
    std::unique_ptr<QWidget> window_;
    TTestControl* panel_ = nullptr;
};

TEST_F(Glow, FullyVisibleEditGetsTheHaloAroundIt) {
    TTestControl* edit = Edit(20, 10);
    Hover(edit);
    ASSERT_GE(edit->SkinData.GlowHandle, 0);
    TvlGlowOverlay* overlay = OverlayOf(window_.get());
    ASSERT_NE(overlay, nullptr);
    // Borders 7, inset 2: 61 + 14 - 4 wide, 21 + 10 high, 5 pixels left of and above the edit.
    EXPECT_EQ(overlay->geometry(), QRect(10 + 20 - 5, 10 + 10 - 5, 71, 31));
    // It never takes the focus or the pointer: a click there reaches the edit.
    EXPECT_EQ(overlay->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(window_->childAt(32, 22), edit);
    // The image: the mask's corners as the picture holds them, nothing in the middle.
    const Bitmap32& picture = EditGlowPicture();
    const QImage& image = overlay->Image();
    const auto stored = [&image](int x, int y) { return reinterpret_cast<const Pixel*>(image.constScanLine(y))[x]; };
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            ASSERT_EQ(stored(x, y), picture.At(x, y)) << x << "," << y;
            ASSERT_EQ(stored(70 - x, 30 - y), picture.At(picture.Width() - 1 - x, picture.Height() - 1 - y));
        }
    EXPECT_EQ(stored(35, 15), 0u);
    Unhover(edit);
    EXPECT_EQ(edit->SkinData.GlowHandle, -1);
    EXPECT_EQ(OverlayOf(window_.get()), nullptr);
}

TEST_F(Glow, AHaloOnShowIsMadeAgainFromTheSkinThatTakesOver) {
    TTestControl* edit = Edit(20, 10);
    Hover(edit);
    ASSERT_NE(OverlayOf(window_.get()), nullptr);
    const auto corner = [this] {
        const QImage& image = OverlayOf(window_.get())->Image();
        return reinterpret_cast<const Pixel*>(image.constScanLine(3))[3];
    };
    const Pixel before = corner();
    // A refresh (the hue turned): the halo shows the turned picture.
    TestManager().SetHueOffset(180);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(OverlayOf(window_.get()), nullptr);
    EXPECT_EQ(corner(), EditGlowPicture().At(3, 3));
    EXPECT_NE(corner(), before);
    // A skin loaded and announced: made again too.
    const QPointer<TvlGlowOverlay> shown = OverlayOf(window_.get());
    framework::SendSkinCommand(edit, SKC_SKIN_LOADED, 0, reinterpret_cast<std::intptr_t>(&TestManager()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull());
    ASSERT_NE(OverlayOf(window_.get()), nullptr);
    TestManager().SetHueOffset(0);
    EXPECT_EQ(corner(), before);
    Unhover(edit);
    EXPECT_EQ(OverlayOf(window_.get()), nullptr);
}

TEST_F(Glow, PartlyHiddenEditGetsAHaloCutAtTheHiddenSide) {
    struct Row {
        const char* Name;
        int X, Y;
        QRect Expected;
    };
    const Row rows[] = {
        // 30 of 61 columns show: 30 + 5 of halo on the left.
        {"RightHidden", 70, 10, QRect(10 + 70 - 5, 15, 35, 31)},
        // 41 columns show from the panel's edge: 41 + 5 of halo on the right.
        {"LeftHidden", -20, 10, QRect(10, 15, 46, 31)},
        // 11 rows show: 5 of halo above them.
        {"BottomHidden", 20, 49, QRect(25, 10 + 49 - 5, 71, 16)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TTestControl* edit = Edit(row.X, row.Y);
        Hover(edit);
        TvlGlowOverlay* overlay = OverlayOf(window_.get());
        ASSERT_NE(overlay, nullptr);
        EXPECT_EQ(overlay->geometry(), row.Expected);
        EXPECT_EQ(overlay->Image().size(), row.Expected.size());
        Unhover(edit);
        delete edit;
    }
}

TEST_F(Glow, SectionWithoutAGlowMaskShowsNone) {
    auto* edit = new TTestControl(panel_, kKindEdit, "TESTFLAT");
    edit->setGeometry(20, 10, 61, 21);
    ShowExposed(window_.get());
    Hover(edit);
    EXPECT_TRUE(edit->SkinData.MouseOver);
    EXPECT_EQ(edit->SkinData.GlowHandle, -1);
    EXPECT_EQ(OverlayOf(window_.get()), nullptr);
}

TEST_F(Glow, HidingAHandleTwiceDoesNothingTheSecondTime) {
    ShowExposed(window_.get());
    int handle = ShowGlowEffect(RectAt(40, 40, 61, 21), RectAt(0, 0, 61, 21), "EDIT", TestManager().Model(),
                                window_.get(), 255, 2);
    ASSERT_GE(handle, 0);
    int copy = handle;
    const int slotCount = GlowEffectSlots();
    HideGlowEffect(handle);
    EXPECT_EQ(handle, -1);
    EXPECT_FALSE(GlowEffectShown(copy));
    HideGlowEffect(copy);
    EXPECT_EQ(copy, -1);
    // Outside the list: nothing happens, the value stays.
    int outside = slotCount + 5;
    HideGlowEffect(outside);
    EXPECT_EQ(outside, slotCount + 5);
    // A new halo never reuses a freed slot.
    int next = ShowGlowEffect(RectAt(40, 40, 61, 21), RectAt(0, 0, 61, 21), "EDIT", TestManager().Model(),
                              window_.get(), 255, 2);
    EXPECT_EQ(next, slotCount);
    HideAllGlowEffects(true);
    EXPECT_FALSE(GlowEffectShown(next));
    EXPECT_EQ(GlowEffectSlots(), slotCount + 1);
}

} // namespace
} // namespace skin::testing

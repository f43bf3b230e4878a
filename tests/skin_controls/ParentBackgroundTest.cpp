// What lies behind a control: answers over a flat parent, partial transparency, an unskinned
// parent painting into the child, a parent whose image is not ready, windowless children painted
// by their container, cache copies that leave children out, and broadcasts.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sControlAccess.h"
#include "framework/core/SkinCommand.h"
#include "skin/pixels/ColorOps.h"
#include "skin/render/sImageView.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/data/sSkinCommands.h"

namespace skin::testing {
namespace {

std::intptr_t AsLParam(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

TsBackgroundInfo AskBackground(QObject* control) {
    TsBackgroundInfo info;
    framework::SendSkinCommand(control, SKC_GET_BACKGROUND, 0, AsLParam(&info));
    return info;
}

// An unskinned parent that paints a pattern of its own: red left of x 50, green from there on,
// and a blue band over rows 25 to 29.
class PatternWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(0, 0, 50, height(), QColor(255, 0, 0));
        painter.fillRect(50, 0, width() - 50, height(), QColor(0, 255, 0));
        painter.fillRect(0, 25, width(), 5, QColor(0, 0, 255));
    }
};

class ParentBackgrounds : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 120);
    }
    TTestControl* Panel(const std::string& section) {
        auto* panel = new TTestControl(window_.get(), 51, section);
        panel->setGeometry(0, 0, 200, 120);
        return panel;
    }
    std::unique_ptr<QWidget> window_;
};

TEST_F(ParentBackgrounds, FullyTransparentChildOverAFlatParentAnswersTheParentsColourAtItsOffsets) {
    TTestControl* panel = Panel("TESTFLAT");
    auto* child = new TTestControl(panel, 93, "TEST100");
    child->setGeometry(10, 12, 40, 20);
    ShowExposed(window_.get());
    // Without an image of its own the child passes the question on to its parent.
    child->SkinData.CacheBitmap.reset();
    const TsBackgroundInfo info = AskBackground(child);
    EXPECT_EQ(info.Kind, TsBgKind::Colour);
    EXPECT_EQ(info.Color, kFlatBlue);
    EXPECT_EQ(info.OffsetX, 10);
    EXPECT_EQ(info.OffsetY, 12);
    EXPECT_EQ(info.Bitmap, nullptr);
    // The flat parent itself answers with its colour.
    EXPECT_EQ(AskBackground(panel).Color, kFlatBlue);
}

TEST_F(ParentBackgrounds, FortyPercentTransparencyMixesFortyPercentOfTheParent) {
    TTestControl* panel = Panel("TESTFLAT");
    auto* child = new TTestControl(panel, 93, "TEST40");
    child->setGeometry(10, 10, 40, 20);
    ShowExposed(window_.get());
    // Per channel 0.4 * parent + 0.6 * own: blue 0.4 * 200 = 80, red 0.6 * 200 = 120.
    constexpr TColor kMixed{0x500078};
    EXPECT_EQ(BackgroundColor(child->SkinData, 0), kMixed);
    EXPECT_EQ(framework::SendSkinCommand(child, SKC_GET_CONTROL_COLOR), std::intptr_t(ColorBits(kMixed)));
    child->PrepareCache();
    EXPECT_EQ(child->SkinData.CacheBitmap->At(20, 10), 0xFF780050u);
}

TEST_F(ParentBackgrounds, UnskinnedParentPaintsItselfIntoTheChildAtTheOffsets) {
    auto* parent = new PatternWidget(window_.get());
    parent->setGeometry(0, 0, 200, 120);
    auto* child = new TTestControl(parent, 93, "TEST100");
    child->setGeometry(30, 20, 40, 20);
    ShowExposed(window_.get());
    Bitmap32 image(40, 20);
    TsBackgroundInfo info;
    info.DC = &image;
    info.DrawRect = RectOf(image);
    info.OffsetX = 30;
    info.OffsetY = 20;
    ParentBackground(info, parent, true);
    struct Probe {
        int X, Y;
        Pixel Expected;
    };
    for (const Probe probe : {Probe{19, 0, 0xFFFF0000}, Probe{20, 0, 0xFF00FF00}, Probe{0, 5, 0xFF0000FF},
                              Probe{39, 9, 0xFF0000FF}, Probe{39, 10, 0xFF00FF00}}) {
        SCOPED_TRACE(probe.X * 100 + probe.Y);
        EXPECT_EQ(image.At(probe.X, probe.Y), probe.Expected);
    }
    // Asked without painting, it answers with its colour.
    TsBackgroundInfo colour;
    ParentBackground(colour, parent, false);
    EXPECT_EQ(colour.Kind, TsBgKind::Colour);
    EXPECT_EQ(colour.Color, ResolveSkinColor(ControlAccess().Color(parent)));
}

TEST_F(ParentBackgrounds, ParentWithoutAFittingImageAnswersNotReady) {
    // BUTTON paints a gradient: its children need its image.
    TTestControl* panel = Panel("BUTTON");
    auto* child = new TTestControl(panel, 93, "TEST100");
    child->setGeometry(10, 12, 40, 20);
    EXPECT_EQ(AskBackground(panel).Kind, TsBgKind::NotReady);
    TsParentBackdrop backdrop = ParentBackdrop(child->SkinData);
    EXPECT_EQ(backdrop.Backdrop.FillColor, kTransparentKey);
    EXPECT_FALSE(backdrop.Backdrop.HasBitmap);

    panel->PrepareCache();
    backdrop = ParentBackdrop(child->SkinData);
    ASSERT_TRUE(backdrop.Backdrop.HasBitmap);
    EXPECT_EQ(backdrop.Backdrop.Bitmap, panel->SkinData.CacheBitmap.get());
    EXPECT_EQ(backdrop.Backdrop.OffsetX, 10);
    EXPECT_EQ(backdrop.Backdrop.OffsetY, 12);

    panel->resize(150, 120); // the image is of the old size now
    EXPECT_EQ(AskBackground(panel).Kind, TsBgKind::NotReady);
}

TEST_F(ParentBackgrounds, ContainerPaintsItsWindowlessChildrenOnceEvenWhenTheyCallItAgain) {
    TTestControl* panel = Panel("TESTFLAT");
    auto* label = new TTestWindowless(panel, 300, "TESTTEXT");
    label->setGeometry(20, 30, 50, 16);
    int nestedCalls = 0;
    label->OnPaint = [&](TTestControl&) {
        ++nestedCalls;
        Bitmap32 scratch(200, 120);
        QImage view = ImageView(scratch);
        QPainter painter(&view);
        PaintWindowlessChildren(painter, QRegion(0, 0, 200, 120), panel, TsVisibility::Ignored, {0, 0});
    };
    ShowExposed(window_.get());
    label->CopyPaints = 0;
    nestedCalls = 0;
    const QImage shot = window_->grab().toImage();
    EXPECT_EQ(label->CopyPaints, 1);
    EXPECT_EQ(nestedCalls, 1);
    // The label's own section (white) in the container's picture, the container's blue around it.
    EXPECT_EQ(shot.pixel(40, 38) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shot.pixel(10, 10) & 0xFFFFFF, 0x0000C8u);
}

TEST_F(ParentBackgrounds, CacheCopyLeavesOutOpaqueAndWindowlessChildren) {
    TTestControl* panel = Panel("TESTFLAT");
    auto* opaque = new QWidget(panel);
    opaque->setAutoFillBackground(true);
    opaque->setGeometry(10, 10, 20, 20);
    auto* windowless = new TTestWindowless(panel, 300, "TESTTEXT");
    windowless->setGeometry(40, 10, 20, 20);
    auto* windowed = new TTestControl(panel, 93, "TEST100");
    windowed->setGeometry(70, 10, 20, 20);
    ShowExposed(window_.get());
    panel->PrepareCache();
    QImage target(200, 120, QImage::Format_RGB32);
    target.fill(QColor(1, 2, 3));
    QPainter painter(&target);
    CopyCacheToDC(panel, panel->SkinData, RectAt(0, 0, 200, 120), false, painter, RectAt(0, 0, 200, 120));
    painter.end();
    EXPECT_EQ(target.pixel(15, 15) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(target.pixel(45, 15) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(target.pixel(75, 15) & 0xFFFFFF, 0x0000C8u);
    EXPECT_EQ(target.pixel(5, 5) & 0xFFFFFF, 0x0000C8u);
}

TEST_F(ParentBackgrounds, CacheCopyOfAWindowLeavesOutChildWindowsButOnlyTheFrameOfAGroupBox) {
    TTestControl* panel = Panel("TESTFLAT");
    auto* group = new QGroupBox(panel);
    group->setGeometry(100, 10, 60, 40);
    auto* windowed = new TTestControl(panel, 93, "TEST100");
    windowed->setGeometry(10, 10, 20, 20);
    ShowExposed(window_.get());
    panel->PrepareCache();
    QImage target(200, 120, QImage::Format_RGB32);
    target.fill(QColor(1, 2, 3));
    QPainter painter(&target);
    CopyCacheToDCOfWindow(panel, panel->SkinData, RectAt(0, 0, 200, 120), false, painter, RectAt(0, 0, 200, 120));
    painter.end();
    // The internal skin's group-box frame is 4 pixels wide; an unskinned group box has no caption band.
    struct Probe {
        int X, Y;
        unsigned Expected;
    };
    for (const Probe probe : {Probe{15, 15, 0x010203}, Probe{101, 30, 0x010203}, Probe{158, 30, 0x010203},
                              Probe{130, 48, 0x010203}, Probe{130, 30, 0x0000C8}, Probe{104, 30, 0x0000C8},
                              Probe{130, 11, 0x0000C8}, Probe{5, 5, 0x0000C8}}) {
        SCOPED_TRACE(probe.X * 1000 + probe.Y);
        EXPECT_EQ(target.pixel(probe.X, probe.Y) & 0xFFFFFF, probe.Expected);
    }
}

TEST_F(ParentBackgrounds, RefreshedCornersShowWhatTheParentShowsNow) {
    TTestControl* panel = Panel("TOOLBAR"); // a gradient: it answers with its image
    auto* button = new TTestControl(panel, 93, "BUTTON");
    button->setGeometry(10, 10, 61, 29);
    ShowExposed(window_.get());
    panel->PrepareCache();
    button->PrepareCache();
    const TsSkinModel& skin = TestManager().Model();
    const TsMaskData& mask = *button->SkinData.BorderMask();
    const Bitmap32& picture = MaskPicture(skin, mask);
    const TRect cell = CellRect(mask, 0);
    std::vector<std::pair<int, int>> keyed, kept;
    for (int y = 0; y < mask.BorderTop; ++y)
        for (int x = 0; x < mask.BorderLeft; ++x)
            (picture.At(cell.Left + x, cell.Top + y) == kKeyPixel ? keyed : kept).emplace_back(x, y);
    ASSERT_FALSE(keyed.empty());
    ASSERT_FALSE(kept.empty());
    const Bitmap32 before = *button->SkinData.CacheBitmap;
    panel->SkinData.CacheBitmap->Fill(0xFF123456);
    RefreshCorners(button->SkinData, 0, kCornerTopLeft);
    const Bitmap32& after = *button->SkinData.CacheBitmap;
    for (const auto& [x, y] : keyed) // the mask has a mask picture: colour bytes only, alpha kept
        EXPECT_EQ(after.At(x, y), (before.At(x, y) & 0xFF000000u) | 0x123456u) << x << "," << y;
    for (const auto& [x, y] : kept)
        EXPECT_EQ(after.At(x, y), before.At(x, y)) << x << "," << y;
    // Only the corner asked for.
    EXPECT_EQ(after.At(60, 0), before.At(60, 0));
}

TEST_F(ParentBackgrounds, ControlBorderGivesTheClientRectAndCopiesItsStrips) {
    TTestControl* panel = Panel("TESTFLAT");
    auto* edit = new TTestControl(panel, kKindEdit, "EDIT");
    edit->setGeometry(10, 10, 61, 21);
    ShowExposed(window_.get());
    const TsMaskData& mask = *edit->SkinData.BorderMask();
    TRect client;
    PaintControlBorder(nullptr, RectAt(0, 0, 61, 21), 0, client, 0, edit->SkinData);
    EXPECT_EQ(client, (TRect{mask.BorderLeft, mask.BorderTop, 61 - mask.BorderRight, 21 - mask.BorderBottom}));
    Bitmap32 window(61, 21);
    PaintControlBorder(&window, RectAt(0, 0, 61, 21), 3, client, 0, edit->SkinData);
    EXPECT_EQ(client, (TRect{3, 3, 58, 18}));
    const Bitmap32& cache = *edit->SkinData.CacheBitmap;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{2, 10}, std::pair{30, 19}, std::pair{59, 5}})
        EXPECT_EQ(window.At(x, y), cache.At(x, y)) << x << "," << y;
    EXPECT_EQ(window.At(30, 10), 0u); // the client area is not the border's
    // The ring between the mask's border and the wider one takes the background colour (EDIT: white).
    EXPECT_EQ(cache.At(2, 10), 0xFFFFFFFFu);
}

TEST_F(ParentBackgrounds, BroadcastStopsAtTheChildBeingDestroyed) {
    auto* parent = new QWidget(window_.get());
    auto* first = new TTestControl(parent, 93, "BUTTON");
    auto* second = new TTestControl(parent, 93, "BUTTON");
    auto* third = new TTestControl(parent, 93, "BUTTON");
    second->OnDestroy = [parent](TTestControl&) { BroadcastToControls(parent, SKC_SET_HALF_VISIBLE); };
    const auto received = [](const TTestControl* control) {
        return std::count(control->Commands.begin(), control->Commands.end(), SKC_SET_HALF_VISIBLE);
    };
    delete second;
    EXPECT_EQ(received(first), 1);
    EXPECT_EQ(received(third), 0);

    // Unskinned windows pass a broadcast on to their children.
    auto* plain = new QWidget(parent);
    auto* inner = new TTestControl(plain, 93, "BUTTON");
    BroadcastToControls(parent, SKC_SET_HALF_VISIBLE);
    EXPECT_EQ(received(inner), 1);
    EXPECT_EQ(received(third), 1);
    BroadcastToChildWindows(parent, SKC_SET_BG_CHANGED);
    EXPECT_EQ(std::count(inner->Commands.begin(), inner->Commands.end(), SKC_SET_BG_CHANGED), 0);
    EXPECT_EQ(std::count(first->Commands.begin(), first->Commands.end(), SKC_SET_BG_CHANGED), 1);
}

} // namespace
} // namespace skin::testing

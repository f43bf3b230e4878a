// The test controls: record, cache and painting wired as a skinned control wires them.
#include "TestControls.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QWindow>
#include <QPaintEvent>

#include "framework/core/SkinCommand.h"
#include "skin/pixels/RectClip.h"
#include "framework/widgets/ControlClasses.h"
#include "skin/window/sWidgetAccess.h"
#include "skin/pixels/PixelOps.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sSkinnedText.h"

namespace skin::testing {

Bitmap32 GrabbedBitmap(QWidget* widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    Bitmap32 bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            bitmap.At(x, y) = image.pixel(x, y);
    return bitmap;
}

void ShowExposed(QWidget* window) {
    for (QWidget* child : window->findChildren<QWidget*>())
        if (!child->isWindow() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
            child->show();
    window->show();
    QElapsedTimer clock;
    clock.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

TTestControl::TTestControl(QWidget* parent, int kind, const std::string& section)
    : QWidget(parent), SkinData(this, TsRecordCache::With) {
    setObjectName(QStringLiteral("TestControl"));
    SkinData.ControlKind = kind;
    // Without a section the kind chooses one.
    if (!section.empty())
        SkinData.SetSkinSection(section);
    SkinData.AfterPropertiesLoaded();
}

TTestControl::~TTestControl() {
    MarkDestroying(this);
    if (OnDestroy)
        OnDestroy(*this);
}

void TTestControl::PrepareCache() {
    SkinData.EnsureCacheBitmap();
    Bitmap32& cache = *SkinData.CacheBitmap;
    if (cache.Empty())
        return;
    const int state = SkinData.PaintState();
    const TsParentBackdrop parent = ParentBackdrop(SkinData);
    PaintSection(SkinData, parent.Backdrop, state, UseBackdrop::Yes, cache, {0, 0}, RectOf(cache));
    if (!Caption.isEmpty()) {
        TsCanvas canvas{cache, font(), SkinData.Section() ? SkinData.Section()->Props[0].FontColor[FontColorEntry::fcText] : TColor{0}};
        WriteSkinnedText(canvas, Caption, isEnabled(), state, SkinData, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                         RectOf(cache));
    }
    SkinData.BackgroundStale = false;
    ++Rebuilds;
}

bool TTestControl::OwnCommand(int command, std::intptr_t, std::intptr_t&) {
    // The record clears the stale mark after the control has rebuilt its cache.
    if (command == SKC_CLEAR_BG_CHANGED)
        PrepareCache();
    return false;
}

bool TTestControl::event(QEvent* event) {
    if (event->type() == framework::kSkinCommandEventType) {
        auto* command = static_cast<framework::SkinCommandEvent*>(event);
        Commands.push_back(command->Command());
        std::intptr_t result = 0;
        if (OwnCommand(command->Command(), command->LParam(), result)) {
            command->SetResult(result);
            return true;
        }
    }
    if (SkinData.HandleSkinMessage(event))
        return true;
    return QWidget::event(event);
}

void TTestControl::paintEvent(QPaintEvent* event) {
    if (OnPaint)
        OnPaint(*this);
    if (SkinData.BackgroundStale || !SkinData.CacheBitmap || SkinData.CacheBitmap->Width() != width() ||
        SkinData.CacheBitmap->Height() != height())
        PrepareCache();
    QPainter painter(this);
    CopyCacheToDC(this, SkinData, RectOf(*SkinData.CacheBitmap), false, painter, RectAt(0, 0, width(), height()));
    PaintWindowlessChildren(painter, event->region(), this, TsVisibility::Required, {0, 0});
}

TTestWindowless::TTestWindowless(QWidget* parent, int kind, const std::string& section)
    : TTestControl(parent, kind, section) {
    framework::MarkWindowless(this);
}

void TTestWindowless::paintEvent(QPaintEvent* event) {
    if (!IsPaintingCopy(this))
        return;
    ++CopyPaints;
    TTestControl::paintEvent(event);
}

TTestButton::TTestButton(QWidget* parent, const std::string& section, Frames frames)
    : TTestControl(parent, kKindButton, section), frames_(frames) {}

bool TTestButton::OwnCommand(int command, std::intptr_t lParam, std::intptr_t& result) {
    switch (command) {
    case SKC_STOP_FADING:
        ++StopFadingReceived;
        StopButtonFade(Fade);
        return true;
    case SKC_DRAW_FADE_FRAME:
        if (frames_ == Frames::DrawnByTimer)
            return false;
        FramesDrawn.push_back(*reinterpret_cast<const Bitmap32*>(lParam));
        result = 1;
        return true;
    default:
        return TTestControl::OwnCommand(command, lParam, result);
    }
}

bool TTestButton::event(QEvent* event) {
    const bool handled = TTestControl::event(event);
    if (event->type() == QEvent::Enter)
        FadeButton(this, SkinData, Fade, false, true);
    else if (event->type() == QEvent::Leave)
        FadeButton(this, SkinData, Fade, false, true);
    return handled;
}

} // namespace skin::testing

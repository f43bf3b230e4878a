// Fade timers of push buttons and speed buttons, and the switches they share.
#include "skin/controls/sFade.h"

#include <QCoreApplication>
#include <QPainter>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinManager.h"
#include "skin/pixels/BlendOps.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sImageView.h"
#include "skin/render/sRecordPaint.h"
#include "skin/data/sSkinCommands.h"

namespace skin {

namespace {

constexpr int kFrameInterval = 10; // milliseconds
constexpr int kFullWeight = 255;

struct FadeState {
    bool Stopped = false;
    int LiveTimers = 0;
    QPointer<QObject> Mirror;
};

FadeState& State() {
    static FadeState state;
    return state;
}

std::intptr_t AsLParam(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

void NotifyMirror() {
    if (QObject* mirror = State().Mirror)
        framework::SendSkinCommand(mirror, SKC_SKIN_REFRESH);
}

bool HostGone(const TsCommonData* target) {
    QObject* host = target ? target->HostControl() : nullptr;
    return host == nullptr || ControlAccess().IsDestroying(host);
}

int StepsOf(const TsCommonData& record, bool fast) {
    const int steps = record.Section() ? record.Section()->FadingIterations : 0;
    return fast ? steps / 2 : steps;
}

bool FadeWanted(const TsCommonData& record, bool eventWanted) {
    const TsGeneralData* section = record.Section();
    return eventWanted && !TsSkinManager::SkinLoadingNow() && section && section->FadingEnabled && !FadesStopped() &&
           record.CacheBitmap && !record.BackgroundStale;
}

} // namespace

bool AnimationEventWanted(unsigned animatEvents, TsAnimatEvent event, const TsSkinManager* manager) {
    if (animatEvents & event)
        return true;
    if (!(animatEvents & aeGlobalDef) || manager == nullptr)
        return false;
    // The manager's button events carry the same bits as the control's events.
    return (manager->AnimEffects.ButtonsEvents & unsigned(event)) != 0;
}

bool FadesStopped() { return State().Stopped; }
void SetFadesStopped(bool stopped) { State().Stopped = stopped; }
int LiveFadeTimers() { return State().LiveTimers; }
void SetFadeMirrorWindow(QObject* window) { State().Mirror = window; }

Bitmap32 FadeFrame(const Bitmap32& startImage, const Bitmap32& cache, int step, int stepCount) {
    Bitmap32 frame = startImage;
    if (stepCount <= 0)
        return frame;
    const int b = step * kFullWeight / stepCount;
    SumBitmaps(frame, cache, kFullWeight - b);
    return frame;
}

// ---------------------------------------------------------------- push buttons

TsFadeTimer::TsFadeTimer(QWidget* control) : QTimer(control) {
    ++State().LiveTimers;
    setInterval(kFrameInterval);
    connect(this, &QTimer::timeout, this, &TsFadeTimer::Tick);
}

TsFadeTimer::~TsFadeTimer() {
    destroying_ = true;
    --State().LiveTimers;
}

bool TsFadeTimer::Finished() {
    QObject* host = Target ? Target->HostControl() : nullptr;
    if (HostGone(Target) || QCoreApplication::closingDown()) {
        Mode = TsFadeMode::Idle;
        return true;
    }
    if (Step < 0 || Step > StepCount) {
        framework::SendSkinCommand(host, SKC_STOP_FADING);
        return true;
    }
    return false;
}

void TsFadeTimer::Tick() {
    if (Target == nullptr || destroying_ || FadesStopped() || Finished())
        return;
    if (Mode == TsFadeMode::Fading)
        DrawFrame();
}

void TsFadeTimer::DrawFrame() {
    if (HostGone(Target) || StepCount == 0 || FadesStopped())
        return;
    auto* host = static_cast<QWidget*>(Target->HostControl());
    if (!ControlAccess().IsShowing(host)) {
        stop();
        StepCount = 0;
        ControlAccess().Invalidate(host, TsRedraw::Later);
        return;
    }
    if (Target->CacheBitmap) {
        Bitmap32 frame = FadeFrame(StartImage, *Target->CacheBitmap, Step, StepCount);
        if (framework::SendSkinCommand(host, SKC_DRAW_FADE_FRAME, 0, AsLParam(&frame)) == 0) {
            // The control does not draw frames itself: it is repainted with the frame over it.
            shownFrame_ = std::move(frame);
            host->installEventFilter(this);
            host->repaint();
            host->removeEventFilter(this);
        }
        NotifyMirror();
    }
    ++Step;
}

bool TsFadeTimer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || Target == nullptr || watched != Target->HostControl())
        return false;
    QPainter painter(static_cast<QWidget*>(watched));
    DrawOpaque(painter, {0, 0}, shownFrame_, RectOf(shownFrame_));
    return true;
}

void StopButtonFade(QPointer<TsFadeTimer>& timer) {
    if (!timer)
        return;
    timer->stop();
    timer->Mode = TsFadeMode::Idle;
    // The fade may be stopping from inside its own tick.
    timer->deleteLater();
    timer = nullptr;
}

void FadeButton(QWidget* control, TsCommonData& record, QPointer<TsFadeTimer>& timer, bool fast, bool eventWanted) {
    if (!record.IsSkinned())
        return;
    if (FadeWanted(record, eventWanted)) {
        record.BackgroundStale = true;
        if (!timer)
            timer = new TsFadeTimer(control);
        else
            timer->stop();
        timer->Target = &record;
        if (record.CacheBitmap->Empty())
            framework::SendSkinCommand(control, SKC_CLEAR_BG_CHANGED);
        timer->StartImage = *record.CacheBitmap;
        timer->StepCount = StepsOf(record, fast);
        timer->Step = 1;
        // The control rebuilds its cache in the new look; a control that cannot answers non-zero.
        if (framework::SendSkinCommand(control, SKC_CLEAR_BG_CHANGED) != 0) {
            timer->Mode = TsFadeMode::Idle;
        } else {
            timer->Mode = TsFadeMode::Fading;
            timer->start();
        }
    } else {
        StopButtonFade(timer);
        record.BackgroundStale = true;
        control->repaint();
    }
    record.ShowGlow();
}

// ---------------------------------------------------------------- speed buttons

TsAnimTimer::TsAnimTimer(QWidget* control) : QTimer(control) {
    ++State().LiveTimers;
    setInterval(kFrameInterval);
    connect(this, &QTimer::timeout, this, &TsAnimTimer::Tick);
}

TsAnimTimer::~TsAnimTimer() {
    destroying_ = true;
    --State().LiveTimers;
}

void TsAnimTimer::DrawFrame() {
    if (InStep || HostGone(Target) || StepCount == 0 || Step < 0) {
        ++Step;
        return;
    }
    InStep = true;
    if (Target->CacheBitmap)
        FrameImage = FadeFrame(StartImage, *Target->CacheBitmap, Step, StepCount);
    QObject* host = Target->HostControl();
    framework::SendSkinCommand(host, SKC_SET_UPDATING, 0);
    framework::SendSkinCommand(host, SKC_FADE_FRAME_READY);
    NotifyMirror();
    ++Step;
    InStep = false;
}

void TsAnimTimer::Tick() {
    if (destroying_ || HostGone(Target) || QCoreApplication::closingDown())
        return;
    if (Step < 0 || Step > StepCount) {
        framework::SendSkinCommand(Target->HostControl(), SKC_STOP_FADING);
        return;
    }
    DrawFrame();
}

void StopSpeedButtonFade(QPointer<TsAnimTimer>& timer) {
    if (!timer)
        return;
    timer->stop();
    timer->deleteLater();
    timer = nullptr;
}

void FadeSpeedButton(QWidget* control, TsCommonData& record, QPointer<TsAnimTimer>& timer, bool fast,
                     bool eventWanted, const TsPaintSiblings& paintSiblings) {
    const bool wanted = record.IsSkinned() && FadeWanted(record, eventWanted);
    if (!wanted) {
        StopSpeedButtonFade(timer);
        record.BackgroundStale = true;
        control->repaint();
        record.ShowGlow();
        return;
    }
    int startStep = 1;
    if (timer) {
        startStep = timer->StepCount - timer->Step;
        StopSpeedButtonFade(timer);
    }
    timer = new TsAnimTimer(control);
    timer->Target = &record;
    timer->StepCount = StepsOf(record, fast);
    timer->Step = startStep;
    if (paintSiblings)
        paintSiblings();
    timer->StartImage = *record.CacheBitmap;
    record.BackgroundStale = true;
    framework::SendSkinCommand(control, SKC_CLEAR_BG_CHANGED);
    if (paintSiblings)
        paintSiblings();
    RefreshCorners(record, record.PaintState(), kAllCorners);
    timer->start();
    if (timer->Step <= timer->StepCount)
        timer->DrawFrame();
    record.ShowGlow();
}

} // namespace skin

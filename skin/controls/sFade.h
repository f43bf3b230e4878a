// Cross-fades of skinned buttons: when the pointer enters or leaves or a mouse button goes down
// or up, the control blends from its old image to its freshly rebuilt cache over a few frames,
// 10 ms apart. TsFadeTimer serves push buttons, TsAnimTimer speed buttons (a fade interrupted
// half-way goes back from where it was). A timer lives only while its fade runs, so nothing
// wakes up while nothing animates.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "skin/render/sCommonData.h"

namespace skin {

class TsSkinManager;

// The events of a control that can animate (its AnimatEvents), with aeGlobalDef deferring to the
// skin manager's button settings.
enum TsAnimatEvent : unsigned { aeMouseEnter = 1, aeMouseLeave = 2, aeMouseDown = 4, aeMouseUp = 8, aeGlobalDef = 16 };
bool AnimationEventWanted(unsigned animatEvents, TsAnimatEvent event, const TsSkinManager* manager);

// Raised when the session ends: no fade starts and running push-button fades ignore their ticks.
bool FadesStopped();
void SetFadesStopped(bool stopped);
// Fade timers alive in the process.
int LiveFadeTimers();
// A window told of every fade frame (SKC_SKIN_REFRESH), or nullptr.
void SetFadeMirrorWindow(QObject* window);

enum class TsFadeMode { Idle = 0, Fading = 1 };

// The blend of a fade frame: b = step * 255 / stepCount; each channel of the frame is
// (a * old + (256 - a) * new) >> 8 with a = 255 - b.
Bitmap32 FadeFrame(const Bitmap32& startImage, const Bitmap32& cache, int step, int stepCount);

class TsFadeTimer : public QTimer {
    Q_OBJECT
public:
    // Owned by the control; created stopped.
    explicit TsFadeTimer(QWidget* control);
    ~TsFadeTimer() override;

    TsCommonData* Target = nullptr;
    Bitmap32 StartImage;
    int StepCount = 0;
    int Step = 0;
    TsFadeMode Mode = TsFadeMode::Idle;

    // One tick: a frame, or the end of the fade (SKC_STOP_FADING to the control).
    void Tick();
    // A frame shown for a control that does not draw fade frames itself.
    const Bitmap32& ShownFrame() const { return shownFrame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Finished();
    void DrawFrame();
    Bitmap32 shownFrame_;
    bool destroying_ = false;
};

// Starts the cross-fade of a push button to the look its record now calls for, or, when no fade
// is wanted, stops a running one and repaints at once; then updates the halo. fast halves the
// skin's step count (mouse down and up).
void FadeButton(QWidget* control, TsCommonData& record, QPointer<TsFadeTimer>& timer, bool fast, bool eventWanted);
// Stops and frees the fade (later, if it is inside its own tick) and clears the reference.
void StopButtonFade(QPointer<TsFadeTimer>& timer);

class TsAnimTimer : public QTimer {
    Q_OBJECT
public:
    explicit TsAnimTimer(QWidget* control);
    ~TsAnimTimer() override;

    TsCommonData* Target = nullptr;
    Bitmap32 StartImage;
    Bitmap32 FrameImage; // the frame the speed button shows while the fade runs
    int StepCount = 0;
    int Step = 0;
    bool InStep = false;

    void Tick();
    void DrawFrame();

private:
    bool destroying_ = false;
};

// What a speed button does around the capture of its images: paint the windowless siblings that
// overlap it into its cache (before the start image and after the rebuild).
using TsPaintSiblings = std::function<void()>;
// Starts the fade of a speed button; a running fade hands over the step it reached, so the new
// fade goes back from the mix shown instead of starting over.
void FadeSpeedButton(QWidget* control, TsCommonData& record, QPointer<TsAnimTimer>& timer, bool fast,
                     bool eventWanted, const TsPaintSiblings& paintSiblings = {});
void StopSpeedButtonFade(QPointer<TsAnimTimer>& timer);

} // namespace skin

// The library-wide animation-in-progress flag: raised while a window animation or the page-change
// reveal shows its own frames over controls. Skinned controls then leave the screen alone and
// paint only while the animation captures them off screen (inside a TsCaptureScope).
#pragma once

namespace skin {

bool AnimationInProgress();
bool CapturingOffscreen();
// What a skinned control's paint event tests: true while it must not paint on screen.
inline bool ScreenPaintingHeld() { return AnimationInProgress() && !CapturingOffscreen(); }

// Raise the flags for their lifetime; scopes nest.
class TsAnimationScope {
public:
    TsAnimationScope();
    ~TsAnimationScope();
    TsAnimationScope(const TsAnimationScope&) = delete;
    TsAnimationScope& operator=(const TsAnimationScope&) = delete;
};

class TsCaptureScope {
public:
    TsCaptureScope();
    ~TsCaptureScope();
    TsCaptureScope(const TsCaptureScope&) = delete;
    TsCaptureScope& operator=(const TsCaptureScope&) = delete;
};

} // namespace skin

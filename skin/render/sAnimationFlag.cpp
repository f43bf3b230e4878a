// The animation and capture flags as nesting counts (GUI thread only).
#include "skin/render/sAnimationFlag.h"

namespace skin {
namespace {
int gAnimations = 0;
int gCaptures = 0;
} // namespace

bool AnimationInProgress() { return gAnimations > 0; }
bool CapturingOffscreen() { return gCaptures > 0; }

TsAnimationScope::TsAnimationScope() { ++gAnimations; }
TsAnimationScope::~TsAnimationScope() { --gAnimations; }
TsCaptureScope::TsCaptureScope() { ++gCaptures; }
TsCaptureScope::~TsCaptureScope() { --gCaptures; }

} // namespace skin

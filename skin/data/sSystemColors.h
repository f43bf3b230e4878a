// The platform values the skin model falls back on: system colours (resolved from 0xFF0000nn
// values through the framework's table) and the two metrics the model reads.
#pragma once

#include "framework/base/SystemColors.h"
#include "skin/pixels/SkinTypes.h"

namespace skin {

// System colour values as they appear in skins and code (0xFF000000 plus the index).
inline constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001, clWindow = 0xFF000005,
                        clWindowText = 0xFF000008, clBtnFace = 0xFF00000F, clHighlight = 0xFF00000D,
                        clHighlightText = 0xFF00000E;

// A value with the sign bit set names a system colour by its low byte; others pass unchanged.
TColor ResolveSkinColor(TColor colour);

// GetSystemMetrics(SM_CXFRAME) and (SM_CXVSCROLL).
using framework::kSizingFrameWidth;
using framework::kVerticalScrollBarWidth;

} // namespace skin

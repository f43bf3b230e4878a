// The platform values the skin model falls back on: system colours with the usual Windows values
// (resolved from 0xFF0000nn values) and the two metrics the model reads.
#pragma once

#include "skin/render/SkinTypes.h"

namespace skin {

// System colour values as they appear in skins and code (0xFF000000 plus the index).
inline constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001, clWindow = 0xFF000005,
                        clWindowText = 0xFF000008, clBtnFace = 0xFF00000F, clHighlight = 0xFF00000D,
                        clHighlightText = 0xFF00000E;

// The RGB value (0x00BBGGRR) of system colour index; 0 for an index without a colour.
TColor SystemColorValue(int index);
// A value with the sign bit set names a system colour by its low byte; others pass unchanged.
TColor ResolveSkinColor(TColor colour);

// GetSystemMetrics(SM_CXFRAME) and (SM_CXVSCROLL) with their usual values.
inline constexpr int kSizingFrameWidth = 4;
inline constexpr int kVerticalScrollBarWidth = 17;

} // namespace skin

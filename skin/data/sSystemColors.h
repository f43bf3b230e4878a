// The skin's way of naming system colours (a value with the sign bit set names an entry of the
// framework's system colour table by its low byte) and the two metrics the model reads.
#pragma once

#include "framework/base/SharedMetrics.h"
#include "skin/pixels/SkinTypes.h"

namespace skin {

// A value with the sign bit set becomes the RGB value of the table entry of its low byte;
// others pass unchanged.
TColor ResolveSkinColor(TColor colour);

using framework::clBtnFace;
using framework::clHighlight;
using framework::clHighlightText;
using framework::clWindow;
using framework::clWindowText;
using framework::kSizingFrameWidth;
using framework::kVerticalScrollBarWidth;

} // namespace skin

// The few fixed system metrics every layer shares (GetSystemMetrics at 96 pixels per inch), so
// that frame and scroll-bar formulas give the same numbers in the skin data and the widgets.
#pragma once

namespace framework {

// SM_CXFRAME / SM_CYFRAME and SM_CXVSCROLL / SM_CYHSCROLL.
inline constexpr int kSizingFrameWidth = 4;
inline constexpr int kVerticalScrollBarWidth = 17;

} // namespace framework

// The system colours and the few fixed metrics every layer shares: the values a current
// Windows desktop reports, so that colour and frame formulas give the same numbers everywhere.
// Plain C++, so that the skin data can use them without the widget layer.
#pragma once

#include <cstdint>

namespace framework {

// Indexes 0..30 of the system colour table (COLOR_SCROLLBAR .. COLOR_MENUBAR).
inline constexpr int kSystemColorCount = 31;

// The RGB value (0x00BBGGRR) of a system colour index; 0 for an index outside the table.
std::uint32_t SystemColorValue(int index);

// GetSystemMetrics(SM_CXFRAME) / (SM_CYFRAME) and (SM_CXVSCROLL) / (SM_CYHSCROLL) at 96 pixels
// per inch.
inline constexpr int kSizingFrameWidth = 4;
inline constexpr int kVerticalScrollBarWidth = 17;

} // namespace framework

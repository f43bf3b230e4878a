// The system colour table and the resolving of system colours.
#include "framework/base/Colors.h"

#include <array>

namespace framework {
namespace {

constexpr std::array<std::uint32_t, kSystemColorCount> kSystemColors = {
    0xC8C8C8, // COLOR_SCROLLBAR
    0x000000, // COLOR_BACKGROUND
    0xD1B499, // COLOR_ACTIVECAPTION
    0xDBCDBF, // COLOR_INACTIVECAPTION
    0xF0F0F0, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x646464, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0x000000, // COLOR_CAPTIONTEXT
    0xB4B4B4, // COLOR_ACTIVEBORDER
    0xFCF7F4, // COLOR_INACTIVEBORDER
    0xABABAB, // COLOR_APPWORKSPACE
    0xD77800, // COLOR_HIGHLIGHT
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xF0F0F0, // COLOR_BTNFACE
    0xA0A0A0, // COLOR_BTNSHADOW
    0x6D6D6D, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0x000000, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x696969, // COLOR_3DDKSHADOW
    0xE3E3E3, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xE1FFFF, // COLOR_INFOBK
    0x000000, // 25: unused index
    0xCC6600, // COLOR_HOTLIGHT
    0xEAD1B9, // COLOR_GRADIENTACTIVECAPTION
    0xF2E4D7, // COLOR_GRADIENTINACTIVECAPTION
    0xFF9933, // COLOR_MENUHILIGHT
    0xF0F0F0, // COLOR_MENUBAR
};

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= kSystemColorCount)
        return clBlack;
    return TColor{kSystemColors[static_cast<std::size_t>(index)]};
}

TColor ResolveColor(TColor color) {
    constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
    if ((ColorBits(color) & kSystemColorFlag) == kSystemColorFlag)
        return GetSysColor(int(ColorBits(color) & 0xFF));
    return TColor{ColorBits(color) & kRgbMask};
}

} // namespace framework

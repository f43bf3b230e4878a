// Colours as the system writes them, for every layer: a colour value 0x00BBGGRR (red in the low
// byte), or a system colour named by the high byte 0xFF and its index in the low byte, resolved
// through one table of the values a current Windows desktop reports.
#pragma once

#include <cstdint>

namespace framework {

// A distinct type, so that a colour value is never taken for a pixel (0xAARRGGBB) by accident;
// TColor{bits} makes one, ColorBits reads it back.
enum class TColor : std::uint32_t {};

constexpr std::uint32_t ColorBits(TColor color) { return static_cast<std::uint32_t>(color); }
// Red, green and blue of a colour value; the high byte is not looked at.
constexpr int RedOf(TColor color) { return int(ColorBits(color) & 0xFF); }
constexpr int GreenOf(TColor color) { return int((ColorBits(color) >> 8) & 0xFF); }
constexpr int BlueOf(TColor color) { return int((ColorBits(color) >> 16) & 0xFF); }
constexpr TColor RgbColor(int red, int green, int blue) {
    return TColor{std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16};
}

inline constexpr std::uint32_t kSystemColorFlag = 0xFF000000u;

// The system colour indexes (COLOR_*).
enum SystemColorIndex : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30
};
// Indexes 0..30 of the system colour table (COLOR_SCROLLBAR .. COLOR_MENUBAR).
inline constexpr int kSystemColorCount = 31;

constexpr TColor SystemColor(SystemColorIndex index) { return TColor{kSystemColorFlag | std::uint32_t(index)}; }

inline constexpr TColor clBlack{0x000000}, clMaroon{0x000080}, clGreen{0x008000}, clOlive{0x008080},
    clNavy{0x800000}, clPurple{0x800080}, clTeal{0x808000}, clGray{0x808080}, clSilver{0xC0C0C0},
    clRed{0x0000FF}, clLime{0x00FF00}, clYellow{0x00FFFF}, clBlue{0xFF0000}, clFuchsia{0xFF00FF},
    clAqua{0xFFFF00}, clWhite{0xFFFFFF};
inline constexpr TColor clNone{0x1FFFFFFF};

inline constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = SystemColor(COLOR_MENU);
inline constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
inline constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
inline constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
inline constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
inline constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
inline constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

// The RGB value of a system colour index; black for an index outside the table.
TColor GetSysColor(int index);

// A system colour (high byte 0xFF) becomes its RGB value; any other colour keeps its low 24 bits.
TColor ResolveColor(TColor color);

} // namespace framework

// The platform's numbers for the non-client area of a window: the hit codes a frame answers for
// a point, and the system commands of its system menu and caption buttons.
#pragma once

namespace skin {

// Hit codes (WM_NCHITTEST answers).
inline constexpr int HTTRANSPARENT = -1; // nothing here: the point belongs to the window beneath
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;
inline constexpr int HTSYSMENU = 3;
inline constexpr int HTMENU = 5;
inline constexpr int HTMINBUTTON = 8;
inline constexpr int HTMAXBUTTON = 9;
inline constexpr int HTLEFT = 10;
inline constexpr int HTRIGHT = 11;
inline constexpr int HTTOP = 12;
inline constexpr int HTTOPLEFT = 13;
inline constexpr int HTTOPRIGHT = 14;
inline constexpr int HTBOTTOM = 15;
inline constexpr int HTBOTTOMLEFT = 16;
inline constexpr int HTBOTTOMRIGHT = 17;
inline constexpr int HTOBJECT = 19;
inline constexpr int HTCLOSE = 20;
inline constexpr int HTHELP = 21;
// User title buttons answer this plus their index; title-bar items start at 2000.
inline constexpr int kUserButtonHitBase = 1000;
inline constexpr int kUserButtonHitLast = 2100;

inline constexpr bool IsSizingHit(int code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }
inline constexpr bool IsCaptionButtonHit(int code) {
    return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP ||
           (code >= kUserButtonHitBase && code <= kUserButtonHitLast);
}

// System commands (WM_SYSCOMMAND).
inline constexpr int SC_SIZE = 0xF000;
inline constexpr int SC_MOVE = 0xF010;
inline constexpr int SC_MINIMIZE = 0xF020;
inline constexpr int SC_MAXIMIZE = 0xF030;
inline constexpr int SC_CLOSE = 0xF060;
inline constexpr int SC_KEYMENU = 0xF100;
inline constexpr int SC_RESTORE = 0xF120;
inline constexpr int SC_CONTEXTHELP = 0xF180;
// SC_MOVE with HTCAPTION: the move of a title drag.
inline constexpr int SC_DRAGMOVE = SC_MOVE + HTCAPTION;
// The range of the system's own commands; a system-menu item outside it is the program's.
inline constexpr int kFirstSystemCommand = SC_SIZE;
inline constexpr int kLastSystemCommand = 0xF1FF;
// The key code SC_KEYMENU carries for Alt+Space.
inline constexpr int kSpaceKey = 32;

} // namespace skin

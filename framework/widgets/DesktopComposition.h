// Whether the desktop composites windows, so that a window may be partly transparent (the
// skin's extended borders and shadows are drawn in windows of their own that need this).
#pragma once

namespace framework {

// True on the offscreen and Wayland platforms, and on X11 while a compositing manager owns
// the screen's _NET_WM_CM_S<n> selection; false elsewhere. Needs the application object.
bool DesktopComposites();

} // namespace framework

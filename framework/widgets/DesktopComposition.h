// Whether the desktop composites windows, so that a window may be partly transparent (the
// skin's extended borders and their shadows need this), and word when that changes.
#pragma once

#include <functional>

namespace framework {

// True on the offscreen and Wayland platforms, and on X11 while a compositing manager owns
// the screen's _NET_WM_CM_S<n> selection; false elsewhere. Needs the application object.
bool DesktopComposites();

// Called (from the event loop, after the event that told) whenever a compositing manager starts
// or stops. Returns an id for RemoveCompositionListener. Only X11 tells; elsewhere the answer
// never changes.
using CompositionListener = std::function<void()>;
int AddCompositionListener(CompositionListener listener);
void RemoveCompositionListener(int id);

} // namespace framework

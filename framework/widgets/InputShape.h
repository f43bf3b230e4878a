// Where a top-level window takes pointer input. On X11 this is the window's input shape: outside
// it clicks reach the windows beneath while the pixels stay visible (a window's soft shadow).
// A reparenting window manager wraps the window in a frame of its own whose input region stays
// full, so the same shape is set on that frame too, and again whenever the window is reparented.
#pragma once

#include <QRegion>

class QWidget;

namespace framework {

// region is in the window's own coordinates; an empty region gives the whole window its input
// back. Platforms without input shapes keep only the record (InputRegion).
void SetInputRegion(QWidget* window, const QRegion& region);
// The region set last; empty when the window takes input everywhere.
QRegion InputRegion(const QWidget* window);

} // namespace framework

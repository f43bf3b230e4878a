// Bitmaps seen by Qt's painter: a QImage over a bitmap's own pixels (for text), and the block
// copy of a bitmap onto a painter's device (a control's cache onto its window).
#pragma once

#include <QImage>

#include "skin/pixels/BlendOps.h"

class QPainter;

namespace skin {

// A QImage::Format_ARGB32 view of the bitmap's memory; valid while the bitmap keeps its size.
QImage ImageView(Bitmap32& bitmap);

// srcRect of bitmap (cut to it) onto the painter's device with its top-left at `at`, replacing
// what was there, every pixel opaque: what a block transfer to a window shows.
void DrawOpaque(QPainter& painter, TPoint at, const Bitmap32& bitmap, const TRect& srcRect);

} // namespace skin

// Section gradients painted segment by segment: vertical, horizontal, and the four-corner mesh
// of four triangles around the centre; and a gradient mixed with a tiled texture.
#pragma once

#include "skin/data/sSkinOptions.h"

namespace skin {

// Paints the gradient into rect (cut to the bitmap); only the first segment's kind counts;
// pixels get alpha 255. Nothing for an empty rect, no segments, or an unknown kind.
void PaintGradient(Bitmap32& bitmap, const TRect& rect, const TsGradArray& segments);

// Kinds 0 and 1 only: every pixel is the gradient colour g mixed with the texture pixel x tiled
// from the rect's top-left: ch := ((x - g) * w + g * 256) >> 8. An empty texture rect means the
// whole texture bitmap.
void PaintGradientOverTexture(Bitmap32& bitmap, const TRect& rect, const TsGradArray& segments, int imageWeight,
                              const TRect& textureRect, const Bitmap32& texture);

} // namespace skin

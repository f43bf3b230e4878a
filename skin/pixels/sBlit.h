// Plain block transfers between 32-bit bitmaps: the engine's BitBlt and nearest-neighbour
// StretchBlt, cut to both bitmaps through RectClip.h.
#pragma once

#include "skin/pixels/SkinTypes.h"

namespace skin {

// All four bytes of srcRect (exclusive) copied to dst at (dstX, dstY), cut to both bitmaps.
void CopyBlock(Bitmap32& dst, int dstX, int dstY, const Bitmap32& src, const TRect& srcRect);
// srcRect stretched onto dstRect (both exclusive) by nearest-neighbour sampling of pixel
// centres, all four bytes, writing only inside clip (and dst); destination pixels whose sample
// falls outside src are left alone.
void StretchBlock(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect, const TRect& clip);
void StretchBlock(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect);

} // namespace skin

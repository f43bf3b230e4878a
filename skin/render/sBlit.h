// Plain block transfers between 32-bit bitmaps (the engine's BitBlt and nearest-neighbour
// StretchBlt) and the one place where the painters cut a transfer to both of its bitmaps.
#pragma once

#include "skin/render/SkinTypes.h"

namespace skin {

// The skin's numbers mix inclusive and exclusive rectangle edges; these say which is which.
constexpr int InclusiveEdge(int exclusiveEdge) { return exclusiveEdge - 1; }
constexpr int ExclusiveEdge(int inclusiveEdge) { return inclusiveEdge + 1; }
// (Left, Top) to (Right - 1, Bottom - 1): the form the keyed copies take.
constexpr TRect InclusiveRect(int left, int top, int width, int height) {
    return {left, top, InclusiveEdge(left + width), InclusiveEdge(top + height)};
}
constexpr TRect RectAt(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

TRect IntersectRects(const TRect& a, const TRect& b);
bool RectIsEmpty(const TRect& rect);

// Width x Height pixels from (SrcX, SrcY) of one bitmap to (DstX, DstY) of another.
struct BlitArea {
    int DstX = 0;
    int DstY = 0;
    int SrcX = 0;
    int SrcY = 0;
    int Width = 0;
    int Height = 0;
    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Cuts a transfer so that its destination lies inside dstBounds and its source inside
// srcBounds (both exclusive); a cut on one side moves the other side's origin with it.
BlitArea ClipBlit(BlitArea area, const TRect& dstBounds, const TRect& srcBounds);

// All four bytes of srcRect (exclusive) copied to dst at (dstX, dstY), cut to both bitmaps.
void CopyBlock(Bitmap32& dst, int dstX, int dstY, const Bitmap32& src, const TRect& srcRect);
// srcRect stretched onto dstRect (both exclusive) by nearest-neighbour sampling of pixel
// centres, all four bytes, writing only inside clip (and dst); destination pixels whose sample
// falls outside src are left alone.
void StretchBlock(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect, const TRect& clip);
void StretchBlock(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect);

} // namespace skin

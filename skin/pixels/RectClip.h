// Rectangles cut to bounds and to bitmaps, and the one place where inclusive rectangle edges
// become exclusive ones; the pixel operations and the painters both clip through here.
#pragma once

#include <algorithm>

#include "skin/pixels/SkinTypes.h"

namespace skin {

// The skin's numbers mix inclusive and exclusive rectangle edges; these say which is which.
constexpr int InclusiveEdge(int exclusiveEdge) { return EdgePlus(exclusiveEdge, -1); }
constexpr int ExclusiveEdge(int inclusiveEdge) { return EdgePlus(inclusiveEdge, 1); }
// (Left, Top) to (Right - 1, Bottom - 1): the form the keyed copies take.
constexpr TRect InclusiveRect(int left, int top, int width, int height) {
    return {left, top, EdgePlus(left, std::int64_t{width} - 1), EdgePlus(top, std::int64_t{height} - 1)};
}
// An inclusive rect (Right and Bottom belong to it) as an exclusive one.
constexpr TRect InclusiveToExclusive(const TRect& rect) {
    return {rect.Left, rect.Top, ExclusiveEdge(rect.Right), ExclusiveEdge(rect.Bottom)};
}
constexpr TRect RectAt(int left, int top, int width, int height) {
    return {left, top, EdgePlus(left, width), EdgePlus(top, height)};
}

// Empty results come back with Right <= Left or Bottom <= Top.
inline TRect IntersectRects(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}
constexpr bool RectIsEmpty(const TRect& rect) { return rect.Right <= rect.Left || rect.Bottom <= rect.Top; }

// The part of rect inside the picture: what a skin's area may read, and so all it may size.
inline TRect ClipToPicture(const TRect& rect, const Bitmap32& picture) {
    const TRect clipped = IntersectRects(rect, RectOf(picture));
    return RectIsEmpty(clipped) ? TRect{} : clipped;
}

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
// Width and Height never come back negative.
BlitArea ClipBlit(BlitArea area, const TRect& dstBounds, const TRect& srcBounds);
// The same, cut to the whole of both bitmaps.
inline BlitArea ClipBlit(const BlitArea& area, const Bitmap32& dst, const Bitmap32& src) {
    return ClipBlit(area, RectOf(dst), RectOf(src));
}

} // namespace skin

// Cutting rectangles to bitmaps, and the one place where inclusive bounds become exclusive.
#pragma once

#include <algorithm>

#include "skin/render/SkinTypes.h"

namespace skin {

// The part of an exclusive rect that lies inside the bitmap; empty rects come back with
// Right <= Left or Bottom <= Top.
inline TRect ClipToBitmap(const TRect& rect, const Bitmap32& bitmap) {
    return {std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, bitmap.Width()),
            std::min(rect.Bottom, bitmap.Height())};
}

// An inclusive rect (Right and Bottom belong to it) as an exclusive one.
inline TRect InclusiveToExclusive(const TRect& rect) {
    return {rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1};
}

inline bool IsEmptyRect(const TRect& rect) { return rect.Right <= rect.Left || rect.Bottom <= rect.Top; }

// A copy of a w x h block from (sx, sy) of one bitmap to (dx, dy) of another, cut so that
// both sides stay inside their bitmaps: negative origins move the other side along.
struct BlockCopy {
    int dx, dy, sx, sy, width, height;
};
inline BlockCopy ClipBlock(BlockCopy block, const Bitmap32& dst, const Bitmap32& src) {
    auto cutLow = [](int& a, int& b, int& size) {
        int shift = std::max({0, -a, -b});
        a += shift, b += shift, size -= shift;
    };
    cutLow(block.dx, block.sx, block.width);
    cutLow(block.dy, block.sy, block.height);
    block.width = std::min({block.width, dst.Width() - block.dx, src.Width() - block.sx});
    block.height = std::min({block.height, dst.Height() - block.dy, src.Height() - block.sy});
    block.width = std::max(block.width, 0);
    block.height = std::max(block.height, 0);
    return block;
}

} // namespace skin

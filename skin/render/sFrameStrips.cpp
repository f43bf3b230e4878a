// Frame strips: unscaled corners limited to the strips, then the four sides tiled or stretched.
#include "skin/render/sFrameStrips.h"

#include <algorithm>

#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"

namespace skin {

namespace {

void Block(Bitmap32& dst, const Bitmap32& src, int srcX, int srcY, int width, int height, int dstX, int dstY) {
    if (width <= 0 || height <= 0)
        return;
    CopyBlock(dst, dstX, dstY, src, RectAt(srcX, srcY, width, height));
}

// Whole tiles while the position is below end - tile, then one cut to what is left.
void TileRun(Bitmap32& dst, const Bitmap32& src, const TRect& tile, const TRect& target, bool alongX) {
    const int size = alongX ? WidthOf(tile) : HeightOf(tile);
    if (size <= 0)
        return;
    const int end = alongX ? target.Right : target.Bottom;
    int position = alongX ? target.Left : target.Top;
    auto place = [&](int length) {
        if (alongX)
            CopyBlock(dst, position, target.Top, src, RectAt(tile.Left, tile.Top, length, HeightOf(tile)));
        else
            CopyBlock(dst, target.Left, position, src, RectAt(tile.Left, tile.Top, WidthOf(tile), length));
    };
    for (; position < end - size; position += size)
        place(size);
    if (end - position > 0)
        place(end - position);
}

void Run(Bitmap32& dst, const Bitmap32& src, StripFill fill, const TRect& tile, const TRect& target, bool alongX) {
    if (RectIsEmpty(target) || RectIsEmpty(tile))
        return;
    if (fill == StripFill::Tile)
        TileRun(dst, src, tile, target, alongX);
    else if (fill == StripFill::Stretch)
        StretchBlock(dst, target, src, tile);
}

} // namespace

void PaintFrameStrips(Bitmap32& dst, const Bitmap32& src, const TRect& D, StripFills fills, FrameWidths S,
                      FrameWidths M, const TRect& B) {
    const int sl = std::min(M.Left, S.Left);
    const int st = std::min(M.Top, S.Top);
    const int sr = std::min(M.Right, S.Right);
    const int sb = std::min(M.Bottom, S.Bottom);

    // Top-left, bottom-left, top-right, bottom-right: the block inside the top or bottom strip,
    // then the part of the margin that spills into the side strip.
    Block(dst, src, B.Left, B.Top, M.Left, st, D.Left, D.Top);
    if (st < M.Top)
        Block(dst, src, B.Left, B.Top + st, sl, M.Top - st, D.Left, D.Top + st);
    Block(dst, src, B.Left, B.Bottom - sb, M.Left, sb, D.Left, D.Bottom - sb);
    if (sb < M.Bottom)
        Block(dst, src, B.Left, B.Bottom - M.Bottom, sl, M.Bottom - sb, D.Left, D.Bottom - M.Bottom);
    Block(dst, src, B.Right - M.Right, B.Top, M.Right, st, D.Right - M.Right, D.Top);
    if (st < M.Top)
        Block(dst, src, B.Right - sr, B.Top + st, sr, M.Top - st, D.Right - sr, D.Top + st);
    Block(dst, src, B.Right - M.Right, B.Bottom - sb, M.Right, sb, D.Right - M.Right, D.Bottom - sb);
    if (sb < M.Bottom)
        Block(dst, src, B.Right - sr, B.Bottom - M.Bottom, sr, M.Bottom - sb, D.Right - sr, D.Bottom - M.Bottom);

    const int innerWidth = std::max(0, WidthOf(B) - M.Left - M.Right);
    const int innerHeight = std::max(0, HeightOf(B) - M.Top - M.Bottom);
    const int targetInnerTop = D.Top + M.Top;
    const int targetInnerBottom = D.Bottom - M.Bottom;
    const int targetInnerLeft = D.Left + M.Left;
    const int targetInnerRight = D.Right - M.Right;
    if (innerHeight > 0) {
        Run(dst, src, fills.Left, RectAt(B.Left, B.Top + M.Top, sl, innerHeight),
            {D.Left, targetInnerTop, D.Left + sl, targetInnerBottom}, false);
    }
    if (innerWidth > 0) {
        Run(dst, src, fills.Top, RectAt(B.Left + M.Left, B.Top, innerWidth, st),
            {targetInnerLeft, D.Top, targetInnerRight, D.Top + st}, true);
    }
    if (innerHeight > 0) {
        Run(dst, src, fills.Right, RectAt(B.Right - sr, B.Top + M.Top, sr, innerHeight),
            {D.Right - sr, targetInnerTop, D.Right, targetInnerBottom}, false);
    }
    if (innerWidth > 0) {
        Run(dst, src, fills.Bottom, RectAt(B.Left + M.Left, B.Bottom - sb, innerWidth, sb),
            {targetInnerLeft, D.Bottom - sb, targetInnerRight, D.Bottom}, true);
    }
}

} // namespace skin

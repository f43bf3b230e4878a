// Texture fills by mode; every tile is cut to the rect and both bitmaps.
#include "skin/render/sTexture.h"

#include <algorithm>

#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sMaskMerge.h"
#include "skin/render/sMaskPaint.h"

namespace skin {

namespace {

// The tile positions from start (every size) that reach into [visibleStart, visibleEnd) and
// begin before end, as 64-bit numbers: a rect far larger than the bitmap costs no more than it.
template <class F>
void ForEachTileStart(std::int64_t start, std::int64_t end, int size, int visibleStart, int visibleEnd, F&& f) {
    std::int64_t position = start;
    if (visibleStart > start)
        position += (visibleStart - start) / size * size;
    for (; position < end && position < visibleEnd; position += size)
        f(position);
}

// Tiles of `tile` over target from its top-left, the last row and column cut to it; only the
// tiles that reach into visible are placed.
template <class PlaceTile>
void TileOver(const TRect& target, const TRect& visible, int tileWidth, int tileHeight, PlaceTile&& place) {
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    ForEachTileStart(target.Top, target.Bottom, tileHeight, visible.Top, visible.Bottom, [&](std::int64_t y) {
        ForEachTileStart(target.Left, target.Right, tileWidth, visible.Left, visible.Right, [&](std::int64_t x) {
            place(int(x), int(y), int(std::min<std::int64_t>(tileWidth, target.Right - x)),
                  int(std::min<std::int64_t>(tileHeight, target.Bottom - y)));
        });
    });
}

void TileImage(Bitmap32& dst, const TRect& target, const Bitmap32& image, const TRect& tile) {
    const TRect clip = IntersectRects(target, RectOf(dst));
    TileOver(target, clip, WidthOf(tile), HeightOf(tile), [&](int x, int y, int w, int h) {
        BlitArea area = ClipBlit({x, y, tile.Left, tile.Top, w, h}, clip, RectOf(image));
        CopyBlock(dst, area.DstX, area.DstY, image, RectAt(area.SrcX, area.SrcY, area.Width, area.Height));
    });
}

TRect RestOrCovered(const TRect& rest) { return RectIsEmpty(rest) ? kCoveredRect : rest; }

TRect FirstCell(const TsMaskData& mask) {
    return RectAt(mask.Area.Left, mask.Area.Top, CellWidth(mask), CellHeight(mask));
}

} // namespace

TRect FillTexture(Bitmap32& dst, const TRect& rect, const Bitmap32& image, const TRect& imageRect,
                  TextureFillMode mode) {
    const TRect tile = RectIsEmpty(imageRect) ? RectOf(image) : imageRect;
    const int tw = WidthOf(tile);
    const int th = HeightOf(tile);
    if (RectIsEmpty(rect))
        return kCoveredRect;
    if (tw <= 0 || th <= 0)
        return rect;
    const TRect clip = IntersectRects(rect, RectOf(dst));
    auto stretchInto = [&](const TRect& target) { StretchBlock(dst, target, image, tile, clip); };
    switch (mode) {
    case TextureFillMode::tfTile:
    case TextureFillMode::tfWholeTiles:
        TileImage(dst, rect, image, tile);
        return kCoveredRect;
    case TextureFillMode::tfStretch:
        stretchInto(rect);
        return kCoveredRect;
    case TextureFillMode::tfTopTiles:
        TileImage(dst, {rect.Left, rect.Top, rect.Right, std::min(rect.Bottom, EdgePlus(rect.Top, th))}, image, tile);
        return RestOrCovered({rect.Left, EdgePlus(rect.Top, th), rect.Right, rect.Bottom});
    case TextureFillMode::tfLeftTiles:
        TileImage(dst, {rect.Left, rect.Top, std::min(rect.Right, EdgePlus(rect.Left, tw)), rect.Bottom}, image, tile);
        return RestOrCovered({EdgePlus(rect.Left, tw), rect.Top, rect.Right, rect.Bottom});
    case TextureFillMode::tfTopStretched:
        stretchInto({rect.Left, rect.Top, rect.Right, EdgePlus(rect.Top, th)});
        return RestOrCovered({rect.Left, EdgePlus(rect.Top, th), rect.Right, rect.Bottom});
    case TextureFillMode::tfLeftStretched:
        stretchInto({rect.Left, rect.Top, EdgePlus(rect.Left, tw), rect.Bottom});
        return RestOrCovered({EdgePlus(rect.Left, tw), rect.Top, rect.Right, rect.Bottom});
    case TextureFillMode::tfBottomTiles:
        TileImage(dst, {rect.Left, std::max(rect.Top, EdgePlus(rect.Bottom, -th)), rect.Right, rect.Bottom}, image,
                  tile);
        return RestOrCovered({rect.Left, rect.Top, rect.Right, EdgePlus(rect.Bottom, -th)});
    case TextureFillMode::tfRightTiles:
        TileImage(dst, {std::max(rect.Left, EdgePlus(rect.Right, -tw)), rect.Top, rect.Right, rect.Bottom}, image,
                  tile);
        return RestOrCovered({rect.Left, rect.Top, EdgePlus(rect.Right, -tw), rect.Bottom});
    default:
        return rect;
    }
}

TRect FillTexture(Bitmap32& dst, const TRect& rect, const TsMaskData& mask, const Bitmap32& picture) {
    const TRect cell = FirstCell(MaskClippedTo(mask, picture));
    if (RectIsEmpty(cell))
        return rect;
    return FillTexture(dst, rect, picture, cell, FillModeOf(mask));
}

TRect FillMaskedTexture(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, TextureFillMode mode,
                        const TsMaskData& unclippedMask, const Bitmap32& picture) {
    if (mode != TextureFillMode::tfTile && mode != TextureFillMode::tfWholeTiles)
        return kCoveredRect;
    const TsMaskData mask = MaskClippedTo(unclippedMask, picture);
    const int tileWidth = CellWidth(mask);
    const int tileHeight = HeightOf(mask.Area) / 2;
    if (tileWidth <= 0 || tileHeight <= 0)
        return kCoveredRect;
    const TRect clip = IntersectRects(rect, RectOf(dst));
    const MergeSettings settings{MergeFormula::Skin, KeyPixels::ByBackdrop, MergedAlpha::ByRule, backdrop,
                                 UseBackdrop::Yes};
    auto mergeTile = [&](int x, int y, int w, int h) {
        MergeBlock(dst, clip, x, y, picture, RectAt(mask.Area.Left, mask.Area.Top, w, h), tileHeight, settings);
    };
    if (mode == TextureFillMode::tfTile) {
        TileOver(rect, clip, tileWidth, tileHeight, mergeTile);
        return kCoveredRect;
    }
    // Whole tiles only, each ending within the rect; the rest shows the backdrop.
    const std::int64_t rows = std::max<std::int64_t>(0, std::int64_t{rect.Bottom} - rect.Top) / tileHeight;
    const std::int64_t columns = std::max<std::int64_t>(0, std::int64_t{rect.Right} - rect.Left) / tileWidth;
    const int tiledBottom = EdgePlus(rect.Top, rows * tileHeight);
    const int tiledRight = rows > 0 ? EdgePlus(rect.Left, columns * tileWidth) : rect.Left;
    TileOver({rect.Left, rect.Top, tiledRight, tiledBottom}, clip, tileWidth, tileHeight, mergeTile);
    auto showBackdrop = [&](const TRect& strip) {
        const TRect cut = IntersectRects(strip, clip);
        if (RectIsEmpty(cut))
            return;
        if (backdrop.UsableBitmap()) {
            const Bitmap32& parent = *backdrop.Bitmap;
            BlitArea area = ClipBlit({cut.Left, cut.Top, EdgePlus(cut.Left, backdrop.OffsetX), EdgePlus(cut.Top, backdrop.OffsetY),
                                      WidthOf(cut), HeightOf(cut)},
                                     cut, RectOf(parent));
            CopyBlock(dst, area.DstX, area.DstY, parent, RectAt(area.SrcX, area.SrcY, area.Width, area.Height));
        } else if (backdrop.FillColor != kTransparentKey) {
            FillPixels(dst, cut, backdrop.FillColor, kOpaqueAlpha);
        }
    };
    showBackdrop({tiledRight, rect.Top, rect.Right, rect.Bottom});
    showBackdrop({rect.Left, tiledBottom, tiledRight, rect.Bottom});
    return kCoveredRect;
}

} // namespace skin

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

// Tiles of `tile` over target from its top-left, the last row and column cut to it.
template <class PlaceTile>
void TileOver(const TRect& target, int tileWidth, int tileHeight, PlaceTile&& place) {
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (int y = target.Top; y < target.Bottom; y += tileHeight)
        for (int x = target.Left; x < target.Right; x += tileWidth)
            place(x, y, std::min(tileWidth, target.Right - x), std::min(tileHeight, target.Bottom - y));
}

void TileImage(Bitmap32& dst, const TRect& target, const Bitmap32& image, const TRect& tile) {
    const TRect clip = IntersectRects(target, RectOf(dst));
    TileOver(target, WidthOf(tile), HeightOf(tile), [&](int x, int y, int w, int h) {
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
        TileImage(dst, {rect.Left, rect.Top, rect.Right, std::min(rect.Bottom, rect.Top + th)}, image, tile);
        return RestOrCovered({rect.Left, rect.Top + th, rect.Right, rect.Bottom});
    case TextureFillMode::tfLeftTiles:
        TileImage(dst, {rect.Left, rect.Top, std::min(rect.Right, rect.Left + tw), rect.Bottom}, image, tile);
        return RestOrCovered({rect.Left + tw, rect.Top, rect.Right, rect.Bottom});
    case TextureFillMode::tfTopStretched:
        stretchInto({rect.Left, rect.Top, rect.Right, rect.Top + th});
        return RestOrCovered({rect.Left, rect.Top + th, rect.Right, rect.Bottom});
    case TextureFillMode::tfLeftStretched:
        stretchInto({rect.Left, rect.Top, rect.Left + tw, rect.Bottom});
        return RestOrCovered({rect.Left + tw, rect.Top, rect.Right, rect.Bottom});
    case TextureFillMode::tfBottomTiles:
        TileImage(dst, {rect.Left, std::max(rect.Top, rect.Bottom - th), rect.Right, rect.Bottom}, image, tile);
        return RestOrCovered({rect.Left, rect.Top, rect.Right, rect.Bottom - th});
    case TextureFillMode::tfRightTiles:
        TileImage(dst, {std::max(rect.Left, rect.Right - tw), rect.Top, rect.Right, rect.Bottom}, image, tile);
        return RestOrCovered({rect.Left, rect.Top, rect.Right - tw, rect.Bottom});
    default:
        return rect;
    }
}

TRect FillTexture(Bitmap32& dst, const TRect& rect, const TsMaskData& mask, const Bitmap32& picture) {
    const TRect cell = FirstCell(mask);
    if (RectIsEmpty(cell))
        return rect;
    return FillTexture(dst, rect, picture, cell, FillModeOf(mask));
}

TRect FillMaskedTexture(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, TextureFillMode mode,
                        const TsMaskData& mask, const Bitmap32& picture) {
    if (mode != TextureFillMode::tfTile && mode != TextureFillMode::tfWholeTiles)
        return kCoveredRect;
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
        TileOver(rect, tileWidth, tileHeight, mergeTile);
        return kCoveredRect;
    }
    // Whole tiles only, each ending within the rect; the rest shows the backdrop.
    int tiledRight = rect.Left;
    int tiledBottom = rect.Top;
    for (int y = rect.Top; y + tileHeight <= rect.Bottom; y += tileHeight) {
        tiledBottom = y + tileHeight;
        for (int x = rect.Left; x + tileWidth <= rect.Right; x += tileWidth) {
            mergeTile(x, y, tileWidth, tileHeight);
            tiledRight = x + tileWidth;
        }
    }
    if (tiledBottom == rect.Top)
        tiledRight = rect.Left;
    auto showBackdrop = [&](const TRect& strip) {
        const TRect cut = IntersectRects(strip, clip);
        if (RectIsEmpty(cut))
            return;
        if (backdrop.UsableBitmap()) {
            const Bitmap32& parent = *backdrop.Bitmap;
            BlitArea area = ClipBlit({cut.Left, cut.Top, cut.Left + backdrop.OffsetX, cut.Top + backdrop.OffsetY,
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

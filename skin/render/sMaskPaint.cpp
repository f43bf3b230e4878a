// Nine-slice painting: the slices in their order, tiling and stretching, and the three ways
// corners meet what lies behind them.
#include "skin/render/sMaskPaint.h"

#include "skin/pixels/ComposeOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sMaskMerge.h"

namespace skin {

namespace {

enum class MaskVariant { Skin, Layered, Region };

// Places tiles of `size` from start while a whole one fits before end - size, then one tile
// cut to the space left: f(position, length). Only the tiles that reach into [visibleStart,
// visibleEnd) are visited, at the positions the whole run gives them, so that a run far wider
// than the bitmap costs no more than the bitmap.
template <class F>
void ForEachTile(int start, int end, int size, int visibleStart, int visibleEnd, F&& f) {
    if (size <= 0)
        return;
    std::int64_t position = start;
    if (visibleStart > start)
        position += (std::int64_t{visibleStart} - start) / size * size;
    const std::int64_t stop = std::min<std::int64_t>(end, visibleEnd);
    for (; position < std::int64_t{end} - size && position < stop; position += size)
        f(int(position), size);
    if (position < stop && end - position > 0)
        f(int(position), int(end - position));
}

class NineSlicePainter {
public:
    NineSlicePainter(Bitmap32& dst, const TRect& rect, const TsMaskData& mask, const Bitmap32& picture,
                     MaskVariant variant)
        : dst_(dst), rect_(rect), clip_(IntersectRects(rect, RectOf(dst))), mask_(MaskClippedTo(mask, picture)),
          picture_(picture), variant_(variant) {}

    void SetCorners(const TsBackdrop& backdrop, UseBackdrop use) {
        if (mask_.CornerKind > 0) {
            cornerBackdrop_ = backdrop;
            cornerUse_ = use;
        }
    }
    void SetRemovedRuns(std::vector<TRect>* removed) { removed_ = removed; }

    void Paint(int state) {
        const int width = WidthOf(rect_);
        const int height = HeightOf(rect_);
        if ((state == 0 && (mask_.FillFlags & kFillHiddenInNormal)) || width < 2 || height < 2)
            return;
        const BorderWidths b = variant_ == MaskVariant::Region ? FitBordersEvenly(MaskBorders(mask_), width, height)
                                                               : FitBorders(MaskBorders(mask_), width, height);
        const int cw = CellWidth(mask_);
        const int ch = CellHeight(mask_);
        maskOffset_ = MaskPictureOffset(mask_);
        const int centreWidth = cw - b.Left - b.Right;
        const int centreHeight = ch - b.Top - b.Bottom;
        if (centreWidth < 0 || centreHeight < 0)
            return;
        const int x0 = mask_.Area.Left + cw * CellOfState(mask_, state);
        const int y0 = mask_.Area.Top;
        // Source columns and rows of the slices, and the target edges they go to.
        const int sourceCentreLeft = x0 + b.Left;
        const int sourceRightLeft = x0 + b.Left + centreWidth;
        const int sourceCentreTop = y0 + b.Top;
        const int sourceBottomTop = y0 + ch - b.Bottom;
        const int targetCentreLeft = EdgePlus(rect_.Left, b.Left);
        const int targetCentreRight = EdgePlus(rect_.Right, -b.Right);
        const int targetCentreTop = EdgePlus(rect_.Top, b.Top);
        const int targetCentreBottom = EdgePlus(rect_.Bottom, -b.Bottom);
        stretch_ = (mask_.FillFlags & kFillStretch) != 0;

        Corner(RectAt(x0, y0, b.Left, b.Top), rect_.Left, rect_.Top);
        Side(RectAt(x0, sourceCentreTop, b.Left, centreHeight),
             {rect_.Left, targetCentreTop, targetCentreLeft, targetCentreBottom}, Smoothing::Off);
        Side(RectAt(sourceCentreLeft, y0, centreWidth, b.Top),
             {targetCentreLeft, rect_.Top, targetCentreRight, targetCentreTop}, Smoothing::Off);
        Corner(RectAt(x0, sourceBottomTop, b.Left, b.Bottom), rect_.Left, targetCentreBottom);
        Side(RectAt(sourceCentreLeft, sourceBottomTop, centreWidth, b.Bottom),
             {targetCentreLeft, targetCentreBottom, targetCentreRight, rect_.Bottom}, Smoothing::Off);
        Corner(RectAt(sourceRightLeft, sourceBottomTop, b.Right, b.Bottom), targetCentreRight, targetCentreBottom);
        Corner(RectAt(sourceRightLeft, y0, b.Right, b.Top), targetCentreRight, rect_.Top);
        Side(RectAt(sourceRightLeft, sourceCentreTop, b.Right, centreHeight),
             {targetCentreRight, targetCentreTop, rect_.Right, targetCentreBottom}, Smoothing::Off);
        if (mask_.FillFlags & kFillPaintCentre)
            Side(RectAt(sourceCentreLeft, sourceCentreTop, centreWidth, centreHeight),
                 {targetCentreLeft, targetCentreTop, targetCentreRight, targetCentreBottom}, Smoothing::On);
    }

private:
    MergeFormula Formula() const {
        return variant_ == MaskVariant::Layered ? MergeFormula::Layered : MergeFormula::Skin;
    }

    void Corner(const TRect& source, int x, int y) {
        if (RectIsEmpty(source))
            return;
        const Bitmap32& src = picture_;
        if (variant_ == MaskVariant::Region) {
            RegionCorner(source, x, y);
            return;
        }
        if (!HasMaskPicture(mask_)) {
            BlitArea area = ClipBlit({x, y, source.Left, source.Top, WidthOf(source), HeightOf(source)}, clip_,
                                     IntersectRects(source, RectOf(src)));
            if (area.Empty())
                return;
            CopyKeyed(dst_, area.DstX, area.DstY, src, InclusiveRect(area.SrcX, area.SrcY, area.Width, area.Height),
                      kKeyPixel, cornerBackdrop_, cornerUse_);
            return;
        }
        MergeSettings settings{Formula(), KeyPixels::ByBackdrop, MergedAlpha::ByRule, cornerBackdrop_, cornerUse_};
        MergeBlock(dst_, clip_, x, y, src, source, maskOffset_, settings);
    }

    // Key pixels stay unpainted and leave the region; the others are merged or copied.
    void RegionCorner(const TRect& source, int x, int y) {
        const Bitmap32& src = picture_;
        const TRect maskedRows{0, 0, src.Width(), src.Height() - maskOffset_};
        BlitArea area = ClipBlit({x, y, source.Left, source.Top, WidthOf(source), HeightOf(source)}, clip_,
                                 IntersectRects(source, maskedRows));
        if (area.Empty())
            return;
        MergeSettings settings{MergeFormula::Skin, KeyPixels::Skip, MergedAlpha::ByRule, TsBackdrop{},
                               UseBackdrop::No};
        if (HasMaskPicture(mask_))
            MergeBlock(dst_, clip_, area.DstX, area.DstY, src, RectAt(area.SrcX, area.SrcY, area.Width, area.Height),
                       maskOffset_, settings);
        for (int row = 0; row < area.Height; ++row) {
            const Pixel* image = src.Row(area.SrcY + row).data() + area.SrcX;
            Pixel* target = dst_.Row(area.DstY + row).data() + area.DstX;
            int runStart = -1;
            for (int col = 0; col <= area.Width; ++col) {
                const bool key = col < area.Width && image[col] == kKeyPixel;
                if (col < area.Width && !key && !HasMaskPicture(mask_))
                    target[col] = image[col];
                if (key && runStart < 0)
                    runStart = col;
                if (!key && runStart >= 0) {
                    if (removed_)
                        removed_->push_back(
                            {area.DstX + runStart, area.DstY + row, area.DstX + col, area.DstY + row + 1});
                    runStart = -1;
                }
            }
        }
    }

    void Side(const TRect& source, const TRect& target, Smoothing smoothing) {
        if (RectIsEmpty(target) || RectIsEmpty(source))
            return;
        const Bitmap32& src = picture_;
        MergeSettings settings{Formula(),
                               variant_ == MaskVariant::Region ? KeyPixels::Merge : KeyPixels::ByBackdrop,
                               MergedAlpha::ByRule, TsBackdrop{}, UseBackdrop::No};
        if (stretch_) {
            StretchSlice(dst_, clip_, target, src, source, maskOffset_, smoothing,
                         variant_ == MaskVariant::Layered ? MaskPictureFilter::Hermite : MaskPictureFilter::Cubic,
                         settings);
            return;
        }
        ForEachTile(target.Top, target.Bottom, HeightOf(source), clip_.Top, clip_.Bottom, [&](int y, int rows) {
            ForEachTile(target.Left, target.Right, WidthOf(source), clip_.Left, clip_.Right, [&](int x, int columns) {
                const TRect tile = RectAt(source.Left, source.Top, columns, rows);
                if (HasMaskPicture(mask_)) {
                    MergeBlock(dst_, clip_, x, y, src, tile, maskOffset_, settings);
                } else {
                    BlitArea area = ClipBlit({x, y, tile.Left, tile.Top, columns, rows}, clip_, RectOf(src));
                    CopyBlock(dst_, area.DstX, area.DstY, src, RectAt(area.SrcX, area.SrcY, area.Width, area.Height));
                }
            });
        });
    }

    Bitmap32& dst_;
    TRect rect_;
    TRect clip_;
    const TsMaskData mask_; // cut to the picture
    const Bitmap32& picture_;
    MaskVariant variant_;
    TsBackdrop cornerBackdrop_;
    UseBackdrop cornerUse_ = UseBackdrop::No;
    std::vector<TRect>* removed_ = nullptr;
    int maskOffset_ = 0;
    bool stretch_ = false;
};

} // namespace

void PaintSkinMask(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, UseBackdrop use, int state,
                   const TsMaskData& mask, const Bitmap32& picture) {
    NineSlicePainter painter(dst, rect, mask, picture, MaskVariant::Skin);
    painter.SetCorners(backdrop, use);
    painter.Paint(state);
}

void PaintSkinMaskAlpha(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, int state,
                        const TsMaskData& mask, const Bitmap32& picture) {
    NineSlicePainter painter(dst, rect, mask, picture, MaskVariant::Layered);
    painter.SetCorners(backdrop, UseBackdrop::Yes);
    painter.Paint(state);
}

void PaintSkinMaskRegion(Bitmap32& dst, std::vector<TRect>& removed, int state, const TsMaskData& mask,
                         const Bitmap32& picture) {
    NineSlicePainter painter(dst, RectOf(dst), mask, picture, MaskVariant::Region);
    painter.SetRemovedRuns(&removed);
    painter.Paint(state);
}

void CornerKeyRuns(std::vector<TRect>& rects, int windowWidth, const TsMaskData& mask, CornerRows rows,
                   int yOffset, const Bitmap32& src) {
    // The area is not cut to the picture here (an area that reaches below it adds nothing), so
    // the row check is made in 64 bits and the columns are cut to the picture: the work is
    // bounded by the picture's size whatever the borders say.
    const BorderWidths b = MaskBorders(mask);
    const std::int64_t cw = CellWidth(mask);
    const std::int64_t ch = CellHeight(mask);
    const std::int64_t firstRow = rows == CornerRows::Top ? 0 : ch - b.Bottom;
    const int rowCount = rows == CornerRows::Top ? b.Top : b.Bottom;
    if (rowCount <= 0 || firstRow < 0 || mask.Area.Top < 0 || mask.Area.Top + firstRow + rowCount > src.Height())
        return;
    // From here every row lies inside the picture, so rows fit an int.
    auto scan = [&](int row, std::int64_t firstColumn, int columns, std::int64_t windowX) {
        const Pixel* line = src.Row(mask.Area.Top + row).data();
        // Only the columns that fall inside the picture can hold the key.
        const std::int64_t sx0 = mask.Area.Left + firstColumn;
        const std::int64_t last = std::min<std::int64_t>(columns, src.Width() - sx0);
        int runStart = -1;
        for (std::int64_t col = std::max<std::int64_t>(0, -sx0); col <= last; ++col) {
            const bool key = col < last && line[sx0 + col] == kKeyPixel;
            if (key && runStart < 0)
                runStart = int(col);
            if (!key && runStart >= 0) {
                rects.push_back({Saturated(windowX + runStart), EdgePlus(yOffset, row), Saturated(windowX + col),
                                 EdgePlus(yOffset, std::int64_t{row} + 1)});
                runStart = -1;
            }
        }
    };
    for (int k = 0; k < rowCount; ++k) {
        const int row = int(firstRow) + k;
        scan(row, 0, b.Left, 0);
        scan(row, cw - b.Right, b.Right, std::int64_t{windowWidth} - b.Right);
    }
}

} // namespace skin

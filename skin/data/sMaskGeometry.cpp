// Cell and border geometry of skin masks.
#include "skin/data/sMaskGeometry.h"

#include <algorithm>

#include "skin/pixels/RectClip.h"

namespace skin {

TsMaskData MaskClippedTo(const TsMaskData& mask, const Bitmap32& picture) {
    TsMaskData clipped = mask;
    clipped.Area = ClipToPicture(mask.Area, picture);
    if (std::uint64_t(AreaOf(clipped.Area)) > kMaskAreaLimit.Value)
        clipped.Area = TRect{};
    return clipped;
}

int CellWidth(const TsMaskData& mask) {
    if (mask.CellCount <= 0)
        return 0;
    if (mask.CellCount == 1)
        return WidthOf(mask.Area);
    return WidthOf(mask.Area) / mask.CellCount;
}

int CellHeight(const TsMaskData& mask) {
    if (mask.MaskLayout == -1)
        return 0;
    if (mask.MaskLayout == 0)
        return HeightOf(mask.Area);
    if (mask.MaskLayout == 1)
        return HeightOf(mask.Area) / 2;
    if (mask.MaskLayout + 1 <= 0)
        return 0;
    return HeightOf(mask.Area) / (mask.MaskLayout + 1);
}

int CellOfState(const TsMaskData& mask, int state) { return std::max(0, std::min(state, mask.CellCount - 1)); }

bool HasMaskPicture(const TsMaskData& mask) { return mask.MaskLayout != 0; }

int MaskPictureOffset(const TsMaskData& mask) { return HasMaskPicture(mask) ? CellHeight(mask) : 0; }

TRect CellRect(const TsMaskData& mask, int state) {
    const int cw = CellWidth(mask);
    const int left = mask.Area.Left + cw * CellOfState(mask, state);
    return {left, mask.Area.Top, left + cw, mask.Area.Top + CellHeight(mask)};
}

BorderWidths MaskBorders(const TsMaskData& mask) {
    return {std::max(0, int(mask.BorderLeft)), std::max(0, int(mask.BorderTop)), std::max(0, int(mask.BorderRight)),
            std::max(0, int(mask.BorderBottom))};
}

int MaskBorderWidth(const TsMaskData& mask, MaskSide side) {
    const bool across = side == MaskSide::Left || side == MaskSide::Right;
    const int own = side == MaskSide::Left    ? mask.BorderLeft
                    : side == MaskSide::Top   ? mask.BorderTop
                    : side == MaskSide::Right ? mask.BorderRight
                                              : mask.BorderBottom;
    if (own > 0)
        return own;
    if (mask.BorderWidth > 0)
        return mask.BorderWidth;
    return across ? CellWidth(mask) : CellHeight(mask);
}

namespace {

void FitPair(int& nearBorder, int& farBorder, int size) {
    int excess = nearBorder + farBorder - size;
    if (excess <= 0)
        return;
    nearBorder = std::max(0, nearBorder - excess / 2);
    farBorder = std::max(0, farBorder - (excess - excess / 2));
}

void FitPairEvenly(int& nearBorder, int& farBorder, int size) {
    int excess = nearBorder + farBorder - size;
    if (excess <= 0)
        return;
    nearBorder = std::max(0, nearBorder - excess / 2);
    farBorder = std::max(0, farBorder - excess / 2 - (size % 2 != 0 ? 1 : 0));
}

} // namespace

BorderWidths FitBorders(BorderWidths borders, int width, int height) {
    FitPair(borders.Left, borders.Right, width);
    FitPair(borders.Top, borders.Bottom, height);
    return borders;
}

BorderWidths FitBordersEvenly(BorderWidths borders, int width, int height) {
    FitPairEvenly(borders.Left, borders.Right, width);
    FitPairEvenly(borders.Top, borders.Bottom, height);
    return borders;
}

} // namespace skin

// Cell and border geometry of skin masks.
#include "skin/render/sMaskGeometry.h"

#include <algorithm>

namespace skin {

int CellWidth(const MaskView& mask) {
    if (mask.CellCount <= 0)
        return 0;
    if (mask.CellCount == 1)
        return WidthOf(mask.Area);
    return WidthOf(mask.Area) / mask.CellCount;
}

int CellHeight(const MaskView& mask) {
    switch (mask.MaskLayout) {
    case -1:
        return 0;
    case 0:
        return HeightOf(mask.Area);
    case 1:
        return HeightOf(mask.Area) / 2;
    default:
        return mask.MaskLayout > 0 ? HeightOf(mask.Area) / (mask.MaskLayout + 1) : 0;
    }
}

int CellOfState(const MaskView& mask, int state) { return std::max(0, std::min(state, mask.CellCount - 1)); }

bool HasMaskPicture(const MaskView& mask) { return mask.MaskLayout != 0; }

int MaskPictureOffset(const MaskView& mask) { return HasMaskPicture(mask) ? CellHeight(mask) : 0; }

BorderWidths MaskBorders(const MaskView& mask) {
    return {std::max(0, mask.BorderLeft), std::max(0, mask.BorderTop), std::max(0, mask.BorderRight),
            std::max(0, mask.BorderBottom)};
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

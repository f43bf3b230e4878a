// The reported border widths of a mask.
#include "skin/render/sMaskBorders.h"

namespace skin {

BorderWidths ReportedMaskBorders(const TsMaskData& mask) {
    const auto side = [&](int own, int cellSize) {
        if (own > 0)
            return own;
        return mask.BorderWidth > 0 ? int(mask.BorderWidth) : cellSize;
    };
    // A mask of no cells counts as one cell over its whole area.
    const int cellWidth = mask.CellCount == 0 ? WidthOf(mask.Area) : CellWidth(mask);
    const int cellHeight = CellHeight(mask);
    return {side(mask.BorderLeft, cellWidth), side(mask.BorderTop, cellHeight), side(mask.BorderRight, cellWidth),
            side(mask.BorderBottom, cellHeight)};
}

} // namespace skin

// The geometry of a skin mask: its cells, and its border widths as painters and layouts read them.
//
//   Area:  +--------------+--------------+----
//          |  bl |    | br|              |        one cell per state, CellWidth wide,
//          |-----+----+---|   cell 1     |        CellHeight high; a state beyond the last
//          |     | CW |   |              |        cell uses the last one
//          |-----+----+---|              |
//          |  bb          |              |
//          +--------------+--------------+----
#pragma once

#include "skin/data/sSkinOptions.h"

namespace skin {

// The mask with its Area cut to the picture it is painted from. A skin's area may claim far more
// than its picture holds; the painters size and loop only over what is there. Empty (and so
// painting nothing) when the cut area is beyond the mask area limit: the loader refuses such
// skins, so only masks made by code get here.
TsMaskData MaskClippedTo(const TsMaskData& mask, const Bitmap32& picture);

// The size of one cell (0 for no cells, or a layout without pictures).
int CellWidth(const TsMaskData& mask);
int CellHeight(const TsMaskData& mask);

// min(state, CellCount - 1), never below 0.
int CellOfState(const TsMaskData& mask, int state);
bool HasMaskPicture(const TsMaskData& mask);
// Rows between a cell's image and its mask picture (0 without a mask picture).
int MaskPictureOffset(const TsMaskData& mask);
// The rect of the cell of a state.
TRect CellRect(const TsMaskData& mask, int state);

struct BorderWidths {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};
enum class MaskSide { Left, Top, Right, Bottom };

// Two readings of a mask's border fields. Painters cut the cell by the fields as they stand, a
// negative width read as 0. Layouts that size things around a mask (halos, frames, group boxes)
// ask for a side's width where the skin may have left it 0: the side's own width when above 0,
// else BorderWidth when above 0, else the whole cell (its width for left and right, its height
// for top and bottom).
BorderWidths MaskBorders(const TsMaskData& mask);
int MaskBorderWidth(const TsMaskData& mask, MaskSide side);
// Borders that do not fit the destination: the excess e = near + far - size is taken as
// e div 2 from the near border and the rest from the far one, neither below 0.
BorderWidths FitBorders(BorderWidths borders, int width, int height);
// The region painter's rule: both borders lose e div 2, the far one one more for an odd size.
BorderWidths FitBordersEvenly(BorderWidths borders, int width, int height);

} // namespace skin

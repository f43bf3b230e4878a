// What the mask painters read of a skin mask, and the geometry of its cells and borders.
//
//   Area:  +--------------+--------------+----
//          |  bl |    | br|              |        one cell per state, CellWidth wide,
//          |-----+----+---|   cell 1     |        CellHeight high; a state beyond the last
//          |     | CW |   |              |        cell uses the last one
//          |-----+----+---|              |
//          |  bb          |              |
//          +--------------+--------------+----
#pragma once

#include "skin/render/SkinTypes.h"

namespace skin {

// FillFlags bits.
inline constexpr int kFillStretch = 1;       // stretch sides and centre, else tile
inline constexpr int kFillHiddenInState0 = 2; // nothing is painted in state 0
inline constexpr int kFillCentre = 4;        // the centre is painted

// The fields of a mask record that painting reads, with the picture it is cut from (the
// mask's own image or its owner's master bitmap; nullptr when it has neither).
struct MaskView {
    const Bitmap32* Source = nullptr;
    bool OwnImage = false;
    TRect Area;
    int CellCount = 0;
    int MaskLayout = 0; // 0 key pixels only, 1 mask picture in the lower half, -1 no picture
    int FillFlags = 0;
    int BorderLeft = 0;
    int BorderTop = 0;
    int BorderRight = 0;
    int BorderBottom = 0;
    int CornerKind = 0;
};

int CellWidth(const MaskView& mask);
int CellHeight(const MaskView& mask);
// min(state, CellCount - 1), never below 0.
int CellOfState(const MaskView& mask, int state);
// Rows between a cell's image and its mask picture: HeightOf(Area) div 2 with a mask picture.
int MaskPictureOffset(const MaskView& mask);
bool HasMaskPicture(const MaskView& mask);

struct BorderWidths {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};
// The mask's borders, a negative width read as 0.
BorderWidths MaskBorders(const MaskView& mask);
// Borders that do not fit the destination: the excess e = near + far - size is taken as
// e div 2 from the near border and the rest from the far one, neither below 0.
BorderWidths FitBorders(BorderWidths borders, int width, int height);
// The region painter's rule: both borders lose e div 2, the far one one more for an odd size.
BorderWidths FitBordersEvenly(BorderWidths borders, int width, int height);

} // namespace skin

// The nine-slice painters of skin masks (plain, for layered windows, and cutting a window
// region), and the key-pixel runs of a mask's corners.
//
//   destination D:  +----+--------------+----+
//                   | TL |     top      | TR |   corners at natural size; sides tiled or
//                   +----+--------------+----+   stretched along their length; the centre
//                   |left|    centre    |rght|   (FillFlags 4) tiled or smoothly stretched
//                   +----+--------------+----+
//                   | BL |    bottom    | BR |
//                   +----+--------------+----+
#pragma once

#include <vector>

#include "skin/data/sMaskGeometry.h"

namespace skin {

// Nine slices of the state's cell of picture (the mask's picture, MaskPicture) over rect. Corners
// let the backdrop show through key pixels (use) only for masks whose CornerKind is above 0.
void PaintSkinMask(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, UseBackdrop use, int state,
                   const TsMaskData& mask, const Bitmap32& picture);

// For images that become layered windows: mask pictures set the alpha; key pixels take the
// backdrop bitmap's pixel, or alpha 0 without one.
void PaintSkinMaskAlpha(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, int state,
                        const TsMaskData& mask, const Bitmap32& picture);

// Paints over the whole of dst and appends the 1-pixel-high runs of key pixels of the corners
// (in dst's coordinates) to removed: the window region is dst's rectangle without them.
void PaintSkinMaskRegion(Bitmap32& dst, std::vector<TRect>& removed, int state, const TsMaskData& mask,
                         const Bitmap32& picture);

// Appends one rect per run of key pixels in the top (or bottom) corner rows of cell 0, placed
// for a window of the given width: left corner from x 0, right corner from width - CellWidth.
enum class CornerRows { Top, Bottom };
void CornerKeyRuns(std::vector<TRect>& rects, int windowWidth, const TsMaskData& mask, CornerRows rows,
                   int yOffset, const Bitmap32& picture);

} // namespace skin

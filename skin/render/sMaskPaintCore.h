// The nine-slice painter of skin masks, on the painting view of a mask (MaskView); the mask
// record forms in sMaskPaint.h come down to these.
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

#include "skin/render/sMaskGeometry.h"

namespace skin {

void PaintMaskView(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, UseBackdrop use, int state,
                   const MaskView& mask);
void PaintMaskViewAlpha(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, int state,
                        const MaskView& mask);
// Paints over the whole of dst and appends the 1-pixel-high runs of key pixels of the corners
// (in dst's coordinates) to removed: the window region is dst's rectangle without them.
void PaintMaskViewRegion(Bitmap32& dst, std::vector<TRect>& removed, int state, const MaskView& mask);

enum class CornerRows { Top, Bottom };
void CornerKeyRunsOfView(std::vector<TRect>& rects, int windowWidth, const MaskView& mask, CornerRows rows,
                         int yOffset);

} // namespace skin

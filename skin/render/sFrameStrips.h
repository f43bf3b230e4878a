// The border of an image copied into the border strips of a destination whose strips may be
// narrower or wider than the image's own margins (the window frame): plain block copies only.
//
//   source B, margins M:   +--M.left--+-----cw-----+--M.right--+
//                          | corner   |  top side  |  corner   |  M.top
//                          +----------+------------+-----------+
//                          | left     |            |  right    |  ch
//                          +----------+------------+-----------+
//                          | corner   | bottom     |  corner   |  M.bottom
//                          +----------+------------+-----------+
//   Each strip of D is min(M, S) thick; the corners keep their size along the strip.
#pragma once

#include "skin/pixels/DrawingRoutines.h"

namespace skin {

// How a side's middle run fills its strip; any other value paints nothing.
enum class StripFill { Tile = 0, Stretch = 1 };

struct StripFills {
    StripFill Left = StripFill::Tile;
    StripFill Top = StripFill::Tile;
    StripFill Right = StripFill::Tile;
    StripFill Bottom = StripFill::Tile;
};

void PaintFrameStrips(Bitmap32& dst, const Bitmap32& src, const TRect& dstRect, StripFills fills,
                      FrameWidths stripWidths, FrameWidths margins, const TRect& srcRect);

} // namespace skin

// The painters that work on a control's skin record: the whole section picture of the record,
// the corners of its cache refreshed from what the parent shows now, and the border alone for
// controls whose frame lies outside their client area.
#pragma once

#include "skin/render/sCommonData.h"
#include "skin/pixels/BlendOps.h"

namespace skin {

// Corner flags of RefreshCorners.
inline constexpr int kCornerTopLeft = 1, kCornerBottomLeft = 2, kCornerTopRight = 4, kCornerBottomRight = 8;
inline constexpr int kAllCorners = 15;

// Background (with the record's custom colour and textures), corner images, border mask, then the
// record's hue and saturation. Nothing when the bitmap is empty, the record's section invalid or
// rect not inside the bitmap. point is where rect's top-left lies in the backdrop, counted from
// the backdrop's offsets.
void PaintSection(const TsCommonData& record, const TsBackdrop& backdrop, int state, UseBackdrop use,
                  Bitmap32& bitmap, TPoint point, const TRect& rect);

// The key pixels of the border mask's corners in the record's cache take what the parent shows
// behind them now.
void RefreshCorners(TsCommonData& record, int state, int corners);

// Paints the record's border into its cache (sized to the host first) and gives the client rect
// inside it. With an extra border width the ring up to it is filled with the background colour
// and, when target is not the cache, the strips of that width are copied to target.
void PaintControlBorder(Bitmap32* target, const TRect& rect, int borderWidth, TRect& clientRect, int state,
                        TsCommonData& record);

} // namespace skin

// The small drawing routines that painters use on a cache bitmap where the original drew
// through a device context: solid fills, frame strips, frame copies and the arrow glyphs.
#pragma once

#include "skin/pixels/SkinTypes.h"

namespace skin {

// Colours here are RGB values (callers resolve system colours first); pixels are written
// with the given alpha, opaque by default. Everything is clipped to the bitmap.
void FillSolid(Bitmap32& bitmap, const TRect& rect, TColor colour, std::uint8_t alpha = kOpaqueAlpha);

struct FrameWidths {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};
// Top strip over the full width, left strip below it, bottom strip right of the left one,
// right strip between top and bottom strips.
void FillFrame(Bitmap32& bitmap, const TRect& rect, FrameWidths widths, TColor colour,
               std::uint8_t alpha = kOpaqueAlpha);
// Copies the four strips (top, right, bottom, left) stripWidth wide of frame from src, whose
// point (srcX, srcY) corresponds to frame's top-left corner.
void CopyFrame(Bitmap32& dst, const TRect& frame, int stripWidth, const Bitmap32& src, int srcX, int srcY);

enum class ArrowDirection { Right = 4, Down = 8 };
// Sets single pixels of a small arrow centred in rect; directions other than 4 and 8 draw nothing.
void DrawArrowGlyph(Bitmap32& bitmap, TColor colour, const TRect& rect, int direction,
                    std::uint8_t alpha = kOpaqueAlpha);

} // namespace skin

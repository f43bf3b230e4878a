// Filling an area with a section's "PATTERN" picture: tiled, stretched, or along one edge only
// (the fill returns the rest it left for the section colour); and textures with a mask picture,
// merged tile by tile with the backdrop.
#pragma once

#include "skin/data/sSkinOptions.h"

namespace skin {

// The texture fill modes (a texture mask's FillFlags); a skin may give any other number, which
// paints nothing.
enum class TextureFillMode : std::int16_t {
    tfTile = 0,
    tfStretch = 1,
    tfTopTiles = 2,
    tfLeftTiles = 3,
    tfTopStretched = 4,
    tfLeftStretched = 5,
    tfBottomTiles = 6,
    tfRightTiles = 7,
    tfWholeTiles = 10,
};

inline TextureFillMode FillModeOf(const TsMaskData& mask) { return static_cast<TextureFillMode>(mask.FillFlags); }

// Returned when the fill covered the whole rect.
inline constexpr TRect kCoveredRect{-1, -1, -1, -1};

// image's imageRect (exclusive; empty means the whole image) filled into rect by mode; returns
// what is left uncovered (kCoveredRect for nothing, the whole rect for an unknown mode).
TRect FillTexture(Bitmap32& dst, const TRect& rect, const Bitmap32& image, const TRect& imageRect,
                  TextureFillMode mode);
// A texture mask without mask picture: its first cell, the mask's FillFlags as mode.
TRect FillTexture(Bitmap32& dst, const TRect& rect, const TsMaskData& mask, const Bitmap32& picture);

// A texture mask with a mask picture, modes 0 and 10 only (others paint nothing): tiles of the
// first cell merged through their mask with the backdrop. Mode 10 places whole tiles only and
// fills the right and bottom rest from the backdrop. Returns kCoveredRect.
TRect FillMaskedTexture(Bitmap32& dst, const TRect& rect, const TsBackdrop& backdrop, TextureFillMode mode,
                        const TsMaskData& mask, const Bitmap32& picture);

} // namespace skin

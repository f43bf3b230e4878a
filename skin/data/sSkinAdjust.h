// Adjustments of a loaded skin model: the hue and saturation shifts that the manager applies at
// the end of every load, and the margin of the default shadow pictures of extended borders.
#pragma once

#include "skin/data/sSkinOptions.h"

namespace skin {

// Shifts the hue of the master bitmap, the masks' own pictures, the section colours, the
// skin's shadow colour and the shifted palette entries; title-button pictures are kept as
// "BIKEEPHUE" asks. Does nothing for 0.
void ApplyHueShift(TsSkinModel& model, int degrees);
// The same with the saturation shift, nothing kept. Does nothing for 0.
void ApplySaturationShift(TsSkinModel& model, int percent);
// The saturation setting as it is used: modulo 101, keeping the sign (150 -> 49, -150 -> -49).
constexpr int EffectiveSaturation(int percent) { return percent % 101; }

// Palette entries that follow the shifts: 0, 1, 2, 4 to 13 and 27.
inline constexpr std::uint32_t kShiftedPaletteEntries = 0x08003FF7;

// The default shadow pictures of extended borders ("vlSHDA" active, "vlSHDI" inactive, drawn by the
// program's picture generator and handed to TsSkinManager::SetDefaultShadowPictures) lie around
// the window in a margin of this width on every side.
inline constexpr int kShadowMargin = 9;

} // namespace skin

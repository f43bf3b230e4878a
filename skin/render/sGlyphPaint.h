// One cell of a glyph mask painted at its natural size: in the normal look, or faint.
#pragma once

#include "skin/pixels/BlendOps.h"
#include "skin/data/sMaskGeometry.h"

namespace skin {

// The skin's mode numbers: 1 is the normal look, any other the faint one.
enum class GlyphMode { Faint = 0, Normal = 1 };
constexpr GlyphMode GlyphModeOf(int mode) { return mode == int(GlyphMode::Normal) ? GlyphMode::Normal : GlyphMode::Faint; }

// The state's cell of picture (the mask's picture, MaskPicture) at point; a negative point cuts
// the hidden part off the cell.
void PaintSkinGlyph(Bitmap32& dst, TPoint point, int state, const TsBackdrop& backdrop, const TsMaskData& mask,
                    GlyphMode mode, const Bitmap32& picture);

} // namespace skin

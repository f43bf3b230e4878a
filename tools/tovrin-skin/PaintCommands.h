// The painting commands of tovrin-skin: one section, one mask, one glyph, and the contact sheet
// of a whole skin.
#pragma once

#include "tools/tovrin-skin/Commands.h"

namespace tools {

int SectionCommand(const Arguments& arguments);
int MaskCommand(const Arguments& arguments);
int GlyphCommand(const Arguments& arguments);
int SheetCommand(const Arguments& arguments);

// The labelled contact sheet: every section in its states at two sizes, every mask's area as
// its picture holds it, and the master bitmap.
skin::Bitmap32 PaintContactSheet(const skin::TsSkinManager& manager);

} // namespace tools

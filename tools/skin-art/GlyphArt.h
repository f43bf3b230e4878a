// The glyphs of the skin drawn as shapes: caption-button symbols (designed on a 24-pixel cell and
// scaled), arrows, check marks and grip dots.
#pragma once

#include "tools/skin-art/ArtShapes.h"

namespace skinart {

enum class CaptionSymbol { Close, Maximize, Restore, Minimize, Help, None };
enum class ArrowDirection { Left, Right, Up, Down };

// The symbol centred in a square cell of the given side.
Shape CaptionGlyph(CaptionSymbol symbol, double cellSide);
// A filled triangle 7 pixels across its base and 4 deep, pointing the given way, centred on (cx, cy).
Shape ArrowGlyph(ArrowDirection direction, double cx, double cy);
// A tick filling a square of the given side placed at (left, top).
Shape CheckGlyph(double left, double top, double side, double strokeWidth);
// 2 × 2 dots at the given centres.
Shape Dot(double cx, double cy);

} // namespace skinart

// A contact sheet of a loaded skin drawn with the engine's own painters: the form frame with its
// shadow and caption button, and every control part the program shows, in each of its states.
#pragma once

#include "skin/data/sSkinManager.h"
#include "skin/pixels/Bitmap32.h"

namespace skin::testing {

// Opaque sheet, 0xFFRRGGBB.
Bitmap32 DrawPewterSheet(const TsSkinManager& manager);

} // namespace skin::testing

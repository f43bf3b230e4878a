// Every mask painter over one mask and picture, with the destination, rect, state and backdrop
// taken from the fuzz input; shared by the mask target and the options target (which paints the
// masks a skin text made).
#pragma once

#include "skin/data/sSkinOptions.h"
#include "tests/fuzz/FuzzInput.h"

namespace tovrin::fuzz {

void PaintMaskEveryWay(const skin::TsMaskData& mask, const skin::Bitmap32& picture, FuzzInput& input);

} // namespace tovrin::fuzz

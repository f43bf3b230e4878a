// The master bitmap of the skin: every "^" and "@" area the options text declares, drawn by the
// painter registered for its section and key.
#pragma once

#include "skin/data/sSkinIni.h"
#include "skin/pixels/Bitmap32.h"

namespace skinart {

// The master width; its height is the lowest declared area.
inline constexpr int kMasterWidth = 256;

// Fails (std::runtime_error) for an area without painter, overlapping areas, or an area outside
// the master width.
skin::Bitmap32 DrawMaster(const skin::TsSkinIni& options);

} // namespace skinart

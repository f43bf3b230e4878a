// A small skin of our own, drawn by the test: a master bitmap with border masks (with and
// without mask pictures, tiled and stretched), a corner glyph and a texture, and sections that
// use every kind of background. Loaded through the skin data's own loading steps.
#pragma once

#include <string>

#include "skin/data/sSkinOptions.h"

namespace skin::test {

TsSkinModel LoadFixtureSkin();
// Writes the fixture skin as a skin folder ("Options.dat" and "MASTER.BMP") at folder.
void WriteFixtureSkinFolder(const std::string& folder);

} // namespace skin::test

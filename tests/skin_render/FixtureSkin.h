// A small skin of our own, drawn by the test: a master bitmap with border masks (with and
// without mask pictures, tiled and stretched), a corner glyph and a texture, and sections that
// use every kind of background. Loaded through the skin data's own loading steps.
#pragma once

#include "skin/data/sSkinOptions.h"

namespace skin::test {

TsSkinModel LoadFixtureSkin();

} // namespace skin::test

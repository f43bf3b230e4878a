// Comparing a painted bitmap with its golden image under tests/fixtures/golden/skin_render,
// exactly; with --update-golden the image is written instead.
#pragma once

#include <string>

#include "skin/pixels/Bitmap32.h"

namespace skin::test {

void SetUpdateGolden(bool update);
// Empty when the bitmap equals the golden image (or the image was rewritten); else what differs.
std::string CompareWithGolden(const Bitmap32& bitmap, const std::string& name);

} // namespace skin::test

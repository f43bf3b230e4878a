// Comparing a painted bitmap with its golden image under tests/fixtures/golden/FOLDER/NAME.png,
// exactly; after SetUpdateGolden(true) (the test programs' "--update-golden") the image is
// written instead.
#pragma once

#include <string>

#include "skin/pixels/Bitmap32.h"

namespace testing_support {

void SetUpdateGolden(bool update);
// Empty when the bitmap equals the golden image (or the image was rewritten); else what differs.
std::string CompareWithGolden(const skin::Bitmap32& bitmap, const std::string& folder, const std::string& name);

} // namespace testing_support

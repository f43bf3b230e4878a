// What the painting commands of tovrin-skin share: the checked side of an output picture, the
// section an argument names, and writing the picture.
#pragma once

#include "skin/data/sSkinOptions.h"

#include <string>

namespace tools {

// WIDTH or HEIGHT of an output picture: an integer from 1 to 16384.
int SideArgument(const char* name, const std::string& value);
// The index of the section the argument names; fails when the skin has none.
int SectionIndexOf(const skin::TsSkinModel& model, const std::string& name);
// The bitmap as a PNG file; fails when the file cannot be written.
void WritePngFile(const std::string& path, const skin::Bitmap32& bitmap);

} // namespace tools

// The shared arguments and output of the painting commands.
#include "tools/tovrin-skin/OutputArguments.h"

#include "framework/base/SysUtils.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tools/tovrin-skin/Commands.h"

#include <fstream>

namespace tools {
namespace {
constexpr int kMaxSide = 16384;
} // namespace

int SideArgument(const char* name, const std::string& value) {
    const int side = ParseIntegerOption(name, value);
    if (side < 1 || side > kMaxSide)
        throw framework::Exception(std::string(name) + " must be between 1 and " + std::to_string(kMaxSide));
    return side;
}

int SectionIndexOf(const skin::TsSkinModel& model, const std::string& name) {
    const int index = skin::GetSkinIndex(model, name);
    if (index < 0)
        throw framework::Exception("The skin has no section \"" + name + "\"");
    return index;
}

void WritePngFile(const std::string& path, const skin::Bitmap32& bitmap) {
    const std::vector<std::uint8_t> png = skin::WritePng(bitmap);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!file)
        throw framework::Exception("Cannot write \"" + path + "\"");
}

} // namespace tools

// Golden images are PNG files holding the bitmap's bytes as they are.
#include "tests/support/GoldenImages.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/pixels/codecs/SkinPictures.h"

namespace testing_support {

using skin::Bitmap32;

namespace {
bool updateGolden = false;

std::filesystem::path GoldenPath(const std::string& folder, const std::string& name) {
    return std::filesystem::path(TOVRIN_GOLDEN_DIR) / folder / (name + ".png");
}
} // namespace

void SetUpdateGolden(bool update) { updateGolden = update; }

std::string CompareWithGolden(const Bitmap32& bitmap, const std::string& folder, const std::string& name) {
    const std::filesystem::path path = GoldenPath(folder, name);
    if (updateGolden) {
        std::filesystem::create_directories(path.parent_path());
        const std::vector<std::uint8_t> png = skin::WritePng(bitmap);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "no golden image " + path.string() + " (run the test with --update-golden)";
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Bitmap32 golden = skin::ReadPng(bytes, path.string());
    if (golden.Width() != bitmap.Width() || golden.Height() != bitmap.Height())
        return "size " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) + " differs from golden " +
               std::to_string(golden.Width()) + "x" + std::to_string(golden.Height());
    int differing = 0;
    std::string first;
    for (int y = 0; y < golden.Height(); ++y)
        for (int x = 0; x < golden.Width(); ++x)
            if (golden.At(x, y) != bitmap.At(x, y) && differing++ == 0)
                first = "first at " + std::to_string(x) + "," + std::to_string(y);
    return differing == 0 ? std::string{} : std::to_string(differing) + " pixels differ from " + path.string() + ", " + first;
}

} // namespace testing_support

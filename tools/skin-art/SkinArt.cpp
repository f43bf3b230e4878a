// tovrin-skin-art: draws every picture we ship. It reads the skin's Options.dat (whose master
// areas say where each part is drawn) and writes the complete skin folder and the program's
// own pictures, and packs the folder with the package writer the engine's reader pairs with.
//
//   tovrin-skin-art OPTIONS.DAT SKIN_FOLDER_OUT RESOURCES_FOLDER_OUT PACKAGE_OUT.vlz
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/data/sSkinIni.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tools/skin-art/MasterArt.h"
#include "tools/skin-art/PictureArt.h"

namespace {

constexpr int kDibBits = 24;

// The files of the skin folder, which the packer takes whole: anything else it would pack
// (a picture left by an earlier layout) is removed first.
const char* const kSkinFiles[] = {"Options.dat", "Master.bmp", "ButtonHuge.bmp", "ExtBord.png", "GlowEdit.png",
                                  "Close.png",   "Max.png",    "Min.png",        "Norm.png",    "RectHint1.png"};

void RemoveStrayPackedFiles(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = entry.path().filename().string();
        const std::string extension = skin::UpperCase(entry.path().extension().string());
        const bool packed = extension == ".BMP" || extension == ".PNG" || extension == ".JPG" || extension == ".JPEG" ||
                            skin::EqualsIgnoringCase(name, "Options.dat");
        if (packed && std::find(std::begin(kSkinFiles), std::end(kSkinFiles), name) == std::end(kSkinFiles))
            std::filesystem::remove(entry.path());
    }
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

int Run(const std::string& optionsPath, const std::filesystem::path& skinOut, const std::filesystem::path& resourcesOut,
        const std::filesystem::path& packageOut) {
    skin::ByteArray options;
    if (!skin::ReadFileBytes(optionsPath, options))
        throw std::runtime_error("cannot read " + optionsPath);
    const skin::TsSkinIni ini =
        skin::TsSkinIni::Parse(std::string_view(reinterpret_cast<const char*>(options.data()), options.size()));
    std::filesystem::create_directories(skinOut);
    std::filesystem::create_directories(resourcesOut);
    RemoveStrayPackedFiles(skinOut);

    using namespace skinart;
    WriteBytes(skinOut / "Options.dat", options);
    WriteBytes(skinOut / "Master.bmp", skin::WriteDib(DrawMaster(ini), kDibBits));
    WriteBytes(skinOut / "ButtonHuge.bmp", skin::WriteDib(HugeButtonPicture(), kDibBits));
    WriteBytes(skinOut / "ExtBord.png", skin::WritePng(ExtendedBorderPicture()));
    WriteBytes(skinOut / "GlowEdit.png", skin::WritePng(EditGlowPicture()));
    WriteBytes(skinOut / "Close.png", skin::WritePng(CaptionGlowPicture(CaptionSymbol::Close)));
    WriteBytes(skinOut / "Max.png", skin::WritePng(CaptionGlowPicture(CaptionSymbol::Maximize)));
    WriteBytes(skinOut / "Min.png", skin::WritePng(CaptionGlowPicture(CaptionSymbol::Minimize)));
    WriteBytes(skinOut / "Norm.png", skin::WritePng(CaptionGlowPicture(CaptionSymbol::Restore)));
    WriteBytes(skinOut / "RectHint1.png", skin::WritePng(HintFramePicture()));

    WriteBytes(resourcesOut / "VLGL.png", skin::WritePng(GaugeLightPicture()));
    WriteBytes(resourcesOut / "vlSHDA.png", skin::WritePng(DefaultShadowPicture(FormActivity::Active)));
    WriteBytes(resourcesOut / "vlSHDI.png", skin::WritePng(DefaultShadowPicture(FormActivity::Inactive)));
    WriteBytes(resourcesOut / "Icon16.png", skin::WritePng(ProgramIconPicture(16)));
    WriteBytes(resourcesOut / "Icon32.png", skin::WritePng(ProgramIconPicture(32)));

    WriteBytes(packageOut, skin::PackFolder(skinOut.string()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    constexpr const char* kUsage =
        "usage: tovrin-skin-art OPTIONS.DAT SKIN_FOLDER_OUT RESOURCES_FOLDER_OUT PACKAGE_OUT.vlz\n";
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 5) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return Run(argv[1], argv[2], argv[3], argv[4]);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tovrin-skin-art: %s\n", failure.what());
        return 1;
    }
}

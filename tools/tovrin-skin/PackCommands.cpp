// pack FOLDER OUT.vlz, unpack PACKAGE FOLDER, picture FILE OUT.png.
#include "tools/tovrin-skin/Commands.h"

#include "skin/data/vlSkinPack.h"
#include "skin/pixels/codecs/SkinPictures.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tools {
namespace {

void WriteFile(const std::string& path, const skin::ByteArray& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file)
        throw framework::Exception("Cannot write \"" + path + "\"");
}

// An entry name is written as one file inside the folder: no separators, no "." or "..".
bool StaysInFolder(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

void NeedArguments(const Arguments& arguments, std::size_t count, const char* usage) {
    if (arguments.size() != count)
        throw framework::Exception(std::string("usage: tovrin-skin ") + usage);
}

} // namespace

int PackCommand(const Arguments& arguments) {
    NeedArguments(arguments, 2, "pack FOLDER OUT.vlz");
    WriteFile(arguments[1], skin::PackFolder(arguments[0]));
    return 0;
}

int UnpackCommand(const Arguments& arguments) {
    NeedArguments(arguments, 2, "unpack PACKAGE FOLDER");
    skin::ByteArray bytes;
    if (!skin::ReadFileBytes(arguments[0], bytes))
        throw framework::Exception("Cannot read \"" + arguments[0] + "\"");
    std::unique_ptr<skin::TvlSkinConvertor> package;
    try {
        package = skin::ReadPackageBytes(bytes);
    } catch (const skin::EPackageError& damaged) {
        throw framework::Exception(arguments[0] + ": " + damaged.what());
    }
    for (const skin::TvlImageItem& item : package->Images)
        if (!StaysInFolder(item.Name))
            throw framework::Exception("Entry name \"" + item.Name + "\" would leave the folder");
    std::error_code error;
    std::filesystem::create_directories(arguments[1], error);
    const std::string folder = arguments[1] + "/";
    if (package->OptionsStream)
        WriteFile(folder + package->OptionsName, *package->OptionsStream);
    for (const skin::TvlImageItem& item : package->Images)
        WriteFile(folder + item.Name, item.Data);
    return 0;
}

int PictureCommand(const Arguments& arguments) {
    NeedArguments(arguments, 2, "picture FILE OUT.png");
    skin::ByteArray bytes;
    if (!skin::ReadFileBytes(arguments[0], bytes))
        throw framework::Exception("Cannot read \"" + arguments[0] + "\"");
    const skin::Bitmap32 picture = skin::ReadPicture(bytes, arguments[0]);
    WriteFile(arguments[1], skin::WritePng(picture));
    return 0;
}

} // namespace tools

// pack FOLDER OUT.vlz, unpack SOURCE FOLDER, picture FILE OUT.png.
#include "tools/tovrin-skin/Commands.h"

#include "resources/TovrinResources.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/codecs/SkinPictures.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

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

constexpr const char* kUnpackUsage = "unpack SOURCE FOLDER [--force]";
constexpr const char* kForceOption = "--force";

// The package of SOURCE as the engine would read it: the program's own, a package file (or any
// file as a stored package), or a skin folder packed as pack packs it.
std::unique_ptr<skin::TvlSkinConvertor> SourcePackage(const std::string& source) {
    skin::ByteArray bytes;
    std::string name = source;
    if (source == kInternalSource) {
        const std::span<const std::uint8_t> stored = skin::InternalSkinPackage();
        bytes.assign(stored.begin(), stored.end());
    } else {
        const std::filesystem::path path = FindSkinSource(source);
        name = path.string();
        if (std::filesystem::is_directory(path))
            bytes = skin::PackFolder(name);
        else if (!skin::ReadFileBytes(name, bytes))
            throw framework::Exception("Cannot read \"" + name + "\"");
    }
    try {
        return skin::ReadPackageBytes(bytes);
    } catch (const skin::EPackageError& damaged) {
        throw framework::Exception(name + ": " + damaged.what());
    }
}

} // namespace

int PackCommand(const Arguments& arguments) {
    NeedArguments(arguments, 2, "pack FOLDER OUT.vlz");
    WriteFile(arguments[1], skin::PackFolder(arguments[0]));
    return 0;
}

int UnpackCommand(const Arguments& arguments) {
    Arguments positional;
    bool force = false;
    for (const std::string& argument : arguments) {
        if (argument == kForceOption)
            force = true;
        else
            positional.push_back(argument);
    }
    NeedArguments(positional, 2, kUnpackUsage);
    const std::unique_ptr<skin::TvlSkinConvertor> package = SourcePackage(positional[0]);
    std::vector<std::pair<std::string, const skin::ByteArray*>> files;
    if (package->OptionsStream)
        files.emplace_back(package->OptionsName, package->OptionsStream.get());
    for (const skin::TvlImageItem& item : package->Images)
        files.emplace_back(item.Name, &item.Data);
    for (const auto& [name, data] : files)
        if (!StaysInFolder(name))
            throw framework::Exception("Entry name \"" + name + "\" would leave the folder");
    const std::string folder = positional[1] + "/";
    // Nothing is written when one file is in the way, so a refused unpack changes nothing.
    if (!force)
        for (const auto& [name, data] : files)
            if (std::error_code error; std::filesystem::symlink_status(folder + name, error).type() !=
                                       std::filesystem::file_type::not_found)
                throw framework::Exception("\"" + folder + name + "\" is already there; " + kForceOption +
                                           " writes over it");
    std::error_code error;
    std::filesystem::create_directories(positional[1], error);
    for (const auto& [name, data] : files)
        WriteFile(folder + name, *data);
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

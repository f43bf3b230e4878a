// Picture look-up in a package or a skin folder.
#include "skin/data/sSkinImageSource.h"

#include <filesystem>

namespace skin {

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (name.empty() || name.find('/') != std::string::npos)
        return {};
    if (fs::is_regular_file(fs::path(folder) / name, error))
        return name;
    for (const fs::directory_entry& item : fs::directory_iterator(folder, error)) {
        const std::string candidate = item.path().filename().string();
        if (EqualsIgnoringCase(candidate, name) && item.is_regular_file(error))
            return candidate;
    }
    return {};
}

std::optional<ByteArray> TsSkinImageSource::FindInFolder(const std::string& name) const {
    ByteArray bytes;
    if (!name.empty() && name.front() == '/') { // an absolute path is taken as it is
        if (std::filesystem::is_regular_file(name) && ReadSkinFile(name, bytes, kSkinFileLimit))
            return bytes;
        return std::nullopt;
    }
    if (Folder.empty())
        return std::nullopt;
    const std::string file = FindFileIgnoringCase(Folder, name);
    if (file.empty() || !ReadSkinFile(Folder + file, bytes, kSkinFileLimit))
        return std::nullopt;
    return bytes;
}

std::optional<ByteArray> TsSkinImageSource::Find(const std::string& name) const {
    if (Package != nullptr) {
        if (const TvlImageItem* item = Package->FindImage(name))
            return item->Data;
        return std::nullopt;
    }
    return FindInFolder(name);
}

} // namespace skin

// Where a loading skin's pictures come from: the package converter of a packed skin, or the
// skin folder of a folder skin. Names in the options text are upper case; a package is searched
// by upper-cased entry name, a folder first by the exact name and then ignoring letter case
// (skin folders are often made on case-insensitive file systems).
#pragma once

#include "skin/data/vlSkinPack.h"

#include <optional>
#include <string>

namespace skin {

struct TsSkinImageSource {
    const TvlSkinConvertor* Package = nullptr; // a packed skin
    std::string Folder; // a folder skin, with trailing "/"

    // The picture file's bytes, or nothing when it is not found.
    std::optional<ByteArray> Find(const std::string& name) const;
    // Only the folder (common sections take bitmap files from the skin folder only).
    std::optional<ByteArray> FindInFolder(const std::string& name) const;
};

// The file name inside folder that equals name, exactly or else ignoring letter case; empty when
// there is none.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

} // namespace skin

// The "VLzf" skin package: a reader that unpacks it into the options text and named pictures,
// and a writer that packs a skin folder. Every entry is one complete zlib stream.
#pragma once

#include "framework/base/SysUtils.h"
#include "skin/pixels/SkinLimits.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace skin {

using ByteArray = std::vector<std::uint8_t>;

// One picture entry of a package.
struct TvlImageItem {
    std::string Name; // exactly as stored
    bool IsBitmap = false; // the extension is ".BMP" in any letter case
    ByteArray Data; // the inflated picture file
};
using TvlImageItems = std::vector<TvlImageItem>;

// A package that cannot be read; the message is the reader's own.
class EPackageError : public framework::Exception {
public:
    using framework::Exception::Exception;
};

class TvlSkinConvertor {
public:
    // No entry may inflate beyond this, nor all entries together beyond kMaxTotalBytes.
    static constexpr std::uint32_t kMaxEntryBytes = std::uint32_t(kSkinFileLimit.Value);
    static constexpr std::uint64_t kMaxTotalBytes = kPackageTotalLimit.Value;

    TvlSkinConvertor() = default;

    // Reads the whole package in SourceStream. Fails with "Loaded data is not a packed Vellum file",
    // "Stream read error" (truncated headers or data), zlib's own message, or a message that names
    // the package (SourceName) and the size limit it breaks.
    void ReadPackage();
    void Clear();

    // First image whose upper-cased name equals upperName (which is not upper-cased here).
    const TvlImageItem* FindImage(const std::string& upperName) const;

    int ImageCount = -1; // N - 1
    TvlImageItems Images;
    std::unique_ptr<ByteArray> OptionsStream; // null when the package had no options entry
    std::string OptionsName; // the options entry's name as stored
    ByteArray SourceStream;
    std::size_t SourcePosition = 0; // where the reader stopped
    std::string SourceName; // the file or internal skin, for messages; may be empty
};

// Reads bytes into a new converter; failures clear the converter and throw.
std::unique_ptr<TvlSkinConvertor> ReadPackageBytes(std::span<const std::uint8_t> bytes,
                                                   const std::string& sourceName = {});

// When no file exists at path nothing happens. Otherwise the converter is emptied (or created),
// filled from the file and read; with freeSource the source bytes are dropped afterwards.
// On a wrong magic the converter is freed and the reference emptied before the failure.
enum class SourceAfterRead { Keep, Free };
void LoadPackageFile(const std::string& path, std::unique_ptr<TvlSkinConvertor>& convertor,
                     SourceAfterRead after = SourceAfterRead::Free);

// One entry of a package to be written.
struct PackageEntry {
    std::string Name;
    ByteArray Data;
};

// Orders the entries as packages are written: "Options.dat" first, then ".bmp" pictures, then the
// other pictures, each group in byte order of the names.
void SortPackageEntries(std::vector<PackageEntry>& entries);
// Writes the entries in the given order, each as one zlib stream (header 0x78 0x9C).
ByteArray WritePackage(const std::vector<PackageEntry>& entries);
// Packs a skin folder: its "Options.dat" (any letter case) and its .bmp, .png, .jpg and .jpeg files.
// Fails when the folder has no options file.
ByteArray PackFolder(const std::string& folder);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text); // ASCII letters only, as the options names are
bool ReadFileBytes(const std::string& path, ByteArray& bytes); // false when it cannot be read
// ReadFileBytes for the files of a skin: a file larger than limit is not read but refused with a
// message that names it and the limit.
bool ReadSkinFile(const std::string& path, ByteArray& bytes, const SkinLimit& limit);

} // namespace skin

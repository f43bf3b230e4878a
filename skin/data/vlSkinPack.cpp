// Reading and writing of "VLzf" packages. The reader never trusts a size from the file: names
// and data are bounded by what is left of the package, inflated entries by kMaxEntryBytes and
// all of them together by kMaxTotalBytes (a few hundred KB of zlib can inflate to gigabytes).
#include "skin/data/vlSkinPack.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace skin {
namespace {

constexpr char kMagic[4] = {'V', 'L', 'z', 'f'};
constexpr const char* kNotPackage = "Loaded data is not a packed Vellum file";
constexpr const char* kStreamReadError = "Stream read error";
constexpr const char* kOptionsName = "Options.dat";
constexpr std::size_t kInflateBlock = 65536;

std::string PackageLabel(const std::string& sourceName) {
    return sourceName.empty() ? std::string("Skin package") : "Skin package \"" + sourceName + "\"";
}

class PackageReader {
public:
    PackageReader(std::span<const std::uint8_t> bytes, const std::string& sourceName)
        : bytes_(bytes), sourceName_(sourceName) {}

    std::uint32_t ReadUInt32() {
        Need(4);
        std::uint32_t value = std::uint32_t(bytes_[pos_]) | std::uint32_t(bytes_[pos_ + 1]) << 8 |
                              std::uint32_t(bytes_[pos_ + 2]) << 16 | std::uint32_t(bytes_[pos_ + 3]) << 24;
        pos_ += 4;
        return value;
    }
    std::string ReadText(std::uint32_t length) {
        Need(length);
        std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), length);
        pos_ += length;
        return text;
    }
    // Inflates the zlib stream at the current position; keeps the first wanted bytes and leaves the
    // position on the first byte after the stream.
    ByteArray InflateEntry(std::uint32_t wanted, const std::string& name) {
        if (wanted > TvlSkinConvertor::kMaxEntryBytes)
            throw EPackageError("Skin package entry \"" + name + "\" is too large (" + std::to_string(wanted) +
                                " bytes): " + LimitText(kSkinFileLimit));
        z_stream stream{};
        if (inflateInit(&stream) != Z_OK)
            throw EPackageError(zError(Z_MEM_ERROR));
        struct End {
            z_stream* s;
            ~End() { inflateEnd(s); }
        } end{&stream};

        ByteArray kept;
        std::vector<std::uint8_t> block(kInflateBlock);
        const std::size_t start = pos_;
        std::size_t fed = 0;
        for (;;) {
            if (stream.avail_in == 0) {
                const std::size_t left = bytes_.size() - (start + fed);
                if (left == 0)
                    throw EPackageError(kStreamReadError); // the stream never ended
                const std::size_t chunk = std::min(left, kInflateBlock);
                stream.next_in = const_cast<Bytef*>(bytes_.data() + start + fed);
                stream.avail_in = static_cast<uInt>(chunk);
                fed += chunk;
            }
            stream.next_out = block.data();
            stream.avail_out = static_cast<uInt>(block.size());
            const int status = inflate(&stream, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
                throw EPackageError(zError(status));
            const std::size_t produced = block.size() - stream.avail_out;
            const std::size_t room = wanted - kept.size();
            kept.insert(kept.end(), block.begin(), block.begin() + std::min(produced, room));
            if (status == Z_STREAM_END)
                break;
            // The stream is inflated to its end to find the next entry; a stream that would
            // inflate beyond any entry the engine can use is refused instead.
            if (stream.total_out > TvlSkinConvertor::kMaxEntryBytes)
                throw EPackageError("Skin package entry \"" + name + "\" is too large: " +
                                    LimitText(kSkinFileLimit));
            if (inflated_ + stream.total_out > TvlSkinConvertor::kMaxTotalBytes)
                throw EPackageError(PackageLabel(sourceName_) + " inflates to more than " +
                                    LimitText(kPackageTotalLimit) + " allows (at entry \"" + name + "\")");
            if (status == Z_BUF_ERROR && stream.avail_in != 0)
                throw EPackageError(zError(status));
        }
        if (inflated_ + stream.total_out > TvlSkinConvertor::kMaxTotalBytes)
            throw EPackageError(PackageLabel(sourceName_) + " inflates to more than " +
                                LimitText(kPackageTotalLimit) + " allows (at entry \"" + name + "\")");
        inflated_ += stream.total_out;
        if (kept.size() < wanted)
            throw EPackageError(kStreamReadError);
        // Whatever was read ahead beyond the end of the stream is given back.
        pos_ = start + stream.total_in;
        return kept;
    }
    std::size_t Position() const { return pos_; }

private:
    void Need(std::size_t count) const {
        if (count > bytes_.size() - pos_)
            throw EPackageError(kStreamReadError);
    }

    std::span<const std::uint8_t> bytes_;
    const std::string& sourceName_;
    std::size_t pos_ = 0;
    std::uint64_t inflated_ = 0; // by the entries before this one
};

bool HasBitmapExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot != std::string::npos && UpperCase(name.substr(dot)) == ".BMP";
}

void AppendUInt32(ByteArray& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

enum class EntryGroup { Options, Bitmap, OtherPicture };

EntryGroup GroupOf(const std::string& name) {
    if (EqualsIgnoringCase(name, kOptionsName))
        return EntryGroup::Options;
    return HasBitmapExtension(name) ? EntryGroup::Bitmap : EntryGroup::OtherPicture;
}

bool IsPackedPicture(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string extension = UpperCase(name.substr(dot));
    return extension == ".BMP" || extension == ".PNG" || extension == ".JPG" || extension == ".JPEG";
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool ReadFileBytes(const std::string& path, ByteArray& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool ReadSkinFile(const std::string& path, ByteArray& bytes, const SkinLimit& limit) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > limit.Value)
        throw EPackageError("Skin file \"" + path + "\" (" + std::to_string(size) + " bytes) is larger than " +
                            LimitText(limit) + " allows");
    return ReadFileBytes(path, bytes);
}

void TvlSkinConvertor::ReadPackage() {
    PackageReader reader(SourceStream, SourceName);
    if (SourceStream.size() < sizeof(kMagic) || std::memcmp(SourceStream.data(), kMagic, sizeof(kMagic)) != 0)
        throw EPackageError(kNotPackage);
    reader.ReadText(sizeof(kMagic));
    const std::uint32_t count = reader.ReadUInt32();
    ImageCount = static_cast<int>(count - 1);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t nameLength = reader.ReadUInt32();
        std::string name = reader.ReadText(nameLength);
        const std::uint32_t size = reader.ReadUInt32();
        if (EqualsIgnoringCase(name, kOptionsName) && size > kOptionsTextLimit.Value)
            throw EPackageError("Skin options \"" + name + "\" of " + std::to_string(size) +
                                " bytes are larger than " + LimitText(kOptionsTextLimit) + " allows");
        ByteArray data = reader.InflateEntry(size, name);
        if (EqualsIgnoringCase(name, kOptionsName)) {
            OptionsStream = std::make_unique<ByteArray>(std::move(data));
            OptionsName = name;
        } else {
            const bool isBitmap = HasBitmapExtension(name);
            Images.push_back(TvlImageItem{std::move(name), isBitmap, std::move(data)});
        }
    }
    SourcePosition = reader.Position();
}

void TvlSkinConvertor::Clear() {
    while (!Images.empty())
        Images.pop_back();
    OptionsStream.reset();
    OptionsName.clear();
    SourceName.clear();
    SourceStream.clear();
    SourcePosition = 0;
    ImageCount = -1;
}

const TvlImageItem* TvlSkinConvertor::FindImage(const std::string& upperName) const {
    for (const TvlImageItem& item : Images)
        if (UpperCase(item.Name) == upperName)
            return &item;
    return nullptr;
}

std::unique_ptr<TvlSkinConvertor> ReadPackageBytes(std::span<const std::uint8_t> bytes,
                                                   const std::string& sourceName) {
    auto convertor = std::make_unique<TvlSkinConvertor>();
    convertor->SourceName = sourceName;
    convertor->SourceStream.assign(bytes.begin(), bytes.end());
    convertor->ReadPackage();
    return convertor;
}

void LoadPackageFile(const std::string& path, std::unique_ptr<TvlSkinConvertor>& convertor, SourceAfterRead after) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    if (convertor)
        convertor->Clear();
    else
        convertor = std::make_unique<TvlSkinConvertor>();
    convertor->SourceName = path;
    // Compressed, a package is never larger than what it may inflate to.
    if (!ReadSkinFile(path, convertor->SourceStream, kPackageTotalLimit))
        throw EPackageError(kStreamReadError);
    try {
        convertor->ReadPackage();
    } catch (const EPackageError& failure) {
        if (std::string_view(failure.what()) == kNotPackage) {
            convertor->Clear();
            convertor.reset();
        }
        throw;
    }
    if (after == SourceAfterRead::Free) {
        convertor->SourceStream.clear();
        convertor->SourceStream.shrink_to_fit();
    }
}

void SortPackageEntries(std::vector<PackageEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const PackageEntry& a, const PackageEntry& b) {
        const EntryGroup ga = GroupOf(a.Name), gb = GroupOf(b.Name);
        if (ga != gb)
            return ga < gb;
        return a.Name < b.Name;
    });
}

ByteArray WritePackage(const std::vector<PackageEntry>& entries) {
    ByteArray out(kMagic, kMagic + sizeof(kMagic));
    AppendUInt32(out, static_cast<std::uint32_t>(entries.size()));
    for (const PackageEntry& entry : entries) {
        AppendUInt32(out, static_cast<std::uint32_t>(entry.Name.size()));
        out.insert(out.end(), entry.Name.begin(), entry.Name.end());
        AppendUInt32(out, static_cast<std::uint32_t>(entry.Data.size()));
        uLongf packedSize = compressBound(static_cast<uLong>(entry.Data.size()));
        ByteArray packed(packedSize);
        const int status = compress2(packed.data(), &packedSize, entry.Data.data(),
                                     static_cast<uLong>(entry.Data.size()), Z_DEFAULT_COMPRESSION);
        if (status != Z_OK)
            throw EPackageError(zError(status));
        out.insert(out.end(), packed.begin(), packed.begin() + packedSize);
    }
    return out;
}

ByteArray PackFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw EPackageError("Skin folder \"" + folder + "\" does not exist");
    std::vector<PackageEntry> entries;
    std::uint64_t total = 0;
    bool hasOptions = false;
    for (const fs::directory_entry& item : fs::directory_iterator(folder, error)) {
        if (!item.is_regular_file(error))
            continue;
        const std::string name = item.path().filename().string();
        const bool isOptions = EqualsIgnoringCase(name, kOptionsName);
        if (!isOptions && !IsPackedPicture(name))
            continue;
        PackageEntry entry{name, {}};
        if (!ReadSkinFile(item.path().string(), entry.Data, isOptions ? kOptionsTextLimit : kSkinFileLimit))
            throw EPackageError("Cannot read \"" + item.path().string() + "\"");
        total += entry.Data.size();
        if (total > kPackageTotalLimit.Value)
            throw EPackageError("Skin folder \"" + folder + "\" holds more than " + LimitText(kPackageTotalLimit) +
                                " allows");
        hasOptions = hasOptions || isOptions;
        entries.push_back(std::move(entry));
    }
    if (!hasOptions)
        throw EPackageError("Skin folder \"" + folder + "\" has no Options.dat");
    SortPackageEntries(entries);
    return WritePackage(entries);
}

} // namespace skin

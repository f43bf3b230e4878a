// Choosing the reader of a skin picture by its first bytes, and reading picture files.
#include "skin/pixels/codecs/SkinPictures.h"

#include <fstream>

#include "skin/pixels/codecs/PictureFailure.h"

namespace skin {
namespace {

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

} // namespace

PictureFormat DetectPictureFormat(std::span<const std::uint8_t> bytes) {
    constexpr std::uint8_t kJpegStart[] = {0xFF, 0xD8, 0xFF};
    constexpr std::uint8_t kDibStart[] = {'B', 'M'};
    if (StartsWith(bytes, kPngSignature))
        return PictureFormat::Png;
    if (StartsWith(bytes, kJpegStart))
        return PictureFormat::Jpeg;
    if (StartsWith(bytes, kDibStart))
        return PictureFormat::Dib;
    return PictureFormat::Unknown;
}

Bitmap32 ReadPicture(std::span<const std::uint8_t> bytes, std::string_view name) {
    switch (DetectPictureFormat(bytes)) {
    case PictureFormat::Png: return ReadPng(bytes, name);
    case PictureFormat::Jpeg: return ReadJpeg(bytes, name);
    case PictureFormat::Dib: return ReadDib(bytes, name);
    case PictureFormat::Unknown: break;
    }
    FailPicture(name, bytes.empty() ? "the picture is empty" : "not a PNG, JPEG or bitmap file");
}

Bitmap32 ReadPictureFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        FailPicture(path, "the file cannot be opened");
    const std::streamoff size = file.tellg();
    // Compressed pictures are smaller than their pixels, so this bounds every real file.
    constexpr std::streamoff kMaxFileSize = std::streamoff(Bitmap32::kMaxBytes) + (std::streamoff(1) << 20);
    if (size < 0 || size > kMaxFileSize)
        FailPicture(path, "the file is too large for a picture");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        FailPicture(path, "the file cannot be read");
    return ReadPicture(bytes, path);
}

} // namespace skin

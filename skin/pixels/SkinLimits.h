// The ceilings on what a skin file or a picture may ask of us, in one table. Skins are files
// that people download and pass around, so every number they carry is checked against one of
// these before it sizes an allocation or a loop, and a refusal names the limit it broke.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skin {

struct SkinLimit {
    std::string_view Name; // as the refusal names it
    std::uint64_t Value;
    std::string_view Unit; // "bytes" or "pixels"
};

// Every entry of a package inflated together. Skins of this kind are a few MB.
inline constexpr SkinLimit kPackageTotalLimit{"package total", std::uint64_t{64} << 20, "bytes"};
// One file of a skin: a package entry once inflated (its header size is checked before anything
// is inflated), or a file of a skin folder.
inline constexpr SkinLimit kSkinFileLimit{"skin file", std::uint64_t{32} << 20, "bytes"};
// One options text, whether packed or loose in a skin folder.
inline constexpr SkinLimit kOptionsTextLimit{"options text", std::uint64_t{4} << 20, "bytes"};
// The pixels of one decoded picture, 4 bytes each (256 MiB).
inline constexpr SkinLimit kPicturePixelLimit{"picture pixels", std::uint64_t{64} << 20, "pixels"};
// A mask's area once cut to its picture: a stretched slice of it becomes a temporary bitmap on
// every paint, so it is held well below a whole picture.
inline constexpr SkinLimit kMaskAreaLimit{"mask area", std::uint64_t{16} << 20, "pixels"};
// The working memory libjpeg may take for one picture (a progressive picture keeps all its
// coefficients). A picture of the pixel limit needs far less in baseline coding.
inline constexpr SkinLimit kJpegMemoryLimit{"JPEG working memory", std::uint64_t{96} << 20, "bytes"};

inline constexpr SkinLimit kAllSkinLimits[] = {kPackageTotalLimit, kSkinFileLimit, kOptionsTextLimit,
                                               kPicturePixelLimit, kMaskAreaLimit,    kJpegMemoryLimit};

// "the package total limit (64 MiB)": the words every refusal ends with.
std::string LimitText(const SkinLimit& limit);

} // namespace skin

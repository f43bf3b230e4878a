// Reading and writing skin pictures: PNG (libpng), JPEG (libjpeg-turbo) and device-independent
// bitmap files (our own reader), always as 32-bit bitmaps.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/SysUtils.h"
#include "skin/pixels/Bitmap32.h"

namespace skin {

// A picture that cannot be read or written; the message names the entry or file.
class EPictureError : public framework::Exception {
public:
    using framework::Exception::Exception;
};

enum class PictureFormat { Unknown, Png, Jpeg, Dib };
PictureFormat DetectPictureFormat(std::span<const std::uint8_t> bytes);

// Dispatches by signature; name (the package entry or file) is used in failure messages.
Bitmap32 ReadPicture(std::span<const std::uint8_t> bytes, std::string_view name);
// Reads a file and decodes it as ReadPicture does; failures name the path.
Bitmap32 ReadPictureFile(const std::string& path);

// Straight (not premultiplied) alpha, every colour type, depth and interlace of PNG.
Bitmap32 ReadPng(std::span<const std::uint8_t> bytes, std::string_view name);
// Alpha 255 everywhere.
Bitmap32 ReadJpeg(std::span<const std::uint8_t> bytes, std::string_view name);
// 1, 4, 8, 16, 24 and 32 bits, BI_RGB and BI_BITFIELDS, bottom-up and top-down.
// Alpha: a 32-bit file keeps its alpha as stored (the fourth byte of BI_RGB, or the alpha bit
// field); every other file (fewer bits, or bit fields without alpha) gets alpha 255, except
// pixels of colour 0xFF00FF, which become exactly the key pixel 0x00FF00FF. That is the
// result of the engine's conversion of a non-32-bit picture to 32 bits.
Bitmap32 ReadDib(std::span<const std::uint8_t> bytes, std::string_view name);

// 8-bit RGBA, the bytes as they are (straight alpha). Fails for an empty bitmap.
std::vector<std::uint8_t> WritePng(const Bitmap32& bitmap);
// Bottom-up BI_RGB file of 24 bits (alpha dropped) or 32 bits (bytes as they are).
std::vector<std::uint8_t> WriteDib(const Bitmap32& bitmap, int bitsPerPixel);

} // namespace skin

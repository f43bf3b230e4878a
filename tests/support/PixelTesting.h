// Helpers the pixel and painter tests share: bitmaps whose every pixel the test knows, and
// readable pixel and colour values in failure messages.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>

#include "framework/base/Colors.h"
#include "skin/pixels/Bitmap32.h"

namespace framework {
// GoogleTest prints colour values in hexadecimal.
inline void PrintTo(TColor colour, std::ostream* out) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", ColorBits(colour));
    *out << text;
}
} // namespace framework

namespace skin::test {

// What a test writes into a bitmap before painting, to see what the painter left alone.
inline constexpr Pixel kUntouched = 0x01010101;

inline std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}
inline std::string Hex(framework::TColor colour) { return Hex(framework::ColorBits(colour)); }

// A width x height bitmap filled row by row from the list (the rest stays 0).
inline Bitmap32 MakeBitmap(int width, int height, std::initializer_list<Pixel> pixels = {}) {
    Bitmap32 bitmap(width, height);
    int i = 0;
    for (Pixel p : pixels) {
        bitmap.At(i % width, i / width) = p;
        ++i;
    }
    return bitmap;
}

inline Bitmap32 Filled(int width, int height, Pixel value) {
    Bitmap32 bitmap(width, height);
    bitmap.Fill(value);
    return bitmap;
}

// A deterministic pseudo-random bitmap (xorshift), for comparing two paths of one operation.
inline Bitmap32 NoiseBitmap(int width, int height, std::uint32_t seed) {
    Bitmap32 bitmap(width, height);
    std::uint32_t state = seed ? seed : 1;
    for (int y = 0; y < height; ++y)
        for (Pixel& p : bitmap.Row(y)) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            p = state;
        }
    return bitmap;
}

// A pixel that names its own position: alpha 255, red = tag, green = x, blue = y.
inline Pixel PositionPixel(int x, int y, int tag = 0x40) {
    return 0xFF000000u | Pixel(tag & 0xFF) << 16 | Pixel(x & 0xFF) << 8 | Pixel(y & 0xFF);
}

inline Bitmap32 PositionPicture(int width, int height, int tag = 0x40) {
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.At(x, y) = PositionPixel(x, y, tag);
    return picture;
}

} // namespace skin::test

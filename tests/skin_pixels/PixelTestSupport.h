// Small helpers of the pixel tests: bitmaps from pixel lists and readable pixel values.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

#include "skin/pixels/Bitmap32.h"

namespace skin::test {

inline std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

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

inline Bitmap32 FilledBitmap(int width, int height, Pixel value) {
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

} // namespace skin::test

// Small pictures and masks whose every pixel the tests know, and a readable pixel printer.
#pragma once

#include <memory>
#include <string>

#include "skin/data/sSkinOptions.h"
#include "skin/pixels/Bitmap32.h"

namespace skin::test {

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

inline Bitmap32 Filled(int width, int height, Pixel value) {
    Bitmap32 bitmap(width, height);
    bitmap.Fill(value);
    return bitmap;
}

// A border mask over the whole of picture: cells side by side, the given borders.
inline TsMaskData BorderMaskOver(const Bitmap32& picture, int cells, int layout, int left, int top, int right,
                                 int bottom, int fillFlags = 0, int cornerKind = 0) {
    TsMaskData mask;
    mask.Area = {0, 0, picture.Width(), picture.Height()};
    mask.CellCount = std::int16_t(cells);
    mask.MaskLayout = std::int16_t(layout);
    mask.BorderLeft = std::int16_t(left);
    mask.BorderTop = std::int16_t(top);
    mask.BorderRight = std::int16_t(right);
    mask.BorderBottom = std::int16_t(bottom);
    mask.FillFlags = std::int16_t(fillFlags);
    mask.CornerKind = std::int16_t(cornerKind);
    return mask;
}

inline std::string Hex(Pixel pixel) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", pixel);
    return text;
}

// Per channel (d * m + i * (256 - m)) >> 8, written out here from the merge formula.
inline Pixel ExpectedSkinMerge(Pixel d, Pixel i, Pixel m, int alpha) {
    auto ch = [&](int shift) {
        int dc = int(d >> shift & 0xFF), ic = int(i >> shift & 0xFF), mc = int(m >> shift & 0xFF);
        return Pixel((dc * mc + ic * (256 - mc)) >> 8) << shift;
    };
    return ch(0) | ch(8) | ch(16) | Pixel(alpha) << 24;
}

} // namespace skin::test

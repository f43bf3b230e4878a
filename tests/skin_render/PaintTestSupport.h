// Masks over the pictures of tests/support/PixelTesting.h, and the merge formula written out.
#pragma once

#include <memory>
#include <string>

#include "skin/data/sSkinOptions.h"
#include "tests/support/PixelTesting.h"

namespace skin::test {

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

// Per channel (d * m + i * (256 - m)) >> 8, written out here from the merge formula.
inline Pixel ExpectedSkinMerge(Pixel d, Pixel i, Pixel m, int alpha) {
    auto ch = [&](int shift) {
        int dc = int(d >> shift & 0xFF), ic = int(i >> shift & 0xFF), mc = int(m >> shift & 0xFF);
        return Pixel((dc * mc + ic * (256 - mc)) >> 8) << shift;
    };
    return ch(0) | ch(8) | ch(16) | Pixel(alpha) << 24;
}

} // namespace skin::test

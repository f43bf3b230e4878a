// One row of the skin merge through a mask picture, per channel d := (d * m + i * (256 - m)) >> 8,
// with what key pixels of the image get decided once per row. The nine-slice painters spend
// most of their time here, so MergeSkinRow takes eight pixels at a time where the processor
// can; MergeSkinRowPlain is the reference it is tested against.
#pragma once

#include <cstddef>

#include "skin/pixels/Bitmap32.h"

namespace skin {

struct SkinRowRule {
    enum class Key { LeftAlone, Set, Merged };
    Key KeyPixels = Key::LeftAlone;
    Pixel KeyResult = 0;      // what a key pixel becomes with Key::Set
    bool OpaqueAlpha = false; // merged pixels get alpha 255, else they keep the destination's
};

void MergeSkinRow(Pixel* dst, const Pixel* image, const Pixel* mask, std::size_t count, const SkinRowRule& rule);
void MergeSkinRowPlain(Pixel* dst, const Pixel* image, const Pixel* mask, std::size_t count, const SkinRowRule& rule);

} // namespace skin

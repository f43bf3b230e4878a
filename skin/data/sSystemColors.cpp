// System colours in skin values.
#include "skin/data/sSystemColors.h"

namespace skin {

TColor ResolveSkinColor(TColor colour) {
    if (ColorBits(colour) & 0x80000000u)
        return framework::GetSysColor(int(ColorBits(colour) & 0xFF));
    return colour;
}

} // namespace skin

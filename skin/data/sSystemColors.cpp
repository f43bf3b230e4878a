// System colours in skin values: a value with the sign bit set names an entry of the
// framework's system colour table by its low byte.
#include "skin/data/sSystemColors.h"

namespace skin {

TColor ResolveSkinColor(TColor colour) {
    if (colour & 0x80000000u)
        return framework::SystemColorValue(int(colour & 0xFF));
    return colour;
}

} // namespace skin

// The built-in shadow pictures of extended borders, drawn by a deterministic formula: the alpha
// falls off quadratically with the distance from the window's edge, which lies on the inner
// border of the 9-pixel margin.
#include "skin/data/sSkinAdjust.h"

#include "skin/render/ColorOps.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

constexpr int kActiveStrongestAlpha = 96;
constexpr int kInactiveStrongestAlpha = 48;

// Distance of a pixel centre from the inner rectangle [margin, size - margin).
double DistanceFromInside(int x, int y) {
    constexpr double inner0 = kShadowMargin, inner1 = kShadowPictureSize - kShadowMargin;
    const double cx = x + 0.5, cy = y + 0.5;
    const double dx = cx < inner0 ? inner0 - cx : (cx > inner1 ? cx - inner1 : 0);
    const double dy = cy < inner0 ? inner0 - cy : (cy > inner1 ? cy - inner1 : 0);
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

Bitmap32 MakeDefaultShadowPicture(ShadowLook look) {
    const int strongest = look == ShadowLook::Active ? kActiveStrongestAlpha : kInactiveStrongestAlpha;
    Bitmap32 picture(kShadowPictureSize, kShadowPictureSize);
    for (int y = 0; y < kShadowPictureSize; ++y) {
        auto row = picture.Row(y);
        for (int x = 0; x < kShadowPictureSize; ++x) {
            const double reach = std::max(0.0, 1.0 - DistanceFromInside(x, y) / kShadowMargin);
            const int alpha = RoundEvenInt(strongest * reach * reach);
            row[x] = MakeValue(0, 0, 0, alpha);
        }
    }
    return picture;
}

} // namespace skin

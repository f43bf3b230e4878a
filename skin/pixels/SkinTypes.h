// The small value types that every painter passes around: colour values, points, rectangles,
// the transparent key and the backdrop (what lies under a painted area).
#pragma once

#include <cstdint>

#include "framework/base/Colors.h"
#include "skin/pixels/Bitmap32.h"

namespace skin {

// The framework's colour values (0x00BBGGRR); a Pixel is 0xAARRGGBB.
using framework::BlueOf;
using framework::clNone;
using framework::ColorBits;
using framework::GreenOf;
using framework::RedOf;
using framework::TColor;

// Magenta reads the same in both byte orders, so as a pixel it is 0x00FF00FF.
inline constexpr TColor kTransparentKey{0xFF00FF};
inline constexpr Pixel kKeyPixel = 0x00FF00FF;
// Passed where a key is expected: every pixel is treated.
inline constexpr Pixel kNoKey = 0x1FFFFFFF;

inline constexpr std::uint8_t kOpaqueAlpha = 255;

// Left, Top, Right, Bottom; Right and Bottom are exclusive unless an operation says otherwise.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const TRect&) const = default;
};

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

enum class Clamp { No, Yes };

// Edges come from skin files and may be anywhere in the 32-bit range, so sums and differences
// of edges are taken in 64 bits and saturated to 32: a rect that spans more than INT32_MAX
// reads as INT32_MAX wide instead of overflowing. Every rectangle helper goes through these.
inline constexpr std::int32_t Saturated(std::int64_t value) {
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : std::int32_t(value);
}
inline constexpr std::int32_t EdgePlus(std::int32_t edge, std::int64_t length) {
    return Saturated(std::int64_t{edge} + length);
}

inline constexpr std::int32_t WidthOf(const TRect& rect, Clamp clamp = Clamp::No) {
    std::int32_t width = Saturated(std::int64_t{rect.Right} - rect.Left);
    return clamp == Clamp::Yes && width < 0 ? 0 : width;
}
inline constexpr std::int32_t HeightOf(const TRect& rect, Clamp clamp = Clamp::No) {
    std::int32_t height = Saturated(std::int64_t{rect.Bottom} - rect.Top);
    return clamp == Clamp::Yes && height < 0 ? 0 : height;
}
// Pixels covered, 0 for an empty rect; exact for any edges up to INT64_MAX.
inline constexpr std::int64_t AreaOf(const TRect& rect) {
    const std::int64_t width = std::int64_t{rect.Right} - rect.Left;
    const std::int64_t height = std::int64_t{rect.Bottom} - rect.Top;
    if (width <= 0 || height <= 0)
        return 0;
    const std::uint64_t area = std::uint64_t(width) * std::uint64_t(height); // both below 2^32
    return area > std::uint64_t(INT64_MAX) ? INT64_MAX : std::int64_t(area);
}
inline TRect RectOf(const Bitmap32& bitmap) { return {0, 0, bitmap.Width(), bitmap.Height()}; }

// What lies under a painted area. The default value is the empty backdrop.
struct TsBackdrop {
    const Bitmap32* Bitmap = nullptr; // the parent's image, not owned
    std::int32_t OffsetX = 0;         // where the painted bitmap's origin lies in Bitmap
    std::int32_t OffsetY = 0;
    TColor FillColor = kTransparentKey; // kTransparentKey means none
    TRect Margins;                      // border strips of the parent that Bitmap holds
    bool HasBitmap = false;             // Bitmap holds the parent's whole image

    bool UsableBitmap() const { return HasBitmap && Bitmap != nullptr && !Bitmap->Empty(); }
};

// What the keyed copies and compositions do at key pixels when the backdrop has a bitmap.
enum class UseBackdrop { No, Yes };

} // namespace skin

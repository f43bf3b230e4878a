// Colour arithmetic on single values: byte-order swap, linear mixing, hue and saturation shifts.
#pragma once

#include <cmath>

#include "skin/pixels/SkinTypes.h"

namespace skin {

// Nearest integer, halves to even (the processor's default rounding mode). Adding 1.5 * 2^52
// leaves no bits for a fraction, so the addition itself rounds; this is std::nearbyint
// without the library call, for every value of magnitude below 2^51.
inline double RoundEven(double value) {
    constexpr double kNoFractionBits = 6755399441055744.0;
    constexpr double kAlreadyWhole = 2251799813685248.0; // 2^51
    if (!(std::fabs(value) < kAlreadyWhole))
        return value;
    return (value + kNoFractionBits) - kNoFractionBits;
}
inline int RoundEvenInt(double value) { return static_cast<int>(RoundEven(value)); }
inline std::uint8_t ClampByte(int value) { return static_cast<std::uint8_t>(value > 255 ? 255 : value < 0 ? 0 : value); }

// Byte access of a pixel 0xAARRGGBB (and of a colour value, whose byte 0 is red).
inline int Byte0(std::uint32_t v) { return int(v & 0xFF); }
inline int Byte1(std::uint32_t v) { return int((v >> 8) & 0xFF); }
inline int Byte2(std::uint32_t v) { return int((v >> 16) & 0xFF); }
inline int Byte3(std::uint32_t v) { return int(v >> 24); }
inline std::uint32_t MakeValue(int byte0, int byte1, int byte2, int byte3) {
    return std::uint32_t(byte0) | std::uint32_t(byte1) << 8 | std::uint32_t(byte2) << 16 | std::uint32_t(byte3) << 24;
}

// Colour value <-> pixel value: bytes 0 and 2 exchanged, bytes 1 and 3 kept.
constexpr std::uint32_t SwapColourOrder(std::uint32_t value) {
    return (value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

// A colour value as a pixel and back (the high byte is carried over as the alpha byte).
constexpr Pixel PixelOfColor(TColor colour) { return SwapColourOrder(ColorBits(colour)); }
constexpr TColor ColorOfPixel(Pixel pixel) { return TColor{SwapColourOrder(pixel)}; }

// Per channel RoundEven(c1 * f + c2 * (1 - f)); byte 3 of c1 stays.
TColor LerpColor(TColor c1, TColor c2, double fraction);

// Moves each channel away from (p > 0) or toward (p < 0) the pixel's grey; alpha stays.
Pixel ShiftSaturation(int percent, Pixel pixel);
// Turns the hue of a pixel 0xAARRGGBB by the given degrees; alpha stays.
Pixel ShiftHue(int degrees, Pixel pixel);
// The same shifts on colour values 0x00BBGGRR.
TColor ShiftHueColor(int degrees, TColor colour);
TColor ShiftSaturationColor(TColor colour, int percent);

} // namespace skin

// Colour arithmetic on single values, in floating point where the mixing has fractions.
#include "skin/pixels/ColorOps.h"

#include <algorithm>

namespace skin {
namespace {

int LerpChannel(int a, int b, double fraction) { return ClampByte(RoundEvenInt(a * fraction + b * (1 - fraction))); }

// c - (gray - c) * p / 100, rounded, then limited to 255 from above and 0 from below.
int SaturateChannel(int channel, double gray, int percent) {
    int value = RoundEvenInt(channel - (gray - channel) * percent / 100);
    return std::max(std::min(value, 255), 0);
}

int StoreHsvComponent(double value) { return RoundEvenInt(std::clamp(value, 0.0, 255.0)); }

} // namespace

TColor LerpColor(TColor colour1, TColor colour2, double fraction) {
    const std::uint32_t c1 = ColorBits(colour1), c2 = ColorBits(colour2);
    return TColor{MakeValue(LerpChannel(Byte0(c1), Byte0(c2), fraction), LerpChannel(Byte1(c1), Byte1(c2), fraction),
                     LerpChannel(Byte2(c1), Byte2(c2), fraction), Byte3(c1))};
}

Pixel ShiftSaturation(int percent, Pixel pixel) {
    if (percent == 0)
        return pixel;
    int red = Byte2(pixel), green = Byte1(pixel), blue = Byte0(pixel);
    double gray = (red + green + blue) / 3.0;
    return MakeValue(SaturateChannel(blue, gray, percent), SaturateChannel(green, gray, percent),
                     SaturateChannel(red, gray, percent), Byte3(pixel));
}

Pixel ShiftHue(int degrees, Pixel pixel) {
    if (degrees == 0)
        return pixel;
    const int red = Byte2(pixel), green = Byte1(pixel), blue = Byte0(pixel);
    const int value = std::max({red, green, blue});
    const int delta = value - std::min({red, green, blue});
    if (value == 0 || delta == 0)
        return pixel; // no saturation: the red byte would be replaced by V, which it already is
    const double saturation = double(delta) / value;

    const double k = 60.0 / delta;
    double hue;
    if (red == value)
        hue = k * (green - blue);
    else if (green == value)
        hue = 120 + k * (blue - red);
    else
        hue = 240 + k * (red - green);
    if (hue < 0)
        hue += 360;

    // Brought into 0..359 so that a negative shift turns the other way round the circle
    // (a bare remainder would keep a negative sum negative and give a wrong colour).
    int shifted = RoundEvenInt(degrees + hue) % 360;
    if (shifted < 0)
        shifted += 360;
    const double h = shifted / 60.0;
    const int sector = static_cast<int>(h);
    const double frac = h - sector;
    const int p = StoreHsvComponent(value * (1 - saturation));
    const int q = StoreHsvComponent(value * (1 - frac * saturation));
    const int t = StoreHsvComponent(value * (1 - (1 - frac) * saturation));
    const int v = value;

    int r, g, b;
    switch (sector) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    return MakeValue(b, g, r, Byte3(pixel));
}

TColor ShiftHueColor(int degrees, TColor colour) {
    if (degrees == 0)
        return colour;
    return ColorOfPixel(ShiftHue(degrees, PixelOfColor(colour)));
}

// Saturation treats the three channels alike, so the colour value needs no reordering.
TColor ShiftSaturationColor(TColor colour, int percent) { return TColor{ShiftSaturation(percent, ColorBits(colour))}; }

} // namespace skin

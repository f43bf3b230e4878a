// Fills, tints, alpha, fades, premultiplication, grey and washes, row by row.
#include "skin/pixels/PixelOps.h"

#include "skin/pixels/RectClip.h"

namespace skin {
namespace {

inline bool Treated(Pixel pixel, Pixel key) { return key == kNoKey || pixel != key; }

// Calls apply(pixel) for every pixel of an exclusive rect that is already inside the bitmap.
template <class Apply>
void ForEachInRect(Bitmap32& bitmap, const TRect& clipped, Apply&& apply) {
    for (int y = clipped.Top; y < clipped.Bottom; ++y) {
        auto row = bitmap.Row(y);
        for (int x = clipped.Left; x < clipped.Right; ++x)
            apply(row[x]);
    }
}

// ch - p * (ch - c) / 100, rounded.
inline int TintChannel(int channel, int colourChannel, int percent) {
    return ClampByte(RoundEvenInt(channel - percent * double(channel - colourChannel) / 100));
}
// f * ch + (1 - f) * c, rounded.
inline int FadeChannel(int channel, int colourChannel, double fraction) {
    return ClampByte(RoundEvenInt(fraction * channel + (1 - fraction) * colourChannel));
}
// f * (ch - c) + c, rounded.
inline int FadeTowardChannel(int channel, int colourChannel, double fraction) {
    return ClampByte(RoundEvenInt(fraction * (channel - colourChannel) + colourChannel));
}
// (ch * A) >> 8.
inline int PremultiplyChannel(int channel, int alpha) { return (channel * alpha) >> 8; }
// (c * 256 + (ch - c) * D) >> 8: D / 256 of the pixel stays.
inline int WashChannel(int channel, int colourChannel, int keep) {
    return ClampByte((colourChannel * 256 + (channel - colourChannel) * keep) >> 8);
}

constexpr Pixel kPremultipliedWhiteOfNothing = 0x00FFFFFF;

} // namespace

// Skin pictures are mostly runs of equal pixels: the last result is kept for the next pixel.
template <class Shift>
void ShiftWithRunCache(Bitmap32& bitmap, Pixel key, Shift&& shift) {
    Pixel lastIn = 0, lastOut = shift(Pixel(0));
    ForEachPixel(
        bitmap,
        [&](Pixel pixel) {
            if (pixel != lastIn) {
                lastIn = pixel;
                lastOut = shift(pixel);
            }
            return lastOut;
        },
        key);
}

void ShiftHueOfBitmap(Bitmap32& bitmap, int degrees, Pixel key) {
    if (degrees == 0)
        return;
    ShiftWithRunCache(bitmap, key, [degrees](Pixel pixel) { return ShiftHue(degrees, pixel); });
}

void ShiftSaturationOfBitmap(Bitmap32& bitmap, int percent, Pixel key) {
    if (percent == 0)
        return;
    ShiftWithRunCache(bitmap, key, [percent](Pixel pixel) { return ShiftSaturation(percent, pixel); });
}

void FillPixels(Bitmap32& bitmap, const TRect& rect, TColor colour, std::uint8_t alpha) {
    const Pixel value = Pixel(alpha) << 24 | (PixelOfColor(colour) & 0xFFFFFF);
    ForEachInRect(bitmap, IntersectRects(rect, RectOf(bitmap)), [value](Pixel& pixel) { pixel = value; });
}

void TintPixels(Bitmap32& bitmap, const TRect& rect, TColor colour, std::uint8_t alpha, int percent) {
    const int red = RedOf(colour), green = GreenOf(colour), blue = BlueOf(colour);
    ForEachInRect(bitmap, IntersectRects(rect, RectOf(bitmap)), [&](Pixel& pixel) {
        pixel = MakeValue(TintChannel(Byte0(pixel), blue, percent), TintChannel(Byte1(pixel), green, percent),
                          TintChannel(Byte2(pixel), red, percent), alpha);
    });
}

void SetAlphaInRect(Bitmap32& bitmap, const TRect& rect, std::uint8_t alpha, Pixel key) {
    // The rect is the caller's to keep inside; cutting it here only keeps memory safe.
    const TRect area{rect.Left, rect.Top, rect.Left + WidthOf(rect, Clamp::Yes), rect.Top + HeightOf(rect, Clamp::Yes)};
    const Pixel alphaBits = Pixel(alpha) << 24;
    ForEachInRect(bitmap, IntersectRects(area, RectOf(bitmap)), [&](Pixel& pixel) {
        if (Treated(pixel, key))
            pixel = (pixel & 0x00FFFFFF) | alphaBits;
    });
}

void FadeToColor(Bitmap32& bitmap, const TRect& inclusiveRect, int percent, TColor colour) {
    const double fraction = percent / 100.0;
    const int red = RedOf(colour), green = GreenOf(colour), blue = BlueOf(colour);
    ForEachInRect(bitmap, IntersectRects(InclusiveToExclusive(inclusiveRect), RectOf(bitmap)), [&](Pixel& pixel) {
        pixel = MakeValue(FadeChannel(Byte0(pixel), blue, fraction), FadeChannel(Byte1(pixel), green, fraction),
                          FadeChannel(Byte2(pixel), red, fraction), Byte3(pixel));
    });
}

void FadeBitmapToColor(Bitmap32& bitmap, double fraction, TColor colour, Pixel key) {
    const int red = RedOf(colour), green = GreenOf(colour), blue = BlueOf(colour);
    ForEachInRect(bitmap, RectOf(bitmap), [&](Pixel& pixel) {
        if (Treated(pixel, key))
            pixel = MakeValue(FadeTowardChannel(Byte0(pixel), blue, fraction),
                              FadeTowardChannel(Byte1(pixel), green, fraction),
                              FadeTowardChannel(Byte2(pixel), red, fraction), Byte3(pixel));
    });
}

void Premultiply(Bitmap32& bitmap) { Premultiply(bitmap, RectOf(bitmap)); }

void Premultiply(Bitmap32& bitmap, const TRect& rect) {
    ForEachInRect(bitmap, IntersectRects(rect, RectOf(bitmap)), [](Pixel& pixel) {
        if (pixel == kPremultipliedWhiteOfNothing) {
            pixel = 0;
            return;
        }
        const int alpha = Byte3(pixel);
        pixel = MakeValue(PremultiplyChannel(Byte0(pixel), alpha), PremultiplyChannel(Byte1(pixel), alpha),
                          PremultiplyChannel(Byte2(pixel), alpha), alpha);
    });
}

void Grayscale(Bitmap32& bitmap, Pixel key) {
    ForEachInRect(bitmap, RectOf(bitmap), [key](Pixel& pixel) {
        if (!Treated(pixel, key))
            return;
        const int gray = (Byte0(pixel) + Byte1(pixel) + Byte2(pixel)) / 3;
        pixel = MakeValue(gray, gray, gray, Byte3(pixel));
    });
}

void WashRect(Bitmap32& bitmap, const TRect& rect, int percent, TColor colour) {
    const int keep = percent * 255 / 100;
    const int red = RedOf(colour), green = GreenOf(colour), blue = BlueOf(colour);
    const TRect clipped = IntersectRects(rect, RectOf(bitmap));
    for (int y = clipped.Top; y < clipped.Bottom; ++y) {
        auto row = bitmap.Row(y);
        const bool lastRow = y == rect.Bottom - 1;
        for (int x = clipped.Left; x < clipped.Right; ++x) {
            Pixel& pixel = row[x];
            if (lastRow || x == rect.Right - 1)
                pixel = MakeValue(blue, green, red, Byte3(pixel));
            else
                pixel = MakeValue(WashChannel(Byte0(pixel), blue, keep), WashChannel(Byte1(pixel), green, keep),
                                  WashChannel(Byte2(pixel), red, keep), Byte3(pixel));
        }
    }
}

} // namespace skin

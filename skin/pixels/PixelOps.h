// Per-pixel operations over a bitmap or a rectangle of it: fills, tints, alpha, fades,
// premultiplication, grey and the washed look of disabled parts.
#pragma once

#include "skin/pixels/ColorOps.h"

namespace skin {

// Replaces every pixel that differs from key (every pixel with kNoKey) by function(pixel).
template <class PixelFunction>
void ForEachPixel(Bitmap32& bitmap, PixelFunction&& function, Pixel key) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (Pixel& pixel : bitmap.Row(y)) {
            if (key == kNoKey || pixel != key)
                pixel = function(pixel);
        }
    }
}
// ForEachPixel with ShiftHue / ShiftSaturation (0 degrees / percent leave the bitmap alone).
void ShiftHueOfBitmap(Bitmap32& bitmap, int degrees, Pixel key);
void ShiftSaturationOfBitmap(Bitmap32& bitmap, int percent, Pixel key);

// pixel := alpha << 24 | SwapColourOrder(colour) & 0xFFFFFF, rect clipped to the bitmap.
void FillPixels(Bitmap32& bitmap, const TRect& rect, TColor colour, std::uint8_t alpha);
// ch := RoundEven(ch - p * (ch - c) / 100), alpha byte := alpha; rect clipped to the bitmap.
void TintPixels(Bitmap32& bitmap, const TRect& rect, TColor colour, std::uint8_t alpha, int percent);
// alpha byte := alpha for pixels that differ from key (all with kNoKey). The caller keeps the
// rect inside the bitmap; pixels outside it are skipped rather than written.
void SetAlphaInRect(Bitmap32& bitmap, const TRect& rect, std::uint8_t alpha, Pixel key);
// f = p / 100; ch := RoundEven(f * ch + (1 - f) * c). Right and Bottom are inclusive here.
void FadeToColor(Bitmap32& bitmap, const TRect& inclusiveRect, int percent, TColor colour);
// Whole bitmap, pixels that differ from key: ch := RoundEven(f * (ch - c) + c).
void FadeBitmapToColor(Bitmap32& bitmap, double fraction, TColor colour, Pixel key);
// 0x00FFFFFF becomes 0; otherwise ch := (ch * A) >> 8.
void Premultiply(Bitmap32& bitmap);
void Premultiply(Bitmap32& bitmap, const TRect& rect);
// ch := (R + G + B) div 3; key pixels left alone (kNoKey: every pixel).
void Grayscale(Bitmap32& bitmap, Pixel key = kNoKey);
// D = p * 255 div 100; inside the rect but its last column and row ch := (c * 256 + (ch - c) * D) >> 8;
// the last column and row take c; alpha unchanged.
void WashRect(Bitmap32& bitmap, const TRect& rect, int percent, TColor colour);

} // namespace skin

// Mixing two bitmaps: weighted blends (the step of every fade), keyed blends and merging
// through a mask picture.
#pragma once

#include "skin/pixels/ColorOps.h"

namespace skin {

// ch := (w * (dst - src) + src * 256) >> 8 with w the destination's weight (0-255); destination
// alpha unchanged. srcRect's Bottom row is included (after cutting it to the source's last
// row), its Right column is not; a negative destination point shifts the source rect instead.
void BlendBitmaps(Bitmap32& dst, const Bitmap32& src, int weight, TPoint dstPoint, const TRect& srcRect);
// BlendBitmaps over two whole bitmaps of equal size; nothing when the sizes differ.
void SumBitmaps(Bitmap32& dst, const Bitmap32& src, int weight);
// For source pixels that differ from key: ch := RoundEven(src - (src - dst) * f); destination
// alpha unchanged. srcRect is exclusive and clipped to both bitmaps.
void BlendKeyed(Bitmap32& dst, int x, int y, Pixel key, double fraction, const TRect& srcRect, const Bitmap32& src);
// ch := (dst * m + img * (256 - m)) >> 8 with m the same channel of the mask; alpha := 255.
// The three bitmaps share one geometry; only their common part is touched.
void MergeByMask(Bitmap32& dst, const Bitmap32& image, const Bitmap32& mask);

// The row step of BlendBitmaps. BlendRow takes eight pixels at a time where the processor has
// AVX2 and the portable form (two channels per integer operation) elsewhere; both give exactly
// the results of the plain per-channel form, which the tests hold them to.
void BlendRow(std::span<Pixel> dst, std::span<const Pixel> src, int weight);
void BlendRowPortable(std::span<Pixel> dst, std::span<const Pixel> src, int weight);
void BlendRowPlain(std::span<Pixel> dst, std::span<const Pixel> src, int weight);

} // namespace skin

// Smooth two-pass resampling and quarter turns of 32-bit bitmaps.
#pragma once

#include <vector>

#include "skin/pixels/SkinTypes.h"

namespace skin {

// The filters the painters use, by their index.
enum class ResampleFilter {
    Triangle = 1, // support 1: 1 - x
    Hermite = 2,  // support 1: x^2 (2x - 3) + 1
    Mitchell = 6, // support 2: cubic with B = C = 1/3
};

// dst := src scaled to newWidth x newHeight (all four channels filtered). Fails with
// framework::Exception "Source bitmap is too small" for a source below 2 x 2; the same size
// copies src. A size below 1 leaves dst empty.
void ResampleBitmap(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter, int newHeight);
// The straightforward per-pixel form of the same filter (same results); kept as the reference
// the tests hold the fast one to.
void ResampleBitmapReference(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter,
                             int newHeight);

// What ResampleBitmap makes of a source of one colour, found without the passes: a column's
// value depends only on the sum of its horizontal weights and a row's on the sum of its
// vertical ones, so the output has a few distinct rows. Rows[RowOf[y]] is output row y, pixel
// for pixel ResampleBitmap's result for any srcWidth x srcHeight source holding only value
// (both sides at least 2). Mask pictures are mostly of one colour over a whole slice.
struct UniformResample {
    std::vector<std::vector<Pixel>> Rows;
    std::vector<int> RowOf; // one entry per output row; empty when a size is below 1
};
UniformResample ResampleUniform(Pixel value, int srcWidth, int srcHeight, int newWidth, ResampleFilter filter,
                                int newHeight);

// Forgets the weight lists this thread keeps for the sizes it resampled to last (for measuring
// the first resample at a size).
void ClearResampleWeights();

enum class Rotation { Clockwise, CounterClockwise };
// A bitmap of swapped size holding src turned by 90 degrees: clockwise (x, y) goes to
// (height - 1 - y, x), counter-clockwise to (y, width - 1 - x).
Bitmap32 RotateBitmap(const Bitmap32& src, Rotation rotation);

} // namespace skin

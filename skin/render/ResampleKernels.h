// The inner passes of ResampleBitmap: weight lists and the kernels that apply them. The plain
// kernels are the reference; the portable and AVX2 ones must give exactly their results.
#pragma once

#include <vector>

#include "skin/render/Resample.h"

namespace skin::resample {

struct Tap {
    int index;
    int weight; // 16.16 fixed point
};

// The weight lists of one pass: taps[first[i] .. first[i + 1]) belong to output i. Every list
// has an even length (a zero weight pads an odd one), so that kernels can take taps in pairs.
struct WeightLists {
    std::vector<int> first;
    std::vector<Tap> taps;
};

enum class Kernel { Plain, Portable, Avx2 };
bool Avx2Available();

// Horizontal: every row of src into out (same height, out's width). Vertical: every column
// of src into out (same width, out's height).
void HorizontalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel);
void VerticalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel);

// ResampleBitmap with a chosen kernel (Avx2 falls back to Portable where the processor lacks it;
// on large bitmaps the Avx2 passes share their rows with one helper thread).
void ResampleWithKernel(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter, int newHeight,
                        Kernel kernel);

} // namespace skin::resample

// The inner passes of ResampleBitmap: weight lists and the kernels that apply them. The plain
// kernels are the reference; the portable and AVX2 ones must give exactly their results.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "skin/pixels/Resample.h"

namespace skin::resample {

constexpr int kFixedShift = 16;
constexpr int kChannels = 4;

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

enum class Kernel { Plain, Portable, Avx2, Avx512 };

// A band of rows: of the source in a horizontal pass, of the output in a vertical one.
struct Rows {
    int begin, end;
};

// A pass made ready for its bitmaps and weights: band(rows) computes a band of its rows, and
// bands may run at the same time on different threads. Horizontal: every row of src into out
// (same height, out's width). Vertical: every column of src into out (same width, out's height).
// The bitmaps and lists must outlive the pass.
struct PreparedPass {
    int rows = 0;
    std::size_t work = 0; // multiply-adds; 0 keeps the pass on the calling thread
    std::function<void(Rows)> band;
    // The rows of src that a band reads (a vertical pass's); empty: all of them.
    std::function<Rows(Rows)> sourceRows;
};
PreparedPass PrepareHorizontal(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel);
PreparedPass PrepareVertical(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel);

// Runs first, then second. Large passes share their bands with the helper thread; a band of the
// second pass begins when the bands of the first that wrote the rows it reads are done.
void RunPasses(const PreparedPass& first, const PreparedPass& second);

// ResampleBitmap with a chosen kernel (Avx512 falls back to Avx2, and Avx2 to Portable, where the
// processor lacks it; large bitmaps share their rows with the helper thread).
void ResampleWithKernel(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter, int newHeight,
                        Kernel kernel);

// What the kernel files share.

inline const std::uint8_t* BytesOf(const Bitmap32& bitmap, int y) {
    return reinterpret_cast<const std::uint8_t*>(bitmap.Row(y).data());
}
inline std::uint8_t* BytesOf(Bitmap32& bitmap, int y) { return reinterpret_cast<std::uint8_t*>(bitmap.Row(y).data()); }

inline std::uint8_t FixedToByte(int sum) {
    const int value = sum >> kFixedShift; // floor: a negative sum stays negative and becomes 0
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// The AVX2 passes; callers check Avx2Available() first.
PreparedPass PrepareHorizontalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists);
PreparedPass PrepareVerticalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists);
// The AVX-512 passes; callers check Avx512Available() first.
PreparedPass PrepareHorizontalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists);
PreparedPass PrepareVerticalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists);


} // namespace skin::resample

// Two-pass resampling with precomputed 16.16 weight lists, and quarter turns.
//
// Each pass maps n source positions to m output positions. Output i looks at the sources j
// around centre = i * n / m, within support / scale, where scale = m / n when shrinking
// (so the filter widens and every source pixel counts) and 1 otherwise:
//
//      source   |  j-1  |   j   |  j+1  |  j+2  |
//      weights      w0      w1      w2      w3       (16.16 fixed point, zeros dropped)
//      output           \___________i___________/
#include "skin/pixels/Resample.h"

#include <algorithm>
#include <cmath>
#include <list>
#include <vector>

#include "framework/base/SysUtils.h"
#include "skin/pixels/ResampleKernels.h"

namespace skin {
namespace {

constexpr int kMinimumSourceSide = 2;
constexpr double kFixedOne = 65536.0;
// Temporaries up to this many pixels (16 MB) are kept between calls.
constexpr std::size_t kKeptTemporaryPixels = std::size_t(1) << 22;

double FilterSupport(ResampleFilter filter) { return filter == ResampleFilter::Mitchell ? 2.0 : 1.0; }

// The filter's weight at distance x >= 0.
double FilterWeight(ResampleFilter filter, double x) {
    switch (filter) {
    case ResampleFilter::Triangle:
        return x < 1 ? 1 - x : 0;
    case ResampleFilter::Hermite:
        return x < 1 ? x * x * (2 * x - 3) + 1 : 0;
    case ResampleFilter::Mitchell:
        if (x < 1)
            return x * x * (7.0 / 6.0 * x - 2) + 8.0 / 9.0;
        if (x < 2)
            return x * x * (2 - 7.0 / 18.0 * x) - 10.0 / 3.0 * x + 16.0 / 9.0;
        return 0;
    }
    return 0;
}

// Indices outside the source are mirrored at its edges (and held inside for tiny sources).
int MirrorIndex(int j, int n) {
    if (j < 0)
        j = -j;
    if (j >= n)
        j = 2 * n - 1 - j;
    return std::clamp(j, 0, n - 1);
}

using resample::Kernel;
using resample::Tap;
using resample::WeightLists;

WeightLists BuildWeights(int n, int m, ResampleFilter filter) {
    WeightLists lists;
    lists.first.reserve(std::size_t(m) + 1);
    const double scale = m < n ? double(m) / n : 1.0;
    const double width = FilterSupport(filter) / scale;
    for (int i = 0; i < m; ++i) {
        lists.first.push_back(int(lists.taps.size()));
        const double centre = double(i) * n / m;
        const int low = int(std::floor(centre - width));
        const int high = int(std::ceil(centre + width));
        for (int j = low; j <= high; ++j) {
            const double weight = FilterWeight(filter, std::fabs(centre - j) * scale) * scale;
            const int fixed = int(std::nearbyint(weight * kFixedOne));
            if (fixed != 0)
                lists.taps.push_back({MirrorIndex(j, n), fixed});
        }
        const std::size_t length = lists.taps.size() - std::size_t(lists.first.back());
        if (length % 2 != 0)
            lists.taps.push_back({lists.taps.back().index, 0}); // pads the list to pairs
    }
    lists.first.push_back(int(lists.taps.size()));
    return lists;
}

// The weight lists of the last few passes made on this thread. A skin paints an image and its
// mask picture at the same size, and a control repaints at the sizes it had, so most lists are
// asked for again soon; building one costs as much as a small pass. The lists live until
// kKeptLists newer ones were asked for, which a call asking for two never reaches.
struct KeptWeights {
    int n, m;
    ResampleFilter filter;
    WeightLists lists;
};
std::list<KeptWeights>& KeptWeightLists() {
    thread_local std::list<KeptWeights> kept; // the most recent last; a list keeps what it holds in place
    return kept;
}

const WeightLists& Weights(int n, int m, ResampleFilter filter) {
    constexpr std::size_t kKeptLists = 4;
    std::list<KeptWeights>& kept = KeptWeightLists();
    for (auto it = kept.begin(); it != kept.end(); ++it)
        if (it->n == n && it->m == m && it->filter == filter) {
            kept.splice(kept.end(), kept, it);
            return kept.back().lists;
        }
    if (kept.size() == kKeptLists)
        kept.pop_front();
    kept.push_back({n, m, filter, BuildWeights(n, m, filter)});
    return kept.back().lists;
}

} // namespace

void resample::ResampleWithKernel(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter,
                                  int newHeight, Kernel kernel) {
    if (src.Width() < kMinimumSourceSide || src.Height() < kMinimumSourceSide)
        throw framework::Exception("Source bitmap is too small");
    if (&src == &dst)
        return ResampleWithKernel(Bitmap32(src), dst, newWidth, filter, newHeight, kernel);
    if (newWidth == src.Width() && newHeight == src.Height()) {
        dst = src;
        return;
    }
    // The passes write every pixel, so a bitmap that already has its size is used as it is:
    // neither cleared nor reallocated. The temporary stays with the thread for the next call
    // (a fresh one of megabytes costs page faults and clearing on every call).
    thread_local Bitmap32 kept;
    Bitmap32 fresh;
    Bitmap32& between = std::size_t(newWidth) * std::size_t(src.Height()) <= kKeptTemporaryPixels ? kept : fresh;
    const auto sized = [](Bitmap32& bitmap, int width, int height) {
        return (bitmap.Width() == width && bitmap.Height() == height) || bitmap.SetSize(width, height);
    };
    if (newWidth < 1 || newHeight < 1 || !sized(between, newWidth, src.Height()) ||
        !sized(dst, newWidth, newHeight)) {
        dst.SetSize(0, 0);
        return;
    }
    const WeightLists& across = Weights(src.Width(), newWidth, filter);
    const WeightLists& down = Weights(src.Height(), newHeight, filter);
    resample::RunPasses(resample::PrepareHorizontal(src, between, across, kernel),
                        resample::PrepareVertical(between, dst, down, kernel));
}

void ClearResampleWeights() { KeptWeightLists().clear(); }

void ResampleBitmap(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter, int newHeight) {
    resample::ResampleWithKernel(src, dst, newWidth, filter, newHeight, Kernel::Avx512);
}

void ResampleBitmapReference(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter,
                             int newHeight) {
    resample::ResampleWithKernel(src, dst, newWidth, filter, newHeight, Kernel::Plain);
}

UniformResample ResampleUniform(Pixel value, int srcWidth, int srcHeight, int newWidth, ResampleFilter filter,
                                int newHeight) {
    UniformResample out;
    if (srcWidth < kMinimumSourceSide || srcHeight < kMinimumSourceSide)
        throw framework::Exception("Source bitmap is too small");
    if (newWidth < 1 || newHeight < 1)
        return out;
    if (newWidth == srcWidth && newHeight == srcHeight) { // ResampleBitmap copies the source
        out.Rows.assign(1, std::vector<Pixel>(std::size_t(newWidth), value));
        out.RowOf.assign(std::size_t(newHeight), 0);
        return out;
    }
    // The plain kernels' sums, with every source byte of a channel the same: the horizontal
    // pass gives column x the byte F(b * sum of its weights), and the vertical pass gives
    // (x, y) the byte F(column byte * sum of row y's weights).
    const auto weightSum = [](const WeightLists& lists, int i) {
        int sum = 0;
        for (int t = lists.first[i]; t < lists.first[i + 1]; ++t)
            sum += lists.taps[t].weight;
        return sum;
    };
    const WeightLists& across = Weights(srcWidth, newWidth, filter);
    const WeightLists& down = Weights(srcHeight, newHeight, filter);
    std::vector<std::uint8_t> columns(std::size_t(newWidth) * resample::kChannels);
    for (int x = 0; x < newWidth; ++x) {
        const int sum = weightSum(across, x);
        for (int c = 0; c < resample::kChannels; ++c)
            columns[std::size_t(x) * resample::kChannels + c] =
                resample::FixedToByte(sum * int((value >> (8 * c)) & 0xFF));
    }
    std::vector<int> rowSums; // the distinct row sums, in the order of out.Rows
    out.RowOf.resize(std::size_t(newHeight));
    for (int y = 0; y < newHeight; ++y) {
        const int sum = weightSum(down, y);
        const auto known = std::find(rowSums.begin(), rowSums.end(), sum);
        if (known != rowSums.end()) {
            out.RowOf[std::size_t(y)] = int(known - rowSums.begin());
            continue;
        }
        std::vector<Pixel> row(static_cast<std::size_t>(newWidth));
        for (int x = 0; x < newWidth; ++x) {
            Pixel pixel = 0;
            for (int c = 0; c < resample::kChannels; ++c)
                pixel |= Pixel(resample::FixedToByte(sum * columns[std::size_t(x) * resample::kChannels + c])) << (8 * c);
            row[std::size_t(x)] = pixel;
        }
        out.RowOf[std::size_t(y)] = int(rowSums.size());
        rowSums.push_back(sum);
        out.Rows.push_back(std::move(row));
    }
    return out;
}

Bitmap32 RotateBitmap(const Bitmap32& src, Rotation rotation) {
    const int width = src.Width(), height = src.Height();
    Bitmap32 turned(height, width);
    if (turned.Empty())
        return turned;
    for (int y = 0; y < height; ++y) {
        auto row = src.Row(y);
        for (int x = 0; x < width; ++x) {
            if (rotation == Rotation::Clockwise)
                turned.At(height - 1 - y, x) = row[x];
            else
                turned.At(y, width - 1 - x) = row[x];
        }
    }
    return turned;
}

} // namespace skin

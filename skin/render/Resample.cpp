// Two-pass resampling with precomputed 16.16 weight lists, and quarter turns.
//
// Each pass maps n source positions to m output positions. Output i looks at the sources j
// around centre = i * n / m, within support / scale, where scale = m / n when shrinking
// (so the filter widens and every source pixel counts) and 1 otherwise:
//
//      source   |  j-1  |   j   |  j+1  |  j+2  |
//      weights      w0      w1      w2      w3       (16.16 fixed point, zeros dropped)
//      output           \___________i___________/
#include "skin/render/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/SysUtils.h"
#include "skin/render/ColorOps.h"

namespace skin {
namespace {

constexpr int kMinimumSourceSide = 2;
constexpr double kFixedOne = 65536.0;
constexpr int kFixedShift = 16;
constexpr int kChannels = 4;

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

struct Tap {
    int index;
    int weight; // 16.16
};

// The weight lists of one pass: taps[first[i] .. first[i + 1]) belong to output i.
struct WeightLists {
    std::vector<int> first;
    std::vector<Tap> taps;
};

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
    }
    lists.first.push_back(int(lists.taps.size()));
    return lists;
}

inline std::uint8_t FixedToByte(int sum) {
    const int value = sum >> kFixedShift; // floor, so a negative sum stays negative and becomes 0
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

inline const std::uint8_t* BytesOf(const Bitmap32& bitmap, int y) {
    return reinterpret_cast<const std::uint8_t*>(bitmap.Row(y).data());
}
inline std::uint8_t* BytesOf(Bitmap32& bitmap, int y) { return reinterpret_cast<std::uint8_t*>(bitmap.Row(y).data()); }

// Plain passes: one output byte at a time.
void HorizontalPassPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    for (int y = 0; y < src.Height(); ++y) {
        const std::uint8_t* from = BytesOf(src, y);
        std::uint8_t* to = BytesOf(out, y);
        for (int x = 0; x < out.Width(); ++x)
            for (int c = 0; c < kChannels; ++c) {
                int sum = 0;
                for (int t = lists.first[x]; t < lists.first[x + 1]; ++t)
                    sum += lists.taps[t].weight * from[lists.taps[t].index * kChannels + c];
                to[x * kChannels + c] = FixedToByte(sum);
            }
    }
}

void VerticalPassPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    for (int y = 0; y < out.Height(); ++y) {
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < out.Width() * kChannels; ++k) {
            int sum = 0;
            for (int t = lists.first[y]; t < lists.first[y + 1]; ++t)
                sum += lists.taps[t].weight * BytesOf(src, lists.taps[t].index)[k];
            to[k] = FixedToByte(sum);
        }
    }
}

// Fast passes: four channels as one vector per pixel; the vertical pass adds whole weighted
// rows into an accumulator row. Integer sums do not depend on their order, so the results
// are those of the plain passes.
using Lanes = std::int32_t __attribute__((vector_size(16)));

inline Lanes Unpack(Pixel p) {
    return Lanes{std::int32_t(p & 0xFF), std::int32_t((p >> 8) & 0xFF), std::int32_t((p >> 16) & 0xFF),
                 std::int32_t(p >> 24)};
}
inline Pixel Pack(Lanes sum) {
    return MakeValue(FixedToByte(sum[0]), FixedToByte(sum[1]), FixedToByte(sum[2]), FixedToByte(sum[3]));
}

void HorizontalPassFast(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    const int width = out.Width();
    const Tap* taps = lists.taps.data();
    const int* first = lists.first.data();
    for (int y = 0; y < src.Height(); ++y) {
        const Pixel* from = src.Row(y).data();
        Pixel* to = out.Row(y).data();
        for (int x = 0; x < width; ++x) {
            Lanes sum{0, 0, 0, 0};
            for (int t = first[x]; t < first[x + 1]; ++t)
                sum += Unpack(from[taps[t].index]) * taps[t].weight;
            to[x] = Pack(sum);
        }
    }
}

void AccumulateRow(std::int32_t* __restrict sums, const std::uint8_t* __restrict bytes, int count, int weight) {
    for (int k = 0; k < count; ++k)
        sums[k] += weight * bytes[k];
}

void StoreRow(std::uint8_t* __restrict bytes, const std::int32_t* __restrict sums, int count) {
    for (int k = 0; k < count; ++k)
        bytes[k] = FixedToByte(sums[k]);
}

void VerticalPassFast(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    const int count = out.Width() * kChannels;
    std::vector<std::int32_t> sums(static_cast<std::size_t>(count));
    for (int y = 0; y < out.Height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int t = lists.first[y]; t < lists.first[y + 1]; ++t)
            AccumulateRow(sums.data(), BytesOf(src, lists.taps[t].index), count, lists.taps[t].weight);
        StoreRow(BytesOf(out, y), sums.data(), count);
    }
}

enum class Passes { Plain, Fast };

void Resample(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter, int newHeight, Passes passes) {
    if (src.Width() < kMinimumSourceSide || src.Height() < kMinimumSourceSide)
        throw framework::Exception("Source bitmap is too small");
    if (&src == &dst)
        return Resample(Bitmap32(src), dst, newWidth, filter, newHeight, passes);
    if (newWidth == src.Width() && newHeight == src.Height()) {
        dst = src;
        return;
    }
    Bitmap32 between;
    if (newWidth < 1 || newHeight < 1 || !between.SetSize(newWidth, src.Height()) ||
        !dst.SetSize(newWidth, newHeight)) {
        dst.SetSize(0, 0);
        return;
    }
    const WeightLists across = BuildWeights(src.Width(), newWidth, filter);
    const WeightLists down = BuildWeights(src.Height(), newHeight, filter);
    if (passes == Passes::Fast) {
        HorizontalPassFast(src, between, across);
        VerticalPassFast(between, dst, down);
    } else {
        HorizontalPassPlain(src, between, across);
        VerticalPassPlain(between, dst, down);
    }
}

} // namespace

void ResampleBitmap(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter, int newHeight) {
    Resample(src, dst, newWidth, filter, newHeight, Passes::Fast);
}

void ResampleBitmapReference(const Bitmap32& src, Bitmap32& dst, int newWidth, ResampleFilter filter,
                             int newHeight) {
    Resample(src, dst, newWidth, filter, newHeight, Passes::Plain);
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

// The passes of the resampler in three forms: plain (one byte at a time), portable (four
// channels as one vector) and AVX2 (two taps or 64 bytes at a time). Integer sums do not
// depend on their order, so all three give the same bytes.
#include "skin/render/ResampleKernels.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TOVRIN_HAVE_X86 1
#endif

namespace skin::resample {
namespace {

constexpr int kFixedShift = 16;
constexpr int kChannels = 4;

// A band of rows: of the source in a horizontal pass, of the output in a vertical one.
struct Rows {
    int begin, end;
};

// Below this many multiply-adds a second thread costs more than it saves.
constexpr std::size_t kParallelWork = std::size_t(1) << 21;

// Runs band over rows [0, count), split between this thread and one helper when the work is
// large and the machine has a second core. Bands write disjoint rows and do not allocate.
template <class Band>
void InBands(int count, std::size_t work, Band&& band) {
    if (work >= kParallelWork && count >= 2 && std::thread::hardware_concurrency() >= 2) {
        const int middle = count / 2;
        try {
            std::thread helper([&band, middle] { band(Rows{0, middle}); });
            band(Rows{middle, count});
            helper.join();
            return;
        } catch (const std::system_error&) {
            // no thread to be had: the whole range below, on this thread
        }
    }
    band(Rows{0, count});
}

inline std::uint8_t FixedToByte(int sum) {
    const int value = sum >> kFixedShift; // floor: a negative sum stays negative and becomes 0
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

inline const std::uint8_t* BytesOf(const Bitmap32& bitmap, int y) {
    return reinterpret_cast<const std::uint8_t*>(bitmap.Row(y).data());
}
inline std::uint8_t* BytesOf(Bitmap32& bitmap, int y) { return reinterpret_cast<std::uint8_t*>(bitmap.Row(y).data()); }

void HorizontalPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    for (int y = rows.begin; y < rows.end; ++y) {
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

void VerticalPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    for (int y = rows.begin; y < rows.end; ++y) {
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < out.Width() * kChannels; ++k) {
            int sum = 0;
            for (int t = lists.first[y]; t < lists.first[y + 1]; ++t)
                sum += lists.taps[t].weight * BytesOf(src, lists.taps[t].index)[k];
            to[k] = FixedToByte(sum);
        }
    }
}

using Lanes = std::int32_t __attribute__((vector_size(16)));

inline Lanes Unpack(Pixel p) {
    return Lanes{std::int32_t(p & 0xFF), std::int32_t((p >> 8) & 0xFF), std::int32_t((p >> 16) & 0xFF),
                 std::int32_t(p >> 24)};
}
inline Pixel Pack(Lanes sum) {
    return Pixel(FixedToByte(sum[0])) | Pixel(FixedToByte(sum[1])) << 8 | Pixel(FixedToByte(sum[2])) << 16 |
           Pixel(FixedToByte(sum[3])) << 24;
}

void HorizontalPortable(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    const Tap* taps = lists.taps.data();
    const int* first = lists.first.data();
    for (int y = rows.begin; y < rows.end; ++y) {
        const Pixel* from = src.Row(y).data();
        Pixel* to = out.Row(y).data();
        for (int x = 0; x < out.Width(); ++x) {
            Lanes sum{0, 0, 0, 0};
            for (int t = first[x]; t < first[x + 1]; ++t)
                sum += Unpack(from[taps[t].index]) * taps[t].weight;
            to[x] = Pack(sum);
        }
    }
}

void VerticalPortable(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    const int count = out.Width() * kChannels;
    std::vector<std::int32_t> sums(static_cast<std::size_t>(count));
    for (int y = rows.begin; y < rows.end; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int t = lists.first[y]; t < lists.first[y + 1]; ++t) {
            const std::uint8_t* bytes = BytesOf(src, lists.taps[t].index);
            const int weight = lists.taps[t].weight;
            for (int k = 0; k < count; ++k)
                sums[k] += weight * bytes[k];
        }
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < count; ++k)
            to[k] = FixedToByte(sums[k]);
    }
}

#ifdef TOVRIN_HAVE_X86

// Four 32-bit sums -> four bytes: shift, then saturating packs clamp to 0..255.
__attribute__((target("avx2"))) inline std::uint32_t PackSums(__m128i sums) {
    const __m128i shifted = _mm_srai_epi32(sums, kFixedShift);
    const __m128i words = _mm_packs_epi32(shifted, shifted);
    return std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

// Where the taps of an output are consecutive sources (everywhere but near mirrored edges),
// four source pixels come in one load. Each weight is split as w = high * 256 + low so that
// both parts fit 16 bits and vpmaddwd sums two taps per channel exactly:
//
//   pixels  b0 g0 r0 a0 b1 g1 r1 a1 | b2 ...   --shuffle-->   b0 b1 g0 g1 r0 r1 a0 a1 | b2 b3 ...
//   weights h0 h1 h0 h1 h0 h1 h0 h1 | h2 h3 ...                (and the same for the low parts)
constexpr int kQuad = 4;
constexpr int kQuadLanes = 16; // 16-bit weights per quad: two taps' pair repeated for four channels

struct QuadPlan {
    std::vector<int> start;     // first source of each output, or -1: take the taps in pairs
    std::vector<int> quadFirst; // quads [quadFirst[x], quadFirst[x + 1]) of each output
    std::vector<std::int16_t> high, low; // kQuadLanes per quad
};

void AppendPairWeights(std::vector<std::int16_t>& lanes, const int (&parts)[kQuad]) {
    for (int half = 0; half < 2; ++half)
        for (int channel = 0; channel < kChannels; ++channel) {
            lanes.push_back(std::int16_t(parts[2 * half]));
            lanes.push_back(std::int16_t(parts[2 * half + 1]));
        }
}

QuadPlan PlanQuads(const WeightLists& lists, int outputs, int sourceWidth) {
    QuadPlan plan;
    plan.start.assign(std::size_t(outputs), -1);
    plan.quadFirst.assign(std::size_t(outputs) + 1, 0);
    int quadCount = 0;
    for (int x = 0; x < outputs; ++x) {
        plan.quadFirst[x] = quadCount;
        int begin = lists.first[x], end = lists.first[x + 1];
        while (end > begin && lists.taps[end - 1].weight == 0)
            --end; // the pair padding
        if (end == begin)
            continue;
        const int start = lists.taps[begin].index;
        bool consecutive = true;
        for (int t = begin; t < end; ++t)
            consecutive = consecutive && lists.taps[t].index == start + (t - begin);
        const int quads = (end - begin + kQuad - 1) / kQuad;
        if (!consecutive || start + quads * kQuad > sourceWidth)
            continue;
        plan.start[x] = start;
        for (int q = 0; q < quads; ++q, ++quadCount) {
            int high[kQuad] = {}, low[kQuad] = {};
            for (int i = 0; i < kQuad; ++i) {
                const int t = begin + q * kQuad + i;
                const int weight = t < end ? lists.taps[t].weight : 0;
                high[i] = weight >> 8; // floor, so that high * 256 + low == weight
                low[i] = weight & 0xFF;
            }
            AppendPairWeights(plan.high, high);
            AppendPairWeights(plan.low, low);
        }
    }
    plan.quadFirst[outputs] = quadCount;
    return plan;
}

// Sums of one output whose taps are not consecutive: two taps per step, lanes 0-3 the first
// pixel's channels, lanes 4-7 the second's.
__attribute__((target("avx2"))) inline __m256i SumTapPairs(const Pixel* from, const Tap* taps, int begin, int end) {
    __m256i sum = _mm256_setzero_si256();
    for (int t = begin; t < end; t += 2) {
        const long long pair =
            (long long)(std::uint64_t(from[taps[t].index]) | std::uint64_t(from[taps[t + 1].index]) << 32);
        const __m256i channels = _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(pair));
        const __m256i weights = _mm256_set_m128i(_mm_set1_epi32(taps[t + 1].weight), _mm_set1_epi32(taps[t].weight));
        sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(channels, weights));
    }
    return sum;
}

__attribute__((target("avx2"))) inline __m256i QuadChannels(const Pixel* pixels) {
    const __m128i interleave = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    return _mm256_cvtepu8_epi16(_mm_shuffle_epi8(four, interleave));
}

__attribute__((target("avx2"))) inline Pixel PackLanes(__m256i sum) {
    return PackSums(_mm_add_epi32(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1)));
}

// Rows are taken two at a time, so that each weight load serves both.
__attribute__((target("avx2"))) void HorizontalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists,
                                                    const QuadPlan& plan, Rows rows) {
    const Tap* taps = lists.taps.data();
    const int* first = lists.first.data();
    for (int y = rows.begin; y < rows.end; y += 2) {
        const bool pair = y + 1 < rows.end;
        const Pixel* from0 = src.Row(y).data();
        const Pixel* from1 = src.Row(pair ? y + 1 : y).data();
        Pixel* to0 = out.Row(y).data();
        Pixel* to1 = out.Row(pair ? y + 1 : y).data();
        for (int x = 0; x < out.Width(); ++x) {
            if (plan.start[x] < 0) {
                to0[x] = PackLanes(SumTapPairs(from0, taps, first[x], first[x + 1]));
                to1[x] = PackLanes(SumTapPairs(from1, taps, first[x], first[x + 1]));
                continue;
            }
            const Pixel* pixels0 = from0 + plan.start[x];
            const Pixel* pixels1 = from1 + plan.start[x];
            __m256i high0 = _mm256_setzero_si256(), low0 = _mm256_setzero_si256();
            __m256i high1 = _mm256_setzero_si256(), low1 = _mm256_setzero_si256();
            for (int q = plan.quadFirst[x]; q < plan.quadFirst[x + 1]; ++q, pixels0 += 4, pixels1 += 4) {
                const __m256i highWeights =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(plan.high.data() + q * kQuadLanes));
                const __m256i lowWeights =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(plan.low.data() + q * kQuadLanes));
                const __m256i channels0 = QuadChannels(pixels0);
                const __m256i channels1 = QuadChannels(pixels1);
                high0 = _mm256_add_epi32(high0, _mm256_madd_epi16(channels0, highWeights));
                low0 = _mm256_add_epi32(low0, _mm256_madd_epi16(channels0, lowWeights));
                high1 = _mm256_add_epi32(high1, _mm256_madd_epi16(channels1, highWeights));
                low1 = _mm256_add_epi32(low1, _mm256_madd_epi16(channels1, lowWeights));
            }
            to0[x] = PackLanes(_mm256_add_epi32(_mm256_slli_epi32(high0, 8), low0));
            to1[x] = PackLanes(_mm256_add_epi32(_mm256_slli_epi32(high1, 8), low1));
        }
    }
}

// Whether every weight fits a signed 16-bit lane as it is (shrinking by about half or more).
bool WeightsAreNarrow(const WeightLists& lists) {
    return std::all_of(lists.taps.begin(), lists.taps.end(),
                       [](const Tap& tap) { return tap.weight >= INT16_MIN && tap.weight <= INT16_MAX; });
}

inline int PairOfWords(int first, int second) { return int(std::uint32_t(std::uint16_t(first)) | std::uint32_t(second) << 16); }

// Two source rows a time: their bytes are interleaved and widened to 16-bit pairs, so that
// vpmaddwd applies both taps' weights at once. Wide weights are split as in the horizontal
// pass (w = high * 256 + low). The unpacks work per 128-bit half, and the packs at the end
// undo exactly their order:
//
//   a, b (32 bytes)  --unpack8-->  a0 b0 .. a7 b7 | a16 b16 ..  --unpack8 with 0-->  words a0 b0 a1 b1 ..
//   sums of bytes 0-3 | 16-19, 4-7 | 20-23, 8-11 | 24-27, 12-15 | 28-31  --packs-->  bytes 0..31
template <bool kNarrow>
__attribute__((target("avx2"))) void VerticalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    constexpr int kBlockBytes = 32;
    constexpr int kParts = 4;
    const int count = out.Width() * kChannels;
    const int blocked = count - count % kBlockBytes;
    const Tap* taps = lists.taps.data();
    const __m256i zero = _mm256_setzero_si256();
    for (int y = rows.begin; y < rows.end; ++y) {
        const int begin = lists.first[y], end = lists.first[y + 1];
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < blocked; k += kBlockBytes) {
            __m256i high[kParts], low[kParts];
            for (int i = 0; i < kParts; ++i)
                high[i] = low[i] = zero;
            for (int t = begin; t < end; t += 2) {
                const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(BytesOf(src, taps[t].index) + k));
                const __m256i b =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(BytesOf(src, taps[t + 1].index) + k));
                const __m256i pairsLow = _mm256_unpacklo_epi8(a, b), pairsHigh = _mm256_unpackhi_epi8(a, b);
                const __m256i words[kParts] = {_mm256_unpacklo_epi8(pairsLow, zero), _mm256_unpackhi_epi8(pairsLow, zero),
                                               _mm256_unpacklo_epi8(pairsHigh, zero),
                                               _mm256_unpackhi_epi8(pairsHigh, zero)};
                if constexpr (kNarrow) {
                    const __m256i weights = _mm256_set1_epi32(PairOfWords(taps[t].weight, taps[t + 1].weight));
                    for (int i = 0; i < kParts; ++i)
                        high[i] = _mm256_add_epi32(high[i], _mm256_madd_epi16(words[i], weights));
                } else {
                    const __m256i highWeights =
                        _mm256_set1_epi32(PairOfWords(taps[t].weight >> 8, taps[t + 1].weight >> 8));
                    const __m256i lowWeights =
                        _mm256_set1_epi32(PairOfWords(taps[t].weight & 0xFF, taps[t + 1].weight & 0xFF));
                    for (int i = 0; i < kParts; ++i) {
                        high[i] = _mm256_add_epi32(high[i], _mm256_madd_epi16(words[i], highWeights));
                        low[i] = _mm256_add_epi32(low[i], _mm256_madd_epi16(words[i], lowWeights));
                    }
                }
            }
            __m256i sums[kParts];
            for (int i = 0; i < kParts; ++i)
                sums[i] = _mm256_srai_epi32(kNarrow ? high[i] : _mm256_add_epi32(_mm256_slli_epi32(high[i], 8), low[i]),
                                            kFixedShift);
            const __m256i bytes =
                _mm256_packus_epi16(_mm256_packs_epi32(sums[0], sums[1]), _mm256_packs_epi32(sums[2], sums[3]));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + k), bytes);
        }
        for (int k = blocked; k < count; ++k) {
            int sum = 0;
            for (int t = begin; t < end; ++t)
                sum += taps[t].weight * BytesOf(src, taps[t].index)[k];
            to[k] = FixedToByte(sum);
        }
    }
}

#endif

} // namespace

bool Avx2Available() {
#ifdef TOVRIN_HAVE_X86
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
#else
    return false;
#endif
}

void HorizontalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
    const Rows all{0, src.Height()};
#ifdef TOVRIN_HAVE_X86
    if (kernel == Kernel::Avx2 && Avx2Available()) {
        const QuadPlan plan = PlanQuads(lists, out.Width(), src.Width());
        const std::size_t work = lists.taps.size() * std::size_t(src.Height());
        InBands(src.Height(), work, [&](Rows rows) { HorizontalAvx2(src, out, lists, plan, rows); });
        return;
    }
#endif
    if (kernel == Kernel::Plain)
        return HorizontalPlain(src, out, lists, all);
    HorizontalPortable(src, out, lists, all);
}

void VerticalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
    const Rows all{0, out.Height()};
#ifdef TOVRIN_HAVE_X86
    if (kernel == Kernel::Avx2 && Avx2Available()) {
        const std::size_t work = lists.taps.size() * std::size_t(out.Width()) * kChannels;
        if (WeightsAreNarrow(lists))
            InBands(out.Height(), work, [&](Rows rows) { VerticalAvx2<true>(src, out, lists, rows); });
        else
            InBands(out.Height(), work, [&](Rows rows) { VerticalAvx2<false>(src, out, lists, rows); });
        return;
    }
#endif
    if (kernel == Kernel::Plain)
        return VerticalPlain(src, out, lists, all);
    VerticalPortable(src, out, lists, all);
}

} // namespace skin::resample

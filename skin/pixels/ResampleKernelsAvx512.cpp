// The AVX-512 passes of the resampler (chosen at run time on processors with AVX-512 BW and VNNI).
// They are the AVX2 passes at twice the width, with the multiply and the sum in one instruction
// (vpdpwssd); every product and sum is the same integer, so the bytes are the plain kernels'.
#include "skin/pixels/ResampleKernels.h"
#include "skin/pixels/ResamplePlans.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TOVRIN_HAVE_X86 1
#endif

namespace skin::resample {

#ifdef TOVRIN_HAVE_X86

#define TOVRIN_AVX512 __attribute__((target("avx512f,avx512bw,avx512vnni")))

namespace {

// Zero-masked forms with every lane selected stand for shifts, inserts and extracts whose plain
// forms start from an undefined vector, which this compiler takes for a value used uninitialised.
constexpr __mmask16 kAllDwords = 0xFFFF;
constexpr __mmask8 kAllQwords = 0xFF;
constexpr __mmask8 kAllOfFour = 0xF;

// ---- Horizontal pass ----
//
// The AVX2 pass's layout with four rows instead of two: a widened pair holds two neighbouring
// pixels of four rows, channel by channel (32 lanes of 16 bits, one 128-bit lane per row), so one
// vpdpwssd applies a weight pair to four rows. The plan is the AVX2 pass's; its lane offsets,
// counted for two rows, are doubled. Four outputs pack into four pixels of each row.
constexpr int kRowsAtOnce = 4;
constexpr int kLaneScale = kRowsAtOnce / 2; // four-row lanes per two-row lane

struct FourRowPlan {
    HorizontalPlan plan;
    std::vector<int> offset;        // plan.offset, doubled
    std::vector<Correction> fixes;  // plan.fixes, their offsets doubled
    int stepLanes = 0, groupLanes = 0, widenedLanes = 0;
};

FourRowPlan ForFourRows(HorizontalPlan plan) {
    FourRowPlan four;
    for (int offset : plan.offset)
        four.offset.push_back(offset * kLaneScale);
    for (Correction fix : plan.fixes)
        four.fixes.push_back({fix.offset * kLaneScale, fix.counts});
    four.stepLanes = plan.StepLanes() * kLaneScale;
    four.groupLanes = plan.GroupLanes() * kLaneScale;
    four.widenedLanes = plan.WidenedLanes() * kLaneScale;
    four.plan = std::move(plan);
    return four;
}

// Pixels 4g .. 4g + 4 of four rows -> pairs 4g .. 4g + 3, or only 4g and 4g + 2.
TOVRIN_AVX512 inline void WidenGroup(const Pixel* const from[kRowsAtOnce], int first, bool oddPairs, int pairLanes,
                                     std::int16_t* to) {
    const __m512i interleave =
        _mm512_maskz_broadcast_i32x4(kAllDwords, _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15));
    const __m512i zero = _mm512_setzero_si512();
    for (int shift = 0; shift < (oddPairs ? 2 : 1); ++shift) {
        const auto load = [&](int row) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from[row] + first + shift));
        };
        const __m256i rows01 = _mm256_inserti128_si256(_mm256_castsi128_si256(load(0)), load(1), 1);
        const __m256i rows23 = _mm256_inserti128_si256(_mm256_castsi128_si256(load(2)), load(3), 1);
        const __m512i bytes = _mm512_shuffle_epi8(_mm512_maskz_inserti64x4(kAllQwords, _mm512_castsi256_si512(rows01), rows23, 1), interleave);
        const int second = oddPairs ? shift + 2 : 1; // where the pair two sources on goes
        _mm512_storeu_si512(to + shift * pairLanes, _mm512_unpacklo_epi8(bytes, zero));
        _mm512_storeu_si512(to + second * pairLanes, _mm512_unpackhi_epi8(bytes, zero));
    }
}

// Groups [begin, end) of four rows; groups that would read past the rows go through zero-padded
// copies.
TOVRIN_AVX512 void WidenRows(const FourRowPlan& four, const Pixel* const rows[kRowsAtOnce], int width, int begin,
                             int end, std::int16_t* lanes) {
    const int direct = std::clamp(width >= kGroup + 1 ? (width - kGroup - 1) / kGroup + 1 : 0, begin, end);
    const int pairLanes = kPairLanes * kLaneScale;
    for (int g = begin; g < direct; ++g)
        WidenGroup(rows, g * kGroup, four.plan.oddPairs, pairLanes, lanes + g * four.groupLanes);
    for (int g = direct; g < end; ++g) {
        Pixel tails[kRowsAtOnce][2 * kGroup] = {};
        const Pixel* tailRows[kRowsAtOnce];
        const int first = g * kGroup;
        for (int r = 0; r < kRowsAtOnce; ++r) {
            if (first < width)
                std::memcpy(tails[r], rows[r] + first, sizeof(Pixel) * std::size_t(std::min(2 * kGroup, width - first)));
            tailRows[r] = tails[r];
        }
        WidenGroup(tailRows, 0, four.plan.oddPairs, pairLanes, lanes + g * four.groupLanes);
    }
}

// The channel sums of output x for the four rows, one row per 128-bit lane.
template <int kSteps, int kCorrections>
TOVRIN_AVX512 inline __m512i SumsOf(const FourRowPlan& four, const std::int16_t* lanes, int x) {
    const int steps = kSteps > 0 ? kSteps : four.plan.steps;
    const int corrections = kCorrections >= 0 ? kCorrections : four.plan.corrections;
    const std::int16_t* pairs = lanes + four.offset[std::size_t(x)];
    const std::int32_t* weights = four.plan.weights.data() + std::size_t(x) * std::size_t(steps);
    __m512i sum = _mm512_setzero_si512();
    for (int k = 0; k < steps; ++k)
        sum = _mm512_dpwssd_epi32(sum, _mm512_loadu_si512(pairs + k * four.stepLanes), _mm512_set1_epi32(weights[k]));
    if (corrections == 0)
        return sum;
    const Correction* fixes = four.fixes.data() + std::size_t(x) * std::size_t(corrections);
    __m512i wrapped = _mm512_setzero_si512();
    for (int c = 0; c < corrections; ++c)
        wrapped = _mm512_dpwssd_epi32(wrapped, _mm512_loadu_si512(lanes + fixes[c].offset), _mm512_set1_epi32(fixes[c].counts));
    return _mm512_add_epi32(sum, _mm512_maskz_slli_epi32(kAllDwords, wrapped, 16));
}

// Two outputs' sums -> their 16-bit values, clamped to 0..255 by the packs that follow.
TOVRIN_AVX512 inline __m512i ShiftAndPack(__m512i a, __m512i b) {
    return _mm512_packs_epi32(_mm512_maskz_srai_epi32(kAllDwords, a, kFixedShift),
                              _mm512_maskz_srai_epi32(kAllDwords, b, kFixedShift));
}

template <int kSteps, int kCorrections>
TOVRIN_AVX512 void HorizontalAvx512(const Bitmap32& src, Bitmap32& out, const FourRowPlan& four, Rows rows) {
    const HorizontalPlan& plan = four.plan;
    const int width = out.Width();
    // Every lane read is written first (by WidenRows), so the buffer needs no clearing and stays
    // with the thread.
    thread_local std::vector<std::int16_t> widened;
    if (widened.size() < std::size_t(four.widenedLanes))
        widened.resize(std::size_t(four.widenedLanes));
    const std::int16_t* const lanes = widened.data();
    for (int y = rows.begin; y < rows.end; y += kRowsAtOnce) {
        const Pixel* from[kRowsAtOnce];
        Pixel* to[kRowsAtOnce];
        for (int r = 0; r < kRowsAtOnce; ++r) {
            const int row = std::min(y + r, rows.end - 1); // the last rows of a band may be done twice
            from[r] = src.Row(row).data();
            to[r] = out.Row(row).data();
        }
        int groups = 0;
        constexpr int kGroupsAhead = 16;
        const auto widenFor = [&](int x) {
            const int needed = plan.groupsBefore[std::size_t(x / 4)];
            if (needed <= groups)
                return;
            const int until = std::min(std::max(needed, groups + kGroupsAhead), plan.groups);
            WidenRows(four, from, src.Width(), groups, until, widened.data());
            groups = until;
        };
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            widenFor(x);
            const __m512i ab = ShiftAndPack(SumsOf<kSteps, kCorrections>(four, lanes, x),
                                            SumsOf<kSteps, kCorrections>(four, lanes, x + 1));
            const __m512i cd = ShiftAndPack(SumsOf<kSteps, kCorrections>(four, lanes, x + 2),
                                            SumsOf<kSteps, kCorrections>(four, lanes, x + 3));
            const __m512i bytes = _mm512_packus_epi16(ab, cd); // each row's four pixels in its lane
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to[3] + x), _mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 3));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to[2] + x), _mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 2));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to[1] + x), _mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to[0] + x), _mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 0));
        }
        for (; x < width; ++x) {
            widenFor(x);
            const __m512i words = ShiftAndPack(SumsOf<kSteps, kCorrections>(four, lanes, x), _mm512_setzero_si512());
            const __m512i bytes = _mm512_packus_epi16(words, words);
            to[3][x] = Pixel(_mm_cvtsi128_si32(_mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 3)));
            to[2][x] = Pixel(_mm_cvtsi128_si32(_mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 2)));
            to[1][x] = Pixel(_mm_cvtsi128_si32(_mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 1)));
            to[0][x] = Pixel(_mm_cvtsi128_si32(_mm512_maskz_extracti32x4_epi32(kAllOfFour, bytes, 0)));
        }
    }
}

// ---- Vertical pass ----
//
// As in the AVX2 pass, two source rows at a time: their bytes interleaved and widened to 16-bit
// pairs, each pair of taps applied with one vpdpwssd; 64 bytes per step, every operation within
// its 128-bit lane, so the packs at the end undo the unpacks' order exactly as there. The last
// bytes of a row go through masked loads and stores of the same step.
template <bool kWrapped>
TOVRIN_AVX512 void VerticalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists,
                                  const VerticalPlan& plan, Rows rows) {
    constexpr int kBlockBytes = 64;
    constexpr int kParts = 4;
    const int count = out.Width() * kChannels;
    const Tap* taps = lists.taps.data();
    const std::int32_t* const weights = plan.weights.data();
    const std::int32_t* const counts = plan.counts.data();
    const __m512i zero = _mm512_setzero_si512();
    for (int y = rows.begin; y < rows.end; ++y) {
        const int begin = lists.first[y], end = lists.first[y + 1];
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < count; k += kBlockBytes) {
            const int left = count - k;
            const __mmask64 lanes = left >= kBlockBytes ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
            __m512i sums[kParts], wraps[kParts];
            for (int i = 0; i < kParts; ++i)
                sums[i] = wraps[i] = zero;
            for (int t = begin; t < end; t += 2) {
                const __m512i a = _mm512_maskz_loadu_epi8(lanes, BytesOf(src, taps[t].index) + k);
                const __m512i b = _mm512_maskz_loadu_epi8(lanes, BytesOf(src, taps[t + 1].index) + k);
                const __m512i pairsLow = _mm512_unpacklo_epi8(a, b), pairsHigh = _mm512_unpackhi_epi8(a, b);
                const __m512i words[kParts] = {_mm512_unpacklo_epi8(pairsLow, zero), _mm512_unpackhi_epi8(pairsLow, zero),
                                               _mm512_unpacklo_epi8(pairsHigh, zero),
                                               _mm512_unpackhi_epi8(pairsHigh, zero)};
                const __m512i pairWeights = _mm512_set1_epi32(weights[t / 2]);
                for (int i = 0; i < kParts; ++i)
                    sums[i] = _mm512_dpwssd_epi32(sums[i], words[i], pairWeights);
                if (kWrapped && counts[t / 2] != 0) {
                    const __m512i pairCounts = _mm512_set1_epi32(counts[t / 2]);
                    for (int i = 0; i < kParts; ++i)
                        wraps[i] = _mm512_dpwssd_epi32(wraps[i], words[i], pairCounts);
                }
            }
            for (int i = 0; i < kParts; ++i) {
                if constexpr (kWrapped)
                    sums[i] = _mm512_add_epi32(sums[i], _mm512_maskz_slli_epi32(kAllDwords, wraps[i], 16));
                sums[i] = _mm512_maskz_srai_epi32(kAllDwords, sums[i], kFixedShift);
            }
            const __m512i bytes =
                _mm512_packus_epi16(_mm512_packs_epi32(sums[0], sums[1]), _mm512_packs_epi32(sums[2], sums[3]));
            _mm512_mask_storeu_epi8(to + k, lanes, bytes);
        }
    }
}

} // namespace

PreparedPass PrepareHorizontalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    std::optional<HorizontalPlan> plan = PlanHorizontal(lists, out.Width(), src.Width());
    if (!plan)
        return PrepareHorizontal(src, out, lists, Kernel::Portable);
    const std::size_t work = lists.taps.size() * std::size_t(src.Height());
    const auto pass = [&](auto kernel) {
        return PreparedPass{src.Height(), work, [four = ForFourRows(std::move(*plan)), &src, &out, kernel](Rows rows) {
                                kernel(src, out, four, rows);
                            }};
    };
    // The same unrolled shapes as the AVX2 pass.
    if (plan->steps == 4 && plan->corrections == 1)
        return pass(HorizontalAvx512<4, 1>);
    if (plan->steps == 2 && plan->corrections == 1)
        return pass(HorizontalAvx512<2, 1>);
    return pass(HorizontalAvx512<0, -1>);
}

PreparedPass PrepareVerticalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    std::optional<VerticalPlan> plan = PlanVertical(lists);
    if (!plan)
        return PrepareVertical(src, out, lists, Kernel::Portable);
    const std::size_t work = lists.taps.size() * std::size_t(out.Width()) * kChannels;
    const auto kernel = plan->wrapped ? VerticalAvx512<true> : VerticalAvx512<false>;
    return {out.Height(), work,
            [plan = std::move(*plan), &src, &out, &lists, kernel](Rows rows) { kernel(src, out, lists, plan, rows); }};
}

#else

PreparedPass PrepareHorizontalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    return PrepareHorizontal(src, out, lists, Kernel::Portable);
}
PreparedPass PrepareVerticalAvx512(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    return PrepareVertical(src, out, lists, Kernel::Portable);
}

#endif

} // namespace skin::resample

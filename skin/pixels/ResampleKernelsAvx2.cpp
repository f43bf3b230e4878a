// The AVX2 passes of the resampler (chosen at run time when the processor has AVX2). They give
// exactly the plain kernels' bytes: every product and sum is the same integer, only grouped
// differently.
#include "skin/pixels/ResampleKernels.h"
#include "skin/pixels/ResamplePlans.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TOVRIN_HAVE_X86 1
#endif

namespace skin::resample {

#ifdef TOVRIN_HAVE_X86

namespace {

// ---- Horizontal pass ----
//
// Rows are taken two at a time, and the taps of an output two at a time too, with vpmaddwd,
// which multiplies 16-bit lanes and adds neighbouring products. For that the two rows are first
// widened once into "pairs": pair j holds pixels j and j + 1 of both rows, channel by channel,
// and one weight pair broadcast over all lanes applies to it:
//
//   pair j     b(j) b(j+1) g(j) g(j+1) r(j) r(j+1) a(j) a(j+1) | the same of the second row
//   weights    w0   w1     w0   w1     w0   w1     w0   w1     | w0 w1 ..
//   vpmaddwd   b sum       g sum       r sum       a sum       | the second row's sums
//
// Every output gets the same number of steps: its taps are folded onto one run of consecutive
// sources (taps mirrored at an edge meet again on the same source, and their weights add up)
// and padded with zero weights; output x with first source s reads pairs s, s + 2, s + 4, ...
// Where starting every output at an even source costs no extra step (the runs are short of a
// whole number of pairs, as when shrinking by 1.6 with filter 6), only the even pairs are
// widened, which halves the widening.
// A weight of 32768 or more does not fit its lane, so the lane gets the weight less 65536 and a
// correction step adds the source's value times 65536 back. The sums come out finished for both
// rows, so four outputs pack into four pixels of each row with two packs. The widened rows run
// on past the source with zeros, which meet zero weights only.
// Pixels 4g .. 4g + 4 of both rows -> pairs 4g .. 4g + 3, or only 4g and 4g + 2.
__attribute__((target("avx2"))) inline void WidenGroup(const Pixel* pixels0, const Pixel* pixels1, bool oddPairs,
                                                       std::int16_t* to) {
    const __m256i interleave = _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15, //
                                                0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const __m256i zero = _mm256_setzero_si256();
    for (int shift = 0; shift < (oddPairs ? 2 : 1); ++shift) {
        const __m256i four = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(pixels1 + shift),
                                                 reinterpret_cast<const __m128i*>(pixels0 + shift));
        const __m256i bytes = _mm256_shuffle_epi8(four, interleave);
        const int second = oddPairs ? shift + 2 : 1; // where the pair two sources on goes
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + shift * kPairLanes), _mm256_unpacklo_epi8(bytes, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + second * kPairLanes), _mm256_unpackhi_epi8(bytes, zero));
    }
}

// Groups [begin, end) of two rows; groups that would read past the rows go through zero-padded
// copies.
__attribute__((target("avx2"))) void WidenRows(const HorizontalPlan& plan, const Pixel* row0, const Pixel* row1,
                                               int width, int begin, int end, std::int16_t* lanes) {
    const int direct = std::clamp(width >= kGroup + 1 ? (width - kGroup - 1) / kGroup + 1 : 0, begin, end);
    const int groupLanes = plan.GroupLanes();
    for (int g = begin; g < direct; ++g)
        WidenGroup(row0 + g * kGroup, row1 + g * kGroup, plan.oddPairs, lanes + g * groupLanes);
    for (int g = direct; g < end; ++g) {
        Pixel tail0[2 * kGroup] = {}, tail1[2 * kGroup] = {};
        const int first = g * kGroup;
        if (first < width) {
            const std::size_t bytes = sizeof(Pixel) * std::size_t(std::min(2 * kGroup, width - first));
            std::memcpy(tail0, row0 + first, bytes);
            std::memcpy(tail1, row1 + first, bytes);
        }
        WidenGroup(tail0, tail1, plan.oddPairs, lanes + g * groupLanes);
    }
}

__attribute__((target("avx2"))) inline __m256i LoadPair(const std::int16_t* lanes) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
}

// The plan's arrays as plain pointers (stores to the output could otherwise alias them, and
// the compiler would reload them after every store).
struct PlanView {
    const int* offset;
    const std::int32_t* weights;
    const Correction* fixes;
    int steps, corrections, stepLanes;
};

// The channel sums of output x: the first row's in lanes 0-3, the second's in lanes 4-7.
// kSteps > 0 fixes the step count at compile time, so that the steps unroll.
template <int kSteps, int kCorrections>
__attribute__((target("avx2"))) inline __m256i SumsOf(const PlanView& plan, const std::int16_t* lanes, int x) {
    const int steps = kSteps > 0 ? kSteps : plan.steps;
    const int corrections = kCorrections >= 0 ? kCorrections : plan.corrections;
    const std::int16_t* pairs = lanes + plan.offset[x];
    const std::int32_t* weights = plan.weights + std::size_t(x) * std::size_t(steps);
    __m256i sum = _mm256_setzero_si256();
    for (int k = 0; k < steps; ++k)
        sum = _mm256_add_epi32(sum,
                               _mm256_madd_epi16(LoadPair(pairs + k * plan.stepLanes), _mm256_set1_epi32(weights[k])));
    if (corrections == 0)
        return sum;
    const Correction* fixes = plan.fixes + std::size_t(x) * std::size_t(corrections);
    __m256i wrapped = _mm256_setzero_si256();
    for (int c = 0; c < corrections; ++c)
        wrapped = _mm256_add_epi32(
            wrapped, _mm256_madd_epi16(LoadPair(lanes + fixes[c].offset), _mm256_set1_epi32(fixes[c].counts)));
    return _mm256_add_epi32(sum, _mm256_slli_epi32(wrapped, 16));
}

// Two outputs' sums -> their 16-bit values, clamped to 0..255 by the packs that follow.
__attribute__((target("avx2"))) inline __m256i ShiftAndPack(__m256i a, __m256i b) {
    return _mm256_packs_epi32(_mm256_srai_epi32(a, kFixedShift), _mm256_srai_epi32(b, kFixedShift));
}

template <int kSteps, int kCorrections>
__attribute__((target("avx2"))) void HorizontalAvx2(const Bitmap32& src, Bitmap32& out, const HorizontalPlan& plan,
                                                    Rows rows) {
    const PlanView view{plan.offset.data(), plan.weights.data(), plan.fixes.data(), plan.steps, plan.corrections,
                        plan.StepLanes()};
    const int width = out.Width();
    // Every lane read is written first (by WidenRows), so the buffer needs no clearing and stays
    // with the thread.
    thread_local std::vector<std::int16_t> widened;
    if (widened.size() < std::size_t(plan.WidenedLanes()))
        widened.resize(std::size_t(plan.WidenedLanes()));
    const std::int16_t* const lanes = widened.data();
    for (int y = rows.begin; y < rows.end; y += 2) {
        const int y1 = y + 1 < rows.end ? y + 1 : y; // a last odd row is done twice
        const Pixel* from0 = src.Row(y).data();
        const Pixel* from1 = src.Row(y1).data();
        Pixel* to0 = out.Row(y).data();
        Pixel* to1 = out.Row(y1).data();
        int groups = 0;
        // Widened a stretch ahead at a time, which keeps what is read in the first-level cache
        // without a call for every few outputs.
        constexpr int kGroupsAhead = 16;
        const auto widenFor = [&](int x) {
            const int needed = plan.groupsBefore[std::size_t(x / 4)];
            if (needed <= groups)
                return;
            const int until = std::min(std::max(needed, groups + kGroupsAhead), plan.groups);
            WidenRows(plan, from0, from1, src.Width(), groups, until, widened.data());
            groups = until;
        };
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            widenFor(x);
            const __m256i ab = ShiftAndPack(SumsOf<kSteps, kCorrections>(view, lanes, x),
                                            SumsOf<kSteps, kCorrections>(view, lanes, x + 1));
            const __m256i cd = ShiftAndPack(SumsOf<kSteps, kCorrections>(view, lanes, x + 2),
                                            SumsOf<kSteps, kCorrections>(view, lanes, x + 3));
            const __m256i bytes = _mm256_packus_epi16(ab, cd); // the first row's four pixels | the second's
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to1 + x), _mm256_extracti128_si256(bytes, 1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to0 + x), _mm256_castsi256_si128(bytes));
        }
        for (; x < width; ++x) {
            widenFor(x);
            const __m256i words = ShiftAndPack(SumsOf<kSteps, kCorrections>(view, lanes, x), _mm256_setzero_si256());
            const __m256i bytes = _mm256_packus_epi16(words, words);
            to1[x] = Pixel(_mm256_extract_epi32(bytes, 4));
            to0[x] = Pixel(_mm256_cvtsi256_si32(bytes));
        }
    }
}

// ---- Vertical pass ----
//
// Two source rows a time: their bytes are interleaved and widened to 16-bit pairs, so that
// vpmaddwd applies both taps' weights at once. Weights of 32768 or more are wrapped as in the
// horizontal pass, and a correction adds their rows back times 65536 from the same pairs. The
// unpacks work per 128-bit half, and the packs at the end undo exactly their order:
//
//   a, b (32 bytes)  --unpack8-->  a0 b0 .. a7 b7 | a16 b16 ..  --unpack8 with 0-->  words a0 b0 a1 b1 ..
//   sums of bytes 0-3 | 16-19, 4-7 | 20-23, 8-11 | 24-27, 12-15 | 28-31  --packs-->  bytes 0..31
template <bool kWrapped>
__attribute__((target("avx2"))) void VerticalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists,
                                                  const VerticalPlan& plan, Rows rows) {
    constexpr int kBlockBytes = 32;
    constexpr int kParts = 4;
    const int count = out.Width() * kChannels;
    const int blocked = count - count % kBlockBytes;
    const Tap* taps = lists.taps.data();
    const std::int32_t* const weights = plan.weights.data();
    const std::int32_t* const counts = plan.counts.data();
    const __m256i zero = _mm256_setzero_si256();
    for (int y = rows.begin; y < rows.end; ++y) {
        const int begin = lists.first[y], end = lists.first[y + 1];
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < blocked; k += kBlockBytes) {
            __m256i sums[kParts], wraps[kParts];
            for (int i = 0; i < kParts; ++i)
                sums[i] = wraps[i] = zero;
            for (int t = begin; t < end; t += 2) {
                const auto rowAt = [&](int tap) {
                    return reinterpret_cast<const __m256i*>(BytesOf(src, taps[tap].index) + k);
                };
                const __m256i a = _mm256_loadu_si256(rowAt(t)), b = _mm256_loadu_si256(rowAt(t + 1));
                const __m256i pairsLow = _mm256_unpacklo_epi8(a, b), pairsHigh = _mm256_unpackhi_epi8(a, b);
                const __m256i words[kParts] = {_mm256_unpacklo_epi8(pairsLow, zero), _mm256_unpackhi_epi8(pairsLow, zero),
                                               _mm256_unpacklo_epi8(pairsHigh, zero),
                                               _mm256_unpackhi_epi8(pairsHigh, zero)};
                const __m256i pairWeights = _mm256_set1_epi32(weights[t / 2]);
                for (int i = 0; i < kParts; ++i)
                    sums[i] = _mm256_add_epi32(sums[i], _mm256_madd_epi16(words[i], pairWeights));
                if (kWrapped && counts[t / 2] != 0) {
                    const __m256i pairCounts = _mm256_set1_epi32(counts[t / 2]);
                    for (int i = 0; i < kParts; ++i)
                        wraps[i] = _mm256_add_epi32(wraps[i], _mm256_madd_epi16(words[i], pairCounts));
                }
            }
            for (int i = 0; i < kParts; ++i) {
                if constexpr (kWrapped)
                    sums[i] = _mm256_add_epi32(sums[i], _mm256_slli_epi32(wraps[i], 16));
                sums[i] = _mm256_srai_epi32(sums[i], kFixedShift);
            }
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

} // namespace

PreparedPass PrepareHorizontalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    std::optional<HorizontalPlan> plan = PlanHorizontal(lists, out.Width(), src.Width());
    if (!plan)
        return PrepareHorizontal(src, out, lists, Kernel::Portable);
    const std::size_t work = lists.taps.size() * std::size_t(src.Height());
    const auto pass = [&](auto kernel) {
        return PreparedPass{src.Height(), work, [plan = std::move(*plan), &src, &out, kernel](Rows rows) {
                                kernel(src, out, plan, rows);
                            }};
    };
    // The usual shapes get unrolled kernels: shrinking by up to 1.6 with filter 6 (4 steps),
    // enlarging with filter 6 and shrinking by up to 2 with filters 1 and 2 (2 steps). One
    // correction: the wrapped centre, or weights folded at a mirrored edge.
    if (plan->steps == 4 && plan->corrections == 1)
        return pass(HorizontalAvx2<4, 1>);
    if (plan->steps == 2 && plan->corrections == 1)
        return pass(HorizontalAvx2<2, 1>);
    return pass(HorizontalAvx2<0, -1>);
}

PreparedPass PrepareVerticalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    std::optional<VerticalPlan> plan = PlanVertical(lists);
    if (!plan)
        return PrepareVertical(src, out, lists, Kernel::Portable);
    const std::size_t work = lists.taps.size() * std::size_t(out.Width()) * kChannels;
    const auto kernel = plan->wrapped ? VerticalAvx2<true> : VerticalAvx2<false>;
    return {out.Height(), work,
            [plan = std::move(*plan), &src, &out, &lists, kernel](Rows rows) { kernel(src, out, lists, plan, rows); }};
}

#else

PreparedPass PrepareHorizontalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    return PrepareHorizontal(src, out, lists, Kernel::Portable);
}
PreparedPass PrepareVerticalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    return PrepareVertical(src, out, lists, Kernel::Portable);
}

#endif

} // namespace skin::resample

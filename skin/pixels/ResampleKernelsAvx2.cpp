// The AVX2 passes of the resampler (chosen at run time when the processor has AVX2). They give
// exactly the plain kernels' bytes: every product and sum is the same integer, only grouped
// differently.
#include "skin/pixels/ResampleKernels.h"

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

// vpmaddwd multiplies signed 16-bit lanes. A weight of 32768 or more (up to 98303) goes into
// its lane less 65536, and count 1 says that its source must be added back times 65536.
// False for a weight beyond that, which the vector passes leave to the portable kernel.
inline bool WrapWeight(int& weight, int& count) {
    constexpr int kLaneLimit = 32768, kLaneWrap = 65536;
    if (weight < -kLaneLimit || weight >= kLaneWrap + kLaneLimit)
        return false;
    count = weight >= kLaneLimit ? 1 : 0;
    weight -= count * kLaneWrap;
    return true;
}

inline int PairOfWords(int first, int second) {
    return int(std::uint32_t(std::uint16_t(first)) | std::uint32_t(second) << 16);
}

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
constexpr int kPairLanes = 16; // 16-bit lanes per widened pair: 2 pixels x 4 channels x 2 rows
constexpr int kGroup = 4;      // pixels widened per step

struct Correction {
    int offset;          // the pair's first lane
    std::int32_t counts; // per lane of the pair: 1 where the weight was wrapped, else 0
};

struct HorizontalPlan {
    int steps = 0;         // weight pairs per output
    int corrections = 0;   // correction steps per output
    int groups = 0;        // four-pixel groups in a widened row pair
    bool oddPairs = true;  // whether pairs that start at odd sources are widened too
    std::vector<int> offset;           // per output: the first lane it reads
    std::vector<std::int32_t> weights; // per output: `steps` pairs of 16-bit weights
    std::vector<Correction> fixes;     // per output: `corrections` steps
    // Per four outputs: the groups that must be widened before them (rows are widened as the
    // outputs come, so that what is read was written moments before and is still in cache).
    std::vector<int> groupsBefore;

    int GroupLanes() const { return (oddPairs ? kGroup : kGroup / 2) * kPairLanes; }
    int WidenedLanes() const { return groups * GroupLanes(); }
    int PairOffset(int source) const { return (oddPairs ? source : source / 2) * kPairLanes; }
    int StepLanes() const { return PairOffset(2); }
};

// The plan of the lists, or nothing when a folded weight is beyond what a wrapped lane holds.
std::optional<HorizontalPlan> PlanHorizontal(const WeightLists& lists, int outputs, int sourceWidth) {
    const auto count = static_cast<std::size_t>(outputs);
    HorizontalPlan plan;
    // Each output's taps fold onto the sources start[x] .. start[x] + 2 * steps - 1.
    std::vector<int> start(count, 0);
    int runLength = 1, evenRunLength = 1;
    for (int x = 0; x < outputs; ++x) {
        int low = sourceWidth, high = -1;
        for (int t = lists.first[x]; t < lists.first[x + 1]; ++t)
            if (lists.taps[t].weight != 0) {
                low = std::min(low, lists.taps[t].index);
                high = std::max(high, lists.taps[t].index);
            }
        if (high >= 0) {
            start[std::size_t(x)] = low;
            runLength = std::max(runLength, high - low + 1);
            evenRunLength = std::max(evenRunLength, high - low / 2 * 2 + 1);
        }
    }
    plan.steps = (runLength + 1) / 2;
    plan.oddPairs = (evenRunLength + 1) / 2 > plan.steps;
    if (!plan.oddPairs)
        for (int& first : start)
            first = first / 2 * 2;
    const std::size_t span = std::size_t(2 * plan.steps);
    std::vector<int> folded(count * span, 0);
    for (int x = 0; x < outputs; ++x)
        for (int t = lists.first[x]; t < lists.first[x + 1]; ++t)
            if (lists.taps[t].weight != 0)
                folded[std::size_t(x) * span + std::size_t(lists.taps[t].index - start[std::size_t(x)])] +=
                    lists.taps[t].weight;

    // Wrapped weights and their corrections; a wrapped lane next to one in the lane before, in
    // the same pair, shares its correction.
    struct Fix {
        int pair;  // the pair's first source
        int lanes; // bit 0: its first lane was wrapped, bit 1: its second
    };
    std::vector<Fix> fixes(count * span);
    std::vector<int> fixCount(count, 0);
    for (int x = 0; x < outputs; ++x) {
        Fix* own = fixes.data() + std::size_t(x) * span;
        int& owned = fixCount[std::size_t(x)];
        for (std::size_t j = 0; j < span; ++j) {
            int wraps = 0;
            if (!WrapWeight(folded[std::size_t(x) * span + j], wraps))
                return std::nullopt;
            if (wraps == 0)
                continue;
            const int source = start[std::size_t(x)] + int(j);
            if (owned > 0 && own[owned - 1].pair + 1 == source && own[owned - 1].lanes == 1) {
                own[owned - 1].lanes = 3;
                continue;
            }
            const int pair = plan.oddPairs ? source : source / 2 * 2;
            own[owned++] = {pair, pair == source ? 1 : 2};
        }
        plan.corrections = std::max(plan.corrections, owned);
    }

    plan.groups = (sourceWidth + 2 * plan.steps) / kGroup + 1;
    plan.offset.reserve(count);
    plan.weights.reserve(count * std::size_t(plan.steps));
    plan.fixes.reserve(count * std::size_t(plan.corrections));
    plan.groupsBefore.reserve(count / 4 + 1);
    for (int x = 0; x < outputs; ++x) {
        const int first = start[std::size_t(x)];
        plan.offset.push_back(plan.PairOffset(first));
        const int* weights = folded.data() + std::size_t(x) * span;
        for (int k = 0; k < plan.steps; ++k)
            plan.weights.push_back(PairOfWords(weights[2 * k], weights[2 * k + 1]));
        // The last source read: the second of the last step's pair, or of a correction's.
        int reach = first + 2 * plan.steps - 1;
        const Fix* own = fixes.data() + std::size_t(x) * span;
        for (int c = 0; c < plan.corrections; ++c) {
            if (c < fixCount[std::size_t(x)]) {
                const int counts = PairOfWords(own[c].lanes & 1, own[c].lanes >> 1);
                plan.fixes.push_back({plan.PairOffset(own[c].pair), counts});
                reach = std::max(reach, own[c].pair + 1);
            } else {
                plan.fixes.push_back({plan.PairOffset(first), 0});
            }
        }
        const int groups = std::min(reach / kGroup + 1, plan.groups);
        if (x % 4 == 0) // a new four carries on from the last, so that the counts never fall
            plan.groupsBefore.push_back(plan.groupsBefore.empty() ? 0 : plan.groupsBefore.back());
        plan.groupsBefore.back() = std::max(plan.groupsBefore.back(), groups);
    }
    return plan;
}

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
struct VerticalPlan {
    std::vector<std::int32_t> weights; // per tap pair: two 16-bit weights
    std::vector<std::int32_t> counts;  // per tap pair: 1 in the lane of a wrapped weight
    bool wrapped = false;
};

std::optional<VerticalPlan> PlanVertical(const WeightLists& lists) {
    VerticalPlan plan;
    for (std::size_t t = 0; t + 1 < lists.taps.size(); t += 2) {
        int w0 = lists.taps[t].weight, w1 = lists.taps[t + 1].weight, c0 = 0, c1 = 0;
        if (!WrapWeight(w0, c0) || !WrapWeight(w1, c1))
            return std::nullopt;
        plan.weights.push_back(PairOfWords(w0, w1));
        plan.counts.push_back(PairOfWords(c0, c1));
        plan.wrapped = plan.wrapped || c0 != 0 || c1 != 0;
    }
    return plan;
}

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

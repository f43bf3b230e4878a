// Folding, padding and wrapping the weight lists for the vector kernels.
#include "skin/pixels/ResamplePlans.h"

#include <algorithm>

namespace skin::resample {
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

} // namespace

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

} // namespace skin::resample

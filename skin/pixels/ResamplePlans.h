// The weights of ResampleBitmap's passes arranged for the vector kernels (AVX2 and AVX-512):
// taps in pairs of 16-bit lanes for vpmaddwd, and for the horizontal pass the layout of the
// widened rows that the kernels read. The layout is described in ResampleKernelsAvx2.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "skin/pixels/ResampleKernels.h"

namespace skin::resample {

constexpr int kPairLanes = 16; // 16-bit lanes per widened pair: 2 pixels x 4 channels x 2 rows
constexpr int kGroup = 4;      // pixels widened per step

struct Correction {
    int offset;          // the pair's first lane
    std::int32_t counts; // per lane of the pair: 1 where the weight was wrapped, else 0
};

// Offsets are counted in the lanes of a two-row layout; a kernel that widens four rows at once
// doubles them.
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
std::optional<HorizontalPlan> PlanHorizontal(const WeightLists& lists, int outputs, int sourceWidth);

// The vertical passes' weights: a weight of 32768 or more goes into its lane less 65536, with a
// count of 1 in the same lane of counts saying that its source must be added back times 65536.
struct VerticalPlan {
    std::vector<std::int32_t> weights; // per tap pair: two 16-bit weights
    std::vector<std::int32_t> counts;  // per tap pair: 1 in the lane of a wrapped weight
    bool wrapped = false;
};
// Nothing when a weight is beyond what a wrapped lane holds.
std::optional<VerticalPlan> PlanVertical(const WeightLists& lists);

} // namespace skin::resample

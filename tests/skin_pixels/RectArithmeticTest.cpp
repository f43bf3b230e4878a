// Rectangle arithmetic at the ends of the 32-bit range: a skin's numbers can put edges
// anywhere, so widths, areas and edges built from them saturate instead of overflowing.
#include <gtest/gtest.h>

#include <climits>

#include "skin/pixels/RectClip.h"

namespace skin {
namespace {

struct SpanRow {
    const char* what;
    TRect rect;
    std::int32_t width, height;
    std::int64_t area;
};

TEST(RectArithmetic, WidthHeightAndAreaOfAnyEdges) {
    const SpanRow rows[] = {
        {"ordinary", {2, 3, 12, 8}, 10, 5, 50},
        {"inverted", {12, 8, 2, 3}, -10, -5, 0},
        {"wider than INT32_MAX", {-2, 0, INT32_MAX, 30}, INT32_MAX, 30, (std::int64_t{INT32_MAX} + 2) * 30},
        {"the whole range", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, INT32_MAX, INT32_MAX, INT64_MAX},
        {"inverted across the range", {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}, INT32_MIN, INT32_MIN, 0},
        {"at the top edge", {0, INT32_MAX - 10, 30, INT32_MAX}, 30, 10, 300},
    };
    for (const SpanRow& row : rows) {
        EXPECT_EQ(WidthOf(row.rect), row.width) << row.what;
        EXPECT_EQ(HeightOf(row.rect), row.height) << row.what;
        EXPECT_EQ(WidthOf(row.rect, Clamp::Yes), std::max(0, row.width)) << row.what;
        EXPECT_EQ(AreaOf(row.rect), row.area) << row.what;
    }
}

TEST(RectArithmetic, EdgesBuiltFromLengthsStopAtTheRange) {
    EXPECT_EQ(RectAt(INT32_MAX - 5, 0, 20, 7), (TRect{INT32_MAX - 5, 0, INT32_MAX, 7}));
    EXPECT_EQ(RectAt(INT32_MIN + 1, INT32_MIN, -20, 3), (TRect{INT32_MIN + 1, INT32_MIN, INT32_MIN, INT32_MIN + 3}));
    EXPECT_EQ(InclusiveRect(INT32_MAX, 1, 2, 0), (TRect{INT32_MAX, 1, INT32_MAX, 0}));
    EXPECT_EQ(InclusiveToExclusive({0, 0, INT32_MAX, INT32_MAX}), (TRect{0, 0, INT32_MAX, INT32_MAX}));
    EXPECT_EQ(InclusiveEdge(INT32_MIN), INT32_MIN);
}

TEST(RectArithmetic, ClippedTransfersFromFarAwayAreEmptyOrInside) {
    const TRect bounds{0, 0, 10, 10};
    struct Row {
        const char* what;
        BlitArea area;
        BlitArea expected;
    };
    const Row rows[] = {
        {"ordinary", {2, 3, 1, 1, 4, 4}, {2, 3, 1, 1, 4, 4}},
        {"destination far left", {INT32_MIN, 0, 0, 0, INT32_MAX, 5}, {0, 0, INT32_MAX, 0, 0, 5}},
        {"source far above", {0, 0, 0, INT32_MIN, 5, INT32_MAX}, {0, INT32_MAX, 0, 0, 5, 0}},
        {"both near the top", {INT32_MAX - 1, 0, INT32_MAX - 1, 0, 10, 10}, {INT32_MAX - 1, 0, INT32_MAX - 1, 0, 0, 10}},
    };
    for (const Row& row : rows) {
        const BlitArea clipped = ClipBlit(row.area, bounds, bounds);
        EXPECT_EQ(clipped.Width, row.expected.Width) << row.what;
        EXPECT_EQ(clipped.Height, row.expected.Height) << row.what;
        if (!clipped.Empty()) {
            EXPECT_GE(clipped.DstX, 0) << row.what;
            EXPECT_LE(clipped.DstX + clipped.Width, 10) << row.what;
            EXPECT_GE(clipped.SrcY, 0) << row.what;
            EXPECT_LE(clipped.SrcY + clipped.Height, 10) << row.what;
        }
    }
}

} // namespace
} // namespace skin

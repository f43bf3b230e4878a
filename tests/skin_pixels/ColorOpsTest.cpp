// Colour functions: swaps, mixing, hue and saturation shifts, with hand-computed values.
#include <gtest/gtest.h>

#include "skin/pixels/ColorOps.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Hex;

TEST(ColorOps, SwapColourOrderExchangesBytesZeroAndTwo) {
    EXPECT_EQ(Hex(SwapColourOrder(0x11223344)), Hex(0x11443322));
    EXPECT_EQ(Hex(SwapColourOrder(SwapColourOrder(0xA1B2C3D4))), Hex(0xA1B2C3D4));
    EXPECT_EQ(Hex(PixelOfColor(kTransparentKey)), Hex(kTransparentKey));
}

TEST(ColorOps, RoundEvenIsTheProcessorsNearestEven) {
    for (double value : {0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 127.5, 128.5, 0.49999999999999994, 1e15 + 0.5, -3.7, 255.4999})
        EXPECT_EQ(RoundEven(value), std::nearbyint(value)) << value;
    for (int i = -2000; i <= 2000; ++i)
        ASSERT_EQ(RoundEven(i / 8.0), std::nearbyint(i / 8.0)) << i / 8.0;
}

struct LerpRow {
    TColor c1, c2;
    double fraction;
    TColor expected;
};

TEST(ColorOps, LerpColorRoundsHalvesToEvenAndKeepsByteThreeOfTheFirst) {
    const LerpRow rows[] = {
        {TColor{0xAA102030}, TColor{0x55405060}, 1.0, TColor{0xAA102030}},
        {TColor{0xAA102030}, TColor{0x55405060}, 0.0, TColor{0xAA405060}},
        {TColor{0x00010003}, TColor{0x00020000}, 0.5, TColor{0x00020002}}, // 1.5 -> 2, 1.0, 1.5 -> 2
        {TColor{0x00010000}, TColor{0x00000001}, 0.5, TColor{0x00000000}}, // 0.5 -> 0 twice (halves to even)
        {TColor{0x00FFFFFF}, TColor{0x00000000}, 0.05, TColor{0x000D0D0D}}, // 12.75 -> 13
    };
    for (const LerpRow& row : rows)
        EXPECT_EQ(Hex(LerpColor(row.c1, row.c2, row.fraction)), Hex(row.expected))
            << Hex(row.c1) << " " << Hex(row.c2) << " f=" << row.fraction;
}

struct ShiftRow {
    int amount;
    Pixel pixel;
    Pixel expected;
};

TEST(ColorOps, ShiftSaturationMovesChannelsAwayFromGrey) {
    const ShiftRow rows[] = {
        {0, 0x12345678, 0x12345678},
        {-100, 0x80C86400, 0x80646464},  // mean of 200, 100, 0
        {-100, 0x00010000, 0x00000000},  // mean 0.33 -> 0
        {-100, 0x00FFFF00, 0x00AAAAAA},  // mean 170
        {50, 0x7FC86400, 0x7FFA6400},    // R 250, G 100, B -50 -> 0
        {100, 0x00C86400, 0x00FF6400},   // R 300 -> 255
        {5, 0x000A141E, 0x000A141E},     // R 9.5 -> 10, B 30.5 -> 30 (ties to even)
        {-50, 0x00C86400, 0x00966432},   // R 150, B 50
    };
    for (const ShiftRow& row : rows)
        EXPECT_EQ(Hex(ShiftSaturation(row.amount, row.pixel)), Hex(row.expected))
            << "p=" << row.amount << " pixel " << Hex(row.pixel);
}

TEST(ColorOps, ShiftHueTurnsAroundTheColourCircle) {
    const ShiftRow rows[] = {
        {120, 0x00FF0000, 0x0000FF00},  // red -> green
        {240, 0x00FF0000, 0x000000FF},  // red -> blue
        {-120, 0x00FF0000, 0x000000FF}, // the other way round gives blue as well
        {-480, 0x00FF0000, 0x000000FF},
        {360, 0x80FF0000, 0x80FF0000},
        {30, 0x00FF0000, 0x00FF8000},   // T = 127.5 -> 128
        {30, 0x00FF8000, 0x00FFFF00},   // hue 30.1 + 30 -> 60: yellow
        {180, 0x00C86464, 0x0064C8C8},  // S = 0.5: (P, Q, V) = (100, 200, 200)
        {0, 0x12345678, 0x12345678},
        {77, 0xC0808080, 0xC0808080},   // grey stays
        {200, 0x00000000, 0x00000000},
    };
    for (const ShiftRow& row : rows)
        EXPECT_EQ(Hex(ShiftHue(row.amount, row.pixel)), Hex(row.expected))
            << "d=" << row.amount << " pixel " << Hex(row.pixel);
}

TEST(ColorOps, ColourValueShiftsWorkInColourOrder) {
    EXPECT_EQ(Hex(ShiftHueColor(120, TColor{0x0000FF})), Hex(0x00FF00)); // red -> green
    EXPECT_EQ(Hex(ShiftHueColor(240, TColor{0x0000FF})), Hex(0xFF0000)); // red -> blue (colour order)
    EXPECT_EQ(Hex(ShiftHueColor(0, TColor{0xFF00000F})), Hex(0xFF00000F));
    EXPECT_EQ(Hex(ShiftSaturationColor(TColor{0x0064C8}, 50)), Hex(ShiftSaturation(50, 0x0064C8)));
    EXPECT_EQ(Hex(ShiftSaturationColor(TColor{0xFF000005}, 0)), Hex(0xFF000005));
}

} // namespace
} // namespace skin

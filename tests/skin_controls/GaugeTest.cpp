// The skinned gauge: the filled width for a few values, the text in both sections' colours, the
// light strip's place after k ticks of the sweep and its period, the strip picture and the LRGN
// shape rule.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "resources/TovrinResources.h"
#include "skin/controls/sGauge.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using skin::test::Hex;

constexpr int kWidth = 205, kHeight = 17;
constexpr int kMiddleRow = 8;
constexpr int kBorder = 3; // the GAUGE frame's width

class Gauges : public ::testing::Test {
protected:
    void SetUp() override {
        if (GaugeLightPicture().Empty())
            SetGaugeLightPicture(ReadPng(GaugeLightPng(), "VLGL"));
        window_ = std::make_unique<QWidget>();
        window_->resize(240, 40);
        gauge_ = new TsGauge(window_.get());
        gauge_->setGeometry(0, 10, kWidth, kHeight);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        gauge_->setFont(font);
        gauge_->SetAnimated(false);
        gauge_->SetShowText(false);
        ShowExposed(window_.get());
    }
    Bitmap32 At(int maxValue, int progress) {
        gauge_->SetMaxValue(maxValue);
        gauge_->SetProgress(progress);
        return gauge_->PaintSkinned();
    }
    std::unique_ptr<QWidget> window_;
    TsGauge* gauge_ = nullptr;
};

TEST_F(Gauges, FilledWidthFollowsThePercentage) {
    const Bitmap32 empty = At(100, 0);
    const Bitmap32 full = At(100, 100);
    ASSERT_FALSE(empty.Empty());
    ASSERT_NE(empty.At(100, kMiddleRow), full.At(100, kMiddleRow));
    struct Row {
        int Max, Progress, Filled;
    };
    // trunc(205 * p / 100): 33 % of 205 is 67.
    const Row rows[] = {{100, 0, 0}, {3, 1, 67}, {100, 50, 102}, {100, 100, 205}, {0, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.Progress) + " of " + std::to_string(row.Max));
        gauge_->SetMinValue(0);
        const Bitmap32 shown = At(row.Max, row.Progress);
        for (int x = kBorder; x < kWidth - kBorder; ++x) {
            const Bitmap32& expected = x < row.Filled ? full : empty;
            ASSERT_EQ(Hex(shown.At(x, kMiddleRow)), Hex(expected.At(x, kMiddleRow))) << "x " << x;
        }
    }
}

TEST_F(Gauges, TextTakesTheFillsColourOverTheFillAndTheGaugesBeyond) {
    // PROGRESSH writes white, GAUGE a dark slate: over the fill the text is lighter than the
    // fill, beyond it darker than the gauge.
    const Bitmap32 plain = At(100, 50);
    gauge_->SetShowText(true);
    const Bitmap32 shown = At(100, 50); // "50%" straddles the fill's edge at 102
    const auto brightness = [](Pixel p) { return Byte0(p) + Byte1(p) + Byte2(p); };
    int lighter = 0, darker = 0, wrong = 0;
    for (int y = kBorder; y < kHeight - kBorder; ++y)
        for (int x = kBorder; x < kWidth - kBorder; ++x) {
            const int change = brightness(shown.At(x, y)) - brightness(plain.At(x, y));
            if (x < 102) {
                lighter += change > 0;
                wrong += change < 0;
            } else {
                darker += change < 0;
                wrong += change > 0;
            }
        }
    EXPECT_GT(lighter, 0);
    EXPECT_GT(darker, 0);
    EXPECT_EQ(wrong, 0);
}

TEST_F(Gauges, LightStripMovesFifteenPixelsATickAndRestartsEvery102Ticks) {
    EXPECT_EQ(SweepStep(205), 15);
    EXPECT_EQ(SweepStep(1010), 20); // round(1010 / 50.5)
    const Bitmap32 still = At(100, 100);
    gauge_->SetAnimated(true);
    const auto litColumns = [&] {
        const Bitmap32 lit = gauge_->PaintSkinned();
        std::pair<int, int> span{kWidth, -1};
        for (int x = 0; x < kWidth; ++x)
            if (lit.At(x, kMiddleRow) != still.At(x, kMiddleRow))
                span = {std::min(span.first, x), std::max(span.second, x)};
        return span;
    };
    // The first tick starts a sweep at -300; each tick moves the strip on after painting.
    for (int k = 1; k <= 25; ++k)
        gauge_->SweepTick();
    EXPECT_EQ(gauge_->SweepPos(), -300 + 25 * 15);
    const auto [first, last] = litColumns();
    EXPECT_GE(first, 75);
    EXPECT_LE(last, kWidth - 1);
    EXPECT_LT(first, last);
    // Past the bar the strip waits for the next period, which starts at tick 103.
    for (int k = 26; k <= 102; ++k)
        gauge_->SweepTick();
    EXPECT_GE(gauge_->SweepPos(), kWidth);
    EXPECT_EQ(litColumns().second, -1);
    gauge_->SweepTick();
    EXPECT_EQ(gauge_->SweepPos(), -300 + 15);
    EXPECT_EQ(gauge_->SweepClock(), 22);
}

TEST_F(Gauges, NoStripBeyondAShortFillAndNoTimerWithoutProgress) {
    const Bitmap32 still = At(100, 10);
    gauge_->SetAnimated(true);
    for (int k = 1; k <= 25; ++k) // strip at 75..374, the fill 0..19
        gauge_->SweepTick();
    EXPECT_EQ(gauge_->PaintSkinned(), still);
    EXPECT_TRUE(gauge_->Sweeping());
    gauge_->SetProgress(0);
    EXPECT_FALSE(gauge_->Sweeping());
}

TEST(GaugeLight, StripIsTheMiddleRowsOfThePictureStretched) {
    Bitmap32 picture(60, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            picture.At(x, y) = Pixel(y << 8 | x);
    // A 17-pixel bar starts at row (20 - 17) / 2 + 1 = 2: rows 2..19 onto 17 rows.
    const Bitmap32 strip = MakeLightStrip(picture, 17);
    ASSERT_EQ(strip.Width(), 300);
    ASSERT_EQ(strip.Height(), 17);
    EXPECT_EQ(Hex(strip.At(0, 0)), Hex(Pixel(2 << 8)));
    EXPECT_EQ(Hex(strip.At(299, 16)), Hex(Pixel(19 << 8 | 59)));
    // A bar as tall as the picture takes all of it.
    EXPECT_EQ(Hex(MakeLightStrip(picture, 20).At(0, 0)), Hex(Pixel(0)));
}

TEST(GaugeLight, ShapeLetsTheLightThroughWhereItIsDark) {
    // White light at alpha 200 over black; the shape's red: 0 all, 255 none, 128 partly.
    Bitmap32 strip(300, 1);
    strip.Fill(0xC8FFFFFF);
    Bitmap32 shape(3, 1);
    shape.At(0, 0) = 0xFF000000;
    shape.At(1, 0) = 0xFFFFFFFF;
    shape.At(2, 0) = 0xFF808080;
    Bitmap32 filled(3, 1);
    filled.Fill(0xFF000000);
    LayLightStrip(filled, strip, -10, &shape);
    // a = 0: (255 * 200) >> 8; a = 128: k = (127 * 200) >> 8 = 99, (99 * 255) >> 8.
    EXPECT_EQ(Hex(filled.At(0, 0)), Hex(0xFFC7C7C7u));
    EXPECT_EQ(Hex(filled.At(1, 0)), Hex(0xFF000000u));
    EXPECT_EQ(Hex(filled.At(2, 0)), Hex(0xFF626262u));
}

} // namespace
} // namespace skin::testing

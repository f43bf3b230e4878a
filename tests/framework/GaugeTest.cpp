// The gauge's value rules: percentage and text, clamping, the range errors, OnChange.
#include "skin/controls/sGauge.h"

#include <gtest/gtest.h>

using skin::TsGauge;

TEST(GaugeTest, PercentageAndText) {
    struct Case {
        int minValue, maxValue, progress;
        bool calcPercents;
        const char* suffix;
        int storedProgress;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, true, "%", 0, "0%"},      {0, 3, 1, true, "%", 1, "33%"},
        {0, 100, 150, true, "%", 100, "100%"}, {0, 100, -5, true, "%", 0, "0%"},
        {0, 100, 7, false, "", 7, "7"},     {-50, 50, 0, true, "%", 0, "50%"},
        {0, 2147483647, 2147483647, true, " pct", 2147483647, "100 pct"},
    };
    for (const Case& c : cases) {
        TsGauge gauge;
        gauge.SetMaxValue(c.maxValue);
        gauge.SetMinValue(c.minValue);
        gauge.SetProgress(c.progress);
        gauge.SetCalcPercents(c.calcPercents);
        gauge.SetSuffix(QString::fromLatin1(c.suffix));
        EXPECT_EQ(gauge.Progress(), c.storedProgress) << c.minValue << ".." << c.maxValue << " progress " << c.progress;
        EXPECT_EQ(gauge.Text().toStdString(), c.text) << c.minValue << ".." << c.maxValue << " progress " << c.progress;
    }
}

TEST(GaugeTest, LimitsOutsideTheRangeFailAndChangeNothing) {
    struct Case {
        bool settingMax;
        int value;
        const char* message;
    };
    const Case cases[] = {
        {true, -1, "Value must be between 1 and 2147483647"},
        {false, 101, "Value must be between -2147483647 and 99"},
    };
    for (const Case& c : cases) {
        TsGauge gauge; // 0..100, Progress 47
        try {
            c.settingMax ? gauge.SetMaxValue(c.value) : gauge.SetMinValue(c.value);
            ADD_FAILURE() << "no failure for " << c.value;
        } catch (const framework::EInvalidOperation& failure) {
            EXPECT_STREQ(failure.what(), c.message);
        }
        EXPECT_EQ(gauge.MinValue(), 0);
        EXPECT_EQ(gauge.MaxValue(), 100);
        EXPECT_EQ(gauge.Progress(), 47);
    }
}

TEST(GaugeTest, WhileLoadingLimitsMayComeInAnyOrder) {
    TsGauge gauge;
    gauge.SetLoading(true);
    gauge.SetMinValue(200);
    gauge.SetMaxValue(300);
    gauge.SetLoading(false);
    EXPECT_EQ(gauge.MinValue(), 200);
    EXPECT_EQ(gauge.MaxValue(), 300);
}

TEST(GaugeTest, LimitsPullProgressAlongAndOnChangeFiresOnEveryChange) {
    TsGauge gauge;
    int changes = 0;
    gauge.OnChange = [&](QObject*) { ++changes; };
    gauge.SetMaxValue(1000);
    gauge.SetProgress(10);
    gauge.SetProgress(11); // the percentage stays 1, the event still fires
    EXPECT_EQ(gauge.PercentDone(), 1);
    EXPECT_EQ(changes, 2);
    gauge.SetProgress(11);
    gauge.SetProgress(5000); // clamped to 1000
    gauge.SetProgress(2000); // clamped to 1000 again: no change
    EXPECT_EQ(changes, 3);
    gauge.SetMaxValue(20);
    EXPECT_EQ(gauge.Progress(), 20);
    gauge.SetMinValue(15);
    gauge.SetProgress(0);
    EXPECT_EQ(gauge.Progress(), 15);
}

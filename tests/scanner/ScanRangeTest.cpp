// The walk against the demo site: lines and rows of a whole run, the controls it leaves
// behind, Stop, empty and one-number ranges, failures, and the saved log file.
#include "tests/support/DemoSiteProcess.h"
#include "ExpectedSite.h"
#include "RecordingView.h"
#include "scanner/ScanRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace scanner {
namespace {

constexpr int kNewest = 30;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string LogBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes + "\r\n";
}

class ScanRangeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site_ = new testing_support::DemoSiteProcess({"--newest", std::to_string(kNewest), "--seed", "3"}); }
    static void TearDownTestSuite() { delete site_; }

    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("tovrin-scan-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        settings_.host = site_->Host();
        settings_.logPath = folder_ / "logs.txt";
        std::filesystem::remove(settings_.logPath);
        NewestNumber.clear();
        RunFlag = false;
        ProbeNewestNumber(view_, settings_.host);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void Range(const std::string& first, const std::string& last) {
        view_.rangeStart = first;
        view_.rangeEnd = last;
    }

    static testing_support::DemoSiteProcess* site_;
    demo::DemoSiteOptions options_{kNewest, 3};
    std::filesystem::path folder_;
    ScanSettings settings_;
    testing::RecordingView view_;
};
testing_support::DemoSiteProcess* ScanRangeTest::site_ = nullptr;

TEST_F(ScanRangeTest, AWholeRunGivesOneLinePerNumberRowsWhereNamedAndLeavesTheControlsDone) {
    view_.log.push_back("an earlier line"); // lines that were not cleared are saved again
    Range("1", std::to_string(kNewest));
    ScanRange(view_, settings_);

    std::vector<std::string> lines{"an earlier line"};
    std::vector<std::vector<std::string>> rows;
    for (int n = 1; n <= kNewest; ++n) {
        testing::ExpectedPage page = testing::Expect(options_, settings_.host, n);
        lines.push_back(page.line);
        if (page.row) {
            rows.push_back(*page.row);
            rows.back().insert(rows.back().begin(), std::to_string(rows.size()));
        }
    }
    EXPECT_EQ(view_.log, lines);
    EXPECT_EQ(view_.rows, rows);
    EXPECT_EQ(ReadFile(settings_.logPath), LogBytes(lines));
    EXPECT_EQ(view_.rangeStart, std::to_string(kNewest)); // a completed run leaves it at the range end
    EXPECT_EQ(view_.panels[1], std::to_string(kNewest));
    EXPECT_EQ(view_.panels[3], "0");
    EXPECT_EQ(view_.gaugeMax, kNewest - 1);
    EXPECT_EQ(view_.gaugeProgress, kNewest - 1); // the last step is absorbed by the clamping
    EXPECT_TRUE(view_.startEnabled);
    EXPECT_FALSE(view_.stopEnabled);
    EXPECT_EQ(view_.pauses, std::vector<std::chrono::milliseconds>(kNewest, kScanPause));
    ASSERT_EQ(view_.completions.size(), 1u);
    EXPECT_EQ(view_.completions[0], framework::Utf8ToCp1251("Сбор данных с сайта " + settings_.host + " завершен!"));
}

TEST_F(ScanRangeTest, FilterLimitsRowsButNotLines) {
    std::string wanted = testing::Extension(demo::FileAt(options_, 1).fileName);
    view_.filter = wanted;
    Range("1", "12");
    ScanRange(view_, settings_);
    EXPECT_EQ(view_.log.size(), 12u);
    for (const auto& row : view_.rows)
        EXPECT_EQ(testing::Extension(row[1]), wanted) << row[1];
    EXPECT_FALSE(view_.rows.empty());
}

TEST_F(ScanRangeTest, StartAboveEndVisitsNothingButFinishesTheRun) {
    Range("20", "10");
    std::ofstream(settings_.logPath) << "a longer log of an earlier run that must not survive\r\n";
    ScanRange(view_, settings_);
    EXPECT_TRUE(view_.log.empty());
    EXPECT_EQ(ReadFile(settings_.logPath), "\r\n"); // overwritten, not appended
    EXPECT_TRUE(view_.startEnabled);
    EXPECT_FALSE(view_.stopEnabled);
    EXPECT_EQ(view_.completions.size(), 1u);
    EXPECT_EQ(view_.gaugeMax, kNewest - 20);
}

TEST_F(ScanRangeTest, OneNumberAtTheRangeEndSetsPanelThreeToZeroAndKeepsTheStart) {
    Range("17", "17");
    ScanRange(view_, settings_);
    EXPECT_EQ(view_.log, std::vector<std::string>{testing::Expect(options_, settings_.host, 17).line});
    EXPECT_EQ(view_.rangeStart, "17");
    EXPECT_EQ(view_.panels[3], "0");
}

TEST_F(ScanRangeTest, StopDuringNumberKCompletesKAndLeavesTheStartAtKPlusOne) {
    constexpr int k = 5;
    Range("1", "12");
    view_.onMessages = [](testing::RecordingView& v) {
        if (v.panels[1] == std::to_string(k))
            RunFlag = false; // Stop clicked while number k is in hand
    };
    ScanRange(view_, settings_);
    ASSERT_EQ(view_.log.size(), static_cast<std::size_t>(k));
    EXPECT_EQ(view_.log.back(), testing::Expect(options_, settings_.host, k).line);
    EXPECT_EQ(view_.rangeStart, std::to_string(k + 1));
    EXPECT_EQ(view_.panels[3], std::to_string(kNewest - k)); // newest minus panel 1
    EXPECT_EQ(view_.gaugeProgress, k);
    EXPECT_EQ(view_.pauses.size(), static_cast<std::size_t>(k));
    EXPECT_EQ(ReadFile(settings_.logPath), LogBytes(view_.log));
    EXPECT_EQ(view_.completions.size(), 1u);
}

TEST_F(ScanRangeTest, ClearingTheLogDuringARunSavesOnlyLaterLinesAndRangeEndEditsMoveTheLastTest) {
    Range("1", "6");
    view_.onMessages = [](testing::RecordingView& v) {
        if (v.panels[1] == "3" && v.log.size() == 3) {
            v.log.clear();
            v.rows.clear();
        }
        if (v.panels[1] == "4")
            v.rangeEnd = "4"; // the iteration count stays, the last-number test moves
    };
    ScanRange(view_, settings_);
    EXPECT_EQ(view_.log.size(), 3u); // numbers 4 to 6
    EXPECT_EQ(ReadFile(settings_.logPath), LogBytes(view_.log));
    EXPECT_EQ(view_.rangeStart, "6"); // 4 did not advance it; 5 and 6 did
    if (!view_.rows.empty()) {
        EXPECT_EQ(view_.rows[0][0], "1");
    }
}

TEST_F(ScanRangeTest, FailuresEndTheRunWhereTheyHappenAndRestoreNothing) {
    struct Case {
        const char* what;
        std::string first, last;
        const char* message;
    };
    const Case cases[] = {
        {"start above the newest number", "40", "50", "Value must be between 1 and 2147483647"},
        {"range start not an integer", "x1", "5", "'x1' is not a valid integer value"},
        {"range end not an integer", "1", "", "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        testing::RecordingView view;
        view.rangeStart = c.first;
        view.rangeEnd = c.last;
        try {
            ScanRange(view, settings_);
            ADD_FAILURE() << c.what << ": no failure";
        } catch (const framework::Exception& failure) {
            EXPECT_STREQ(failure.what(), c.message) << c.what;
        }
        EXPECT_FALSE(view.startEnabled) << c.what;
        EXPECT_TRUE(view.stopEnabled) << c.what;
        EXPECT_TRUE(view.completions.empty()) << c.what;
        EXPECT_FALSE(std::filesystem::exists(settings_.logPath)) << c.what;
    }
}

TEST_F(ScanRangeTest, AnUnwritableLogFolderFailsAfterTheWalkWithoutCompletion) {
    settings_.logPath = folder_ / "missing-folder" / "logs.txt";
    Range("1", "2");
    EXPECT_THROW(ScanRange(view_, settings_), framework::Exception);
    EXPECT_EQ(view_.log.size(), 2u);
    EXPECT_TRUE(view_.completions.empty());
    EXPECT_TRUE(view_.startEnabled); // step 7 ran before the save
}

} // namespace
} // namespace scanner

// The walk against the demo site: lines and rows of a whole run, the controls it leaves
// behind, Stop, empty and one-number ranges, failures, a site that stops giving pages, and the
// saved log file.
#include "tests/support/DemoSiteProcess.h"
#include "ExpectedSite.h"
#include "RecordingView.h"
#include "scanner/ScanRun.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <optional>
#include <memory>
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
    EXPECT_TRUE(view_.stops.empty());
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

// A site that dies in the middle of the range, and one that answers 503 for a number (and for
// another only once, which the retry mends): the run stops at the number the site does not
// give, with its error line last in the log, no page line for it, the range start on it, the
// log saved and the stop said instead of the completion; the next run goes on from there.
TEST_F(ScanRangeTest, ASiteThatStopsGivingPagesStopsTheRunAtThatNumberAndStartGoesOnFromIt) {
    struct Case {
        const char* what;
        std::vector<std::string> site;
        int stopAt;
        int mendedAt;       // a number the retry mended, 0 for none
        const char* reason; // "" for any: the words of the network library
        bool comesBack;     // the site answers the next run (restarted on its port)
    };
    const Case cases[] = {
        {"dies at 7", {"--die-at", "7"}, 7, 0, "", true},
        {"503 for 9, once for 4", {"--unavailable", "9", "--unavailable-once", "4"}, 9, 4,
         "The server answered 503 Service Unavailable", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments{"--newest", std::to_string(kNewest), "--seed", "3"};
        arguments.insert(arguments.end(), c.site.begin(), c.site.end());
        auto site = std::make_unique<testing_support::DemoSiteProcess>(arguments);
        testing::RecordingView view;
        ScanSettings settings = settings_;
        settings.host = site->Host();
        settings.retry = {1, std::chrono::milliseconds(777)};
        ProbeNewestNumber(view, settings.host);
        view.rangeStart = "1";
        view.rangeEnd = "12";

        std::optional<RunStop> stop = ScanRange(view, settings);
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(stop->number, c.stopAt);
        if (*c.reason) {
            EXPECT_EQ(stop->reason, c.reason);
        }
        EXPECT_FALSE(stop->reason.empty());
        ASSERT_EQ(view.log.size(), static_cast<std::size_t>(c.stopAt));
        for (int n = 1; n < c.stopAt; ++n)
            EXPECT_EQ(view.log[n - 1], testing::Expect(options_, settings.host, n).line);
        EXPECT_EQ(view.log.back().substr(view.log.back().find(" - ")), " - " + stop->reason); // the error line
        EXPECT_EQ(view.rangeStart, std::to_string(c.stopAt));
        EXPECT_EQ(view.panels[1], std::to_string(c.stopAt));
        EXPECT_EQ(view.panels[3], std::to_string(kNewest - c.stopAt));
        EXPECT_EQ(view.gaugeProgress, c.stopAt - 1);
        EXPECT_TRUE(view.startEnabled);
        EXPECT_FALSE(view.stopEnabled);
        EXPECT_TRUE(view.completions.empty());
        ASSERT_EQ(view.stops.size(), 1u);
        EXPECT_EQ(view.stops[0].number, c.stopAt);
        EXPECT_EQ(ReadFile(settings.logPath), LogBytes(view.log));
        // The pause after every number visited, the retry's wait before each second try.
        std::vector<std::chrono::milliseconds> pauses;
        for (int n = 1; n < c.stopAt; ++n) {
            if (n == c.mendedAt)
                pauses.push_back(settings.retry.delay);
            pauses.push_back(kScanPause);
        }
        pauses.push_back(settings.retry.delay);
        EXPECT_EQ(view.pauses, pauses);

        if (c.comesBack) {
            const int port = site->Port();
            site.reset();
            site = std::make_unique<testing_support::DemoSiteProcess>(
                std::vector<std::string>{"--port", std::to_string(port), "--newest", std::to_string(kNewest), "--seed", "3"});
        }
        const std::size_t before = view.log.size();
        stop = ScanRange(view, settings);
        if (c.comesBack) {
            EXPECT_FALSE(stop.has_value());
            ASSERT_EQ(view.log.size(), before + 12 - c.stopAt + 1);
            EXPECT_EQ(view.log[before], testing::Expect(options_, settings.host, c.stopAt).line);
            EXPECT_EQ(view.rangeStart, "12");
            EXPECT_EQ(view.completions.size(), 1u);
        } else {
            ASSERT_TRUE(stop.has_value());
            EXPECT_EQ(stop->number, c.stopAt); // nothing past it was asked for
            EXPECT_EQ(view.log.size(), before + 1);
            EXPECT_EQ(view.rangeStart, std::to_string(c.stopAt));
            EXPECT_EQ(view.stops.size(), 2u);
        }
    }
}

// Without a pause between pages the next page is asked for while one is read. The walk must not
// tell: the same lines, rows, controls, stop and saved log as a paused run of the same site, and
// the same waits before retries; a page asked for ahead past a Stop or a failure is not taken.
TEST_F(ScanRangeTest, WithoutAPauseTheNextPageIsAskedAheadAndTheRunIsTheSame) {
    struct Case {
        const char* what;
        std::vector<std::string> site;
        std::string first, last;
        int stopClickedAt; // 0: no Stop
        int retries = 1;
    };
    const Case cases[] = {
        {"a whole run", {}, "1", std::to_string(kNewest), 0},
        {"Stop during 5", {}, "1", "12", 5},
        {"a site that dies at 7", {"--die-at", "7"}, "1", "12", 0},
        {"a site that dies at 7, no retries: the line of the try made ahead", {"--die-at", "7"}, "1", "12", 0, 0},
        {"503 for 9, once for 4", {"--unavailable", "9", "--unavailable-once", "4"}, "1", "12", 0},
        {"a range that ends below the newest number", {}, "26", "28", 0},
    };
    struct Outcome {
        std::vector<std::string> log, completions;
        std::vector<std::vector<std::string>> rows;
        std::array<std::string, 5> panels;
        std::string rangeStart, savedLog;
        int gaugeProgress = 0;
        bool startEnabled = false, stopEnabled = false;
        std::vector<std::string> waits;
        std::optional<int> stoppedAt;
        std::vector<int> stopsSaid;
    };
    const auto run = [&](const Case& c, std::chrono::milliseconds pause) {
        std::vector<std::string> arguments{"--newest", std::to_string(kNewest), "--seed", "3"};
        arguments.insert(arguments.end(), c.site.begin(), c.site.end());
        testing_support::DemoSiteProcess site(arguments);
        ScanSettings settings = settings_;
        settings.host = site.Host();
        settings.pause = pause;
        settings.retry = {c.retries, std::chrono::milliseconds(30)};
        testing::RecordingView view;
        NewestNumber.clear();
        ProbeNewestNumber(view, settings.host);
        view.rangeStart = c.first;
        view.rangeEnd = c.last;
        if (c.stopClickedAt)
            view.onMessages = [&c](testing::RecordingView& v) {
                if (v.panels[1] == std::to_string(c.stopClickedAt))
                    RunFlag = false;
            };
        const std::optional<RunStop> stop = ScanRange(view, settings);
        // The runs have sites on different ports, and error lines carry the time of day and the
        // network library's words, which for a site that dies depend on when it went.
        const auto same = [&settings](std::string line) {
            if (line.rfind("http://", 0) != 0)
                return std::string("an error line");
            for (std::size_t at; (at = line.find(settings.host)) != std::string::npos;)
                line.replace(at, settings.host.size(), "HOST");
            return line;
        };
        Outcome o;
        for (const std::string& line : view.log)
            o.log.push_back(same(line));
        for (const std::string& line : view.completions)
            o.completions.push_back(same("http://" + line));
        o.rows = view.rows;
        o.panels = view.panels;
        o.rangeStart = view.rangeStart;
        for (const std::string& line : view.log)
            o.savedLog += same(line) + "\n";
        EXPECT_EQ(ReadFile(settings.logPath), LogBytes(view.log)) << c.what;
        o.gaugeProgress = view.gaugeProgress;
        o.startEnabled = view.startEnabled;
        o.stopEnabled = view.stopEnabled;
        for (std::chrono::milliseconds wait : view.pauses)
            o.waits.push_back(wait == pause ? "page" : std::to_string(wait.count()));
        if (stop)
            o.stoppedAt = stop->number;
        for (const RunStop& s : view.stops)
            o.stopsSaid.push_back(s.number);
        return o;
    };
    for (const Case& c : cases) {
        const Outcome paused = run(c, kScanPause);
        const Outcome ahead = run(c, std::chrono::milliseconds(0));
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ahead.log, paused.log);
        EXPECT_EQ(ahead.savedLog, paused.savedLog);
        EXPECT_EQ(ahead.rows, paused.rows);
        EXPECT_EQ(ahead.panels, paused.panels);
        EXPECT_EQ(ahead.rangeStart, paused.rangeStart);
        EXPECT_EQ(ahead.gaugeProgress, paused.gaugeProgress);
        EXPECT_EQ(ahead.startEnabled, paused.startEnabled);
        EXPECT_EQ(ahead.stopEnabled, paused.stopEnabled);
        EXPECT_EQ(ahead.waits, paused.waits);
        EXPECT_EQ(ahead.stoppedAt, paused.stoppedAt);
        EXPECT_EQ(ahead.stopsSaid, paused.stopsSaid);
        EXPECT_EQ(ahead.completions, paused.completions);
        EXPECT_FALSE(paused.log.empty());
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

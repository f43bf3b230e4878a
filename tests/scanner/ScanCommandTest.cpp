// The tovrin-scan contract: exit statuses, UTF-8 output, the log file in the window's bytes,
// CSV and JSON exports, the host settings and Ctrl+C.
#include "tests/support/DemoSiteProcess.h"
#include "ExpectedSite.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <spawn.h>

#include <algorithm>
#include <filesystem>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

extern char** environ;

namespace scanner {
namespace {

constexpr int kNewest = 25;
using framework::Cp1251ToUtf8;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Finished {
    int status = -1;
    std::string out, err;
};

class ScanCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site_ = new testing_support::DemoSiteProcess({"--newest", std::to_string(kNewest), "--seed", "11"}); }
    static void TearDownTestSuite() { delete site_; }
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("tovrin-cli-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // errFd: where standard error goes (a terminal, say); -1: the file "err".
    pid_t Start(std::vector<std::string> args, const std::vector<std::string>& environment = {}, int errFd = -1) {
        args.insert(args.begin(), TOVRIN_SCAN_PATH);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> envStrings;
        for (char** e = environ; *e; ++e)
            if (std::string_view(*e).rfind("TOVRIN_HOST=", 0) != 0)
                envStrings.push_back(*e);
        envStrings.insert(envStrings.end(), environment.begin(), environment.end());
        std::vector<char*> envp;
        for (std::string& e : envStrings)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, (folder_ / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errFd >= 0)
            posix_spawn_file_actions_adddup2(&actions, errFd, 2);
        else
            posix_spawn_file_actions_addopen(&actions, 2, (folder_ / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    Finished Wait(pid_t pid) {
        Finished f;
        int raw = 0;
        waitpid(pid, &raw, 0);
        f.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
        f.out = ReadFile(folder_ / "out");
        f.err = ReadFile(folder_ / "err");
        return f;
    }
    Finished Run(std::vector<std::string> args, const std::vector<std::string>& environment = {}) {
        return Wait(Start(std::move(args), environment));
    }
    // As Run, with standard error on a terminal (a pseudo-terminal read here) as a user sees it.
    Finished RunOnTerminal(std::vector<std::string> args) {
        int terminal = -1, side = -1;
        if (openpty(&terminal, &side, nullptr, nullptr, nullptr) != 0)
            return {};
        pid_t pid = Start(std::move(args), {}, side);
        close(side);
        std::string shown;
        char buffer[4096];
        for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, static_cast<std::size_t>(n));
        close(terminal);
        Finished f = Wait(pid);
        f.err = shown;
        return f;
    }

    static testing_support::DemoSiteProcess* site_;
    demo::DemoSiteOptions options_{kNewest, 11};
    std::filesystem::path folder_;
};
testing_support::DemoSiteProcess* ScanCommandTest::site_ = nullptr;

TEST_F(ScanCommandTest, BadArgumentsGiveUsageAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"abc"},
        {"1", "2", "3"},
        {"--delay", "soon", "1"},
        {"--bogus", "1"},
        {"--filter", "tar.gz", "1"},
        {"--host", "a b", "1"},
        {"--host", "x:99999", "1"},
        {"--log"},
        {"99999999999"},
    };
    for (const auto& args : cases) {
        Finished f = Run(args);
        std::string shown;
        for (const std::string& a : args)
            shown += a + " ";
        EXPECT_EQ(f.status, 2) << shown;
        EXPECT_NE(f.err.find("usage: tovrin-scan"), std::string::npos) << shown;
        EXPECT_TRUE(f.out.empty()) << shown;
    }
    Finished bad = Run({"1"}, {"TOVRIN_HOST=http://x/"});
    EXPECT_EQ(bad.status, 2);
}

TEST_F(ScanCommandTest, ARunPrintsUtf8LinesSavesTheWindowsLogAndExportsTheTable) {
    const int last = kNewest;
    auto log = folder_ / "logs.txt";
    Finished f = Run({"--host", site_->Host(), "--delay", "0", "--log", log.string(), "--csv", (folder_ / "t.csv").string(),
                      "--json", (folder_ / "t.json").string(), "1", std::to_string(last)});
    ASSERT_EQ(f.status, 0) << f.err;

    std::string out, logBytes, csv = "№,Название,PwD,Размер,ID,Загрузок,Загружен,kind\r\n", json = "[";
    int row = 0;
    std::set<std::string> kindsExported;
    for (int n = 1; n <= last; ++n) {
        testing::ExpectedPage page = testing::Expect(options_, site_->Host(), n);
        out += Cp1251ToUtf8(page.line) + "\n";
        logBytes += page.line + "\r\n";
        if (page.row) {
            std::vector<std::string> cells{std::to_string(++row)};
            for (const std::string& text : *page.row)
                cells.push_back(Cp1251ToUtf8(text));
            cells.push_back(page.kind);
            kindsExported.insert(page.kind);
            static const char* keys[] = {"№", "Название", "PwD", "Размер", "ID", "Загрузок", "Загружен", "kind"};
            json += row == 1 ? "\n  {" : ",\n  {";
            for (std::size_t i = 0; i < cells.size(); ++i) {
                csv += (i ? "," : "") + cells[i];
                json += std::string(i ? ", " : "") + "\"" + keys[i] + "\": \"" + cells[i] + "\"";
            }
            csv += "\r\n";
            json += "}";
        }
    }
    json += "\n]\n";
    out += "Сбор данных с сайта " + site_->Host() + " завершен!\n";
    EXPECT_EQ(f.out, out);
    EXPECT_EQ(ReadFile(log), logBytes + "\r\n");
    EXPECT_EQ(ReadFile(folder_ / "t.csv"), csv);
    EXPECT_EQ(ReadFile(folder_ / "t.json"), json);
    EXPECT_TRUE(f.err.empty()) << f.err; // no progress bar when standard error is not a terminal
    // Each kind a row can come from is among them (a missing page has no row).
    EXPECT_EQ(kindsExported, (std::set<std::string>{"deleted", "private", "password", "normal"}));
}

// On a terminal the bar counts the numbers asked for, not the window's gauge (which for 1..10 of
// 25 numbers would end at 41 %), and shows the number in hand, the rate and the time left.
TEST_F(ScanCommandTest, TheProgressBarOnATerminalCountsTheNumbersAskedFor) {
    auto log = folder_ / "logs.txt";
    Finished f = RunOnTerminal({"--host", site_->Host(), "--delay", "20", "--log", log.string(), "1", "10"});
    ASSERT_EQ(f.status, 0) << f.err;
    std::vector<std::string> frames; // what each redraw of the bar shows
    for (std::size_t at = 0; (at = f.err.find("\r[", at)) != std::string::npos; ++at)
        frames.push_back(f.err.substr(at + 1, f.err.find_first_of("\r\033", at + 1) - at - 1));
    ASSERT_FALSE(frames.empty()) << f.err;
    EXPECT_EQ(frames.front(), "[..............................] 0/10");
    EXPECT_TRUE(std::regex_match(frames.back(), std::regex(R"(\[#{30}\] 10/10  number 10  [0-9]+\.[0-9] pages/s  0:00 left)")))
        << frames.back();
    const auto halfway = std::find_if(frames.begin(), frames.end(), [](const std::string& frame) {
        return frame.find(" 5/10  number 5  ") != std::string::npos;
    });
    ASSERT_NE(halfway, frames.end()) << f.err;
    EXPECT_EQ(halfway->substr(0, 32), "[###############...............]");
    EXPECT_NE(halfway->find(" left"), std::string::npos) << *halfway;
    // The log is what it is without a terminal; the bar is erased before the completion message.
    EXPECT_EQ(f.out.substr(f.out.rfind('\n', f.out.size() - 2) + 1), "Сбор данных с сайта " + site_->Host() + " завершен!\n");
    EXPECT_EQ(std::count(f.out.begin(), f.out.end(), '\n'), 11);
    EXPECT_EQ(f.err.substr(f.err.size() - 4), "\r\033[K");
}

TEST_F(ScanCommandTest, LastDefaultsToTheNewestNumberAndTheHostComesFromTheEnvironment) {
    auto log = folder_ / "logs.txt";
    Finished f = Run({"--quiet", "--delay", "0", "--log", log.string(), std::to_string(kNewest - 2)},
                     {"TOVRIN_HOST=" + site_->Host()});
    ASSERT_EQ(f.status, 0) << f.err;
    EXPECT_EQ(f.out, "Сбор данных с сайта " + site_->Host() + " завершен!\n"); // --quiet keeps only the completion
    std::string expected;
    for (int n = kNewest - 2; n <= kNewest; ++n)
        expected += testing::Expect(options_, site_->Host(), n).line + "\r\n";
    EXPECT_EQ(ReadFile(log), expected + "\r\n");
}

// Without the newest number nothing can be scanned: the failure is told once, in words, with its
// cause (the probe's fetch error line, or what the main page lacks), and the log is saved.
TEST_F(ScanCommandTest, ASiteWithoutANewestNumberFailsOnceWithItsCauseStatusOneAndTheSavedLog) {
    testing_support::DemoSiteProcess empty({"--newest", "0"});
    const std::string closed = "127.0.0.1:1";
    struct Case {
        std::string host;
        bool fetchFails;
    };
    for (const Case& c : {Case{closed, true}, Case{empty.Host(), false}}) {
        SCOPED_TRACE(c.host);
        auto log = folder_ / "logs.txt";
        std::filesystem::remove(log);
        Finished f = Run({"--host", c.host, "--log", log.string(), "1", "3"});
        EXPECT_EQ(f.status, 1);
        const std::string said = "tovrin-scan: the newest number could not be read from http://" + c.host + "/main: ";
        ASSERT_EQ(f.err.rfind(said, 0), 0u) << f.err;
        EXPECT_EQ(std::count(f.err.begin(), f.err.end(), '\n'), 1) << f.err;
        EXPECT_EQ(f.err.find("valid integer"), std::string::npos) << f.err;
        std::string saved = ReadFile(log);
        ASSERT_GE(saved.size(), 2u);
        EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
        if (c.fetchFails) {
            // The cause is the fetch error line, as the saved log holds it.
            const std::string line = saved.substr(0, saved.find("\r\n"));
            EXPECT_NE(line.find(" - "), std::string::npos) << line;
            EXPECT_EQ(f.err, said + Cp1251ToUtf8(line) + "\n");
            EXPECT_EQ(f.out, Cp1251ToUtf8(line) + "\n"); // printed as a log line, and nothing else
        } else {
            EXPECT_EQ(f.err, said + "the page links to no file number\n");
            EXPECT_TRUE(f.out.empty()) << f.out;
            EXPECT_EQ(saved, "\r\n"); // an empty log
        }
    }
}

// Every output is tried before the first fetch: a path that cannot be written costs no scan.
TEST_F(ScanCommandTest, AnOutputThatCannotBeWrittenStopsTheRunBeforeTheFirstFetch) {
    std::filesystem::create_directories(folder_ / "a-folder");
    const std::string missing = (folder_ / "no-folder" / "x").string();
    const std::string aFolder = (folder_ / "a-folder").string();
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const Case cases[] = {
        {{"--log", missing}, "Cannot write file \"" + missing + "\": No such file or directory."},
        {{"--csv", missing}, "Cannot write file \"" + missing + "\": No such file or directory."},
        {{"--json", aFolder}, "Cannot write file \"" + aFolder + "\": Is a directory."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options[0]);
        std::vector<std::string> args = {"--host", site_->Host(), "--delay", "0"};
        if (c.options[0] != "--log")
            args.insert(args.end(), {"--log", (folder_ / "logs.txt").string()});
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"1", std::to_string(kNewest)});
        Finished f = Run(args);
        EXPECT_EQ(f.status, 1);
        EXPECT_EQ(f.err, "tovrin-scan: " + c.message + "\n");
        EXPECT_TRUE(f.out.empty()) << f.out; // not a page was visited
        EXPECT_FALSE(std::filesystem::exists(folder_ / "logs.txt"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "a-folder"), {}), 0); // no leftovers
    }

    // Two outputs on one file would keep only the last written: refused as bad arguments.
    Finished same = Run({"--host", site_->Host(), "--log", (folder_ / "t").string(), "--csv", (folder_ / "." / "t").string(), "1"});
    EXPECT_EQ(same.status, 2);
    EXPECT_EQ(same.err.rfind("tovrin-scan: --log and --csv name the same file\n", 0), 0u) << same.err;
}

// A log that becomes unwritable during the walk (its folder goes) fails at the end: reported
// once, status 1, no completion message.
TEST_F(ScanCommandTest, ALogThatCannotBeWrittenFailsWithStatusOneOnceAndNoCompletion) {
    std::filesystem::create_directories(folder_ / "going");
    pid_t pid = Start({"--host", site_->Host(), "--delay", "200", "--log", (folder_ / "going" / "logs.txt").string(), "1", "3"});
    for (int i = 0; i < 200 && ReadFile(folder_ / "out").find('\n') == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::filesystem::remove_all(folder_ / "going");
    Finished f = Wait(pid);
    EXPECT_EQ(f.status, 1);
    std::size_t first = f.err.find("Cannot write file");
    ASSERT_NE(first, std::string::npos) << f.err;
    EXPECT_EQ(f.err.find("Cannot write file", first + 1), std::string::npos) << f.err;
    EXPECT_EQ(f.out.find("завершен!"), std::string::npos);
    EXPECT_NE(f.out.find("/3 - "), std::string::npos); // the walk itself ran
}

// The range edits' limits apply as in the window (FIRST 1 to newest - 1, LAST 0 to newest), and
// a number they change is said once on standard error.
TEST_F(ScanCommandTest, ARangeBeyondTheEditsLimitsIsBroughtWithinThemAndSaidSo) {
    const std::string limits = " (FIRST may be 1 to 24, LAST 0 to 25)\n";
    struct Case {
        std::vector<std::string> range;
        int first, last; // what is scanned
        std::string said;
    };
    const Case cases[] = {
        {{"500", "900"}, kNewest - 1, kNewest, "FIRST 500 is now 24, LAST 900 is now 25"},
        {{"0", "2"}, 1, 2, "FIRST 0 is now 1"},
        {{"3", "900"}, 3, kNewest, "LAST 900 is now 25"},
        {{"30"}, kNewest - 1, kNewest, "FIRST 30 is now 24"},
        {{"0002", "3"}, 2, 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range[0]);
        auto log = folder_ / "logs.txt";
        std::vector<std::string> args = {"--host", site_->Host(), "--delay", "0", "--quiet", "--log", log.string()};
        args.insert(args.end(), c.range.begin(), c.range.end());
        Finished f = Run(args);
        ASSERT_EQ(f.status, 0) << f.err;
        EXPECT_EQ(f.err, c.said.empty() ? "" : "tovrin-scan: range changed to fit the site: " + c.said + limits);
        std::string expected;
        for (int n = c.first; n <= c.last; ++n)
            expected += testing::Expect(options_, site_->Host(), n).line + "\r\n";
        EXPECT_EQ(ReadFile(log), expected + "\r\n");
    }
}

TEST_F(ScanCommandTest, CtrlCStopsAfterTheNumberInHandSavesTheLogAndGivesStatus130) {
    auto log = folder_ / "logs.txt";
    pid_t pid = Start({"--host", site_->Host(), "--delay", "150", "--log", log.string(), "1", std::to_string(kNewest)});
    for (int i = 0; i < 200 && ReadFile(folder_ / "out").find('\n') == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(pid, SIGINT);
    Finished f = Wait(pid);
    EXPECT_EQ(f.status, 130) << f.err;
    std::string saved = ReadFile(log);
    std::size_t lines = 0;
    std::string printed;
    for (std::size_t at = 0; (at = saved.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    ASSERT_GE(lines, 2u);
    EXPECT_LT(lines - 1, static_cast<std::size_t>(kNewest));
    for (std::size_t n = 1; n < lines; ++n)
        printed += Cp1251ToUtf8(testing::Expect(options_, site_->Host(), static_cast<int>(n)).line) + "\n";
    EXPECT_EQ(f.out, printed + "Сбор данных с сайта " + site_->Host() + " завершен!\n");
}

} // namespace
} // namespace scanner

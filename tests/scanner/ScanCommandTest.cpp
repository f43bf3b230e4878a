// The tovrin-scan contract: exit statuses, UTF-8 output, the log file in the window's bytes,
// CSV and JSON exports to files, links, FIFOs and standard output, the host settings, a site
// that stops giving pages, and Ctrl+C.
#include "tests/support/DemoSiteProcess.h"
#include "ExpectedSite.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <pty.h>
#include <spawn.h>

#include <algorithm>
#include <filesystem>

#include <fstream>
#include <memory>
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
        {"--host", "https://x/", "1"},
        {"--host", "[::1", "1"},
        {"--host", "[::1]:0", "1"},
        {"--host", "[::1]x", "1"},
        {"--host", "[example.org]", "1"},
        {"--log"},
        {"99999999999"},
        {"--retries", "many", "1"},
        {"--retry-delay", "-5", "1"},
        {"--log", "-", "1"},
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
    Finished bad = Run({"1"}, {"TOVRIN_HOST=https://x/"}); // the site is read over plain HTTP
    EXPECT_EQ(bad.status, 2);
}

// A range that names no file is said in one line, before anything is fetched.
TEST_F(ScanCommandTest, ARangeThatNamesNoFileIsAOneLineUsageError) {
    struct Case {
        std::vector<std::string> range;
        std::string said;
    };
    const Case cases[] = {
        {{"9", "5"}, "tovrin-scan: FIRST 9 comes after LAST 5\n"},
        {{"1", "0"}, "tovrin-scan: LAST 0 names no file (file numbers start at 1)\n"},
        {{"0", "0"}, "tovrin-scan: LAST 0 names no file (file numbers start at 1)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range[0] + " " + c.range[1]);
        auto log = folder_ / "logs.txt";
        Finished f = Run({"--host", site_->Host(), "--log", log.string(), c.range[0], c.range[1]});
        EXPECT_EQ(f.status, 2);
        EXPECT_EQ(f.err, c.said);
        EXPECT_EQ(f.out, "");
        EXPECT_FALSE(std::filesystem::exists(log));
    }
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
    EXPECT_EQ(f.out, ""); // --quiet prints nothing on success
    EXPECT_EQ(f.err, "");
    std::string expected;
    for (int n = kNewest - 2; n <= kNewest; ++n)
        expected += testing::Expect(options_, site_->Host(), n).line + "\r\n";
    EXPECT_EQ(ReadFile(log), expected + "\r\n");
}

// Without the newest number nothing can be scanned: the failure is told once, in words, with its
// cause (the message of the probe's fetch error line, or what the main page lacks), and the log
// is saved.
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
            // The cause is the message of the fetch error line that the saved log holds.
            const std::string line = saved.substr(0, saved.find("\r\n"));
            ASSERT_NE(line.find(" - "), std::string::npos) << line;
            EXPECT_EQ(f.err, said + Cp1251ToUtf8(line.substr(line.find(" - ") + 3)) + "\n");
            EXPECT_TRUE(f.out.empty()) << f.out; // said once, not again as a log line
        } else {
            EXPECT_EQ(f.err, said + "the page links to no file number\n");
            EXPECT_TRUE(f.out.empty()) << f.out;
            EXPECT_EQ(saved, "\r\n"); // an empty log
        }
    }
}

// Every output is tried before the first fetch: a path that cannot be written costs no scan and
// is a usage error.
TEST_F(ScanCommandTest, AnOutputThatCannotBeWrittenIsAUsageErrorBeforeTheFirstFetch) {
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
        EXPECT_EQ(f.status, 2);
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

// A site that dies in the middle of the range, or answers 503 for a number: status 1, the stop
// said once on standard error with the command that goes on, the error line as the last log
// line (printed and saved), no completion; the run that goes on starts at that number.
TEST_F(ScanCommandTest, ASiteThatStopsGivingPagesStopsTheRunWithStatusOneAndSaysHowToGoOn) {
    struct Case {
        const char* what;
        std::vector<std::string> site;
        std::vector<std::string> options;
        int stopAt;
        const char* reason; // "" for any
    };
    const Case cases[] = {
        {"dies at 6", {"--die-at", "6"}, {}, 6, ""},
        {"503 for 8; once for 3, which the retry mends", {"--unavailable", "8", "--unavailable-once", "3"}, {}, 8,
         "The server answered 503 Service Unavailable"},
        {"once for 3, without retries", {"--unavailable-once", "3"}, {"--retries", "0"}, 3,
         "The server answered 503 Service Unavailable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> siteArguments{"--newest", std::to_string(kNewest), "--seed", "11"};
        siteArguments.insert(siteArguments.end(), c.site.begin(), c.site.end());
        auto site = std::make_unique<testing_support::DemoSiteProcess>(siteArguments);
        auto log = folder_ / "logs.txt";
        std::vector<std::string> args = {"--host", site->Host(), "--delay", "0", "--retry-delay", "20", "--log", log.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"1", "12"});
        Finished f = Run(args);
        EXPECT_EQ(f.status, 1);
        const std::string said = "tovrin-scan: stopped at " + std::to_string(c.stopAt) + ": ";
        ASSERT_EQ(f.err.rfind(said, 0), 0u) << f.err;
        const std::string reason = f.err.substr(said.size(), f.err.rfind("; continue with ") - said.size());
        EXPECT_EQ(f.err, said + reason + "; continue with " + std::to_string(c.stopAt) + " 12\n");
        if (*c.reason) {
            EXPECT_EQ(reason, c.reason);
        }
        std::string printed, saved;
        for (int n = 1; n < c.stopAt; ++n) {
            const testing::ExpectedPage page = testing::Expect(options_, site->Host(), n);
            printed += Cp1251ToUtf8(page.line) + "\n";
            saved += page.line + "\r\n";
        }
        ASSERT_EQ(f.out.rfind(printed, 0), 0u) << f.out;
        const std::string errorLine = f.out.substr(printed.size());
        EXPECT_TRUE(std::regex_match(errorLine, std::regex(R"(\d\d:\d\d:\d\d - )" + std::regex_replace(reason, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") + "\n")))
            << errorLine;
        EXPECT_EQ(ReadFile(log), saved + framework::Utf8ToCp1251(errorLine.substr(0, errorLine.size() - 1)) + "\r\n\r\n");

        // Going on as told, with the site answering again on its port.
        const int port = site->Port();
        site.reset();
        site = std::make_unique<testing_support::DemoSiteProcess>(
            std::vector<std::string>{"--port", std::to_string(port), "--newest", std::to_string(kNewest), "--seed", "11"});
        Finished on = Run({"--host", site->Host(), "--delay", "0", "--quiet", "--log", log.string(), std::to_string(c.stopAt), "12"});
        EXPECT_EQ(on.status, 0) << on.err;
        std::string rest;
        for (int n = c.stopAt; n <= 12; ++n)
            rest += testing::Expect(options_, site->Host(), n).line + "\r\n";
        EXPECT_EQ(ReadFile(log), rest + "\r\n");
    }
}

// The host as a pasted address, and an IPv6 loopback site.
TEST_F(ScanCommandTest, TheHostMayBeAnAddressOrInBrackets) {
    testing_support::DemoSiteProcess ipv6({"--address", "::1", "--newest", std::to_string(kNewest), "--seed", "11"});
    struct Case {
        std::string given;
        std::string host; // as the log lines name it
    };
    const Case cases[] = {
        {"http://" + site_->Host() + "/main", site_->Host()},
        {"HTTP://" + site_->Host(), site_->Host()},
        {"http://" + site_->Host() + "/", site_->Host()},
        {"[::1]:" + std::to_string(ipv6.Port()), "[::1]:" + std::to_string(ipv6.Port())},
        {"http://[::1]:" + std::to_string(ipv6.Port()) + "/7?x", "[::1]:" + std::to_string(ipv6.Port())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        auto log = folder_ / "logs.txt";
        Finished f = Run({"--host", c.given, "--delay", "0", "--quiet", "--log", log.string(), "2", "3"});
        ASSERT_EQ(f.status, 0) << f.err;
        EXPECT_EQ(ReadFile(log), testing::Expect(options_, c.host, 2).line + "\r\n" +
                                     testing::Expect(options_, c.host, 3).line + "\r\n\r\n");
    }
}

// Exports to standard output ("-", the log lines then on standard error), through a symbolic
// link (the link stays), into a FIFO with a reader, and to /dev/stdout.
TEST_F(ScanCommandTest, ExportsGoToStandardOutputThroughLinksAndIntoFifos) {
    const std::vector<std::string> run = {"--host", site_->Host(), "--delay", "0", "--log", (folder_ / "logs.txt").string()};
    auto scan = [&](std::vector<std::string> options) {
        std::vector<std::string> args = run;
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"1", "6"});
        return Run(args);
    };
    Finished reference = scan({"--csv", (folder_ / "reference.csv").string(), "--json", (folder_ / "reference.json").string()});
    ASSERT_EQ(reference.status, 0) << reference.err;
    const std::string csv = ReadFile(folder_ / "reference.csv");
    const std::string json = ReadFile(folder_ / "reference.json");
    const std::string lines = reference.out; // the log lines and the completion

    Finished toStdout = scan({"--csv", "-"});
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, csv);
    EXPECT_EQ(toStdout.err, lines);

    std::filesystem::create_directories(folder_ / "real");
    std::ofstream(folder_ / "real" / "table.json") << "old";
    std::filesystem::create_symlink("real/table.json", folder_ / "table.json");
    Finished throughLink = scan({"--json", (folder_ / "table.json").string()});
    EXPECT_EQ(throughLink.status, 0) << throughLink.err;
    EXPECT_TRUE(std::filesystem::is_symlink(folder_ / "table.json"));
    EXPECT_EQ(ReadFile(folder_ / "real" / "table.json"), json);

    const auto fifo = folder_ / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = ReadFile(fifo); });
    Finished intoFifo = scan({"--csv", fifo.string()});
    reader.join();
    EXPECT_EQ(intoFifo.status, 0) << intoFifo.err;
    EXPECT_EQ(read, csv);
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);

    Finished devStdout = scan({"--quiet", "--csv", "/dev/stdout"});
    EXPECT_EQ(devStdout.status, 0) << devStdout.err;
    EXPECT_EQ(devStdout.out, csv);
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}

} // namespace
} // namespace scanner

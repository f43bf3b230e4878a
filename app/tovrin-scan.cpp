// tovrin-scan: one run of the main window from the command line. Probes "/main", walks
// FIRST..LAST with the filter and the pause, prints the log as UTF-8 and saves it as the window does.
#include "app/ConsoleScanView.h"
#include "app/TableExport.h"
#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"
#include "scanner/OutputFile.h"
#include "scanner/ScanRun.h"
#include "scanner/SiteHost.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using scanner::ConsoleScanView;

constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;
constexpr std::size_t kFilterMaxLength = 4; // the filter edit's MaxLength
constexpr long long kMaxDelayMs = 3600000;
constexpr long long kMaxRetries = 100;
constexpr const char* kStandardOutput = "-";

constexpr const char* kUsage =
    "usage: tovrin-scan [--host HOST[:PORT]] [--filter EXT] [--log PATH] [--csv PATH] [--json PATH]\n"
    "                   [--delay MS] [--retries N] [--retry-delay MS] [--quiet] FIRST [LAST]\n"
    "Reads the site's main page for the newest file number, then visits the file pages FIRST..LAST\n"
    "(LAST omitted: the newest number), printing one log line per number and saving the log.\n"
    "  --host HOST[:PORT]  the site, also as http://HOST[:PORT]/... (else $TOVRIN_HOST, else the\n"
    "                      built-in default)\n"
    "  --filter EXT        table rows only for this extension (exact, at most 4 characters)\n"
    "  --log PATH          the text log (default: logs.txt beside the program)\n"
    "  --csv PATH          the table rows as CSV;  --json PATH: as JSON; - is standard output\n"
    "                      (the log lines then go to standard error)\n"
    "  --delay MS          pause after every number (default 50)\n"
    "  --retries N         a page the site does not give (no answer, or status 5xx or 429) is\n"
    "                      asked for again N times (default 1) before the run stops at its number\n"
    "  --retry-delay MS    the wait before asking again (default 1000)\n"
    "  --quiet             print nothing but warnings and failures\n"
    "  --version           print the version\n"
    "Exit status: 0 completed, 1 run failed or stopped at a page the site did not give, 2 bad\n"
    "arguments or an output that cannot be written, 130 stopped by Ctrl+C.\n";

struct Arguments {
    std::optional<std::string> host;
    std::string filter; // Windows-1251
    std::optional<std::string> logPath, csvPath, jsonPath;
    std::chrono::milliseconds delay = scanner::kScanPause;
    scanner::RetryPolicy retry;
    bool quiet = false;
    std::string first;
    std::optional<std::string> last;
};

struct UsageError {
    std::string message;
};

bool IsDecimalNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return framework::StrToIntDef(text, -1) >= 0;
}

Arguments ParseArguments(int argc, char** argv) {
    Arguments args;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name) -> std::string {
            std::string prefix = std::string(name) + "=";
            if (arg.rfind(prefix, 0) == 0)
                return arg.substr(prefix.size());
            if (i + 1 >= argc)
                throw UsageError{std::string(name) + " needs a value"};
            return argv[++i];
        };
        auto is = [&](const char* name) { return arg == name || arg.rfind(std::string(name) + "=", 0) == 0; };
        if (is("--host")) {
            args.host = value("--host");
        } else if (is("--filter")) {
            args.filter = framework::Utf8ToCp1251(value("--filter"));
            if (args.filter.size() > kFilterMaxLength)
                throw UsageError{"--filter takes at most 4 characters"};
        } else if (is("--log")) {
            args.logPath = value("--log");
        } else if (is("--csv")) {
            args.csvPath = value("--csv");
        } else if (is("--json")) {
            args.jsonPath = value("--json");
        } else if (is("--delay")) {
            std::string ms = value("--delay");
            if (!IsDecimalNumber(ms) || framework::StrToInt(ms) > kMaxDelayMs)
                throw UsageError{"--delay takes a number of milliseconds"};
            args.delay = std::chrono::milliseconds(framework::StrToInt(ms));
        } else if (is("--retries")) {
            std::string count = value("--retries");
            if (!IsDecimalNumber(count) || framework::StrToInt(count) > kMaxRetries)
                throw UsageError{"--retries takes a number from 0 to " + std::to_string(kMaxRetries)};
            args.retry.retries = framework::StrToInt(count);
        } else if (is("--retry-delay")) {
            std::string ms = value("--retry-delay");
            if (!IsDecimalNumber(ms) || framework::StrToInt(ms) > kMaxDelayMs)
                throw UsageError{"--retry-delay takes a number of milliseconds"};
            args.retry.delay = std::chrono::milliseconds(framework::StrToInt(ms));
        } else if (arg == "--quiet" || arg == "-q") {
            args.quiet = true;
        } else if (arg == "--") {
            for (++i; i < argc; ++i)
                positional.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty() || positional.size() > 2)
        throw UsageError{positional.empty() ? "FIRST is missing" : "too many numbers"};
    for (const std::string& number : positional)
        if (!IsDecimalNumber(number))
            throw UsageError{"'" + number + "' is not a file number"};
    args.first = positional[0];
    if (positional.size() == 2)
        args.last = positional[1];
    if (args.logPath && *args.logPath == kStandardOutput)
        throw UsageError{"--log takes a file; - (standard output) is for --csv and --json"};
    return args;
}

// A range that names no file, said in one line: not a run that completes with nothing done.
std::optional<std::string> RangeProblem(const Arguments& args) {
    if (!args.last)
        return std::nullopt;
    const int first = framework::StrToInt(args.first);
    const int last = framework::StrToInt(*args.last);
    if (last == 0)
        return "LAST 0 names no file (file numbers start at 1)";
    if (first > last)
        return "FIRST " + args.first + " comes after LAST " + *args.last;
    return std::nullopt;
}

// A file the run writes, named by its option.
struct Output {
    const char* option;
    std::filesystem::path path;
};

std::filesystem::path Normalised(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path.lexically_normal() : canonical;
}

bool IsStandardOutput(const std::filesystem::path& path) { return path == kStandardOutput; }

// The log first, then the exports given; two of them on one file would leave only the last.
std::vector<Output> OutputsOf(const Arguments& args) {
    std::vector<Output> outputs{{"--log", args.logPath ? std::filesystem::path(*args.logPath) : scanner::DefaultLogPath()}};
    if (args.csvPath)
        outputs.push_back({"--csv", *args.csvPath});
    if (args.jsonPath)
        outputs.push_back({"--json", *args.jsonPath});
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t j = i + 1; j < outputs.size(); ++j)
            if (Normalised(outputs[i].path) == Normalised(outputs[j].path))
                throw UsageError{std::string(outputs[i].option) + " and " + outputs[j].option + " name the same file"};
    return outputs;
}

void PrintError(const std::string& cp1251Message) {
    std::string text = framework::Cp1251ToUtf8(cp1251Message);
    if (text.empty() || text.back() != '.')
        text += '.'; // as the framework's error dialog shows a message
    std::fprintf(stderr, "tovrin-scan: %s\n", text.c_str());
}

std::string MainPageAddress(const std::string& host) { return "http://" + host + "/main"; }

// Why the probe found no newest number, in UTF-8: the message of the fetch error it logged, else
// what the page lacked, else the conversion failure itself.
std::string ProbeFailureCause(const ConsoleScanView& view, const framework::Exception& failure) {
    const std::vector<std::string> lines = view.LogLines();
    if (!lines.empty())
        return framework::Cp1251ToUtf8(scanner::FetchErrorMessage(lines.back()));
    if (scanner::NewestNumber.empty())
        return "the page links to no file number";
    return framework::Cp1251ToUtf8(failure.what());
}

std::string LimitText(int minValue, int maxValue) {
    if (maxValue == 0)
        return minValue == 0 ? "any number" : "at least " + framework::IntToStr(minValue);
    return framework::IntToStr(minValue) + " to " + framework::IntToStr(maxValue);
}

// The range edits bring a typed number within their limits when they are left, as the window's
// do; the window shows the new value, here it is said once on standard error.
void TellRangeChanges(const Arguments& args, const ConsoleScanView& view) {
    std::string changes;
    auto compare = [&](const char* name, const std::string& typed, const std::string& now) {
        if (framework::StrToIntDef(typed, -1) == framework::StrToIntDef(now, -1))
            return;
        changes += std::string(changes.empty() ? "" : ", ") + name + " " + typed + " is now " + now;
    };
    compare("FIRST", args.first, view.RangeStartText());
    if (args.last)
        compare("LAST", *args.last, view.RangeEndText());
    if (changes.empty())
        return;
    std::fprintf(stderr, "tovrin-scan: range changed to fit the site: %s (FIRST may be %s, LAST %s)\n", changes.c_str(),
                 LimitText(ConsoleScanView::kRangeStartMinValue, view.RangeStartMaxValue()).c_str(),
                 LimitText(ConsoleScanView::kRangeEndMinValue, view.RangeEndMaxValue()).c_str());
}

// Writes a table export; a failure is reported and makes the run count as failed.
bool Export(const std::optional<std::string>& path, const std::string& bytes) {
    if (!path)
        return true;
    if (IsStandardOutput(*path)) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0)
            return true;
        PrintError(std::string("Cannot write the standard output: ") + std::strerror(errno));
        return false;
    }
    try {
        scanner::WriteOutputFile(*path, bytes);
        return true;
    } catch (const framework::Exception& failure) {
        PrintError(failure.what());
        return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, ""); // the locale's long time format in fetch error lines
    std::signal(SIGPIPE, SIG_IGN);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return kExitCompleted;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("tovrin-scan " TOVRIN_VERSION);
            return kExitCompleted;
        }
    }

    Arguments args;
    std::string host;
    std::vector<Output> outputs;
    try {
        args = ParseArguments(argc, argv);
        host = scanner::ResolveSiteHost(args.host);
        outputs = OutputsOf(args);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "tovrin-scan: %s\n%s", error.message.c_str(), kUsage);
        return kExitUsage;
    } catch (const framework::Exception& error) {
        std::fprintf(stderr, "tovrin-scan: %s\n%s", framework::Cp1251ToUtf8(error.what()).c_str(), kUsage);
        return kExitUsage;
    }
    if (const std::optional<std::string> problem = RangeProblem(args)) {
        std::fprintf(stderr, "tovrin-scan: %s\n", problem->c_str());
        return kExitUsage;
    }

    // A path that cannot be written is found before the first fetch, not after the whole walk.
    for (const Output& out : outputs) {
        if (IsStandardOutput(out.path))
            continue;
        try {
            scanner::CheckOutputFile(out.path);
        } catch (const framework::Exception& failure) {
            PrintError(failure.what());
            return kExitUsage;
        }
    }

    // With a table on standard output the log lines make way for it, to standard error.
    const bool tableOnStandardOutput =
        std::any_of(outputs.begin(), outputs.end(), [](const Output& out) { return IsStandardOutput(out.path); });
    ConsoleScanView::Output output;
    output.log = args.quiet ? nullptr : tableOnStandardOutput ? stderr : stdout;
    output.progress = !args.quiet && isatty(STDERR_FILENO) ? stderr : nullptr;
    output.errorDialog = PrintError;
    ConsoleScanView view(output);
    ConsoleScanView::InstallInterruptHandler();

    scanner::ScanSettings settings;
    settings.host = host;
    settings.logPath = outputs.front().path;
    settings.pause = args.delay;
    settings.retry = args.retry;

    // Window creation: the probe. The window shows its failure in the error dialog and opens
    // with the design values; without the newest number nothing here could be scanned, so the
    // failure is told once, with its cause, and the log (with the fetch error line) is saved.
    // Its lines are printed only when it succeeds, so that the cause is not said twice.
    view.HoldLogLines();
    try {
        scanner::ProbeNewestNumber(view, host);
    } catch (const framework::Exception& failure) {
        std::fprintf(stderr, "tovrin-scan: the newest number could not be read from %s: %s\n",
                     MainPageAddress(host).c_str(), ProbeFailureCause(view, failure).c_str());
        try {
            scanner::SaveLog(view.LogLines(), settings.logPath);
        } catch (const framework::Exception& saving) {
            PrintError(saving.what());
        }
        return kExitFailed;
    }
    view.ReleaseLogLines();
    view.TypeRangeStart(args.first);
    if (args.last)
        view.TypeRangeEnd(*args.last);
    view.TypeFilter(args.filter);
    TellRangeChanges(args, view);

    int status = kExitCompleted;
    bool walked = false;
    if (!ConsoleScanView::Interrupted()) {
        try {
            if (scanner::ScanRange(view, settings))
                status = kExitFailed; // the view said where it stopped
            walked = true;
        } catch (const framework::Exception& failure) {
            PrintError(failure.what());
            status = kExitFailed;
        } catch (const std::exception& failure) {
            PrintError(failure.what());
            status = kExitFailed;
        }
    }
    // The run saves its log itself; save it here when it failed inside the walk or never started.
    // A failure after the walk (Start enabled, Stop disabled again) was the saving itself.
    bool savingFailed = !walked && view.StartEnabled() && !view.StopEnabled();
    if (!walked && !savingFailed) {
        try {
            scanner::SaveLog(view.LogLines(), settings.logPath);
        } catch (const framework::Exception& failure) {
            PrintError(failure.what());
            status = kExitFailed;
        }
    }
    bool exported = Export(args.csvPath, scanner::TableAsCsv(view.Rows()));
    exported = Export(args.jsonPath, scanner::TableAsJson(view.Rows())) && exported;
    if (!exported && status == kExitCompleted)
        status = kExitFailed;
    if (ConsoleScanView::Interrupted() && status == kExitCompleted)
        status = kExitInterrupted;
    return status;
}

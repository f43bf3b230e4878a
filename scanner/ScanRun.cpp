// The newest-number probe, the remaining count and the walk, against ScanView.
#include "scanner/ScanRun.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"
#include "scanner/FilePage.h"
#include "scanner/NewestNumberPattern.h"
#include "scanner/PageDecoder.h"
#include "scanner/PageFetcher.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scanner {
namespace {

using framework::IntToStr;
using framework::StrToInt;

const std::string kLineEnd = "\r\n";
constexpr const char* kMainPagePath = "/main";

// Integer subtraction wraps as the 32-bit arithmetic of the range edits does.
int Minus(int a, int b) { return static_cast<int>(static_cast<std::int32_t>(static_cast<std::int64_t>(a) - b)); }

LogSink LogTo(ScanView& view) {
    return [&view](const std::string& line) { view.AppendLogLine(line); };
}

std::string PageAddress(const std::string& host, int number) { return "http://" + host + "/" + IntToStr(number); }

// One number of the walk (its steps 1 to 10).
void VisitNumber(ScanView& view, const ScanSettings& settings, int number) {
    std::string page = DecodePage(FetchPage(PageAddress(settings.host, number), LogTo(view)));
    view.SetStatusPanelText(kCurrentNumberPanel, IntToStr(number));
    if (IsMissingPage(page)) {
        view.ProcessPendingMessages();
        view.AppendLogLine(LogLine(settings.host, number, PageKind::Missing, {}));
    } else {
        FileRecord record = ExtractFileRecord(page, number);
        view.ProcessPendingMessages();
        // The kind depends on the page and the record alone; decided before the row step, it
        // goes with the row too.
        PageKind kind = DecideKind(page, record);
        AddRowIfWanted(view, record, view.FilterText(), kind);
        view.ProcessPendingMessages();
        view.AppendLogLine(LogLine(settings.host, number, kind, record));
    }
    view.ProcessPendingMessages();
    if (view.RangeEndText() != IntToStr(number))
        view.SetRangeStartText(IntToStr(StrToInt(view.RangeStartText()) + 1));
    else
        view.SetStatusPanelText(kRemainingCountPanel, "0");
    view.ProcessPendingMessages();
    view.SetGaugeProgress(view.GaugeProgress() + 1);
    view.Pause(settings.pause);
}

[[noreturn]] void FailWrite(const std::filesystem::path& path, int error) {
    throw framework::Exception(framework::Utf8ToCp1251("Cannot write file \"" + path.string() + "\": " + std::strerror(error)));
}

// The mkstemp template of a temporary file in the folder of path, renamed over path when written.
std::string TemporaryNameBeside(const std::filesystem::path& path) {
    std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    return (folder / ("." + path.filename().string() + ".XXXXXX")).string();
}

mode_t NewFileMode() {
    constexpr mode_t kReadWriteAll = 0666;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return kReadWriteAll & ~mask;
}

} // namespace

void ProbeNewestNumber(ScanView& view, const std::string& host) {
    NewestNumberPattern pattern;
    view.ProcessPendingMessages();
    MainPageText = DecodePage(FetchPage("http://" + host + kMainPagePath, LogTo(view)));
    if (std::optional<std::string> found = pattern.Search(MainPageText))
        NewestNumber = *found;
    view.SetRangeStartMaxValue(Minus(StrToInt(NewestNumber), 1));
    view.SetRangeEndMaxValue(StrToInt(NewestNumber));
    view.SetRangeEndText(NewestNumber);
    UpdateRemainingCount(view);
}

void UpdateRemainingCount(ScanView& view) {
    int newest = StrToInt(NewestNumber);
    view.SetStatusPanelText(kRemainingCountPanel, IntToStr(Minus(newest, StrToInt(view.StatusPanelText(kCurrentNumberPanel)))));
}

void ScanRange(ScanView& view, const ScanSettings& settings) {
    RunFlag = true;
    view.SetStartEnabled(false);
    view.SetStopEnabled(true);
    view.SetGaugeProgress(0);
    int newest = StrToInt(NewestNumber);
    view.SetGaugeMaxValue(Minus(newest, StrToInt(view.RangeStartText())));
    int number = StrToInt(view.RangeStartText());
    int last = StrToInt(view.RangeEndText());
    if (last >= number) {
        const std::int64_t count = static_cast<std::int64_t>(last) - number + 1;
        for (std::int64_t visited = 0; visited < count && RunFlag; ++visited, ++number)
            VisitNumber(view, settings, number);
    }
    view.SetStartEnabled(true);
    view.SetStopEnabled(false);
    SaveLog(view.LogLines(), settings.logPath);
    view.ShowCompletionMessage(CompletionText(settings.host));
}

std::string CompletionText(const std::string& host) {
    return framework::Utf8ToCp1251("Сбор данных с сайта ") + host + framework::Utf8ToCp1251(" завершен!");
}

void SaveLog(const std::vector<std::string>& lines, const std::filesystem::path& path) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + kLineEnd;
    bytes += kLineEnd;
    ReplaceFileContents(path, bytes);
}

void ReplaceFileContents(const std::filesystem::path& path, const std::string& bytes) {
    std::string temporary = TemporaryNameBeside(path);
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        FailWrite(path, errno);
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        FailWrite(path, error);
    };
    if (::fchmod(fd, NewFileMode()) != 0)
        abandon(errno);
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon(n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        FailWrite(path, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        FailWrite(path, error);
    }
}

void CheckFileCanBeReplaced(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        FailWrite(path, EISDIR);
    std::string temporary = TemporaryNameBeside(path);
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        FailWrite(path, errno);
    ::close(fd);
    ::unlink(temporary.c_str());
}

std::filesystem::path DefaultLogPath() {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "logs.txt";
    return executable.parent_path() / "logs.txt";
}

} // namespace scanner

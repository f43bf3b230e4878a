// The newest-number probe, the remaining count and the walk, against ScanView.
#include "scanner/ScanRun.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"
#include "scanner/FilePage.h"
#include "scanner/NewestNumberPattern.h"
#include "scanner/OutputFile.h"
#include "scanner/PageDecoder.h"
#include "scanner/PageFetcher.h"
#include "scanner/PagesAhead.h"
#include "scanner/SiteHost.h"

#include <cstdint>

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

// One number of the walk (its steps 1 to 10); the stop when the site gave no page for it.
std::optional<RunStop> VisitNumber(ScanView& view, const ScanSettings& settings, PagesAhead& pages, int number) {
    FetchedPage fetched = pages.Fetch(number, LogTo(view), [&view](std::chrono::milliseconds delay) { view.Pause(delay); });
    view.SetStatusPanelText(kCurrentNumberPanel, IntToStr(number));
    if (fetched.Failed()) {
        UpdateRemainingCount(view); // counted from the number the run stops at, as the range start shows
        return RunStop{number, fetched.failure};
    }
    std::string page = DecodePage(fetched.body);
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
    return std::nullopt;
}

} // namespace

void ProbeNewestNumber(ScanView& view, const std::string& host) {
    NewestNumberPattern pattern;
    view.ProcessPendingMessages();
    FetchedPage mainPage = FetchPage("http://" + host + kMainPagePath, LogTo(view));
    MainPageText = mainPage.Failed() ? std::string() : DecodePage(mainPage.body);
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

std::optional<RunStop> ScanRange(ScanView& view, const ScanSettings& settings) {
    RunFlag = true;
    view.SetStartEnabled(false);
    view.SetStopEnabled(true);
    view.SetGaugeProgress(0);
    int newest = StrToInt(NewestNumber);
    view.SetGaugeMaxValue(Minus(newest, StrToInt(view.RangeStartText())));
    int number = StrToInt(view.RangeStartText());
    int last = StrToInt(view.RangeEndText());
    std::optional<RunStop> stop;
    // Without a pause between pages the next page is asked for while this one is read.
    PagesAhead pages(settings.host, settings.retry, last, settings.pause <= std::chrono::milliseconds::zero());
    if (last >= number) {
        const std::int64_t count = static_cast<std::int64_t>(last) - number + 1;
        for (std::int64_t visited = 0; visited < count && RunFlag && !stop; ++visited, ++number)
            stop = VisitNumber(view, settings, pages, number);
    }
    view.SetStartEnabled(true);
    view.SetStopEnabled(false);
    SaveLog(view.LogLines(), settings.logPath);
    if (stop)
        view.ShowRunStoppedMessage(*stop);
    else
        view.ShowCompletionMessage(CompletionText(settings.host));
    return stop;
}

std::string CompletionText(const std::string& host) {
    return framework::Utf8ToCp1251("Сбор данных с сайта ") + host + framework::Utf8ToCp1251(" завершен!");
}

std::string RunStoppedText(const std::string& host, const RunStop& stop) {
    std::string reason = stop.reason;
    if (reason.empty() || reason.back() != '.')
        reason += '.';
    return framework::Utf8ToCp1251("Сбор данных с сайта ") + host + framework::Utf8ToCp1251(" остановлен на номере ") +
           IntToStr(stop.number) + ":\n" + reason + "\n" + framework::Utf8ToCp1251("Старт продолжит с этого номера.");
}

void SaveLog(const std::vector<std::string>& lines, const std::filesystem::path& path) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + kLineEnd;
    bytes += kLineEnd;
    WriteOutputFile(path, bytes);
}

std::filesystem::path DefaultLogPath() {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "logs.txt";
    return executable.parent_path() / "logs.txt";
}

} // namespace scanner

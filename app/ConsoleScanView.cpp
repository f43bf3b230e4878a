// The console view of a scan.
#include "app/ConsoleScanView.h"

#include "app/TableExport.h"
#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"
#include "scanner/ScanRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace scanner {
namespace {

std::atomic<int> interruptCount{0};

extern "C" void OnInterrupt(int) {
    if (interruptCount.fetch_add(1) >= 1) {
        // A second Ctrl+C ends the program at once.
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}

constexpr int kBarWidth = 30;

// "m:ss", or "h:mm:ss" from an hour on.
std::string DurationText(long long seconds) {
    constexpr long long kMinute = 60;
    constexpr long long kHour = 60 * kMinute;
    char text[32];
    if (seconds >= kHour)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / kHour, seconds % kHour / kMinute, seconds % kMinute);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / kMinute, seconds % kMinute);
    return text;
}

} // namespace

int ClampSpinValue(int value, int minValue, int maxValue) {
    if (minValue == 0 && maxValue == 0)
        return value;
    if (value < minValue)
        return minValue;
    if (maxValue != 0 && value > maxValue)
        return maxValue;
    return value;
}

ConsoleScanView::ConsoleScanView(Output output) : output_(output) {
    panels_ = {framework::Utf8ToCp1251("Парсим:"), "0", framework::Utf8ToCp1251("Осталось:"), "0", ""};
}

ConsoleScanView::~ConsoleScanView() { EraseProgress(); }

void ConsoleScanView::InstallInterruptHandler() { std::signal(SIGINT, OnInterrupt); }

bool ConsoleScanView::Interrupted() { return interruptCount.load() > 0; }

void ConsoleScanView::TypeRangeStart(const std::string& text) {
    TypeAndLeave(rangeStart_, text, kRangeStartMinValue, rangeStartMax_, true);
}

void ConsoleScanView::TypeRangeEnd(const std::string& text) {
    TypeAndLeave(rangeEnd_, text, kRangeEndMinValue, rangeEndMax_, false);
}

void ConsoleScanView::TypeAndLeave(std::string& text, const std::string& typed, int minValue, int maxValue,
                                   bool firesChange) {
    auto setText = [&](const std::string& value) {
        if (value == text)
            return;
        text = value;
        if (firesChange)
            RunChangeHandler();
    };
    setText(typed);
    int value = framework::StrToIntDef(typed, minValue);
    int clamped = ClampSpinValue(value, minValue, maxValue);
    if (clamped != value)
        setText(framework::IntToStr(clamped));
}

void ConsoleScanView::RunChangeHandler() {
    try {
        UpdateRemainingCount(*this);
    } catch (const framework::Exception& failure) {
        if (output_.errorDialog)
            output_.errorDialog(failure.what());
    }
}

void ConsoleScanView::SetStartEnabled(bool enabled) {
    startEnabled_ = enabled;
    if (enabled) {
        run_.running = false;
        return;
    }
    // Start is disabled as a run begins; the walk reads the range texts right after.
    run_ = RunProgress{};
    run_.running = true;
    run_.first = framework::StrToIntDef(rangeStart_, 0);
    const int last = framework::StrToIntDef(rangeEnd_, 0);
    run_.asked = last >= run_.first ? static_cast<long long>(last) - run_.first + 1 : 0;
    run_.started = std::chrono::steady_clock::now();
    DrawProgress();
}

void ConsoleScanView::SetGaugeProgress(int progress) {
    // The gauge is stepped once after every number, so here the number in hand is done.
    if (run_.running && !run_.current.empty())
        run_.done = std::min(run_.asked, static_cast<long long>(framework::StrToIntDef(run_.current, run_.first)) - run_.first + 1);
    progress = std::max(kGaugeMinValue, std::min(progress, gaugeMax_));
    gaugeProgress_ = progress;
    DrawProgress();
}

void ConsoleScanView::SetGaugeMaxValue(int maxValue) {
    if (maxValue == gaugeMax_)
        return;
    if (maxValue < kGaugeMinValue)
        throw framework::Exception("Value must be between " + framework::IntToStr(kGaugeMinValue + 1) + " and " +
                                   framework::IntToStr(INT_MAX));
    gaugeMax_ = maxValue;
    gaugeProgress_ = std::min(gaugeProgress_, gaugeMax_);
    DrawProgress();
}

std::string ConsoleScanView::StatusPanelText(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < kPanelCount ? panels_[index] : std::string();
}

void ConsoleScanView::SetStatusPanelText(int index, const std::string& text) {
    if (index < 0 || static_cast<std::size_t>(index) >= kPanelCount)
        return;
    panels_[index] = text;
    if (index == kCurrentNumberPanel && run_.running)
        run_.current = text;
    DrawProgress();
}

void ConsoleScanView::SetRangeStartText(const std::string& text) {
    if (text == rangeStart_)
        return; // the edit reports no change for the same text
    rangeStart_ = text;
    UpdateRemainingCount(*this);
}

void ConsoleScanView::AddFileRow(const FileRow& row) {
    rows_.push_back({framework::IntToStr(static_cast<long long>(rows_.size()) + 1), row.nameWithExtension,
                     row.passwordFlag, row.sizeText, row.numberText, row.downloadsText, row.uploadedText,
                     std::string(PageKindName(row.kind))});
}

void ConsoleScanView::AppendLogLine(const std::string& line) {
    logLines_.push_back(line);
    if (holding_)
        return;
    heldFrom_ = logLines_.size();
    Print(line, output_.log);
}

void ConsoleScanView::ReleaseLogLines() {
    holding_ = false;
    for (; heldFrom_ < logLines_.size(); ++heldFrom_)
        Print(logLines_[heldFrom_], output_.log);
}

void ConsoleScanView::Print(const std::string& cp1251Line, std::FILE* to) {
    if (!to)
        return;
    EraseProgress();
    std::string text = framework::Cp1251ToUtf8(cp1251Line) + "\n";
    std::fwrite(text.data(), 1, text.size(), to);
    std::fflush(to);
    DrawProgress();
}

void ConsoleScanView::ProcessPendingMessages() {
    if (Interrupted())
        RunFlag = false; // the Stop button's handler
}

void ConsoleScanView::Pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

void ConsoleScanView::ShowCompletionMessage(const std::string& text) {
    Print(text, output_.log);
}

void ConsoleScanView::ShowRunStoppedMessage(const RunStop& stop) {
    const std::string number = framework::IntToStr(stop.number);
    Print(framework::Utf8ToCp1251("tovrin-scan: stopped at ") + number + ": " + stop.reason + "; continue with " + number +
              " " + rangeEnd_,
          stderr);
}

void ConsoleScanView::DrawProgress() {
    if (!output_.progress || !run_.running)
        return;
    const int filled = run_.asked == 0 ? kBarWidth : static_cast<int>(kBarWidth * run_.done / run_.asked);
    std::string bar = "\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                      std::to_string(run_.done) + "/" + std::to_string(run_.asked);
    if (!run_.current.empty())
        bar += "  number " + framework::Cp1251ToUtf8(run_.current);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - run_.started).count();
    if (run_.done > 0 && seconds > 0) {
        const double perSecond = static_cast<double>(run_.done) / seconds;
        char rate[32];
        std::snprintf(rate, sizeof rate, "  %.1f pages/s  ", perSecond);
        bar += rate + DurationText(static_cast<long long>((run_.asked - run_.done) / perSecond + 0.5)) + " left";
    }
    bar += "\033[K";
    std::fputs(bar.c_str(), output_.progress);
    std::fflush(output_.progress);
    progressShown_ = true;
}

void ConsoleScanView::EraseProgress() {
    if (!output_.progress || !progressShown_)
        return;
    std::fputs("\r\033[K", output_.progress);
    std::fflush(output_.progress);
    progressShown_ = false;
}

} // namespace scanner

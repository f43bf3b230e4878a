// The console view of a scan.
#include "app/ConsoleScanView.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"
#include "scanner/ScanRun.h"

#include <atomic>
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

void ConsoleScanView::SetGaugeProgress(int progress) {
    progress = std::max(kGaugeMinValue, std::min(progress, gaugeMax_));
    if (progress == gaugeProgress_)
        return;
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
                     row.passwordFlag, row.sizeText, row.numberText, row.downloadsText, row.uploadedText});
}

void ConsoleScanView::AppendLogLine(const std::string& line) {
    logLines_.push_back(line);
    if (!output_.log)
        return;
    EraseProgress();
    std::string text = framework::Cp1251ToUtf8(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), output_.log);
    std::fflush(output_.log);
    DrawProgress();
}

void ConsoleScanView::ProcessPendingMessages() {
    if (Interrupted())
        RunFlag = false; // the Stop button's handler
}

void ConsoleScanView::Pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

void ConsoleScanView::ShowCompletionMessage(const std::string& text) {
    EraseProgress();
    std::string utf8 = framework::Cp1251ToUtf8(text) + "\n";
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void ConsoleScanView::DrawProgress() {
    if (!output_.progress)
        return;
    int span = gaugeMax_ - kGaugeMinValue;
    int percent = span == 0 ? 0 : static_cast<int>(static_cast<long long>(gaugeProgress_ - kGaugeMinValue) * 100 / span);
    int filled = kBarWidth * percent / 100;
    std::string bar = "\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                      framework::IntToStr(percent) + "%  " + framework::Cp1251ToUtf8(panels_[0] + " " + panels_[1] + "  " +
                                                                                      panels_[2] + " " + panels_[3]) +
                      "\033[K";
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

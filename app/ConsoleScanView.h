// The console's stand-in for the main window's controls: the same state and rules (gauge
// range, spin-edit limits, row numbering), log lines printed as UTF-8, a progress bar of its own
// on a terminal, and Ctrl+C delivered as a click on Stop at the points where messages are processed.
#pragma once

#include "scanner/ScanView.h"

#include <array>
#include <chrono>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace scanner {

// A typed spin-edit value brought within its limits when the control is left (MaxValue 0:
// no upper limit; both 0: no limits).
int ClampSpinValue(int value, int minValue, int maxValue);

class ConsoleScanView : public ScanView {
public:
    struct Output {
        std::FILE* log = stdout;        // log lines and the completion; nullptr: neither is printed
        std::FILE* progress = nullptr;  // a terminal for the progress bar, or nullptr
        // The window's standard error dialog, for failures of handlers run by typing.
        std::function<void(const std::string& message)> errorDialog;
    };
    // The window's design values of the range edits' lower limits.
    static constexpr int kRangeStartMinValue = 1;
    static constexpr int kRangeEndMinValue = 0;

    explicit ConsoleScanView(Output output);
    ~ConsoleScanView() override;

    // The user's typing followed by leaving the control (the window clamps on exit). A failure
    // of the change handler goes to the error dialog, as the window's message loop shows it.
    void TypeRangeStart(const std::string& text);
    void TypeRangeEnd(const std::string& text);
    void TypeFilter(const std::string& text) { filter_ = text; }

    // While held, log lines are kept but not printed; ReleaseLogLines prints the ones kept.
    void HoldLogLines() { holding_ = true; }
    void ReleaseLogLines();

    // Ctrl+C: turns into RunFlag = false at the next ProcessPendingMessages.
    static void InstallInterruptHandler();
    static bool Interrupted();

    const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
    bool StartEnabled() const { return startEnabled_; }
    bool StopEnabled() const { return stopEnabled_; }
    int GaugeMaxValue() const { return gaugeMax_; }
    int RangeStartMaxValue() const { return rangeStartMax_; }
    int RangeEndMaxValue() const { return rangeEndMax_; }

    void SetStartEnabled(bool enabled) override;
    void SetStopEnabled(bool enabled) override { stopEnabled_ = enabled; }
    int GaugeProgress() const override { return gaugeProgress_; }
    void SetGaugeProgress(int progress) override;
    void SetGaugeMaxValue(int maxValue) override;
    std::string StatusPanelText(int index) const override;
    void SetStatusPanelText(int index, const std::string& text) override;
    std::string RangeStartText() const override { return rangeStart_; }
    void SetRangeStartText(const std::string& text) override;
    void SetRangeStartMaxValue(int maxValue) override { rangeStartMax_ = maxValue; }
    std::string RangeEndText() const override { return rangeEnd_; }
    void SetRangeEndText(const std::string& text) override { rangeEnd_ = text; }
    void SetRangeEndMaxValue(int maxValue) override { rangeEndMax_ = maxValue; }
    std::string FilterText() const override { return filter_; }
    void AddFileRow(const FileRow& row) override;
    void AppendLogLine(const std::string& line) override;
    std::vector<std::string> LogLines() const override { return logLines_; }
    void ProcessPendingMessages() override;
    void Pause(std::chrono::milliseconds duration) override;
    void ShowCompletionMessage(const std::string& text) override;
    // On standard error: "tovrin-scan: stopped at N: REASON; continue with N LAST".
    void ShowRunStoppedMessage(const RunStop& stop) override;

private:
    void Print(const std::string& cp1251Line, std::FILE* to);
    void TypeAndLeave(std::string& text, const std::string& typed, int minValue, int maxValue, bool firesChange);
    void RunChangeHandler();
    void DrawProgress();
    void EraseProgress();

    // The window's design values.
    static constexpr int kGaugeMinValue = 0;
    static constexpr std::size_t kPanelCount = 5;

    Output output_;
    bool startEnabled_ = true;
    bool stopEnabled_ = true;
    int gaugeMax_ = 100;
    int gaugeProgress_ = 0;
    std::array<std::string, kPanelCount> panels_;
    std::string rangeStart_ = "1";
    int rangeStartMax_ = 0;
    std::string rangeEnd_ = "0";
    int rangeEndMax_ = 0;
    std::string filter_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::string> logLines_;
    bool holding_ = false;
    std::size_t heldFrom_ = 0; // the first line not printed while held
    bool progressShown_ = false;

    // The terminal's bar counts numbers, not the window's gauge (whose maximum is the newest
    // number minus the range start, so it ends short of full for a range below the newest).
    struct RunProgress {
        bool running = false;
        int first = 0;
        long long asked = 0;
        long long done = 0;
        std::string current; // the number in hand, as panel 1 shows it
        std::chrono::steady_clock::time_point started;
    };
    RunProgress run_;
};

} // namespace scanner

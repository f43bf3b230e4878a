// The controls of the main window that the newest-number probe and the scan walk read and
// write, as an interface: the window implements it over its widgets, tovrin-scan over the console.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace scanner {

enum class PageKind { Missing, Deleted, Private, Password, Normal };

// The six texts of one report-table row, in column order after the row number, and the kind of
// the page it came from (the window's table does not show it; exports do).
struct FileRow {
    std::string nameWithExtension; // "Название"
    std::string passwordFlag;      // "PwD"
    std::string sizeText;          // "Размер"
    std::string numberText;        // "ID"
    std::string downloadsText;     // "Загрузок"
    std::string uploadedText;      // "Загружен"
    PageKind kind = PageKind::Normal;
};

// Why a run ended before its range did: the number whose page the site did not give (after the
// retries), and the fetch's error message (Windows-1251). The range start stays on that number.
struct RunStop {
    int number = 0;
    std::string reason;
};

// Status bar panels the scanner touches (panels counted from 0).
inline constexpr int kCurrentNumberPanel = 1;  // the number being scanned, "0" at start-up
inline constexpr int kRemainingCountPanel = 3; // newest number minus panel 1

// Every text crossing this interface is an 8-bit Windows-1251 text (framework/Cp1251.h
// converts). All calls come from the GUI thread. Failures are exceptions derived from
// framework::Exception and are passed through to the caller of the probe or the walk.
class ScanView {
public:
    virtual ~ScanView() = default;

    // sButton1 (Start) and sButton2 (Stop).
    virtual void SetStartEnabled(bool enabled) = 0;
    virtual void SetStopEnabled(bool enabled) = 0;

    // sGauge1, MinValue 0. SetGaugeProgress clamps to [MinValue, MaxValue]. SetGaugeMaxValue
    // with a changed value below MinValue throws "Value must be between %d and %d" with
    // MinValue + 1 and 2147483647 (the gauge's own rule); otherwise it stores the value and
    // lowers Progress to at most it.
    virtual int GaugeProgress() const = 0;
    virtual void SetGaugeProgress(int progress) = 0;
    virtual void SetGaugeMaxValue(int maxValue) = 0;

    // sStatusBar1 panel texts.
    virtual std::string StatusPanelText(int index) const = 0;
    virtual void SetStatusPanelText(int index, const std::string& text) = 0;

    // sSpinEdit1, the range start. Setting the text must run the OnChange handler,
    // scanner::UpdateRemainingCount(*this), synchronously before returning and let its
    // failure propagate to the caller (call it directly; do not route the failure through a
    // Qt signal). SetRangeStartMaxValue only changes the limit, never the text.
    virtual std::string RangeStartText() const = 0;
    virtual void SetRangeStartText(const std::string& text) = 0;
    virtual void SetRangeStartMaxValue(int maxValue) = 0;

    // sSpinEdit2, the range end. Setting its text fires no handler of the scanner.
    virtual std::string RangeEndText() const = 0;
    virtual void SetRangeEndText(const std::string& text) = 0;
    virtual void SetRangeEndMaxValue(int maxValue) = 0;

    // sEdit1, the extension filter (read at every page).
    virtual std::string FilterText() const = 0;

    // ListView1: appends a row whose caption is the row count after the append (numbering
    // restarts at 1 after the table was emptied), then the six texts.
    virtual void AddFileRow(const FileRow& row) = 0;

    // sMemo1: appends one line (the memo's append-line operation); LogLines gives every line
    // the memo holds now, in order, for saving to the log file.
    virtual void AppendLogLine(const std::string& line) = 0;
    virtual std::vector<std::string> LogLines() const = 0;

    // Dispatches every window message already queued, then returns (the message-pump-once
    // facility): where Stop, Clear and repainting reach the program during a run.
    virtual void ProcessPendingMessages() = 0;

    // Blocks the GUI thread for the given time without processing messages.
    virtual void Pause(std::chrono::milliseconds duration) = 0;

    // The modal end-of-run message (no icon, one OK button, the application title as caption).
    virtual void ShowCompletionMessage(const std::string& text) = 0;

    // Said instead of the completion message when the site stopped giving pages: where the run
    // stopped, why, and that Start goes on from there.
    virtual void ShowRunStoppedMessage(const RunStop& stop) = 0;
};

} // namespace scanner

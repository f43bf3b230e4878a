// The program-wide scan state, the newest-number probe run at window creation, the
// remaining-count update of the range-start edit, and the walk over a range (ScanRange),
// all written once against ScanView so the window and tovrin-scan behave alike.
#pragma once

#include "scanner/PageFetcher.h"
#include "scanner/ScanView.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace scanner {

// Program-wide values (GUI thread only). RunFlag: set by ScanRange, cleared by Stop
// (sButton2Click does nothing else: RunFlag = false). NewestNumber: the decimal text found by
// the probe, empty until it succeeds. MainPageText: the decoded main page (Windows-1251).
inline bool RunFlag = false;
inline std::string NewestNumber;
inline std::string MainPageText;

// The pause after every number of a run.
inline constexpr std::chrono::milliseconds kScanPause{50};

struct ScanSettings {
    std::string host;                            // site host, HOST or HOST:PORT (SiteHost.h)
    std::filesystem::path logPath;               // normally DefaultLogPath()
    std::chrono::milliseconds pause = kScanPause;
    RetryPolicy retry;                           // a page the site did not give is asked for again
};

// The creation handler's probe (FormCreate, after the regular expression is created):
// processes pending messages once, fetches and decodes "http://" + host + "/main" into
// MainPageText, takes NewestNumber from it, then sets the range-start limit to
// NewestNumber - 1, the range-end limit and text to NewestNumber, and panel 3 to NewestNumber
// minus the integer in panel 1. Fetch failures become log lines. Without a number found the
// conversion fails with framework::EConvertError "'' is not a valid integer value"; the
// window shows that in its error dialog and carries on with its design values.
void ProbeNewestNumber(ScanView& view, const std::string& host);

// The range-start edit's OnChange (sSpinEdit1Change): panel 3 := NewestNumber minus the
// integer in panel 1. Throws framework::EConvertError when either is not an integer.
void UpdateRemainingCount(ScanView& view);

// The walk started by Start: steps 1 to 9 (buttons, gauge, one page per number with a log
// line and at most one row, the pause, saving the log to settings.logPath, the completion
// message). A number whose page the site does not give, even after settings.retry, ends the
// walk there: its error line is the last of the log, it gets no page line, the range start
// stays on it, the log is saved, and the view says where and why the run stopped instead of
// the completion message; that stop is returned. Has no error handling of its own: a failure
// (a range text or NewestNumber that is not an integer, a gauge maximum below 0, a log file
// that cannot be written) propagates out at the point where it happened and nothing is restored.
std::optional<RunStop> ScanRange(ScanView& view, const ScanSettings& settings);

// "Сбор данных с сайта " + host + " завершен!" in Windows-1251.
std::string CompletionText(const std::string& host);

// The window's message for a stopped run (Windows-1251), three lines: the site and the number,
// the reason, and that Start goes on from that number.
std::string RunStoppedText(const std::string& host, const RunStop& stop);

// Writes every line followed by CR LF, then one more CR LF, as the bytes are held (Windows-1251),
// with WriteOutputFile (OutputFile.h): a failed write never leaves a truncated log. Throws
// framework::Exception on failure.
void SaveLog(const std::vector<std::string>& lines, const std::filesystem::path& path);

// "logs.txt" in the folder of the running executable.
std::filesystem::path DefaultLogPath();

} // namespace scanner

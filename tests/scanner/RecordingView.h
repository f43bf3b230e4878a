// A ScanView that keeps every control's state in memory, numbers rows like the table, and
// lets a test act at the points where the window would process its messages.
#pragma once

#include "framework/base/SysUtils.h"
#include "scanner/ScanRun.h"

#include <array>
#include <climits>
#include <functional>

namespace scanner::testing {

class RecordingView : public ScanView {
public:
    bool startEnabled = true, stopEnabled = true;
    int gaugeMin = 0, gaugeMax = 100, gaugeProgress = 0;
    std::array<std::string, 5> panels{"Parsim", "0", "Ostalos", "0", ""};
    std::string rangeStart = "1", rangeEnd = "0", filter;
    int rangeStartMax = 0, rangeEndMax = 0;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> log;
    std::vector<std::string> completions;
    std::vector<RunStop> stops;
    int messagePumps = 0;
    std::vector<std::chrono::milliseconds> pauses;
    std::function<void(RecordingView&)> onMessages; // runs inside ProcessPendingMessages

    void SetStartEnabled(bool enabled) override { startEnabled = enabled; }
    void SetStopEnabled(bool enabled) override { stopEnabled = enabled; }
    int GaugeProgress() const override { return gaugeProgress; }
    void SetGaugeProgress(int progress) override { gaugeProgress = std::max(gaugeMin, std::min(progress, gaugeMax)); }
    void SetGaugeMaxValue(int maxValue) override {
        if (maxValue == gaugeMax)
            return;
        if (maxValue < gaugeMin)
            throw framework::Exception("Value must be between " + std::to_string(gaugeMin + 1) + " and " +
                                       std::to_string(INT_MAX));
        gaugeMax = maxValue;
        gaugeProgress = std::min(gaugeProgress, gaugeMax);
    }
    std::string StatusPanelText(int index) const override { return panels.at(index); }
    void SetStatusPanelText(int index, const std::string& text) override { panels.at(index) = text; }
    std::string RangeStartText() const override { return rangeStart; }
    void SetRangeStartText(const std::string& text) override {
        if (text == rangeStart)
            return;
        rangeStart = text;
        UpdateRemainingCount(*this);
    }
    void SetRangeStartMaxValue(int maxValue) override { rangeStartMax = maxValue; }
    std::string RangeEndText() const override { return rangeEnd; }
    void SetRangeEndText(const std::string& text) override { rangeEnd = text; }
    void SetRangeEndMaxValue(int maxValue) override { rangeEndMax = maxValue; }
    std::string FilterText() const override { return filter; }
    void AddFileRow(const FileRow& row) override {
        rows.push_back({std::to_string(rows.size() + 1), row.nameWithExtension, row.passwordFlag, row.sizeText,
                        row.numberText, row.downloadsText, row.uploadedText});
    }
    void AppendLogLine(const std::string& line) override { log.push_back(line); }
    std::vector<std::string> LogLines() const override { return log; }
    void ProcessPendingMessages() override {
        ++messagePumps;
        if (onMessages)
            onMessages(*this);
    }
    void Pause(std::chrono::milliseconds duration) override { pauses.push_back(duration); }
    void ShowCompletionMessage(const std::string& text) override { completions.push_back(text); }
    void ShowRunStoppedMessage(const RunStop& stop) override { stops.push_back(stop); }
};

} // namespace scanner::testing

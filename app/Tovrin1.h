// TForm1, the program's one window: range and filter inputs, the report table and the text
// log on two tabs, the gauge, the buttons and the status bar; the scan view over those
// controls; and TMyThread, which hands a run over to the GUI thread.
#pragma once

#include "framework/widgets/ComCtrls.h"
#include "framework/widgets/Classes.h"
#include "framework/widgets/Forms.h"
#include "scanner/ScanRun.h"
#include "scanner/ScanView.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sGauge.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMemo.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sSpinEdit.h"
#include "skin/controls/sStatusBar.h"
#include "skin/data/sSkinManager.h"

#include <QPointer>

namespace app {

class TForm1;

// Whose only work is one synchronous hand-over of the run to the GUI thread.
class TMyThread : public framework::TThread {
    Q_OBJECT
public:
    explicit TMyThread(TForm1* form);

protected:
    void Execute() override;

private:
    QPointer<TForm1> form_;
};

class TForm1 : public framework::TForm, public scanner::ScanView {
    Q_OBJECT
public:
    // The link label's address, short enough for its 103-pixel place in the fonts at hand.
    static constexpr const char* kWebAddress = "http://tovrin.test";

    explicit TForm1(scanner::ScanSettings settings);
    ~TForm1() override;

    const scanner::ScanSettings& Settings() const { return settings_; }
    bool RunInProgress() const { return runState_ != RunState::Idle; }
    // The last worker made by Start (kept, as the program does, but never used).
    TMyThread* LastThread() const { return lastThread_; }

    // Handlers.
    void FormCreate(QObject* sender);
    void sSpinEdit1Change(QObject* sender);
    void sButton1Click(QObject* sender);
    void sButton2Click(QObject* sender);
    void sButton3Click(QObject* sender);
    void sMemo1KeyDown(QObject* sender, unsigned short& key, framework::TShiftState shift);
    void FormCloseQuery(QObject* sender, bool& canClose);

    // The run on the GUI thread (handed over by TMyThread). A failure inside it restores
    // Start and Stop, saves the log when it can and shows the failure in the error dialog.
    void ScanRange();

    // scanner::ScanView.
    void SetStartEnabled(bool enabled) override;
    void SetStopEnabled(bool enabled) override;
    int GaugeProgress() const override;
    void SetGaugeProgress(int progress) override;
    void SetGaugeMaxValue(int maxValue) override;
    std::string StatusPanelText(int index) const override;
    void SetStatusPanelText(int index, const std::string& text) override;
    std::string RangeStartText() const override;
    void SetRangeStartText(const std::string& text) override;
    void SetRangeStartMaxValue(int maxValue) override;
    std::string RangeEndText() const override;
    void SetRangeEndText(const std::string& text) override;
    void SetRangeEndMaxValue(int maxValue) override;
    std::string FilterText() const override;
    void AddFileRow(const scanner::FileRow& row) override;
    void AppendLogLine(const std::string& line) override;
    std::vector<std::string> LogLines() const override;
    void ProcessPendingMessages() override;
    void Pause(std::chrono::milliseconds duration) override;
    void ShowCompletionMessage(const std::string& text) override;
    void ShowRunStoppedMessage(const scanner::RunStop& stop) override;

    // The controls, owned by their Qt parents.
    skin::TsGroupBox* sGroupBox1;
    skin::TsSpinEdit* sSpinEdit1;
    skin::TsLabel* sLabel3;
    skin::TsSpinEdit* sSpinEdit2;
    skin::TsGroupBox* sGroupBox2;
    skin::TsEdit* sEdit1;
    skin::TsLabel* sLabel4;
    skin::TsLabel* sLabel5;
    skin::TsPageControl* sPageControl1;
    skin::TsTabSheet* sTabSheet1;
    framework::TListView* ListView1;
    skin::TsTabSheet* sTabSheet2;
    skin::TsMemo* sMemo1;
    skin::TsButton* sButton3;
    skin::TsButton* sButton1;
    skin::TsButton* sButton2;
    skin::TsGauge* sGauge1;
    skin::TsStatusBar* sStatusBar1;
    skin::TsWebLabel* sWebLabel1;
    // Non-visual: the window's skin manager, streamed with the controls (its internal skin is
    // loaded and announced before FormCreate runs).
    skin::TsSkinManager* sSkinManager1;

private:
    // Idle -> HandingOver (Start clicked) -> Running (the walk) -> Idle.
    enum class RunState { Idle, HandingOver, Running };

    void CreateControls();
    void RecoverFromFailedRun(std::exception_ptr failure);

    scanner::ScanSettings settings_;
    RunState runState_ = RunState::Idle;
    bool closeRequested_ = false;
    bool settingRangeStart_ = false;
    QPointer<TMyThread> lastThread_;
};

} // namespace app

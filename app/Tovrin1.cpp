// The main window's layout, its handlers, and the scan view over its controls.
#include "app/Tovrin1.h"

#include "app/SkinEngineSetup.h"
#include "framework/widgets/Application.h"
#include "framework/widgets/MessageForm.h"
#include "framework/widgets/QtText.h"
#include "framework/base/SysUtils.h"
#include "resources/MainSkinManager.h"
#include "resources/ProgramIcon.h"

#include <thread>

namespace app {
namespace {

using framework::ToQString;

constexpr int kClientWidth = 455;
constexpr int kClientHeight = 296;
constexpr int kFontPixels = 11;
constexpr int kLinkFontPixels = 12;
constexpr int kRangeMaxLength = 8;
constexpr int kFilterMaxLength = 4;
constexpr int kTablePage = 0;

QFont Tahoma(bool bold = false) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kFontPixels);
    font.setBold(bold);
    return font;
}

QFont LinkFont() {
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(kLinkFontPixels);
    return font;
}

void SetFontColor(QWidget* control, framework::TColor color) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, framework::ToQColor(color));
    palette.setColor(QPalette::Text, framework::ToQColor(color));
    control->setPalette(palette);
}

template <class Control, class Parent>
Control* Make(Parent* parent, const char* name, QRect bounds) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(bounds);
    return control;
}

// An edit of the window: white, Tahoma -11 black.
template <class Edit>
void StyleEdit(Edit* edit, int maxLength) {
    edit->SetMaxLength(maxLength);
    edit->SetColor(framework::clWhite);
    edit->setFont(Tahoma());
    SetFontColor(edit, framework::clBlack);
}

struct ColumnSpec {
    const char* caption;
    int width;
    framework::TAlignment alignment;
};

constexpr ColumnSpec kColumns[] = {
    {"№", 30, framework::taLeftJustify},        {"Название", 105, framework::taCenter},
    {"PwD", 35, framework::taCenter},           {"Размер", 61, framework::taCenter},
    {"ID", 65, framework::taCenter},            {"Загрузок", 58, framework::taCenter},
    {"Загружен", 70, framework::taCenter},
};

struct PanelSpec {
    const char* text;
    int width;
};

constexpr PanelSpec kPanels[] = {
    {"Парсим:", 57}, {"0", 90}, {"Осталось:", 65}, {"0", 135}, {"", 50},
};

} // namespace

TMyThread::TMyThread(TForm1* form) : framework::TThread(framework::ThreadStart::Suspended), form_(form) {}

void TMyThread::Execute() {
    // form_ is read on the GUI thread only, where the window may have gone meanwhile.
    Synchronize([this] {
        if (form_)
            form_->ScanRange();
    });
}

TForm1::TForm1(scanner::ScanSettings settings) : settings_(std::move(settings)) {
    setObjectName(QStringLiteral("Form1"));
    SetCaption(ToQString(settings_.host) + QStringLiteral(" Parser"));
    SetBorderStyle(framework::bsSingle);
    SetBorderIcons(framework::biSystemMenu);
    SetPosition(framework::poDesktopCenter);
    SetColor(framework::clBtnFace);
    SetFormFont(Tahoma());
    SetClientSize(kClientWidth, kClientHeight);
    SetUpSkinEngine();
    setWindowIcon(skin::ProgramIcon());
    CreateControls();
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
}

TForm1::~TForm1() {
    // The manager goes before the controls, so its removal of the skin reaches a whole window.
    delete sSkinManager1;
}

void TForm1::CreateControls() {
    QWidget* window = client();

    sGroupBox1 = Make<skin::TsGroupBox>(window, "sGroupBox1", {46, 0, 201, 45});
    sGroupBox1->setTitle(QStringLiteral("Диапазон"));
    sSpinEdit1 = Make<skin::TsSpinEdit>(sGroupBox1, "sSpinEdit1", {13, 16, 80, 21});
    StyleEdit(sSpinEdit1, kRangeMaxLength);
    sSpinEdit1->SetMinValue(1);
    sSpinEdit1->SetMaxValue(0);
    sSpinEdit1->setText(QStringLiteral("1"));
    sSpinEdit1->OnChange = [this](QObject* sender) {
        if (!settingRangeStart_)
            sSpinEdit1Change(sender);
    };
    sLabel3 = Make<skin::TsLabel>(sGroupBox1, "sLabel3", {99, 20, 5, 13});
    sLabel3->setText(QStringLiteral("-"));
    sLabel3->setFont(Tahoma(true));
    sSpinEdit2 = Make<skin::TsSpinEdit>(sGroupBox1, "sSpinEdit2", {109, 16, 80, 21});
    StyleEdit(sSpinEdit2, kRangeMaxLength);
    sSpinEdit2->setText(QStringLiteral("0"));

    sGroupBox2 = Make<skin::TsGroupBox>(window, "sGroupBox2", {250, 0, 160, 45});
    sGroupBox2->setTitle(QStringLiteral("Фильтр"));
    sEdit1 = Make<skin::TsEdit>(sGroupBox2, "sEdit1", {14, 16, 65, 21});
    StyleEdit(sEdit1, kFilterMaxLength);
    sLabel4 = Make<skin::TsLabel>(sGroupBox2, "sLabel4", {92, 12, 41, 13});
    sLabel4->setText(QStringLiteral("Пример:"));
    sLabel5 = Make<skin::TsLabel>(sGroupBox2, "sLabel5", {84, 24, 63, 13});
    sLabel5->setText(QStringLiteral("jpg, mp3, rar"));

    sPageControl1 = Make<skin::TsPageControl>(window, "sPageControl1", {-4, 48, 454, 193});
    sTabSheet1 = new skin::TsTabSheet(sPageControl1);
    sTabSheet1->setObjectName(QStringLiteral("sTabSheet1"));
    sTabSheet1->SetCaption(QStringLiteral("Таблица"));
    ListView1 = Make<framework::TListView>(sTabSheet1, "ListView1", {0, 0, 445, 165});
    for (const ColumnSpec& column : kColumns)
        ListView1->AddColumn(QString::fromUtf8(column.caption), column.width, column.alignment);
    ListView1->SetGridLines(true);
    sTabSheet2 = new skin::TsTabSheet(sPageControl1);
    sTabSheet2->setObjectName(QStringLiteral("sTabSheet2"));
    sTabSheet2->SetCaption(QStringLiteral("Текст"));
    sMemo1 = Make<skin::TsMemo>(sTabSheet2, "sMemo1", {0, 0, 445, 165});
    sMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sMemo1->SetColor(framework::clWhite);
    sMemo1->setFont(Tahoma());
    SetFontColor(sMemo1, framework::clBlack);
    sMemo1->OnKeyDown = [this](QObject* sender, unsigned short& key, framework::TShiftState shift) {
        sMemo1KeyDown(sender, key, shift);
    };
    sPageControl1->SetActivePageIndex(kTablePage);

    sButton3 = Make<skin::TsButton>(window, "sButton3", {236, 244, 61, 29});
    sButton3->setText(QStringLiteral("Очистить"));
    sButton3->OnClick = [this](QObject* sender) { sButton3Click(sender); };
    sButton1 = Make<skin::TsButton>(window, "sButton1", {324, 244, 61, 29});
    sButton1->setText(QStringLiteral("Старт"));
    sButton1->OnClick = [this](QObject* sender) { sButton1Click(sender); };
    sButton2 = Make<skin::TsButton>(window, "sButton2", {388, 244, 61, 29});
    sButton2->setText(QStringLiteral("Стоп"));
    sButton2->OnClick = [this](QObject* sender) { sButton2Click(sender); };

    sGauge1 = Make<skin::TsGauge>(window, "sGauge1", {0, 250, 205, 17});
    sGauge1->SetProgress(0);
    sGauge1->SetForeColor(framework::clBlack);
    sGauge1->SetSuffix(QStringLiteral("%"));

    sStatusBar1 = Make<skin::TsStatusBar>(window, "sStatusBar1", {0, 277, 455, 19});
    sStatusBar1->SetSizeGrip(false);
    for (const PanelSpec& panel : kPanels)
        sStatusBar1->AddPanel(QString::fromUtf8(panel.text), panel.width);
    sWebLabel1 = Make<skin::TsWebLabel>(sStatusBar1, "sWebLabel1", {348, 2, 103, 15});
    sWebLabel1->setText(QString::fromLatin1(kWebAddress));
    sWebLabel1->SetURL(QString::fromLatin1(kWebAddress));
    sWebLabel1->SetNormalFont(LinkFont(), framework::clBlue);
    sWebLabel1->SetHoverFont(LinkFont(), framework::clMaroon);
    sWebLabel1->SetUseSkinColor(false);

    // Tab order: the group boxes' edits, the page control's page, then Clear, Start, Stop.
    QWidget* chain[] = {sSpinEdit1, sSpinEdit2, sEdit1, sPageControl1->TabBar(), ListView1, sMemo1,
                        sButton3, sButton1, sButton2};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    // Last of the stored components: the collection, then the name, which loads the skin; the
    // end of streaming announces it to every window. A skin that cannot be loaded is shown in
    // the error dialog and the window goes on unskinned.
    sSkinManager1 = skin::CreateMainSkinManager(*this);
}

void TForm1::FormCreate(QObject*) { scanner::ProbeNewestNumber(*this, settings_.host); }

void TForm1::sSpinEdit1Change(QObject*) { scanner::UpdateRemainingCount(*this); }

void TForm1::sButton1Click(QObject*) {
    if (runState_ != RunState::Idle)
        return;
    // Disabled at once, so that a second click cannot hand over a second run.
    sButton1->setEnabled(false);
    runState_ = RunState::HandingOver;
    auto* thread = new TMyThread(this);
    thread->SetFreeOnTerminate(true);
    lastThread_ = thread;
    thread->Resume();
}

void TForm1::sButton2Click(QObject*) { scanner::RunFlag = false; }

void TForm1::sButton3Click(QObject*) {
    if (sPageControl1->ActivePageIndex() == kTablePage)
        ListView1->ClearItems();
    else
        sMemo1->ClearLines();
}

void TForm1::sMemo1KeyDown(QObject*, unsigned short& key, framework::TShiftState shift) {
    constexpr unsigned short kKeyA = 0x41;
    if (shift.testFlag(framework::ssCtrl) && key == kKeyA)
        sMemo1->SelectAll();
}

void TForm1::FormCloseQuery(QObject*, bool& canClose) {
    if (runState_ == RunState::Idle)
        return;
    // The run ends at the top of its next number; the window closes once it has returned.
    closeRequested_ = true;
    scanner::RunFlag = false;
    canClose = false;
}

void TForm1::ScanRange() {
    if (!closeRequested_) {
        runState_ = RunState::Running;
        std::exception_ptr failure;
        try {
            scanner::ScanRange(*this, settings_);
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure)
            RecoverFromFailedRun(failure);
    } else {
        SetStartEnabled(true);
    }
    runState_ = RunState::Idle;
    if (closeRequested_)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TForm1::RecoverFromFailedRun(std::exception_ptr failure) {
    SetStartEnabled(true);
    SetStopEnabled(false);
    try {
        scanner::SaveLog(LogLines(), settings_.logPath);
    } catch (const std::exception&) {
        // The failure shown below may be this very write; the log stays on screen.
    }
    if (!closeRequested_)
        if (framework::TApplication* application = framework::Application())
            application->HandleException(failure);
}

void TForm1::SetStartEnabled(bool enabled) { sButton1->setEnabled(enabled); }

void TForm1::SetStopEnabled(bool enabled) { sButton2->setEnabled(enabled); }

int TForm1::GaugeProgress() const { return sGauge1->Progress(); }

void TForm1::SetGaugeProgress(int progress) { sGauge1->SetProgress(progress); }

void TForm1::SetGaugeMaxValue(int maxValue) { sGauge1->SetMaxValue(maxValue); }

std::string TForm1::StatusPanelText(int index) const { return framework::FromQString(sStatusBar1->PanelText(index)); }

void TForm1::SetStatusPanelText(int index, const std::string& text) { sStatusBar1->SetPanelText(index, ToQString(text)); }

std::string TForm1::RangeStartText() const { return framework::FromQString(sSpinEdit1->text()); }

void TForm1::SetRangeStartText(const std::string& text) {
    const QString value = ToQString(text);
    if (value == sSpinEdit1->text())
        return;
    // The change handler runs here directly so that its failure reaches the walk.
    settingRangeStart_ = true;
    sSpinEdit1->setText(value);
    settingRangeStart_ = false;
    sSpinEdit1Change(sSpinEdit1);
}

void TForm1::SetRangeStartMaxValue(int maxValue) { sSpinEdit1->SetMaxValue(maxValue); }

std::string TForm1::RangeEndText() const { return framework::FromQString(sSpinEdit2->text()); }

void TForm1::SetRangeEndText(const std::string& text) { sSpinEdit2->setText(ToQString(text)); }

void TForm1::SetRangeEndMaxValue(int maxValue) { sSpinEdit2->SetMaxValue(maxValue); }

std::string TForm1::FilterText() const { return framework::FromQString(sEdit1->text()); }

void TForm1::AddFileRow(const scanner::FileRow& row) {
    ListView1->AddItem(QString::number(ListView1->ItemCount() + 1),
                       {ToQString(row.nameWithExtension), ToQString(row.passwordFlag), ToQString(row.sizeText),
                        ToQString(row.numberText), ToQString(row.downloadsText), ToQString(row.uploadedText)});
}

void TForm1::AppendLogLine(const std::string& line) { sMemo1->AddLine(line); }

std::vector<std::string> TForm1::LogLines() const { return sMemo1->Lines(); }

void TForm1::ProcessPendingMessages() {
    if (framework::TApplication* application = framework::Application())
        application->ProcessMessages();
}

void TForm1::Pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

void TForm1::ShowCompletionMessage(const std::string& text) {
    // A window that is closing ends without the message.
    if (!closeRequested_)
        framework::ShowMessage(ToQString(text));
}

void TForm1::ShowRunStoppedMessage(const scanner::RunStop& stop) {
    if (!closeRequested_)
        framework::MessageDlg(ToQString(scanner::RunStoppedText(settings_.host, stop)), framework::mtWarning);
}

} // namespace app

// Runs of the main window against the demo site: a short run and its log file, Stop during a
// number, Clear on each tab, Ctrl+A in the log, a site that stops giving pages, and the failure
// paths that a run now survives.
#include "framework/widgets/Application.h"
#include "framework/widgets/QtText.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/mainform/MainFormFixture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::DemoSiteProcess;
using testing_support::Newest;
using testing_support::MakeWindow;
using testing_support::ModalAnswerer;
using testing_support::ReadFile;
using testing_support::WaitUntil;

namespace {

constexpr int kNewest = 40;

class WindowRunTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    DemoSiteProcess site{Newest(kNewest)};
    std::unique_ptr<app::TForm1> form;

    void SetUp() override {
        ASSERT_GT(site.Port(), 0);
        form = MakeWindow(site.Host(), LogPath());
    }
    void TearDown() override {
        // The worker of the last run must be gone before the window is.
        ASSERT_TRUE(WaitUntil([&] { return form->LastThread() == nullptr; }));
    }

    std::filesystem::path LogPath() const { return folder.filePath(QStringLiteral("logs.txt")).toStdString(); }

    void SetRange(int first, int last) {
        form->sSpinEdit1->setText(QString::number(first));
        form->sSpinEdit2->setText(QString::number(last));
    }

    // Clicks Start and waits until the run has ended and its worker is gone.
    void RunToEnd() {
        form->sButton1->click();
        ASSERT_TRUE(WaitUntil([&] { return !form->RunInProgress() && form->LastThread() == nullptr; }));
    }

    // Posts a click on a button; it arrives where the run processes pending messages.
    static void PostClick(QWidget* button) {
        const QPointF centre(button->width() / 2.0, button->height() / 2.0);
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre),
                                                             Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre),
                                                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    }

    // A click as the pointer gives it: the button takes the focus on the press.
    static void ClickWithFocus(QWidget* button) {
        button->setFocus(Qt::MouseFocusReason);
        PostClick(button);
    }

    // Calls action once, right after the log line of number k was appended.
    void WhenNumberLogged(int k, std::function<void()> action) { WhenNumberLogged(form.get(), k, std::move(action)); }
    static void WhenNumberLogged(app::TForm1* window, int k, std::function<void()> action) {
        QObject::connect(window->sMemo1->document(), &QTextDocument::blockCountChanged, window,
                         [window, k, action = std::move(action), done = false]() mutable {
                             if (!done && window->StatusPanelText(scanner::kCurrentNumberPanel) == std::to_string(k)) {
                                 done = true;
                                 action();
                             }
                         });
    }

    std::string ExpectedLogBytes() const {
        std::string bytes;
        for (const std::string& line : form->LogLines())
            bytes += line + "\r\n";
        return bytes + "\r\n";
    }

    QString CompletionText() const {
        return QStringLiteral("Сбор данных с сайта ") + QString::fromStdString(site.Host()) + QStringLiteral(" завершен!");
    }
};

} // namespace

TEST_F(WindowRunTest, ShortRunFillsTheWindowAndWritesTheLogAsTheCommandLineScanDoes) {
    SetRange(1, 6);
    ModalAnswerer answerer;
    RunToEnd();
    ASSERT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(answerer.Answered()[0].text, CompletionText());
    EXPECT_EQ(answerer.Answered()[0].caption, framework::Application()->Title());
    EXPECT_FALSE(answerer.Answered()[0].hasIcon);
    // It belongs to the window (which window managers keep it above).
    EXPECT_EQ(answerer.Answered()[0].transientParent, form->windowHandle());

    EXPECT_EQ(form->LogLines().size(), 6u);
    EXPECT_GT(form->ListView1->ItemCount(), 0);
    EXPECT_EQ(form->ListView1->ItemText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(form->sStatusBar1->PanelText(1), QStringLiteral("6"));
    EXPECT_EQ(form->sStatusBar1->PanelText(3), QStringLiteral("0"));
    EXPECT_EQ(form->sSpinEdit1->text(), QStringLiteral("6")); // the last number does not advance it
    EXPECT_EQ(form->sGauge1->MaxValue(), kNewest - 1);
    EXPECT_EQ(form->sGauge1->Progress(), 6);
    EXPECT_TRUE(form->sButton1->isEnabled());
    EXPECT_FALSE(form->sButton2->isEnabled());

    const std::string written = ReadFile(LogPath());
    EXPECT_EQ(written, ExpectedLogBytes());

    // Byte for byte what tovrin-scan writes for the same range (Windows-1251, CR LF).
    const QString cliLog = folder.filePath(QStringLiteral("cli-logs.txt"));
    QProcess cli;
    cli.start(QStringLiteral(TOVRIN_SCAN), {QStringLiteral("--host"), QString::fromStdString(site.Host()),
                                             QStringLiteral("--log"), cliLog, QStringLiteral("--delay"), QStringLiteral("0"),
                                             QStringLiteral("--quiet"), QStringLiteral("1"), QStringLiteral("6")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(written, ReadFile(cliLog.toStdString()));
    // Cyrillic letters of the log are single Windows-1251 bytes in the file.
    const QString shown = form->sMemo1->toPlainText();
    const auto cyrillic = std::find_if(shown.begin(), shown.end(), [](QChar ch) { return ch >= u'А' && ch <= u'я'; });
    if (cyrillic != shown.end()) {
        EXPECT_NE(written.find(static_cast<char>(0xC0 + (cyrillic->unicode() - u'А'))), std::string::npos);
    }
}

TEST_F(WindowRunTest, StopDuringNumberKEndsAfterItAndTheNextStartGoesOn) {
    SetRange(1, 10);
    WhenNumberLogged(3, [&] { PostClick(form->sButton2); });
    ModalAnswerer answerer;
    RunToEnd();
    EXPECT_EQ(answerer.Answered().size(), 1u); // the completion message
    EXPECT_EQ(form->sSpinEdit1->text(), QStringLiteral("4"));
    EXPECT_EQ(form->sStatusBar1->PanelText(1), QStringLiteral("3"));
    EXPECT_EQ(form->LogLines().size(), 3u);
    EXPECT_EQ(ReadFile(LogPath()), ExpectedLogBytes());
    EXPECT_EQ(form->sStatusBar1->PanelText(3), QStringLiteral("37")); // 40 - 3

    form->sSpinEdit2->setText(QStringLiteral("5"));
    RunToEnd();
    EXPECT_EQ(form->LogLines().size(), 5u);
    EXPECT_EQ(form->sStatusBar1->PanelText(1), QStringLiteral("5"));
    EXPECT_EQ(answerer.Answered().size(), 2u);
}

TEST_F(WindowRunTest, ClearEmptiesOnlyTheVisibleTabAndNumberingRestarts) {
    SetRange(1, 12);
    ModalAnswerer answerer;
    RunToEnd();
    const int rows = form->ListView1->ItemCount();
    ASSERT_GT(rows, 1);
    const std::size_t lines = form->LogLines().size();

    form->sButton3->click(); // the "Таблица" tab is visible
    EXPECT_EQ(form->ListView1->ItemCount(), 0);
    EXPECT_EQ(form->LogLines().size(), lines);

    SetRange(1, 12);
    RunToEnd();
    EXPECT_EQ(form->ListView1->ItemCount(), rows);
    EXPECT_EQ(form->ListView1->ItemText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(form->LogLines().size(), 2 * lines); // earlier lines are saved again
    EXPECT_EQ(ReadFile(LogPath()), ExpectedLogBytes());

    form->sPageControl1->TabBar()->setCurrentIndex(1); // "Текст"
    form->sButton3->click();
    EXPECT_TRUE(form->LogLines().empty());
    EXPECT_EQ(form->ListView1->ItemCount(), rows);
}

TEST_F(WindowRunTest, ClearDuringARunTakesEffectAtTheNextProcessingPoint) {
    SetRange(1, 8);
    form->sPageControl1->SetActivePageIndex(1);
    WhenNumberLogged(4, [&] { PostClick(form->sButton3); });
    ModalAnswerer answerer;
    RunToEnd();
    EXPECT_EQ(form->LogLines().size(), 4u); // numbers 5 to 8
    EXPECT_EQ(ReadFile(LogPath()), ExpectedLogBytes());
}

TEST_F(WindowRunTest, CtrlASelectsTheWholeLogWithOrWithoutShift) {
    for (int i = 0; i < 3; ++i)
        form->AppendLogLine("line " + std::to_string(i));
    for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        QTextCursor cursor = form->sMemo1->textCursor();
        cursor.clearSelection();
        form->sMemo1->setTextCursor(cursor);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, modifiers, QString());
        QCoreApplication::sendEvent(form->sMemo1, &press);
        EXPECT_EQ(form->sMemo1->textCursor().selectedText().size(), form->sMemo1->toPlainText().size())
            << "modifiers " << modifiers.toInt();
        EXPECT_EQ(form->sMemo1->textCursor().selectionStart(), 0);
    }
}

TEST_F(WindowRunTest, FailureInsideARunRestoresTheButtonsSavesTheLogAndIsShown) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString message;
    };
    const Case cases[] = {
        {"range start not a number", [this] { form->sSpinEdit1->setText(QStringLiteral("x1")); },
         QStringLiteral("'x1' is not a valid integer value.")},
        {"range start beyond the newest number", [this] { SetRange(45, 46); },
         QStringLiteral("Value must be between 1 and 2147483647.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->AppendLogLine("kept line");
        std::filesystem::remove(LogPath());
        c.arrange();
        ModalAnswerer answerer;
        RunToEnd();
        ASSERT_EQ(answerer.Answered().size(), 1u);
        EXPECT_EQ(answerer.Answered()[0].text, c.message);
        EXPECT_TRUE(answerer.Answered()[0].hasIcon);
        EXPECT_TRUE(form->sButton1->isEnabled());
        EXPECT_FALSE(form->sButton2->isEnabled());
        EXPECT_EQ(ReadFile(LogPath()), ExpectedLogBytes());
    }
}

TEST_F(WindowRunTest, LogFileThatCannotBeWrittenIsShownAndStartComesBack) {
    form.reset();
    const QString unwritable = folder.filePath(QStringLiteral("missing-folder/logs.txt"));
    form = MakeWindow(site.Host(), unwritable.toStdString());
    SetRange(1, 2);
    ModalAnswerer answerer;
    RunToEnd();
    ASSERT_EQ(answerer.Answered().size(), 1u);
    // The path and the reason, and the log stays in the window.
    EXPECT_EQ(answerer.Answered()[0].text,
              QStringLiteral("Cannot write file \"") + unwritable + QStringLiteral("\": No such file or directory."));
    EXPECT_TRUE(answerer.Answered()[0].hasIcon);
    EXPECT_TRUE(form->sButton1->isEnabled());
    EXPECT_FALSE(form->sButton2->isEnabled());
    EXPECT_EQ(form->LogLines().size(), 2u);
}

// A site that dies in the middle of the range, and one that answers 503 for a number: the run
// stops there with a message of its own, the range start stays on that number, the error line
// is the last of the log tab and of the saved log, and Start goes on from there.
TEST_F(WindowRunTest, ASiteThatStopsGivingPagesStopsTheRunAndStartGoesOnFromThatNumber) {
    struct Case {
        const char* what;
        std::vector<std::string> site;
        int stopAt;
    };
    const Case cases[] = {
        {"dies at 5", {"--die-at", "5"}, 5},
        {"503 for 4", {"--unavailable", "4"}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments = Newest(kNewest);
        arguments.insert(arguments.end(), c.site.begin(), c.site.end());
        auto failing = std::make_unique<DemoSiteProcess>(arguments);
        form.reset();
        form = MakeWindow(failing->Host(), LogPath());
        SetRange(1, 8);
        ModalAnswerer answerer;
        RunToEnd();

        ASSERT_EQ(answerer.Answered().size(), 1u);
        const QString message = answerer.Answered()[0].text;
        const QString said = QStringLiteral("Сбор данных с сайта ") + QString::fromStdString(failing->Host()) +
                             QStringLiteral(" остановлен на номере ") + QString::number(c.stopAt) + QStringLiteral(":\n");
        EXPECT_TRUE(message.startsWith(said)) << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral(".\nСтарт продолжит с этого номера."))) << message.toStdString();
        EXPECT_TRUE(answerer.Answered()[0].hasIcon);
        EXPECT_EQ(form->sSpinEdit1->text(), QString::number(c.stopAt));
        EXPECT_EQ(form->sStatusBar1->PanelText(1), QString::number(c.stopAt));
        EXPECT_EQ(form->sStatusBar1->PanelText(3), QString::number(kNewest - c.stopAt));
        EXPECT_TRUE(form->sButton1->isEnabled());
        EXPECT_FALSE(form->sButton2->isEnabled());
        const std::vector<std::string> lines = form->LogLines();
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.stopAt));
        for (int n = 1; n < c.stopAt; ++n)
            EXPECT_EQ(lines[n - 1].rfind("http://" + failing->Host() + "/" + std::to_string(n) + " - ", 0), 0u) << lines[n - 1];
        const QString reason = message.mid(said.size(), message.indexOf(u'\n', said.size()) - said.size() - 1);
        EXPECT_EQ(QString::fromStdString(lines.back().substr(lines.back().find(" - ") + 3)), reason);
        EXPECT_EQ(ReadFile(LogPath()), ExpectedLogBytes());

        // The site answers again (a new one on the same port); Start goes on from the number.
        const int port = failing->Port();
        failing.reset();
        DemoSiteProcess back({"--port", std::to_string(port), "--newest", std::to_string(kNewest)});
        RunToEnd();
        ASSERT_EQ(answerer.Answered().size(), 2u);
        EXPECT_EQ(answerer.Answered()[1].text, QStringLiteral("Сбор данных с сайта ") + QString::fromStdString(back.Host()) +
                                                   QStringLiteral(" завершен!"));
        ASSERT_EQ(form->LogLines().size(), lines.size() + 8 - c.stopAt + 1);
        EXPECT_EQ(form->LogLines()[lines.size()].rfind("http://" + back.Host() + "/" + std::to_string(c.stopAt) + " - ", 0), 0u);
        EXPECT_EQ(form->sSpinEdit1->text(), QStringLiteral("8"));
        ASSERT_TRUE(WaitUntil([&] { return form->LastThread() == nullptr; }));
    }
}

TEST_F(WindowRunTest, SecondStartBeforeTheRunBeginsHandsOverNothing) {
    SetRange(1, 2);
    ModalAnswerer answerer;
    form->sButton1Click(form->sButton1);
    EXPECT_FALSE(form->sButton1->isEnabled());
    form->sButton1Click(form->sButton1); // as if a second click had slipped through
    ASSERT_TRUE(WaitUntil([&] { return !form->RunInProgress() && form->LastThread() == nullptr; }));
    EXPECT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(form->LogLines().size(), 2u);
}

TEST_F(WindowRunTest, ClosingDuringARunEndsItAfterTheNumberInHandAndThenCloses) {
    SetRange(1, 10);
    bool closed = false;
    QObject::connect(form.get(), &framework::TForm::Closed, [&] { closed = true; });
    WhenNumberLogged(3, [&] { QMetaObject::invokeMethod(form.get(), &QWidget::close, Qt::QueuedConnection); });
    ModalAnswerer answerer;
    form->sButton1->click();
    ASSERT_TRUE(WaitUntil([&] { return closed && form->LastThread() == nullptr; }));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(answerer.Answered().empty()); // no completion message for a closing window
    EXPECT_EQ(form->LogLines().size(), 3u);
    EXPECT_EQ(ReadFile(LogPath()), ExpectedLogBytes());
}

// Clicked as a user clicks them, Start and then Stop hold the focus when the run disables them.
// The focus must not travel round to the range-start edit: the completion message would take
// it from there, and the edit, left, would clamp itself to its limit (newest - 1).
TEST_F(WindowRunTest, RangeStartStaysWhereACompletedOrStoppedRunLeftIt) {
    struct Case {
        const char* name;
        int stopDuring; // 0: the run completes
    };
    const Case cases[] = {{"completed", 0}, {"stopped during newest - 1", kNewest - 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetRange(kNewest - 4, kNewest);
        form->activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return form->isActiveWindow(); }));
        if (c.stopDuring != 0)
            WhenNumberLogged(c.stopDuring, [&] { ClickWithFocus(form->sButton2); });
        ModalAnswerer answerer;
        form->sMemo1->ClearLines();
        ClickWithFocus(form->sButton1);
        ASSERT_TRUE(WaitUntil([&] { return answerer.Answered().size() == 1 && !form->RunInProgress() &&
                                           form->LastThread() == nullptr; }));
        // Either way the first number not yet visited is the newest one, beyond the edit's limit.
        EXPECT_EQ(form->sSpinEdit1->text(), QString::number(kNewest));
        EXPECT_FALSE(form->sSpinEdit1->hasFocus());

        // The next Start scans the newest number alone.
        form->sMemo1->ClearLines();
        ClickWithFocus(form->sButton1);
        ASSERT_TRUE(WaitUntil([&] { return answerer.Answered().size() == 2 && !form->RunInProgress() &&
                                           form->LastThread() == nullptr; }));
        ASSERT_EQ(form->LogLines().size(), 1u);
        EXPECT_EQ(form->LogLines()[0].rfind("http://" + site.Host() + "/" + std::to_string(kNewest) + " ", 0), 0u)
            << form->LogLines()[0];
        QObject::disconnect(form->sMemo1->document(), &QTextDocument::blockCountChanged, form.get(), nullptr);
    }
}

TEST_F(WindowRunTest, StopWhileIdleHasNoEffectOnTheNextRun) {
    form->sButton2->click();
    SetRange(1, 2);
    ModalAnswerer answerer;
    RunToEnd();
    EXPECT_EQ(form->LogLines().size(), 2u);
}

TEST_F(WindowRunTest, ProgramClosedDuringARunLeavesItsMessageLoopNormally) {
    form.reset();
    scanner::NewestNumber.clear();
    scanner::ScanSettings settings;
    settings.host = site.Host();
    settings.logPath = LogPath();
    settings.pause = std::chrono::milliseconds(1);
    framework::TApplication* application = framework::Application();
    app::TForm1* window = application->CreateForm<app::TForm1>(settings);
    ASSERT_EQ(application->MainForm(), window);
    window->sSpinEdit2->setText(QStringLiteral("10"));
    WhenNumberLogged(window, 3, [window] { QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection); });
    QTimer::singleShot(0, window->sButton1, &QPushButton::click);
    ModalAnswerer answerer;
    EXPECT_EQ(application->Run(), 0);
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(window->LastThread(), nullptr); // the worker finished and freed itself
    EXPECT_EQ(window->LogLines().size(), 3u);
    EXPECT_TRUE(answerer.Answered().empty());
    form = MakeWindow(site.Host(), LogPath()); // for the fixture's tear-down
}

// The application object's error dialog, the message dialog, and the thread hand-over with
// failures handed back to the worker.
#include "framework/widgets/Application.h"
#include "framework/widgets/Classes.h"
#include "framework/widgets/Forms.h"
#include "framework/core/Dialogs.h"
#include "framework/widgets/MessageForm.h"
#include "framework/widgets/QtText.h"
#include "framework/widgets/StdCtrls.h"
#include "framework/base/SysUtils.h"
#include "tests/support/ModalAnswerer.h"

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

using framework::TApplication;
using testing_support::ModalAnswerer;
using testing_support::WaitUntil;

namespace {

// Hands one piece of work to the GUI thread and keeps what came back.
class HandOverThread : public framework::TThread {
public:
    explicit HandOverThread(std::function<void()> work)
        : framework::TThread(framework::ThreadStart::Suspended), work_(std::move(work)) {}

    std::string caughtMessage;
    Qt::HANDLE workThread = nullptr;
    std::atomic<bool> done{false};

protected:
    void Execute() override {
        try {
            Synchronize([this] {
                workThread = QThread::currentThreadId();
                work_();
            });
        } catch (const framework::Exception& failure) {
            caughtMessage = failure.what();
        }
        done = true;
    }

private:
    std::function<void()> work_;
};

} // namespace

TEST(ThreadTest, SynchronizeRunsOnTheGuiThreadAndHandsTheFailureBack) {
    struct Case {
        const char* name;
        bool fails;
    };
    const Qt::HANDLE guiThread = QThread::currentThreadId();
    for (const Case& c : {Case{"succeeds", false}, Case{"fails", true}}) {
        SCOPED_TRACE(c.name);
        bool ran = false;
        HandOverThread thread([&] {
            ran = true;
            if (c.fails)
                throw framework::EConvertError("'x' is not a valid integer value");
        });
        thread.Resume();
        ASSERT_TRUE(WaitUntil([&] { return thread.isFinished(); }));
        EXPECT_TRUE(ran);
        EXPECT_EQ(thread.workThread, guiThread);
        EXPECT_EQ(thread.caughtMessage, c.fails ? "'x' is not a valid integer value" : "");
        EXPECT_FALSE(thread.FatalException());
    }
}

TEST(ThreadTest, FailureEndingExecuteIsKeptAndFreeOnTerminateDeletes) {
    class Failing : public framework::TThread {
    public:
        Failing() : framework::TThread(framework::ThreadStart::Suspended) {}
    protected:
        void Execute() override { throw framework::Exception("worker failed"); }
    };
    auto* thread = new Failing;
    QPointer<Failing> alive(thread);
    std::string message;
    QObject::connect(thread, &QThread::finished, [&] { message = framework::ExceptionMessage(thread->FatalException()); });
    thread->SetFreeOnTerminate(true);
    thread->Resume();
    ASSERT_TRUE(WaitUntil([&] { return alive.isNull(); }));
    EXPECT_EQ(message, "worker failed");
}

TEST(ThreadTest, SynchronizeOnTheGuiThreadRunsAtOnceAndRaisesDirectly) {
    EXPECT_THROW(framework::TThread::Synchronize([] { throw framework::Exception("direct"); }), framework::Exception);
}

TEST(ApplicationTest, ExceptionTextAppendsAFullStopAfterTheLastCharacterSortsAfterIt) {
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"'' is not a valid integer value", "'' is not a valid integer value."},
        {"Value must be between 1 and 2147483647", "Value must be between 1 and 2147483647."},
        {"Already ends.", "Already ends."},
        {"Done!", "Done!"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TApplication::ExceptionText(c.message).toStdString(), c.shown) << c.message;
    // A Cyrillic last letter sorts after '.' too.
    EXPECT_EQ(TApplication::ExceptionText(framework::Cp1251Literal("Ошибка")), QStringLiteral("Ошибка."));
}

TEST(ApplicationTest, FailureInAHandlerShowsTheStandardErrorDialog) {
    ModalAnswerer answerer;
    framework::CallSafely([] { framework::StrToInt(""); });
    ASSERT_EQ(answerer.Answered().size(), 1u);
    const auto& dialog = answerer.Answered()[0];
    EXPECT_EQ(dialog.className, QStringLiteral("TMessageForm"));
    EXPECT_EQ(dialog.caption, framework::Application()->Title());
    EXPECT_EQ(dialog.text, QStringLiteral("'' is not a valid integer value."));
    EXPECT_TRUE(dialog.hasIcon);
}

TEST(MessageDialogTest, IconOnlyForErrorsAndWarningsAndOkAnswers) {
    struct Case {
        framework::TMsgDlgType type;
        bool icon;
    };
    for (const Case& c : {Case{framework::mtError, true}, Case{framework::mtWarning, true},
                          Case{framework::mtInformation, false}, Case{framework::mtCustom, false}}) {
        ModalAnswerer answerer;
        const int result = framework::MessageDlg(QStringLiteral("Сбор данных завершен!"), c.type);
        EXPECT_EQ(result, framework::mrOk);
        ASSERT_EQ(answerer.Answered().size(), 1u);
        EXPECT_EQ(answerer.Answered()[0].hasIcon, c.icon) << c.type;
        EXPECT_EQ(answerer.Answered()[0].text, QStringLiteral("Сбор данных завершен!"));
    }
}

TEST(MessageDialogTest, EscapeAnswersWithTheLastButton) {
    struct Case {
        framework::TMsgDlgType type;
        int result;
    };
    for (const Case& c : {Case{framework::mtCustom, framework::mrOk}, Case{framework::mtError, framework::mrOk},
                          Case{framework::mtConfirmation, framework::mrNo}}) {
        SCOPED_TRACE(c.type);
        ModalAnswerer answerer(testing_support::ModalAnswer::Escape);
        EXPECT_EQ(framework::MessageDlg(QStringLiteral("Сбор данных завершен!"), c.type), c.result);
        ASSERT_EQ(answerer.Answered().size(), 1u);
        EXPECT_FALSE(answerer.Answered()[0].escapeIgnored);
    }
}

TEST(MessageDialogTest, ADialogBelongsToTheFormItIsShownOver) {
    framework::TForm owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    ModalAnswerer answerer;
    framework::MessageDlg(QStringLiteral("Done."), framework::mtCustom);
    ASSERT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(answerer.Answered()[0].transientParent, owner.windowHandle());
    // Only dialog windows carry their owner to the window manager (WM_TRANSIENT_FOR on X11).
    EXPECT_TRUE(answerer.Answered()[0].dialogWindow);
}

TEST(MessageDialogTest, LayoutHoldsTheTextAndCentresTheButton) {
    const QString text = QStringLiteral("A message long enough to need some room in the dialog");
    framework::TMessageForm form(text, framework::mtError, true);
    const QRect label = form.MessageLabel()->geometry();
    const QRect button = form.OkButton()->geometry();
    const QRect icon = form.Image()->geometry();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_GT(label.left(), icon.right());
    EXPECT_GE(label.width(), form.MessageLabel()->fontMetrics().horizontalAdvance(text));
    EXPECT_GT(button.top(), std::max(label.bottom(), icon.bottom()));
    EXPECT_LE(std::abs(button.center().x() - form.ClientWidth() / 2), 1);
    EXPECT_LT(button.bottom(), form.ClientHeight());
    EXPECT_EQ(form.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.Caption(), framework::Application()->Title());
}

TEST(MessageDialogTest, NonVisualCodeReachesTheDialogThroughThePresenter) {
    ModalAnswerer answerer;
    framework::ShowMessageDialog(framework::MessageKind::Information, framework::Cp1251Literal("Готово"));
    ASSERT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(answerer.Answered()[0].text, QStringLiteral("Готово"));
    EXPECT_FALSE(answerer.Answered()[0].hasIcon);
}

TEST(MessageDialogTest, ConfirmationAsksYesOrNo) {
    framework::TMessageForm form(QStringLiteral("Apply?"), framework::mtConfirmation, false);
    ASSERT_EQ(form.Buttons().size(), 2u);
    EXPECT_EQ(form.Buttons()[0]->text(), QStringLiteral("Yes"));
    EXPECT_EQ(form.Buttons()[1]->text(), QStringLiteral("No"));
    EXPECT_LT(form.Buttons()[0]->geometry().right(), form.Buttons()[1]->geometry().left());

    ModalAnswerer answerer; // presses the first button
    EXPECT_EQ(framework::ShowMessageDialog(framework::MessageKind::Confirmation, "Apply?"), framework::DialogAnswer::Yes);
    EXPECT_EQ(answerer.Answered().size(), 1u);
}

// Answers the modal windows a test provokes: while alive it watches for the active modal
// window, records what it showed and presses its OK button (or the Escape key), as a user would.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWindow>

#include <vector>

namespace testing_support {

struct AnsweredDialog {
    QString className; // the framework class name ("TMessageForm")
    QString caption;
    QString text;
    bool hasIcon = false;
    QPointer<QWindow> transientParent; // the window it was shown for
    bool dialogWindow = false;         // shown as a dialog window (Qt::Dialog)
    bool escapeIgnored = false;        // Escape left it open: its button was pressed instead
};

enum class ModalAnswer { PressButton, Escape };

class ModalAnswerer {
public:
    explicit ModalAnswerer(ModalAnswer answer = ModalAnswer::PressButton);
    ~ModalAnswerer();
    const std::vector<AnsweredDialog>& Answered() const { return answered_; }

private:
    void Poll();

    ModalAnswer answer_;
    QPointer<QWidget> escaped_; // the last dialog sent Escape
    QTimer timer_;
    std::vector<AnsweredDialog> answered_;
};

// Runs the event loop until done() holds or timeoutMs passed; false on timeout.
template <class Done>
bool WaitUntil(Done done, int timeoutMs = 10000);

} // namespace testing_support

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

template <class Done>
bool testing_support::WaitUntil(Done done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

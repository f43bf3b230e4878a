// Answers the modal windows a test provokes: while alive it watches for the active modal
// window, records what it showed and presses its OK button, as a user would.
#pragma once

#include <QString>
#include <QTimer>

#include <vector>

namespace testing_support {

struct AnsweredDialog {
    QString className; // the framework class name ("TMessageForm")
    QString caption;
    QString text;
    bool hasIcon = false;
};

class ModalAnswerer {
public:
    ModalAnswerer();
    ~ModalAnswerer();
    const std::vector<AnsweredDialog>& Answered() const { return answered_; }

private:
    void Poll();

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

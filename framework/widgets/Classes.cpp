// The thread's run method, the blocking hand-over to the GUI thread, and the set of live
// threads the application waits for at its end.
#include "framework/widgets/Classes.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <algorithm>
#include <mutex>
#include <vector>

namespace framework {
namespace {

std::mutex& LiveThreadsMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<TThread*>& LiveThreads() {
    static std::vector<TThread*> threads;
    return threads;
}

} // namespace

TThread::TThread(ThreadStart start) {
    {
        const std::lock_guard lock(LiveThreadsMutex());
        LiveThreads().push_back(this);
    }
    connect(this, &QThread::finished, this, [this] {
        if (freeOnTerminate_)
            deleteLater();
    });
    if (start == ThreadStart::Running)
        Resume();
}

TThread::~TThread() {
    {
        const std::lock_guard lock(LiveThreadsMutex());
        auto& threads = LiveThreads();
        threads.erase(std::remove(threads.begin(), threads.end(), this), threads.end());
    }
    wait();
}

void TThread::Resume() {
    if (!isRunning() && !isFinished())
        start();
}

void TThread::run() {
    try {
        Execute();
    } catch (...) {
        fatalException_ = std::current_exception();
    }
}

void TThread::Synchronize(const std::function<void()>& work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        work();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        app,
        [&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

void TThread::WaitForAll() {
    // A worker may still wait in Synchronize, so the GUI thread keeps serving hand-overs
    // while it waits.
    constexpr int kServeIntervalMs = 10;
    for (;;) {
        bool anyRunning = false;
        {
            const std::lock_guard lock(LiveThreadsMutex());
            for (const TThread* thread : LiveThreads())
                anyRunning = anyRunning || thread->isRunning();
        }
        if (!anyRunning)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, kServeIntervalMs);
        QThread::msleep(1);
    }
    // The finished notifications queued by the workers, then the deletions they ask for.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace framework

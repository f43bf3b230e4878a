// TThread: a worker thread whose Execute may hand work to the GUI thread with Synchronize.
// A failure raised there is caught on the GUI thread and raised again in the worker; a failure
// that ends Execute is kept as FatalException. Qt never sees either.
#pragma once

#include <QThread>

#include <exception>
#include <functional>

namespace framework {

enum class ThreadStart { Running, Suspended };

class TThread : public QThread {
    Q_OBJECT
public:
    // A suspended thread waits for Resume (Start); a running one starts at once. The object
    // must be made on the GUI thread.
    explicit TThread(ThreadStart start);
    ~TThread() override;

    // The thread object deletes itself (on the GUI thread) after Execute returned.
    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool free) { freeOnTerminate_ = free; }

    void Resume();
    bool Terminated() const { return terminated_; }
    void Terminate() { terminated_ = true; }
    std::exception_ptr FatalException() const { return fatalException_; }

    // Runs work on the GUI thread and waits for it; work's failure is raised again here.
    // Called on the GUI thread itself, work simply runs.
    static void Synchronize(const std::function<void()>& work);

    // Waits until every TThread still alive has finished (the message loop's end).
    static void WaitForAll();

protected:
    virtual void Execute() = 0;

private:
    void run() final;

    bool freeOnTerminate_ = false;
    bool terminated_ = false;
    std::exception_ptr fatalException_;
};

} // namespace framework

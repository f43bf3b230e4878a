// The helper: one job slot, a thread that waits for it, and the take-back of a job it has not
// started (the offering thread may well have done all the work by then).
#include "skin/pixels/HelperThread.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace skin {
namespace {
std::atomic<bool> enabled{true};
} // namespace

struct HelperThread::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> job;
    bool offered = false; // a job waits or runs
    std::uint64_t ticket = 0; // of the job offered last
    bool running = false;
    bool quitting = false;
    std::thread thread;
};

HelperThread::HelperThread() : state_(new State) {}

HelperThread::~HelperThread() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->quitting = true;
    }
    state_->changed.notify_all();
    if (state_->thread.joinable())
        state_->thread.join();
    delete state_;
}

HelperThread* HelperThread::Shared() {
    static const std::unique_ptr<HelperThread> shared = []() -> std::unique_ptr<HelperThread> {
        std::unique_ptr<HelperThread> helper(new HelperThread);
        try {
            helper->state_->thread = std::thread([raw = helper.get()] { raw->Run(); });
        } catch (const std::system_error&) {
            return nullptr;
        }
        return helper;
    }();
    return shared.get();
}

void HelperThread::SetEnabled(bool on) { enabled = on; }

std::uint64_t HelperThread::Offer(std::function<void()> job) {
    if (!enabled)
        return 0;
    std::uint64_t ticket = 0;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->offered)
            return 0;
        state_->job = std::move(job);
        state_->offered = true;
        ticket = ++state_->ticket;
    }
    state_->changed.notify_all();
    return ticket;
}

void HelperThread::Finish(std::uint64_t ticket) {
    std::unique_lock<std::mutex> lock(state_->mutex);
    const auto ours = [&] { return state_->ticket == ticket && state_->offered; };
    if (!ours())
        return; // run already
    if (!state_->running) {
        state_->job = nullptr; // not started: taken back
        state_->offered = false;
        return;
    }
    state_->changed.wait(lock, [&] { return !ours(); });
}

void HelperThread::Run() {
    std::unique_lock<std::mutex> lock(state_->mutex);
    for (;;) {
        state_->changed.wait(lock, [this] { return state_->quitting || (state_->offered && !state_->running); });
        if (state_->quitting)
            return;
        state_->running = true;
        std::function<void()> job = std::move(state_->job);
        lock.unlock();
        job();
        lock.lock();
        state_->running = false;
        state_->offered = false;
        state_->changed.notify_all();
    }
}

} // namespace skin

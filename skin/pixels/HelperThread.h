// One thread kept for the whole process that takes a job when it is idle, so that a large pixel
// operation can share its work without starting a thread each time (which costs about as much as
// a small resample, and more on a busy machine).
#pragma once

#include <cstdint>
#include <functional>

namespace skin {

class HelperThread {
public:
    // The process's helper, started at the first call; nullptr when no thread can be had.
    static HelperThread* Shared();

    // Hands job to the helper when it has none: a ticket for Finish, or 0 when it is busy (or
    // jobs are switched off). A job handed over must be ended with Finish before anything it uses goes.
    std::uint64_t Offer(std::function<void()> job);
    // Takes the job back when the helper has not started it, else waits until it has run.
    void Finish(std::uint64_t ticket);

    // Whether Offer hands jobs over at all (benchmarks compare one thread with one thread).
    static void SetEnabled(bool enabled);

    ~HelperThread();
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

private:
    HelperThread();
    void Run();
    struct State;
    State* state_;
};

} // namespace skin

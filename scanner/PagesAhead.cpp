// One page asked for ahead on a helper thread, handed to the walk with the lines its fetch wrote.
#include "scanner/PagesAhead.h"

#include "scanner/SiteHost.h"

#include <system_error>
#include <utility>

namespace scanner {

PagesAhead::PagesAhead(std::string host, RetryPolicy retry, int last, bool ahead)
    : host_(std::move(host)), retry_(retry), last_(last), ahead_(ahead) {}

PagesAhead::~PagesAhead() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quitting_ = true;
    }
    abandon_ = true;
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

FetchedPage PagesAhead::Fetch(int number, const LogSink& log, const std::function<void(std::chrono::milliseconds)>& wait) {
    const std::string address = PageAddress(host_, number);
    bool fromAhead = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        fromAhead = (asked_ && asked_->number == number) || (handed_ && handed_->number == number);
    }
    FetchedPage page = FetchRetrying(
        [&](const LogSink& tryLog) {
            if (fromAhead) {
                fromAhead = false;
                return TakeAhead(number, tryLog);
            }
            return FetchPage(address, tryLog);
        },
        log, retry_, wait);
    if (ahead_ && !page.Failed() && number < last_)
        Ask(number + 1);
    return page;
}

void PagesAhead::Ask(int number) {
    if (!worker_.joinable()) {
        try {
            worker_ = std::thread([this] { Work(); });
        } catch (const std::system_error&) {
            return; // no thread to be had: the page is fetched when the walk comes to it
        }
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (asked_ && asked_->number == number)
            return; // the helper went on to it by itself
        asked_.emplace();
        asked_->number = number;
    }
    changed_.notify_all();
}

FetchedPage PagesAhead::TakeAhead(int number, const LogSink& log) {
    Ahead taken;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        walkWaits_ = true;
        changed_.wait(lock, [&] {
            return (handed_ && handed_->number == number) || (asked_ && asked_->number == number && asked_->done);
        });
        walkWaits_ = false;
        std::optional<Ahead>& came = handed_ && handed_->number == number ? handed_ : asked_;
        taken = std::move(*came);
        came.reset();
    }
    for (const std::string& line : taken.lines)
        log(line);
    return std::move(taken.page);
}

void PagesAhead::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return quitting_ || (asked_ && !asked_->done); });
        if (quitting_)
            return;
        const int number = asked_->number;
        lock.unlock();
        std::vector<std::string> lines;
        FetchedPage page = FetchPage(PageAddress(host_, number), [&lines](const std::string& line) { lines.push_back(line); },
                                     abandon_);
        lock.lock();
        if (!asked_ || asked_->number != number)
            continue; // no longer wanted
        asked_->page = std::move(page);
        asked_->lines = std::move(lines);
        asked_->done = true;
        // The walk waits for this page, so it has read the one before: the next is fair to ask for
        // now, as the walk would as soon as it had this one (not after a page that did not come).
        if (walkWaits_ && !asked_->page.Failed() && number < last_) {
            handed_ = std::move(asked_);
            asked_.emplace();
            asked_->number = number + 1;
            walkWaits_ = false; // once: the page after is for the walk's next wait
        }
        changed_.notify_all();
    }
}

} // namespace scanner

// The pages of a walk, each asked for while the one before it is still being read: a helper
// thread fetches page n + 1 as soon as page n has come, so that the site sends it while the walk
// decodes, parses and logs page n. When the walk is already waiting for page n as it comes, the
// helper hands it over and goes straight on to n + 1, so that a fast site is not kept waiting
// for the walk's thread to wake. What the walk sees is unchanged: the same pages, error lines and
// retries, at the same points of the walk.
#pragma once

#include "scanner/PageFetcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace scanner {

class PagesAhead {
public:
    // Pages of host up to the number last; ahead false fetches each page only when it is asked
    // for (a walk that pauses between pages keeps its requests that far apart).
    PagesAhead(std::string host, RetryPolicy retry, int last, bool ahead);
    // A page still on its way is abandoned (its transfer ends within about a second).
    ~PagesAhead();
    PagesAhead(const PagesAhead&) = delete;
    PagesAhead& operator=(const PagesAhead&) = delete;

    // FetchPageRetrying of page number, its lines written to log and its waits made by wait on
    // the calling thread. Its first try is the one made ahead when number was the one asked for
    // ahead. A page that came is followed by asking for number + 1 ahead, up to last.
    FetchedPage Fetch(int number, const LogSink& log, const std::function<void(std::chrono::milliseconds)>& wait);

private:
    struct Ahead {
        int number = 0;
        bool done = false;
        FetchedPage page;
        std::vector<std::string> lines;
    };

    void Ask(int number);
    FetchedPage TakeAhead(int number, const LogSink& log);
    void Work();

    const std::string host_;
    const RetryPolicy retry_;
    const int last_;
    const bool ahead_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Ahead> asked_;  // the page asked for ahead, until the walk takes it
    std::optional<Ahead> handed_; // a page that came while the walk waited for it
    bool walkWaits_ = false;      // the walk waits for the page asked for ahead
    bool quitting_ = false;
    std::atomic<bool> abandon_{false};
    std::thread worker_; // started with the first page asked for ahead
};

} // namespace scanner

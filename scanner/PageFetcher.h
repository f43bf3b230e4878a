// FetchPage: one blocking HTTP download of a page, failures reported as log lines; and the
// same download tried again after a pause while the site gives no page.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace scanner {

// Receives one Windows-1251 text-log line (the window's memo append, the console's printer).
using LogSink = std::function<void(const std::string& line)>;

// Limits that keep a misbehaving site from hanging or flooding the program.
struct FetchLimits {
    std::chrono::seconds connectTimeout{60};
    std::chrono::seconds readStall{30}; // no byte at all for this long ends the fetch
    std::size_t bodyCap = std::size_t{64} << 20;
};
FetchLimits& CurrentFetchLimits(); // tests shorten the stall

// What one fetch brought.
struct FetchedPage {
    std::string body;
    // Empty when the site answered with a page (any status but 5xx and 429, so a 404 page is a
    // page). Otherwise why there is none: no HTTP answer at all (refused, reset, timed out, name
    // not found) or a 5xx or 429 answer; the message of the error line, Windows-1251.
    std::string failure;

    bool Failed() const { return !failure.empty(); }
};

// Downloads address ("http://host/path"). The body is made of consecutive 4096-byte reads
// counted from the body's first byte, each contributing its bytes up to its first zero byte.
// Redirects are followed, the system proxy settings (http_proxy, no_proxy ...) apply, open
// connections are shared between calls. Every failure, and a body cut at the size cap, writes
// exactly one error line to log; nothing is thrown.
FetchedPage FetchPage(const std::string& address, const LogSink& log);

// FetchPage that gives up as soon as abandon becomes true (within about a second while the site
// is silent), with an error line of its own: for a page asked for ahead that is then no longer
// wanted.
FetchedPage FetchPage(const std::string& address, const LogSink& log, const std::atomic<bool>& abandon);

// How often a fetch that brought no page is tried again, and after what pause.
struct RetryPolicy {
    int retries = 1;
    std::chrono::milliseconds delay{1000};
};

// FetchPage, tried again after wait(policy.delay) while it fails, at most policy.retries more
// times. Only the last try's error line reaches log: a failure that a retry mended leaves none.
FetchedPage FetchPageRetrying(const std::string& address, const LogSink& log, const RetryPolicy& policy,
                              const std::function<void(std::chrono::milliseconds)>& wait);

// The same with each try made by tryOnce, which writes its lines to the sink it is given (a
// walk's first try may be one made ahead).
using FetchTry = std::function<FetchedPage(const LogSink& log)>;
FetchedPage FetchRetrying(const FetchTry& tryOnce, const LogSink& log, const RetryPolicy& policy,
                          const std::function<void(std::chrono::milliseconds)>& wait);

// "<local time in the locale's long time format> - <message>", the message without trailing
// control characters, spaces and full stops (Windows-1251).
std::string FetchErrorLine(const std::string& message);

// The message part of an error line ("" when line is none).
std::string FetchErrorMessage(const std::string& line);

} // namespace scanner

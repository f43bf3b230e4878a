// FetchPage: one blocking HTTP download of a page, failures reported as log lines.
#pragma once

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

// Returns the body of address ("http://host/path") as 8-bit bytes: consecutive 4096-byte
// reads counted from the body's first byte, each contributing its bytes up to its first zero
// byte. Redirects are followed, the HTTP status is not examined, the system proxy settings
// (http_proxy, no_proxy ...) apply, open connections are shared between calls. A failure
// writes exactly one error line to log and the body read so far is returned; nothing is thrown.
std::string FetchPage(const std::string& address, const LogSink& log);

// "<local time in the locale's long time format> - <message>", the message without trailing
// control characters, spaces and full stops (Windows-1251).
std::string FetchErrorLine(const std::string& message);

} // namespace scanner

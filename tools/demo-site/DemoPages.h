// The pages of the demo file-hosting site: a deterministic file for every number, rendered
// in the site's markup (UTF-8), plus a few fixed numbers that serve awkward bodies.
#pragma once

#include <cstdint>
#include <string>

namespace scanner::demo {

enum class DemoKind { Missing, Deleted, Private, Password, Normal };

struct DemoSiteOptions {
    int newest = 200;
    std::uint64_t seed = 1;
};

// What the site knows about one number (UTF-8 texts).
struct DemoFile {
    int number = 0;
    DemoKind kind = DemoKind::Normal;
    bool nameShown = true;    // deleted files sometimes lose their name block
    bool passwordForm = false; // Password pages, and some Private ones
    std::string fileName;     // "name.ext", possibly with several dots
    std::string sizeText;     // "12.4 Мб"
    std::string downloads;    // "17"
    std::string uploadedDate; // "2023-04-05"
};

// Fixed numbers with bodies that exercise the fetcher and the decoder (when <= newest).
inline constexpr int kStraddlingPageNumber = 3; // the name marker crosses the first 4096-byte read
inline constexpr int kZeroBytePageNumber = 5;   // a zero byte at kZeroByteOffset, markers in later reads
inline constexpr int kBadUtf8PageNumber = 8;    // a broken two-byte sequence in the heading: one '?'
inline constexpr int kFourBytePageNumber = 9;   // an emoji in the name: one '?' in the name
inline constexpr int kRedirectPageNumber = 10;  // 302 to "/files/10", which serves the page of 10
inline constexpr std::size_t kZeroByteOffset = 100;
inline constexpr std::size_t kReadSize = 4096;

DemoFile FileAt(const DemoSiteOptions& options, int number);

struct DemoResponse {
    int status = 200;
    std::string body;
    std::string location; // redirect target, empty when none
};

// The answer to a request path: "/main", "/N", "/files/N"; anything else is the 404 page.
DemoResponse Respond(const DemoSiteOptions& options, const std::string& path);

// The file number a request path asks for ("/N" or "/files/N"), or -1.
long long FileNumberIn(const std::string& path);

// The page of a number as served (no redirect).
std::string FilePageBody(const DemoSiteOptions& options, int number);
std::string MainPageBody(const DemoSiteOptions& options);
std::string NotFoundBody();

} // namespace scanner::demo

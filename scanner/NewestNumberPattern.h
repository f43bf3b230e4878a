// The regular expression that finds the newest file number on the site's main page.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace scanner {

// Exact text of the pattern: "<li>", one or more line feeds (lazy), then the first link's
// root-relative target up to the closing quote and " title=".
inline constexpr std::string_view kNewestNumberPattern = R"re(<li>\n+?<a href="/(.*?)" title=")re";
static_assert(kNewestNumberPattern.size() == 32);

// Compiled once per probe; matching is byte-wise, case-sensitive, the dot matches line breaks.
class NewestNumberPattern {
public:
    NewestNumberPattern();
    ~NewestNumberPattern();
    NewestNumberPattern(const NewestNumberPattern&) = delete;
    NewestNumberPattern& operator=(const NewestNumberPattern&) = delete;

    // Capture group 1 of the leftmost match, if any.
    std::optional<std::string> Search(std::string_view text) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

} // namespace scanner

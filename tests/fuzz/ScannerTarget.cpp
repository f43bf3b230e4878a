// The scanner's page handling: the decoder against its one-sequence-at-a-time reference, the
// file page parser on the decoded text, and the newest-number probe's pattern against a plain
// search written out by hand.
#include "tests/fuzz/FuzzTargets.h"

#include <optional>
#include <string>

#include "scanner/FilePage.h"
#include "scanner/NewestNumberPattern.h"
#include "scanner/PageDecoder.h"

namespace tovrin::fuzz {
namespace {

// <li>\n+?<a href="/(.*?)" title=" by hand: at the first "<li>" from which the rest matches, a
// run of line feeds (the lazy \n+? can only end where they end, since '<' must follow), the
// link's start, and the text up to the first closing marker.
std::optional<std::string> NewestNumberByHand(std::string_view text) {
    constexpr std::string_view kItem = "<li>", kLink = "<a href=\"/", kEnd = "\" title=\"";
    for (std::size_t at = text.find(kItem); at != std::string_view::npos; at = text.find(kItem, at + 1)) {
        std::size_t pos = at + kItem.size();
        const std::size_t feeds = pos;
        while (pos < text.size() && text[pos] == '\n')
            ++pos;
        if (pos == feeds || text.substr(pos, kLink.size()) != kLink)
            continue;
        pos += kLink.size();
        const std::size_t end = text.find(kEnd, pos);
        if (end == std::string_view::npos)
            continue;
        return std::string(text.substr(pos, end - pos));
    }
    return std::nullopt;
}

} // namespace

int ScannerPages(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const std::string page = scanner::DecodePage(body);
    FUZZ_CHECK(page == scanner::DecodePageOneByOne(body));

    if (!scanner::IsMissingPage(page)) {
        const scanner::FileRecord record = scanner::ExtractFileRecord(page, 4711);
        const scanner::PageKind kind = scanner::DecideKind(page, record);
        const std::string line = scanner::LogLine("host", 4711, kind, record);
        FUZZ_CHECK(line.rfind("http://host/4711", 0) == 0);
    }

    static const scanner::NewestNumberPattern pattern;
    for (std::string_view text : {body, std::string_view(page)})
        FUZZ_CHECK(pattern.Search(text) == NewestNumberByHand(text));
    return 0;
}

} // namespace tovrin::fuzz

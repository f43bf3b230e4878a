// Markers and log pieces of the site's file pages, converted from UTF-8 source once.
#include "scanner/FilePage.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace scanner {
namespace {

const std::string kNotFound = "?";

struct Texts {
    std::string missingMarker = framework::Utf8ToCp1251("404 — page not found");
    std::string deletedMarker = framework::Utf8ToCp1251("Файл удален");
    std::string privateMarker = framework::Utf8ToCp1251("403 — the action is not allowed");
    std::string passwordMarker = "id=\"password\"";
    std::string nameStart = "data-share42-text=\"";
    std::string sizeEnd = ")\" id";
    std::string downloadsStart = framework::Utf8ToCp1251("Скачан ");
    std::string downloadsEnd = framework::Utf8ToCp1251(" раз");
    std::string uploadedStart = "<time datetime=\"";
    std::string missingLine = framework::Utf8ToCp1251(" - Файл не существует!");
    std::string deletedLine = framework::Utf8ToCp1251(" (Файл удалён)");
    std::string privateLine = framework::Utf8ToCp1251(") (Приватный файл)");
    std::string passwordLine = framework::Utf8ToCp1251(") (Файл под паролем)");
};

const Texts& T() {
    static const Texts texts;
    return texts;
}

// How often each byte occurs in a text, counted over a sample of it. A search looks for the
// marker's rarest bytes, so that a marker starting with a letter that fills the style sheet does
// not stop at every occurrence of that letter.
class ByteCounts {
public:
    explicit ByteCounts(std::string_view text) {
        constexpr std::size_t kSampleStride = 32;
        for (std::size_t i = 0; i < text.size(); i += kSampleStride)
            ++counts_[static_cast<unsigned char>(text[i])];
    }
    std::uint32_t CountOf(char byte) const { return counts_[static_cast<unsigned char>(byte)]; }
    // The position of the marker's rarest byte, and of the rarest other byte (the same position
    // for a one-byte marker).
    std::pair<std::size_t, std::size_t> RarestTwoIn(std::string_view marker) const {
        std::size_t first = 0;
        for (std::size_t i = 1; i < marker.size(); ++i)
            if (CountOf(marker[i]) < CountOf(marker[first]))
                first = i;
        std::size_t second = first;
        for (std::size_t i = 0; i < marker.size(); ++i)
            if (i != first && (second == first || CountOf(marker[i]) < CountOf(marker[second])))
                second = i;
        return {first, second};
    }

private:
    std::array<std::uint32_t, 256> counts_{};
};

// The first occurrence of marker in text, found by memchr on its byte at anchor, each hit
// compared around.
std::size_t FindByByte(std::string_view text, std::string_view marker, std::size_t anchor) {
    if (marker.empty() || marker.size() > text.size())
        return marker.empty() ? 0 : std::string_view::npos;
    const char* const first = text.data();
    const char* const lastStart = first + (text.size() - marker.size());
    const char* from = first + anchor;
    while (from <= lastStart + anchor) {
        const void* hit = std::memchr(from, marker[anchor], static_cast<std::size_t>(lastStart + anchor - from) + 1);
        if (!hit)
            break;
        const char* start = static_cast<const char*>(hit) - anchor;
        // Most hits of a single byte are not the marker; its last byte tells them apart cheaply.
        if (start[marker.size() - 1] == marker.back() && std::memcmp(start, marker.data(), marker.size()) == 0)
            return static_cast<std::size_t>(start - first);
        from = static_cast<const char*>(hit) + 1;
    }
    return std::string_view::npos;
}

#if defined(__x86_64__) || defined(__i386__)
// The same by the bytes at two positions of the marker, for 64 starting places at once (AVX2):
// a byte that is merely uncommon stops the memchr search every few hundred bytes, two of them
// together hardly ever. The places whose loads would reach past the text are left to FindByByte.
__attribute__((target("avx2"))) std::size_t FindByPair(std::string_view text, std::string_view marker,
                                                       std::size_t first, std::size_t second) {
    constexpr std::size_t kPlaces = 64;
    if (marker.empty() || marker.size() > text.size())
        return marker.empty() ? 0 : std::string_view::npos;
    const char* const p = text.data();
    const std::size_t reach = std::max(first, second) + kPlaces; // bytes a step reads from its first place
    const __m256i firstByte = _mm256_set1_epi8(marker[first]);
    const __m256i secondByte = _mm256_set1_epi8(marker[second]);
    const auto matches = [&](const char* at) __attribute__((target("avx2"))) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + first));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + second));
        return _mm256_and_si256(_mm256_cmpeq_epi8(a, firstByte), _mm256_cmpeq_epi8(b, secondByte));
    };
    std::size_t place = 0;
    for (; place + reach <= text.size(); place += kPlaces) {
        const __m256i low = matches(p + place), high = matches(p + place + 32);
        if (_mm256_testz_si256(_mm256_or_si256(low, high), _mm256_or_si256(low, high)))
            continue;
        std::uint64_t candidates = static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                                   std::uint64_t(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32;
        for (; candidates != 0; candidates &= candidates - 1) {
            const std::size_t start = place + static_cast<std::size_t>(__builtin_ctzll(candidates));
            if (start + marker.size() > text.size())
                return std::string_view::npos; // later places are further still
            if (std::memcmp(p + start, marker.data(), marker.size()) == 0)
                return start;
        }
    }
    const std::size_t rest = FindByByte(text.substr(place), marker, first);
    return rest == std::string_view::npos ? rest : place + rest;
}

bool HasAvx2() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
#endif

// A byte the sample never met is likely rare in the whole text, and memchr the faster search for it.
std::size_t Find(const ByteCounts& counts, std::string_view text, std::string_view marker) {
    const auto [first, second] = counts.RarestTwoIn(marker);
#if defined(__x86_64__) || defined(__i386__)
    if (first != second && counts.CountOf(marker[first]) > 0 && HasAvx2())
        return FindByPair(text, marker, first, second);
#endif
    return FindByByte(text, marker, first);
}

// The markers of the kind tests hold a byte that is rare in any page: the em dash (0x97) or
// the capital Ф.
std::size_t Find(std::string_view text, std::string_view marker) {
    std::size_t anchor = 0;
    for (std::size_t i = 0; i < marker.size(); ++i)
        if (static_cast<unsigned char>(marker[i]) >= 0x80 && static_cast<unsigned char>(marker[i]) < 0xE0) {
            anchor = i;
            break;
        }
    return FindByByte(text, marker, anchor);
}

// The text between the first startMarker and the next endMarker behind it, and where that
// startMarker stands; nothing when either is missing.
struct Cut {
    std::size_t markerAt;
    std::string_view text;
};
std::optional<Cut> CutBetween(const ByteCounts& counts, std::string_view startMarker, std::string_view text,
                              std::string_view endMarker) {
    if (startMarker.empty() || text.empty() || endMarker.empty())
        return std::nullopt;
    std::size_t start = Find(counts, text, startMarker);
    if (start == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(start + startMarker.size());
    std::size_t end = Find(counts, rest, endMarker);
    if (end == std::string_view::npos)
        return std::nullopt;
    return Cut{start, rest.substr(0, end)};
}

std::string Between(const ByteCounts& counts, std::string_view startMarker, std::string_view text, std::string_view endMarker) {
    const std::optional<Cut> cut = CutBetween(counts, startMarker, text, endMarker);
    return cut ? std::string(cut->text) : std::string();
}

bool Contains(std::string_view text, std::string_view part) { return Find(text, part) != std::string_view::npos; }

std::string OrNotFound(std::string value) { return value.empty() ? kNotFound : value; }

} // namespace

std::string TextBetween(std::string_view startMarker, std::string_view text, std::string_view endMarker) {
    return Between(ByteCounts(text), startMarker, text, endMarker);
}

bool IsMissingPage(std::string_view page) { return Contains(page, T().missingMarker); }

FileRecord ExtractFileRecord(std::string_view page, int number) {
    const Texts& t = T();
    const ByteCounts counts(page);
    FileRecord r;
    const std::optional<Cut> name = CutBetween(counts, t.nameStart, page, ".");
    r.Name = OrNotFound(name ? std::string(name->text) : std::string());
    const std::string extensionStart = t.nameStart + r.Name + ".";
    // extensionStart begins with nameStart, so it occurs nowhere before the first nameStart (and,
    // for a name found, right there).
    r.Extension = OrNotFound(Between(counts, extensionStart, name ? page.substr(name->markerAt) : page, " ("));
    r.PasswordFlag = Find(counts, page, t.passwordMarker) != std::string_view::npos ? "yes" : "no";
    r.SizeText = OrNotFound(Between(counts, r.Name + "." + r.Extension + " (", page, t.sizeEnd));
    r.NumberText = framework::IntToStr(number);
    r.DownloadsText = OrNotFound(Between(counts, t.downloadsStart, page, t.downloadsEnd));
    r.UploadedText = OrNotFound(Between(counts, t.uploadedStart, page, " "));
    return r;
}

void AddRowIfWanted(ScanView& view, const FileRecord& record, const std::string& filter, PageKind kind) {
    if ((filter.empty() || filter == record.Extension) && record.Name != kNotFound)
        view.AddFileRow({record.Name + "." + record.Extension, record.PasswordFlag, record.SizeText, record.NumberText,
                         record.DownloadsText, record.UploadedText, kind});
}

PageKind DecideKind(std::string_view page, const FileRecord& record) {
    if (Contains(page, T().deletedMarker))
        return PageKind::Deleted;
    if (Contains(page, T().privateMarker))
        return PageKind::Private;
    if (record.PasswordFlag != "no")
        return PageKind::Password;
    return PageKind::Normal;
}

std::string LogLine(const std::string& host, int number, PageKind kind, const FileRecord& record) {
    const Texts& t = T();
    std::string line = "http://" + host + "/" + framework::IntToStr(number);
    if (kind == PageKind::Missing)
        return line + t.missingLine;
    line += " - \"" + record.Name + "." + record.Extension + "\"";
    switch (kind) {
    case PageKind::Deleted: return line + t.deletedLine;
    case PageKind::Private: return line + " (" + record.SizeText + t.privateLine;
    case PageKind::Password: return line + " (" + record.SizeText + t.passwordLine;
    case PageKind::Normal: return line + " (" + record.SizeText + ")";
    case PageKind::Missing: break;
    }
    return line;
}

} // namespace scanner

// Markers and log pieces of the site's file pages, converted from UTF-8 source once.
#include "scanner/FilePage.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"

#include <array>
#include <cstdint>
#include <cstring>

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

// How often each byte occurs in a text, counted over a sample of it. A search scans for the
// marker's rarest byte with memchr and compares the marker around each hit, so a marker
// starting with a letter that fills the style sheet does not stop at every occurrence.
class ByteCounts {
public:
    explicit ByteCounts(std::string_view text) {
        constexpr std::size_t kSampleStride = 16;
        for (std::size_t i = 0; i < text.size(); i += kSampleStride)
            ++counts_[static_cast<unsigned char>(text[i])];
    }
    std::size_t RarestIn(std::string_view marker) const {
        std::size_t anchor = 0;
        for (std::size_t i = 1; i < marker.size(); ++i)
            if (counts_[static_cast<unsigned char>(marker[i])] < counts_[static_cast<unsigned char>(marker[anchor])])
                anchor = i;
        return anchor;
    }

private:
    std::array<std::uint32_t, 256> counts_{};
};

std::size_t Find(std::string_view text, std::string_view marker, std::size_t anchor) {
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

// The markers of the kind tests hold a byte that is rare in any page: the em dash (0x97) or
// the capital Ф.
std::size_t Find(std::string_view text, std::string_view marker) {
    std::size_t anchor = 0;
    for (std::size_t i = 0; i < marker.size(); ++i)
        if (static_cast<unsigned char>(marker[i]) >= 0x80 && static_cast<unsigned char>(marker[i]) < 0xE0) {
            anchor = i;
            break;
        }
    return Find(text, marker, anchor);
}

std::string Between(const ByteCounts& counts, std::string_view startMarker, std::string_view text, std::string_view endMarker) {
    if (startMarker.empty() || text.empty() || endMarker.empty())
        return {};
    std::size_t start = Find(text, startMarker, counts.RarestIn(startMarker));
    if (start == std::string_view::npos)
        return {};
    std::string_view rest = text.substr(start + startMarker.size());
    std::size_t end = Find(rest, endMarker, counts.RarestIn(endMarker));
    if (end == std::string_view::npos)
        return {};
    return std::string(rest.substr(0, end));
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
    r.Name = OrNotFound(Between(counts, t.nameStart, page, "."));
    r.Extension = OrNotFound(Between(counts, t.nameStart + r.Name + ".", page, " ("));
    r.PasswordFlag = Find(page, t.passwordMarker, counts.RarestIn(t.passwordMarker)) != std::string_view::npos ? "yes" : "no";
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

// Markers and log pieces of the site's file pages, converted from UTF-8 source once.
#include "scanner/FilePage.h"

#include "framework/Cp1251.h"
#include "framework/SysUtils.h"

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

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string OrNotFound(std::string value) { return value.empty() ? kNotFound : value; }

} // namespace

std::string TextBetween(std::string_view startMarker, std::string_view text, std::string_view endMarker) {
    if (startMarker.empty() || text.empty() || endMarker.empty())
        return {};
    std::size_t start = text.find(startMarker);
    if (start == std::string_view::npos)
        return {};
    std::string_view rest = text.substr(start + startMarker.size());
    std::size_t end = rest.find(endMarker);
    if (end == std::string_view::npos)
        return {};
    return std::string(rest.substr(0, end));
}

bool IsMissingPage(std::string_view page) { return Contains(page, T().missingMarker); }

FileRecord ExtractFileRecord(std::string_view page, int number) {
    const Texts& t = T();
    FileRecord r;
    r.Name = OrNotFound(TextBetween(t.nameStart, page, "."));
    r.Extension = OrNotFound(TextBetween(t.nameStart + r.Name + ".", page, " ("));
    r.PasswordFlag = Contains(page, t.passwordMarker) ? "yes" : "no";
    r.SizeText = OrNotFound(TextBetween(r.Name + "." + r.Extension + " (", page, t.sizeEnd));
    r.NumberText = framework::IntToStr(number);
    r.DownloadsText = OrNotFound(TextBetween(t.downloadsStart, page, t.downloadsEnd));
    r.UploadedText = OrNotFound(TextBetween(t.uploadedStart, page, " "));
    return r;
}

void AddRowIfWanted(ScanView& view, const FileRecord& record, const std::string& filter) {
    if ((filter.empty() || filter == record.Extension) && record.Name != kNotFound)
        view.AddFileRow({record.Name + "." + record.Extension, record.PasswordFlag, record.SizeText, record.NumberText,
                         record.DownloadsText, record.UploadedText});
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

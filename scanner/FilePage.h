// The file page parser: page kinds, the record cut from a page by fixed markers, the row
// step with the extension filter, and the log line of each kind. All texts Windows-1251.
#pragma once

#include "scanner/ScanView.h"

#include <string>
#include <string_view>

namespace scanner {

// The seven texts of one file page; a value that was not found is "?".
struct FileRecord {
    std::string Name;
    std::string Extension;
    std::string PasswordFlag; // "yes" or "no"
    std::string SizeText;
    std::string NumberText;
    std::string DownloadsText;
    std::string UploadedText;
};

// The text between the first occurrence of startMarker in text and the next occurrence of
// endMarker behind it; empty when any of the three is empty or a marker is not found.
std::string TextBetween(std::string_view startMarker, std::string_view text, std::string_view endMarker);

// The page holds "404 — page not found".
bool IsMissingPage(std::string_view page);

// Cuts the seven fields out of a page that is not Missing.
FileRecord ExtractFileRecord(std::string_view page, int number);

// Adds the record's row, of a page of the given kind, when filter is empty or equals its
// Extension exactly, and its Name was found.
void AddRowIfWanted(ScanView& view, const FileRecord& record, const std::string& filter, PageKind kind);

// Deleted, Private, Password or Normal, tested in that order.
PageKind DecideKind(std::string_view page, const FileRecord& record);

// The log line of a page: "http://" + host + "/" + number, then the pieces of its kind.
std::string LogLine(const std::string& host, int number, PageKind kind, const FileRecord& record);

} // namespace scanner

// CSV and JSON writers for the report table.
#include "app/TableExport.h"

#include "framework/base/Cp1251.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace scanner {
namespace {

constexpr std::array<std::string_view, 8> kCaptions = {"№",  "Название", "PwD",      "Размер",
                                                       "ID", "Загрузок", "Загружен", "kind"};
constexpr std::string_view kCsvLineEnd = "\r\n";

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace

std::string_view PageKindName(PageKind kind) {
    switch (kind) {
    case PageKind::Missing: return "missing";
    case PageKind::Deleted: return "deleted";
    case PageKind::Private: return "private";
    case PageKind::Password: return "password";
    case PageKind::Normal: break;
    }
    return "normal";
}

std::string TableAsCsv(const std::vector<std::vector<std::string>>& rows) {
    std::string out;
    for (std::size_t i = 0; i < kCaptions.size(); ++i)
        out += (i ? "," : "") + std::string(kCaptions[i]);
    out += kCsvLineEnd;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out += (i ? "," : "") + CsvField(framework::Cp1251ToUtf8(row[i]));
        out += kCsvLineEnd;
    }
    return out;
}

std::string TableAsJson(const std::vector<std::vector<std::string>>& rows) {
    std::string out = "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += r ? ",\n  {" : "\n  {";
        for (std::size_t i = 0; i < rows[r].size() && i < kCaptions.size(); ++i)
            out += (i ? ", " : "") + JsonString(kCaptions[i]) + ": " + JsonString(framework::Cp1251ToUtf8(rows[r][i]));
        out += "}";
    }
    return out + (rows.empty() ? "]\n" : "\n]\n");
}

} // namespace scanner

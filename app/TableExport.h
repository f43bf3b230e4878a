// The report table as CSV (RFC 4180) and as JSON, both UTF-8, with the table's own captions and,
// last, the kind of the page each row came from ("kind": missing, deleted, private, password,
// normal), which the window's table does not show.
#pragma once

#include "scanner/ScanView.h"

#include <string>
#include <string_view>
#include <vector>

namespace scanner {

// The word for a page kind in the exports.
std::string_view PageKindName(PageKind kind);

// rows hold eight texts each: the row number and the six file texts (Windows-1251), then the
// kind's word.
std::string TableAsCsv(const std::vector<std::vector<std::string>>& rows);
std::string TableAsJson(const std::vector<std::vector<std::string>>& rows);

} // namespace scanner

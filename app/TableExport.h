// The report table as CSV (RFC 4180) and as JSON, both UTF-8, with the table's own captions.
#pragma once

#include <string>
#include <vector>

namespace scanner {

// rows hold seven Windows-1251 texts each: the row number and the six file texts.
std::string TableAsCsv(const std::vector<std::vector<std::string>>& rows);
std::string TableAsJson(const std::vector<std::vector<std::string>>& rows);

} // namespace scanner

// The Windows-1251 code page both ways, with the code page's best-fit characters for the
// way back from Unicode, and UTF-8 helpers for what the program prints or reads as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

// The Unicode character of a Windows-1251 byte (0x98, unassigned, maps to U+0098 as the
// platform does).
char32_t Cp1251ToUnicode(unsigned char byte);

// The Windows-1251 byte of a Unicode character: the exact one, else the code page's
// best-fit character (a Latin letter with a diacritic becomes its base letter, full-width
// ASCII becomes ASCII), else '?'.
unsigned char UnicodeToCp1251(char32_t code);

// UTF-16 code units to Windows-1251, unit by unit (a lone surrogate becomes '?').
std::string Utf16ToCp1251(std::u16string_view text);

// Well-formed UTF-8 to Windows-1251 through UnicodeToCp1251; each byte of a malformed
// sequence becomes '?'. For literals in source and for command-line input.
std::string Utf8ToCp1251(std::string_view utf8);

// Windows-1251 to UTF-8.
std::string Cp1251ToUtf8(std::string_view text);

} // namespace framework

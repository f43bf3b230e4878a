// DecodePage: the site's UTF-8 page to the program's Windows-1251 text.
#pragma once

#include <string>
#include <string_view>

namespace scanner {

// Decodes body by the decoder's own rules: a byte below 0x80 is one character; a byte of
// 0x80 or more leads a sequence of three bytes when its bit 0x20 is set, else two; the
// following bytes must be 0x80..0xBF; the lead's higher bits are not checked. A cut or broken
// sequence makes the whole result empty (so four-byte sequences, whose fourth byte is read
// as a new lead, as a rule do too). The 16-bit characters then become Windows-1251 with the
// code page's best fit, else '?'.
std::string DecodePage(std::string_view body);

// The same decoder one sequence at a time, without the sixteen-byte fast path: the plain
// reference that the tests hold DecodePage to.
std::string DecodePageOneByOne(std::string_view body);

} // namespace scanner

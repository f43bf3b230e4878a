// DecodePage: the site's UTF-8 page to the program's Windows-1251 text.
#pragma once

#include <string>
#include <string_view>

namespace scanner {

// Decodes body by the decoder's own rules: a byte below 0x80 is one character; a byte of
// 0x80 or more leads a sequence of three bytes when its bit 0x20 is set, else two; the
// following bytes must be 0x80..0xBF; the lead's higher bits are not checked. The 16-bit
// characters then become Windows-1251 with the code page's best fit, else '?'.
// A body those rules cannot read through (a sequence cut off or broken by a byte that is no
// continuation byte; as a rule a four-byte sequence, whose fourth byte they take for a new
// lead) is decoded again with each such sequence as one '?': a lead 0xF0..0xF7 with its three
// continuation bytes is one character beyond 16 bits, a broken sequence is its lead and the
// continuation bytes it had. So every body the rules read gives what they give, and one emoji
// costs one character instead of the whole page.
std::string DecodePage(std::string_view body);

// The same decoder one sequence at a time, without the vector fast path: the plain
// reference that the tests hold DecodePage to.
std::string DecodePageOneByOne(std::string_view body);

} // namespace scanner

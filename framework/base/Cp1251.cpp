// Windows-1251 tables: the 128 upper bytes, and a short best-fit list for characters that
// the code page lacks.
#include "framework/base/Cp1251.h"

#include <algorithm>
#include <array>

namespace framework {
namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> kUpperLow = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};
constexpr unsigned char kFirstCyrillicByte = 0xC0;
constexpr char32_t kCyrillicA = 0x0410;
constexpr char32_t kCyrillicYa = 0x044F;
constexpr unsigned char kReplacement = '?';

// Best fit for Latin-1 letters U+00C0..U+00FF ('\0' = none; × and ÷ have none).
constexpr std::string_view kLatin1Letters{
    "AAAAAAACEEEEIIII" "DNOOOOO\0OUUUUYTs"   // C0..DF (Æ->A, Ð->D, Þ->T, ß->s)
    "aaaaaaaceeeeiiii" "dnooooo\0ouuuuyty",  // E0..FF
    64};
// Best fit for Latin Extended-A U+0100..U+017F.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDd" "DdEeEeEeEeEeGgGg"   // 100..11F
    "GgGgHhHhIiIiIiIi" "IiIiJjKkkLlLlLlL"   // 120..13F
    "lLlNnNnNnnNnOoOo" "OoOoRrRrRrSsSsSs"   // 140..15F
    "SsTtTtTtUuUuUuUu" "UuUuWwYyYZzZzZzs";  // 160..17F
// Other best fits: (character, byte).
constexpr std::array<std::pair<char16_t, unsigned char>, 12> kOtherBestFit = {{
    {0x00A1, '!'}, {0x00A2, 'c'}, {0x00A3, 'L'}, {0x00A5, 'Y'}, {0x00AA, 'a'}, {0x00B2, '2'},
    {0x00B3, '3'}, {0x00B9, '1'}, {0x00BA, 'o'}, {0x00BF, '?'}, {0x02DC, '~'}, {0x2032, '\''},
}};
constexpr char32_t kFullWidthFirst = 0xFF01; // U+FF01..U+FF5E are ASCII 0x21..0x7E
constexpr char32_t kFullWidthLast = 0xFF5E;

unsigned char BestFit(char32_t code) {
    if (code >= 0x00C0 && code <= 0x00FF) {
        char c = kLatin1Letters[code - 0x00C0];
        return c ? static_cast<unsigned char>(c) : kReplacement;
    }
    if (code >= 0x0100 && code <= 0x017F)
        return static_cast<unsigned char>(kLatinExtendedA[code - 0x0100]);
    if (code >= kFullWidthFirst && code <= kFullWidthLast)
        return static_cast<unsigned char>(code - kFullWidthFirst + 0x21);
    for (auto [from, to] : kOtherBestFit)
        if (from == code)
            return to;
    return kReplacement;
}

// Exact reverse of the table for the characters below U+0410 and above U+044F.
unsigned char ExactUpperLow(char32_t code) {
    auto it = std::find(kUpperLow.begin(), kUpperLow.end(), static_cast<char16_t>(code));
    if (code > 0xFFFF || it == kUpperLow.end())
        return 0;
    return static_cast<unsigned char>(0x80 + (it - kUpperLow.begin()));
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= kFirstCyrillicByte)
        return kCyrillicA + (byte - kFirstCyrillicByte);
    return kUpperLow[byte - 0x80];
}

unsigned char UnicodeToCp1251(char32_t code) {
    if (code < 0x80)
        return static_cast<unsigned char>(code);
    if (code >= kCyrillicA && code <= kCyrillicYa)
        return static_cast<unsigned char>(kFirstCyrillicByte + (code - kCyrillicA));
    if (unsigned char exact = ExactUpperLow(code))
        return exact;
    return BestFit(code);
}

std::string Utf16ToCp1251(std::u16string_view text) {
    std::string out;
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(UnicodeToCp1251(text[i]));
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (lead >= 0xF5)
            length = 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool wellFormed = length != 0 && i + length <= utf8.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (wellFormed && (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            wellFormed = false;
        if (!wellFormed) {
            out += static_cast<char>(kReplacement);
            ++i;
            continue;
        }
        out += static_cast<char>(UnicodeToCp1251(code));
        i += length;
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char c : text)
        AppendUtf8(out, Cp1251ToUnicode(c));
    return out;
}

} // namespace framework

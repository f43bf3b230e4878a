// The page decoder: UTF-8 by the rules above, straight into Windows-1251.
#include "scanner/PageDecoder.h"

#include "framework/Cp1251.h"

#include <array>

namespace scanner {
namespace {
constexpr unsigned char kFirstLeadByte = 0x80;
constexpr unsigned char kThreeByteBit = 0x20;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Windows-1251 byte of every 16-bit character, built once.
const std::array<unsigned char, 0x10000>& Cp1251Of() {
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (char32_t code = 0; code < 0x10000; ++code)
            t[code] = framework::UnicodeToCp1251(code);
        return t;
    }();
    return table;
}
} // namespace

std::string DecodePage(std::string_view body) {
    const auto& toCp1251 = Cp1251Of();
    std::string out;
    out.resize(body.size());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(body.data());
    const std::size_t size = body.size();
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < size) {
        unsigned char lead = bytes[i];
        if (lead < kFirstLeadByte) {
            out[written++] = static_cast<char>(lead);
            ++i;
            continue;
        }
        char16_t unit;
        if (lead & kThreeByteBit) {
            if (i + 2 >= size || !IsContinuation(bytes[i + 1]) || !IsContinuation(bytes[i + 2]))
                return {};
            unit = static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            i += 3;
        } else {
            if (i + 1 >= size || !IsContinuation(bytes[i + 1]))
                return {};
            unit = static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            i += 2;
        }
        out[written++] = static_cast<char>(toCp1251[unit]);
    }
    out.resize(written);
    return out;
}

} // namespace scanner

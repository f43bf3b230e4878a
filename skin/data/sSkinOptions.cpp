// Value conventions of the options text, the gradient reader, mask cell geometry.
#include "skin/data/sSkinOptions.h"

#include "skin/data/vlSkinPack.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace skin {
namespace {

bool ParseDigits(std::string_view digits, int base, std::uint64_t& magnitude) {
    if (digits.empty())
        return false;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    return error == std::errc() && end == digits.data() + digits.size();
}

} // namespace

bool ParseOptionInteger(std::string_view text, std::int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    bool hex = false;
    if (!text.empty() && text.front() == '$') {
        hex = true;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    }
    if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text.front())))
        return false;
    if (!ParseDigits(text, hex ? 16 : 10, magnitude))
        return false;
    if (hex) {
        // Hexadecimal values fill the 32 bits ($FF000005 is a system colour).
        if (magnitude > std::numeric_limits<std::uint32_t>::max())
            return false;
        const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
        value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    const long long signedValue = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (magnitude > (1ull << 32) || signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

std::int32_t OptionIntegerOr(std::string_view text, std::int32_t fallback) {
    std::int32_t value = 0;
    return ParseOptionInteger(text, value) ? value : fallback;
}

bool OptionBoolean(std::string_view text) {
    const std::string upper = UpperCase(text);
    return upper == "1" || upper == "TRUE";
}

double OptionReal(std::string_view text) {
    // Parsed by hand so that the process locale's separator never matters.
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    double value = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i++] - '0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    if (!digits || i != text.size())
        return 0;
    return negative ? -value : value;
}

std::string VersionText(double version) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", version);
    std::string text(buffer);
    for (char& c : text)
        if (c == ',')
            c = '.';
    return text;
}

TsGradArray ParseGradient(std::string_view text) {
    std::vector<std::int32_t> numbers;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        numbers.push_back(OptionIntegerOr(text.substr(start, end - start), 0));
        start = end + 1;
    }
    constexpr std::size_t kGroup = 5;
    TsGradArray segments;
    for (std::size_t i = 0; i + kGroup <= numbers.size(); i += kGroup) {
        TsGradientSegment segment;
        segment.Color1 = TColor{std::uint32_t(std::max(0, numbers[i]))};
        segment.Color2 = TColor{std::uint32_t(std::max(0, numbers[i + 1]))};
        segment.Percent = std::clamp(numbers[i + 2], 0, 100);
        segment.GradientKind = static_cast<TsGradientKind>(numbers[i + 3]);
        segments.push_back(segment);
    }
    return segments;
}

void TsSkinModel::Clear() {
    SkinData = TsSkinData{};
    gd.clear();
    ma.clear();
    pa.clear();
    MasterBitmap = Bitmap32{};
    Palette.fill(TColor{});
}

} // namespace skin

// Integer conversions with the framework's failure messages.
#include "framework/base/SysUtils.h"

#include <charconv>
#include <limits>

namespace framework {
namespace {

bool ParseInt(std::string_view text, int& value) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return false;
    long long magnitude = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size())
        return false;
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

} // namespace

int StrToInt(std::string_view text) {
    int value = 0;
    if (!ParseInt(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

int StrToIntDef(std::string_view text, int fallback) {
    int value = 0;
    return ParseInt(text, value) ? value : fallback;
}

std::string IntToStr(long long value) { return std::to_string(value); }

} // namespace framework

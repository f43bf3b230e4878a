// The framework's run-time basics that every layer shares: the exception classes and the
// conversions between integers and decimal texts, with the framework's own messages.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace framework {

// Base of every failure the program raises; the message is an 8-bit Windows-1251 text.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a decimal integer.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Parses an optionally signed decimal integer (leading and trailing blanks are not allowed);
// fails with "'%s' is not a valid integer value".
int StrToInt(std::string_view text);
// As StrToInt, but gives fallback instead of failing.
int StrToIntDef(std::string_view text, int fallback);
std::string IntToStr(long long value);

} // namespace framework

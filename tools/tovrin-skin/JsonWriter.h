// A small writer of one JSON value at a time, enough for the tool's reports. Texts are 8-bit
// Windows-1251 and are written as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view cp1251Text);
    JsonWriter& Integer(long long value);
    JsonWriter& Unsigned(std::uint32_t value);
    JsonWriter& Real(double value);
    JsonWriter& Boolean(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    std::string out_;
    std::vector<bool> needsComma_;
    bool afterKey_ = false;
};

} // namespace tools

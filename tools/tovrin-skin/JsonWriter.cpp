// JSON output with UTF-8 texts and escaped control characters.
#include "tools/tovrin-skin/JsonWriter.h"

#include "framework/base/Cp1251.h"

#include <cstdio>

namespace tools {

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!needsComma_.empty()) {
        if (needsComma_.back())
            out_ += ',';
        needsComma_.back() = true;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    needsComma_.push_back(false);
    return *this;
}
JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    needsComma_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    needsComma_.push_back(false);
    return *this;
}
JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    needsComma_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    String(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view cp1251Text) {
    BeforeValue();
    out_ += '"';
    for (char c : framework::Cp1251ToUtf8(cp1251Text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out_ += escape;
        } else {
            out_ += c;
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::Integer(long long value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}
JsonWriter& JsonWriter::Unsigned(std::uint32_t value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}
JsonWriter& JsonWriter::Real(double value) {
    BeforeValue();
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    out_ += text;
    return *this;
}
JsonWriter& JsonWriter::Boolean(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
    return *this;
}

} // namespace tools

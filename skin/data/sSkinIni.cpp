// Parsing of the options INI text.
#include "skin/data/sSkinIni.h"

namespace skin {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

void TsSkinIni::AddLine(std::string_view rawLine) {
    const std::string_view line = Trim(rawLine);
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
        const std::string_view name = line.substr(1, line.size() - 2);
        if (auto found = sectionIndex_.find(std::string(name)); found != sectionIndex_.end()) {
            current_ = static_cast<int>(found->second);
            return;
        }
        sectionIndex_.emplace(std::string(name), sections_.size());
        sections_.push_back(Section{std::string(name), {}});
        current_ = static_cast<int>(sections_.size()) - 1;
        return;
    }
    const auto equals = line.find('=');
    if (current_ < 0 || equals == std::string_view::npos)
        return;
    sections_[current_].Keys.push_back(
        Key{std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
}

TsSkinIni TsSkinIni::Parse(std::string_view text) {
    TsSkinIni ini;
    for (const std::string& line : SplitLines(text))
        ini.AddLine(line);
    return ini;
}

TsSkinIni TsSkinIni::FromLines(const std::vector<std::string>& lines) {
    TsSkinIni ini;
    for (const std::string& line : lines)
        ini.AddLine(line);
    return ini;
}

const TsSkinIni::Section* TsSkinIni::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(std::string(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const std::string* TsSkinIni::Find(std::string_view sectionName, std::string_view key) const {
    const Section* section = FindSection(sectionName);
    if (section == nullptr)
        return nullptr;
    for (const Key& item : section->Keys)
        if (item.Name == key)
            return &item.Value;
    return nullptr;
}

std::string TsSkinIni::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    const std::string* value = Find(section, key);
    return value ? *value : std::string(fallback);
}

} // namespace skin

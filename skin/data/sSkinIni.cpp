// Parsing of the options INI text, and what it passes over.
#include "skin/data/sSkinIni.h"

#include "skin/data/sSkinDiagnostics.h"

namespace skin {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr const char* kSyntaxRule = "options-syntax";

void ReportLine(TsSkinDiagnostics* diagnostics, int line, std::string section, std::string key, std::string problem,
                std::string fallback) {
    if (diagnostics == nullptr)
        return;
    diagnostics->Report(TsSkinDiagnostic{TsSeverity::Warning, kSyntaxRule, kOptionsFileName, line, std::move(section),
                                         std::move(key), std::move(problem), std::move(fallback)});
}

std::string LineText(int line) { return line > 0 ? "line " + std::to_string(line) : "an earlier line"; }

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

void TsSkinIni::AddLine(std::string_view rawLine, int lineNumber, TsSkinDiagnostics* diagnostics) {
    const std::string_view line = Trim(rawLine);
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
        const std::string_view name = line.substr(1, line.size() - 2);
        if (Trim(name) != name)
            ReportLine(diagnostics, lineNumber, std::string(name), {},
                       "the section name has blanks inside its brackets, which are part of the name",
                       "no unit looks the section up under that name");
        if (auto found = sectionIndex_.find(std::string(name)); found != sectionIndex_.end()) {
            current_ = static_cast<int>(found->second);
            ReportLine(diagnostics, lineNumber, std::string(name), {}, "the section is opened a second time",
                       "its keys join the section opened at " + LineText(sections_[current_].Line));
            return;
        }
        sectionIndex_.emplace(std::string(name), sections_.size());
        sections_.push_back(Section{std::string(name), {}, lineNumber});
        current_ = static_cast<int>(sections_.size()) - 1;
        return;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        ReportLine(diagnostics, lineNumber, current_ >= 0 ? sections_[current_].Name : std::string(), {},
                   "\"" + std::string(line) + "\" is neither a [SECTION] nor a KEY=VALUE line", "the line is skipped");
        return;
    }
    const std::string_view name = Trim(line.substr(0, equals));
    if (current_ < 0) {
        ReportLine(diagnostics, lineNumber, {}, std::string(name), "the key comes before the first [SECTION] line",
                   "the line is skipped");
        return;
    }
    Section& section = sections_[current_];
    if (diagnostics != nullptr)
        for (const Key& earlier : section.Keys)
            if (earlier.Name == name) {
                ReportLine(diagnostics, lineNumber, section.Name, std::string(name), "the key is given a second time",
                           "the value at " + LineText(earlier.Line) + " is the one read");
                break;
            }
    section.Keys.push_back(Key{std::string(name), std::string(Trim(line.substr(equals + 1))), lineNumber});
}

TsSkinIni TsSkinIni::Parse(std::string_view text, TsSkinDiagnostics* diagnostics) {
    return FromLines(SplitLines(text), diagnostics);
}

TsSkinIni TsSkinIni::FromLines(const std::vector<std::string>& lines, TsSkinDiagnostics* diagnostics) {
    TsSkinIni ini;
    int number = 0;
    for (const std::string& line : lines)
        ini.AddLine(line, ++number, diagnostics);
    return ini;
}

const TsSkinIni::Section* TsSkinIni::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(std::string(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const TsSkinIni::Key* TsSkinIni::FindKey(std::string_view sectionName, std::string_view key) const {
    const Section* section = FindSection(sectionName);
    if (section == nullptr)
        return nullptr;
    for (const Key& item : section->Keys)
        if (item.Name == key)
            return &item;
    return nullptr;
}

const std::string* TsSkinIni::Find(std::string_view sectionName, std::string_view key) const {
    const Key* found = FindKey(sectionName, key);
    return found ? &found->Value : nullptr;
}

std::string TsSkinIni::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    const std::string* value = Find(section, key);
    return value ? *value : std::string(fallback);
}

} // namespace skin

// The options text of a skin as an in-memory INI: case-sensitive section and key names, sections
// and keys kept in the order they appear, the first of duplicate keys winning.
#pragma once

#include <string>
#include <unordered_map>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

class TsSkinIni {
public:
    struct Key {
        std::string Name;
        std::string Value;
    };
    struct Section {
        std::string Name;
        std::vector<Key> Keys;
    };

    TsSkinIni() = default;
    // Lines end with LF or CR LF; blank lines and lines starting with ";" are skipped; a line
    // "[NAME]" opens a section (a repeated name continues the first one); "KEY=VALUE" lines add
    // keys with blanks around the name and the value trimmed.
    static TsSkinIni Parse(std::string_view text);
    static TsSkinIni FromLines(const std::vector<std::string>& lines);

    const std::vector<Section>& Sections() const { return sections_; }
    const Section* FindSection(std::string_view name) const;
    bool SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }
    // The raw value, or nullptr when the section or key is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;

    void AddLine(std::string_view line);

private:
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    int current_ = -1;
};

// Splits text at LF (a CR before it is dropped).
std::vector<std::string> SplitLines(std::string_view text);

} // namespace skin

// The options text of a skin as an in-memory INI: case-sensitive section and key names, sections
// and keys kept in the order they appear, the first of duplicate keys winning, each with the
// line it came from.
#pragma once

#include <string>
#include <unordered_map>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

class TsSkinDiagnostics;

class TsSkinIni {
public:
    struct Key {
        std::string Name;
        std::string Value;
        int Line = 0; // counted from 1; 0 for keys not read from a text
    };
    struct Section {
        std::string Name;
        std::vector<Key> Keys;
        int Line = 0;
    };

    TsSkinIni() = default;
    // Lines end with LF or CR LF; blank lines and lines starting with ";" are skipped; a line
    // "[NAME]" opens a section (a repeated name continues the first one); "KEY=VALUE" lines add
    // keys with blanks around the name and the value trimmed. Other lines, and keys before the
    // first section, are skipped; with diagnostics each skipped line, each repeated key and each
    // repeated section is reported.
    static TsSkinIni Parse(std::string_view text, TsSkinDiagnostics* diagnostics = nullptr);
    static TsSkinIni FromLines(const std::vector<std::string>& lines, TsSkinDiagnostics* diagnostics = nullptr);

    const std::vector<Section>& Sections() const { return sections_; }
    const Section* FindSection(std::string_view name) const;
    bool SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }
    // The raw value, or nullptr when the section or key is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;
    // The key the value comes from (the first of its name), or nullptr.
    const Key* FindKey(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;

    // One line of the text; line numbers the line in diagnostics (0: not from a text).
    void AddLine(std::string_view line, int lineNumber = 0, TsSkinDiagnostics* diagnostics = nullptr);

private:
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    int current_ = -1;
};

// Splits text at LF (a CR before it is dropped).
std::vector<std::string> SplitLines(std::string_view text);

} // namespace skin

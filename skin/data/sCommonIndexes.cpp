// The entries of the common index table: how each is found, and under which name it is listed.
#include "skin/data/sCommonIndexes.h"

#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"

#include <array>

namespace skin {
namespace {

static_assert(kCheckMarkKeys.size() == kCheckMarkCount && kTitleButtonKeys.size() == kTitleButtonCount);
constexpr std::array<std::string_view, kTabSideCount> kTabSections = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
constexpr std::array<std::string_view, kScrollButtonCount> kScrollButtonSections = {
    "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
constexpr std::array<std::string_view, kScrollSliderCount> kScrollSliderSections = {"SCROLLSLIDERV", "SCROLLSLIDERH"};
constexpr std::array<std::string_view, kScrollBarCount> kScrollBarSections = {"SCROLLBAR1H", "SCROLLBAR1V",
                                                                              "SCROLLBAR2H", "SCROLLBAR2V"};
constexpr std::string_view kComboButtonSection = "COMBOBTN";
constexpr std::string_view kComboBoxSection = "COMBOBOX";
constexpr std::string_view kWebButtonSection = "WEBBUTTON";

// How an entry is found: a section by name, a mask of a section (following its parents), or a
// mask of exactly that section.
enum class Lookup { Section, Mask, ExactMask };

struct Entry {
    std::string Name;
    Lookup How;
    std::string_view Section;
    std::string_view Key;
    int* Slot;
};

// A part's section, its border mask (found exactly or through the parents), and optionally its
// glyph and its two textures.
void AddPart(std::vector<Entry>& entries, TsPartIndexes& part, std::string_view section, bool glyph, bool patterns,
             Lookup border = Lookup::Mask) {
    const std::string name(section);
    entries.push_back({name, Lookup::Section, section, {}, &part.Section});
    entries.push_back({name + "." + std::string(kBordersMaskKey), border, section, kBordersMaskKey, &part.Border});
    if (glyph)
        entries.push_back({name + "." + std::string(kGlyphMaskKey), Lookup::Mask, section, kGlyphMaskKey, &part.Glyph});
    if (patterns) {
        entries.push_back({name + "." + std::string(kPatternKey), Lookup::Mask, section, kPatternKey, &part.Pattern});
        entries.push_back(
            {name + "." + std::string(kHotPatternKey), Lookup::Mask, section, kHotPatternKey, &part.HotPattern});
    }
}

void AddGlobalMask(std::vector<Entry>& entries, int& slot, std::string_view key) {
    entries.push_back({std::string(key), Lookup::Mask, kGlobalInfo, key, &slot});
}

// The whole table over one TsCommonIndexes, in listing order.
std::vector<Entry> Entries(TsCommonIndexes& c) {
    std::vector<Entry> entries;
    entries.push_back({std::string(kGlobalInfo), Lookup::Section, kGlobalInfo, {}, &c.GlobalInfo});
    for (int i = 0; i < kCheckMarkCount; ++i)
        AddGlobalMask(entries, c.CheckMarks[std::size_t(i)], kCheckMarkKeys[std::size_t(i)]);
    AddGlobalMask(entries, c.ExBorder, kExBorderKey);
    AddGlobalMask(entries, c.GripImage, kGripImageKey);
    AddGlobalMask(entries, c.GripHorz, kGripHorzKey);
    AddGlobalMask(entries, c.GripVert, kGripVertKey);
    AddPart(entries, c.ComboBtn, kComboButtonSection, false, true, Lookup::ExactMask);
    entries.push_back({std::string(kComboBoxSection) + "." + std::string(kGlyphMaskKey), Lookup::ExactMask,
                       kComboBoxSection, kGlyphMaskKey, &c.ComboGlyph});
    for (int i = 0; i < kTabSideCount; ++i)
        AddPart(entries, c.Tabs[std::size_t(i)], kTabSections[std::size_t(i)], false, false);
    for (int i = 0; i < kScrollButtonCount; ++i)
        AddPart(entries, c.ScrollButtons[std::size_t(i)], kScrollButtonSections[std::size_t(i)], true, true);
    for (int i = 0; i < kScrollSliderCount; ++i)
        AddPart(entries, c.ScrollSliders[std::size_t(i)], kScrollSliderSections[std::size_t(i)], true, true);
    for (int i = 0; i < kTitleButtonCount; ++i)
        AddGlobalMask(entries, c.TitleButtons[std::size_t(i)], kTitleButtonKeys[std::size_t(i)]);
    for (int i = 0; i < kScrollBarCount; ++i)
        AddPart(entries, c.ScrollBars[std::size_t(i)], kScrollBarSections[std::size_t(i)], false, true);
    entries.push_back({std::string(kWebButtonSection), Lookup::Section, kWebButtonSection, {}, &c.WebButton});
    return entries;
}

} // namespace

std::string_view TitleButtonKey(TitleButtonIndex button) { return kTitleButtonKeys[std::size_t(button)]; }

TsCommonIndexes FindCommonIndexes(const TsSkinModel& model) {
    TsCommonIndexes indexes;
    for (const Entry& entry : Entries(indexes)) {
        switch (entry.How) {
        case Lookup::Section: *entry.Slot = GetSkinIndex(model, entry.Section); break;
        case Lookup::Mask:
            *entry.Slot = GetMaskIndex(model, GetSkinIndex(model, entry.Section), entry.Section, entry.Key);
            break;
        case Lookup::ExactMask: *entry.Slot = FindMask(model, entry.Section, entry.Key); break;
        }
    }
    return indexes;
}

std::vector<std::pair<std::string, int>> ListCommonIndexes(const TsCommonIndexes& indexes) {
    TsCommonIndexes copy = indexes;
    std::vector<std::pair<std::string, int>> list;
    for (const Entry& entry : Entries(copy))
        list.emplace_back(entry.Name, *entry.Slot);
    return list;
}

} // namespace skin

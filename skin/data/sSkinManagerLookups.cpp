// The skin manager's look-ups, its common index table, the list of available skins, and the
// defaults of the third-party class lists.
#include "skin/data/sSkinManager.h"

#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSkinOptionsLoad.h"
#include "skin/data/sSystemColors.h"

#include <algorithm>
#include <filesystem>

namespace skin {
namespace {

// Walks the section's "PARENTCLASS" chain (at most once through every section) until found.
template <class Matches>
int SearchWithInheritance(const TsSkinModel& model, int sectionIndex, std::string_view section,
                          std::string_view property, Matches matches) {
    std::string currentName(section);
    int currentIndex = sectionIndex;
    for (std::size_t steps = 0; steps <= model.gd.size(); ++steps) {
        if (currentIndex < 0)
            return -1; // a parent that names no section
        if (const int found = matches(currentName, property); found >= 0)
            return found;
        if (!IsValidSkinIndex(model, currentIndex))
            return -1;
        const std::string& parent = model.gd[currentIndex].ParentClass;
        if (parent.empty() || parent == currentName)
            return -1;
        currentIndex = GetSkinIndex(model, parent);
        currentName = parent;
    }
    return -1;
}

} // namespace

int GetSkinIndex(const TsSkinModel& model, std::string_view name) {
    if (name.empty())
        return -1;
    for (int i = 0; i < int(model.gd.size()); ++i)
        if (model.gd[i].ClassName == name)
            return i;
    return -1;
}

int FindMask(const TsSkinModel& model, std::string_view section, std::string_view property) {
    for (int i = 0; i < int(model.ma.size()); ++i)
        if (model.ma[i].SectionName == section && model.ma[i].PropertyName == property)
            return i;
    return -1;
}

int GetMaskIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property) {
    if (sectionIndex < 0)
        return -1;
    return SearchWithInheritance(model, sectionIndex, section, property,
                                 [&](std::string_view s, std::string_view p) { return FindMask(model, s, p); });
}

int GetTextureIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property) {
    if (sectionIndex < 0)
        return -1;
    return SearchWithInheritance(model, sectionIndex, section, property, [&](std::string_view s, std::string_view p) {
        for (int i = 0; i < int(model.ma.size()); ++i) {
            const TsMaskData& mask = model.ma[i];
            if (mask.MaskKind == mkTexture && mask.SectionName == s && mask.PropertyName == p)
                return i;
        }
        return -1;
    });
}

int GetPatternIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property) {
    if (sectionIndex < 0)
        return -1;
    return SearchWithInheritance(model, sectionIndex, section, property, [&](std::string_view s, std::string_view p) {
        for (int i = 0; i < int(model.pa.size()); ++i)
            if (model.pa[i].SectionName == s && model.pa[i].PropertyName == p)
                return i;
        return -1;
    });
}

int TsSkinManager::GetSkinIndex(std::string_view name) const { return skin::GetSkinIndex(model_, name); }
int TsSkinManager::GetMaskIndex(int sectionIndex, std::string_view section, std::string_view property) const {
    return skin::GetMaskIndex(model_, sectionIndex, section, property);
}
int TsSkinManager::GetTextureIndex(int sectionIndex, std::string_view section, std::string_view property) const {
    return skin::GetTextureIndex(model_, sectionIndex, section, property);
}
int TsSkinManager::GetPatternIndex(int sectionIndex, std::string_view section, std::string_view property) const {
    return skin::GetPatternIndex(model_, sectionIndex, section, property);
}
int TsSkinManager::FindMask(std::string_view section, std::string_view property) const {
    return skin::FindMask(model_, section, property);
}
bool TsSkinManager::IsValidSkinIndex(int index) const { return skin::IsValidSkinIndex(model_, index); }
bool TsSkinManager::IsValidImgIndex(int index) const { return skin::IsValidImgIndex(model_, index); }

int TsSkinManager::MaskBorderLeft(int maskIndex) {
    if (!IsValidImgIndex(maskIndex))
        return 0;
    TsMaskData& mask = model_.ma[maskIndex];
    if (mask.CellCount == 0)
        mask.CellCount = 1;
    if (mask.BorderLeft > 0)
        return mask.BorderLeft;
    return mask.BorderWidth > 0 ? mask.BorderWidth : CellWidth(mask);
}

int TsSkinManager::MaskBorderTop(int maskIndex) const {
    if (!IsValidImgIndex(maskIndex))
        return 0;
    const TsMaskData& mask = model_.ma[maskIndex];
    if (mask.BorderTop > 0)
        return mask.BorderTop;
    return mask.BorderWidth > 0 ? mask.BorderWidth : CellHeight(mask);
}

int TsSkinManager::MaskBorderRight(int maskIndex) const {
    if (!IsValidImgIndex(maskIndex))
        return 0;
    const TsMaskData& mask = model_.ma[maskIndex];
    if (mask.BorderRight > 0)
        return mask.BorderRight;
    return mask.BorderWidth > 0 ? mask.BorderWidth : CellWidth(mask);
}

int TsSkinManager::MaskBorderBottom(int maskIndex) const {
    if (!IsValidImgIndex(maskIndex))
        return 0;
    const TsMaskData& mask = model_.ma[maskIndex];
    if (mask.BorderBottom > 0)
        return mask.BorderBottom;
    return mask.BorderWidth > 0 ? mask.BorderWidth : CellHeight(mask);
}

int TsSkinManager::ScrollBarSize() const {
    return ScrollsOptions.ScrollSize >= 0 ? ScrollsOptions.ScrollSize : kVerticalScrollBarWidth;
}

TColor TsSkinManager::GetHighLightColor(TsLook look) const {
    return model_.Palette[look == TsLook::Hot ? pcSelectionBGHot : pcSelectionBG];
}
TColor TsSkinManager::GetHighLightFontColor(TsLook look) const {
    return model_.Palette[look == TsLook::Hot ? pcSelectionTextHot : pcSelectionText];
}

void TsSkinManager::UpdateCommonIndexes() {
    TsCommonIndexes& c = commonIndexes_;
    c = TsCommonIndexes{};
    const TsSkinModel& m = model_;
    const auto section = [&](std::string_view name) { return skin::GetSkinIndex(m, name); };
    const auto mask = [&](int index, std::string_view name, std::string_view property) {
        return skin::GetMaskIndex(m, index, name, property);
    };
    const std::string global(kGlobalInfo);
    c.GlobalInfo = section(global);
    static constexpr std::array<std::string_view, kCheckMarkCount> kCheckMarks = {
        "BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED",
        "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
    for (int i = 0; i < kCheckMarkCount; ++i)
        c.CheckMarks[i] = c.GlobalInfo >= 0 ? mask(c.GlobalInfo, global, kCheckMarks[i]) : -1;
    c.ExBorder = mask(c.GlobalInfo, global, "EXBORDER");
    c.GripImage = mask(c.GlobalInfo, global, "GRIPIMAGE");
    c.GripHorz = mask(c.GlobalInfo, global, "GRIPHORZ");
    c.GripVert = mask(c.GlobalInfo, global, "GRIPVERT");

    c.ComboBtn.Section = section("COMBOBTN");
    c.ComboBtn.Border = skin::FindMask(m, "COMBOBTN", "BORDERSMASK");
    c.ComboBtn.Pattern = mask(c.ComboBtn.Section, "COMBOBTN", "PATTERN");
    c.ComboBtn.HotPattern = mask(c.ComboBtn.Section, "COMBOBTN", "HOTPATTERN");
    c.ComboGlyph = skin::FindMask(m, "COMBOBOX", "GLYPHMASK");

    static constexpr std::array<std::string_view, kTabSideCount> kTabs = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
    for (int i = 0; i < kTabSideCount; ++i) {
        c.Tabs[i].Section = section(kTabs[i]);
        c.Tabs[i].Border = mask(c.Tabs[i].Section, kTabs[i], "BORDERSMASK");
    }
    const auto fullPart = [&](TsPartIndexes& part, std::string_view name, bool withGlyph) {
        part.Section = section(name);
        part.Border = mask(part.Section, name, "BORDERSMASK");
        if (withGlyph && part.Section >= 0)
            part.Glyph = mask(part.Section, name, "GLYPHMASK");
        part.Pattern = mask(part.Section, name, "PATTERN");
        part.HotPattern = mask(part.Section, name, "HOTPATTERN");
    };
    static constexpr std::array<std::string_view, kScrollButtonCount> kButtons = {
        "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
    for (int i = 0; i < kScrollButtonCount; ++i)
        fullPart(c.ScrollButtons[i], kButtons[i], true);
    static constexpr std::array<std::string_view, kScrollSliderCount> kSliders = {"SCROLLSLIDERV", "SCROLLSLIDERH"};
    for (int i = 0; i < kScrollSliderCount; ++i)
        fullPart(c.ScrollSliders[i], kSliders[i], true);
    static constexpr std::array<std::string_view, kTitleButtonCount> kTitleButtons = {
        "BICONCLOSE", "BICLOSEALONE", "BICONMAX", "BICONNORM", "BICONMIN", "BICONHELP",
        "SICONCLOSE", "SICONMAX", "SICONNORM", "SICONMIN", "SICONHELP"};
    for (int i = 0; i < kTitleButtonCount; ++i)
        c.TitleButtons[i] = mask(c.GlobalInfo, global, kTitleButtons[i]);
    static constexpr std::array<std::string_view, kScrollBarCount> kBars = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H",
                                                                            "SCROLLBAR2V"};
    for (int i = 0; i < kScrollBarCount; ++i)
        fullPart(c.ScrollBars[i], kBars[i], false);
    c.WebButton = section("WEBBUTTON");

    ResolveSectionIndexes(model_);
    PrepareExtendedBorderPictures();
}

std::vector<std::pair<std::string, int>> ListCommonIndexes(const TsCommonIndexes& c) {
    std::vector<std::pair<std::string, int>> list;
    const auto part = [&](std::string_view name, const TsPartIndexes& p, bool glyph, bool patterns) {
        const std::string n(name);
        list.emplace_back(n, p.Section);
        list.emplace_back(n + ".BORDERSMASK", p.Border);
        if (glyph)
            list.emplace_back(n + ".GLYPHMASK", p.Glyph);
        if (patterns) {
            list.emplace_back(n + ".PATTERN", p.Pattern);
            list.emplace_back(n + ".HOTPATTERN", p.HotPattern);
        }
    };
    list.emplace_back("GLOBALINFO", c.GlobalInfo);
    static constexpr std::array<const char*, kCheckMarkCount> kCheckMarks = {
        "BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED",
        "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
    for (int i = 0; i < kCheckMarkCount; ++i)
        list.emplace_back(kCheckMarks[i], c.CheckMarks[i]);
    list.emplace_back("EXBORDER", c.ExBorder);
    list.emplace_back("GRIPIMAGE", c.GripImage);
    list.emplace_back("GRIPHORZ", c.GripHorz);
    list.emplace_back("GRIPVERT", c.GripVert);
    part("COMBOBTN", c.ComboBtn, false, true);
    list.emplace_back("COMBOBOX.GLYPHMASK", c.ComboGlyph);
    static constexpr std::array<const char*, kTabSideCount> kTabs = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
    for (int i = 0; i < kTabSideCount; ++i)
        part(kTabs[i], c.Tabs[i], false, false);
    static constexpr std::array<const char*, kScrollButtonCount> kButtons = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM",
                                                                             "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
    for (int i = 0; i < kScrollButtonCount; ++i)
        part(kButtons[i], c.ScrollButtons[i], true, true);
    static constexpr std::array<const char*, kScrollSliderCount> kSliders = {"SCROLLSLIDERV", "SCROLLSLIDERH"};
    for (int i = 0; i < kScrollSliderCount; ++i)
        part(kSliders[i], c.ScrollSliders[i], true, true);
    static constexpr std::array<const char*, kTitleButtonCount> kTitleButtons = {
        "BICONCLOSE", "BICLOSEALONE", "BICONMAX", "BICONNORM", "BICONMIN", "BICONHELP",
        "SICONCLOSE", "SICONMAX", "SICONNORM", "SICONMIN", "SICONHELP"};
    for (int i = 0; i < kTitleButtonCount; ++i)
        list.emplace_back(kTitleButtons[i], c.TitleButtons[i]);
    static constexpr std::array<const char*, kScrollBarCount> kBars = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H",
                                                                       "SCROLLBAR2V"};
    for (int i = 0; i < kScrollBarCount; ++i)
        part(kBars[i], c.ScrollBars[i], false, true);
    list.emplace_back("WEBBUTTON", c.WebButton);
    return list;
}

std::string TsSkinManager::GetSkinNames(std::vector<std::string>& names, SkinNameKinds kinds) const {
    namespace fs = std::filesystem;
    names.clear();
    std::string first;
    const auto add = [&](const std::string& name) {
        if (first.empty() && names.empty())
            first = name;
        names.push_back(name);
    };
    for (const TsStoredSkin& item : internalSkins_)
        add(item.Name);
    const std::string directory = ResolvedSkinDirectory();
    std::error_code error;
    if (fs::is_directory(directory, error)) {
        std::vector<fs::directory_entry> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory, error))
            entries.push_back(entry);
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
        for (const fs::directory_entry& entry : entries) {
            const std::string name = entry.path().filename().string();
            if (entry.is_directory(error)) {
                if (kinds != SkinNameKinds::Packages && !name.empty() && name.front() != '.' &&
                    fs::is_regular_file(entry.path() / "Options.dat", error))
                    add(name);
            } else if (kinds != SkinNameKinds::Folders && entry.path().extension() == ".vlz") {
                add(name.substr(0, name.find('.')));
            }
        }
    }
    std::sort(names.begin(), names.end());
    return first;
}

ThirdPartyList DefaultThirdParty() {
    ThirdPartyList lists;
    lists.fill(" ");
    lists[tpButtons] = "TButton";
    return lists;
}

} // namespace skin

// The model's look-ups and the skin manager's, its mask border widths, the common index table,
// the list of available skins, and the defaults of the third-party class lists.
#include "skin/data/sSkinManager.h"

#include "skin/data/sMaskGeometry.h"
#include "skin/data/sParentChain.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSkinOptionsLoad.h"
#include "skin/data/sSystemColors.h"

#include <algorithm>
#include <filesystem>

namespace skin {
namespace {

// The first index matches(name) finds along the section's "PARENTCLASS" chain; -1 when none,
// also when a parent names no section.
template <class Matches>
int SearchWithInheritance(const TsSkinModel& model, int sectionIndex, std::string_view section, Matches matches) {
    int found = -1;
    int index = sectionIndex;
    bool first = true;
    WalkParentChain(section, [&](std::string_view name) -> const std::string* {
        if (!first)
            index = GetSkinIndex(model, name);
        first = false;
        if (index < 0)
            return nullptr;
        found = matches(name);
        if (found >= 0 || !IsValidSkinIndex(model, index))
            return nullptr;
        return &model.gd[std::size_t(index)].ParentClass;
    });
    return found;
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
    return SearchWithInheritance(model, sectionIndex, section,
                                 [&](std::string_view s) { return FindMask(model, s, property); });
}

int GetTextureIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property) {
    if (sectionIndex < 0)
        return -1;
    return SearchWithInheritance(model, sectionIndex, section, [&](std::string_view s) {
        for (int i = 0; i < int(model.ma.size()); ++i) {
            const TsMaskData& mask = model.ma[i];
            if (mask.MaskKind == TsMaskKind::mkTexture && mask.SectionName == s && mask.PropertyName == property)
                return i;
        }
        return -1;
    });
}

int GetPatternIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property) {
    if (sectionIndex < 0)
        return -1;
    return SearchWithInheritance(model, sectionIndex, section, [&](std::string_view s) {
        for (int i = 0; i < int(model.pa.size()); ++i)
            if (model.pa[i].SectionName == s && model.pa[i].PropertyName == property)
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
    TsMaskData& mask = model_.ma[std::size_t(maskIndex)];
    // The left border is the one every layout asks for first; a mask without cells gets one
    // cell here, and keeps it for every reader after.
    if (mask.CellCount == 0)
        mask.CellCount = 1;
    return MaskBorderWidth(mask, MaskSide::Left);
}

int TsSkinManager::MaskBorderTop(int maskIndex) const {
    return IsValidImgIndex(maskIndex) ? MaskBorderWidth(model_.ma[std::size_t(maskIndex)], MaskSide::Top) : 0;
}

int TsSkinManager::MaskBorderRight(int maskIndex) const {
    return IsValidImgIndex(maskIndex) ? MaskBorderWidth(model_.ma[std::size_t(maskIndex)], MaskSide::Right) : 0;
}

int TsSkinManager::MaskBorderBottom(int maskIndex) const {
    return IsValidImgIndex(maskIndex) ? MaskBorderWidth(model_.ma[std::size_t(maskIndex)], MaskSide::Bottom) : 0;
}

int TsSkinManager::ScrollBarSize() const {
    return ScrollsOptions.ScrollSize >= 0 ? ScrollsOptions.ScrollSize : kVerticalScrollBarWidth;
}

TColor TsSkinManager::GetHighLightColor(TsLook look) const {
    return model_.Palette[look == TsLook::Hot ? PaletteEntry::pcSelectionBGHot : PaletteEntry::pcSelectionBG];
}
TColor TsSkinManager::GetHighLightFontColor(TsLook look) const {
    return model_.Palette[look == TsLook::Hot ? PaletteEntry::pcSelectionTextHot : PaletteEntry::pcSelectionText];
}

void TsSkinManager::UpdateCommonIndexes() {
    commonIndexes_ = FindCommonIndexes(model_);
    ResolveSectionIndexes(model_);
    PrepareExtendedBorderPictures();
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
    lists[ThirdPartyListIndex::tpButtons] = "TButton";
    return lists;
}

} // namespace skin

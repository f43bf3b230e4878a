// sSkinManager1's stored description, as code.
#include "resources/MainSkinManager.h"

#include "resources/TovrinResources.h"
#include "skin/data/sSkinKeys.h"

namespace skin {
namespace {

constexpr const char* kExtraLineFontName = "Tahoma";
constexpr int kExtraLineFontHeight = -11;
constexpr const char* kThirdButtons = "TButton";
// One space: a list that matches no class.
constexpr const char* kEmptyClassList = " ";

TsStoredSkin InternalPewterSkin() {
    TsStoredSkin stored;
    stored.Name = kInternalSkinName;
    stored.Shadow1Color = framework::clBlack;
    stored.Shadow1Offset = 0;
    stored.Shadow1Transparency = 0;
    const auto package = InternalSkinPackage();
    stored.Data.assign(package.begin(), package.end());
    return stored;
}

} // namespace

void ApplyMainSkinManagerProperties(TsSkinManager& manager) {
    manager.SetExtendedBorders(true);
    manager.InternalSkins().clear();
    manager.InternalSkins().push_back(InternalPewterSkin());
    manager.SetSkinName(kInternalSkinName);
    manager.MenuSupport.IcoLineSkin = kIcoLineSection;
    manager.MenuSupport.ExtraLineFont = TvlFontDescription{};
    manager.MenuSupport.ExtraLineFont.Name = kExtraLineFontName;
    manager.MenuSupport.ExtraLineFont.Height = kExtraLineFontHeight;
    manager.MenuSupport.ExtraLineFont.Color = clWindowText;
    for (std::string& list : manager.ThirdParty)
        list = kEmptyClassList;
    manager.ThirdParty[ThirdPartyListIndex::tpButtons] = kThirdButtons;
}

TsSkinManager* CreateMainSkinManager(QObject& owner) {
    auto* manager = new TsSkinManager(&owner);
    manager->setObjectName(QStringLiteral("sSkinManager1"));
    manager->BeginLoading();
    ApplyMainSkinManagerProperties(*manager);
    manager->EndLoading();
    return manager;
}

} // namespace skin

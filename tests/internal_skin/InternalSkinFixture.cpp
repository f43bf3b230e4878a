// Loading the stored package through the manager.
#include "tests/internal_skin/InternalSkinFixture.h"

#include <stdexcept>

#include "resources/TovrinResources.h"
#include "skin/data/sSkinHost.h"

namespace skin::testing {

std::unique_ptr<TsSkinManager> LoadMainManager() {
    InstallSkinHost(nullptr); // the defaults: layered windows available
    auto manager = std::make_unique<TsSkinManager>();
    manager->BeginLoading();
    manager->SetSkinDirectory(kMissingSkinDirectory);
    ApplyMainSkinManagerProperties(*manager);
    manager->EndLoading();
    return manager;
}

const TsSkinManager& SharedManager() {
    static const std::unique_ptr<TsSkinManager> manager = LoadMainManager();
    return *manager;
}

const TsSkinIni& StoredOptions() {
    static const TsSkinIni options = [] {
        const auto convertor = ReadPackageBytes(InternalSkinPackage());
        const ByteArray& text = *convertor->OptionsStream;
        return TsSkinIni::Parse(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    }();
    return options;
}

int MaskIndex(const TsSkinManager& manager, const std::string& section, const std::string& key) {
    return manager.FindMask(section, key);
}

const TsGeneralData& Section(const TsSkinManager& manager, const std::string& name) {
    const int index = manager.GetSkinIndex(name);
    if (index < 0)
        throw std::runtime_error("no section " + name);
    return manager.Sections()[std::size_t(index)];
}

} // namespace skin::testing

// Finding the skin a command line names: a path first, then a name in the skin directory or
// among the internal skins.
#include "app/SkinChoice.h"

#include "skin/data/sSkinManager.h"
#include "skin/data/vlSkinPack.h"

#include <algorithm>
#include <filesystem>

namespace app {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kPackageExtension = ".vlz";

bool IsInternalName(const skin::TsSkinManager& manager, const std::string& name) {
    const auto& stored = manager.InternalSkins();
    return std::any_of(stored.begin(), stored.end(), [&](const skin::TsStoredSkin& s) { return s.Name == name; });
}

// What the manager is told: its skin directory (empty: unchanged) and the skin's name; a file
// that is no package by its name is handed over as a stored package.
struct Placement {
    std::string directory;
    std::string name;
    std::optional<skin::TsStoredSkin> stored;
};

std::optional<Placement> Place(const skin::TsSkinManager& manager, const std::string& source, std::string& why) {
    std::error_code error;
    const fs::path path = fs::absolute(source, error);
    if (!error && fs::is_directory(path, error))
        return Placement{path.parent_path().string(), path.filename().string(), std::nullopt};
    if (!error && fs::is_regular_file(path, error)) {
        if (path.extension() == kPackageExtension)
            return Placement{path.parent_path().string(), path.stem().string(), std::nullopt};
        skin::TsStoredSkin stored;
        stored.Name = path.filename().string();
        if (!skin::ReadFileBytes(path.string(), stored.Data)) {
            why = "cannot read \"" + path.string() + "\"";
            return std::nullopt;
        }
        return Placement{{}, stored.Name, std::move(stored)};
    }
    if (IsInternalName(manager, source))
        return Placement{{}, source, std::nullopt};
    const bool isName = source.find('/') == std::string::npos && source != "." && source != "..";
    const fs::path skins = manager.ResolvedSkinDirectory();
    if (isName) {
        std::string name = source;
        if (name.size() > kPackageExtension.size() && name.ends_with(kPackageExtension))
            name.resize(name.size() - kPackageExtension.size());
        if (fs::exists(skins / (name + std::string(kPackageExtension)), error) || fs::is_directory(skins / name, error))
            return Placement{{}, name, std::nullopt};
    }
    why = "no skin \"" + source + "\": neither a file nor a folder" +
          (isName ? ", nor a skin in " + skins.string() : std::string());
    return std::nullopt;
}

} // namespace

std::string ApplySkinChoice(skin::TsSkinManager& manager, const SkinChoice& choice) {
    std::string why;
    if (choice.hue)
        manager.SetHueOffset(*choice.hue);
    if (choice.saturation)
        manager.SetSaturation(*choice.saturation);
    if (!choice.source)
        return why;
    const std::string before = manager.SkinName();
    std::optional<Placement> placement = Place(manager, *choice.source, why);
    if (!placement)
        return why + "; \"" + before + "\" stays";
    if (placement->stored) {
        auto& stored = manager.InternalSkins();
        stored.erase(std::remove_if(stored.begin(), stored.end(),
                                    [&](const skin::TsStoredSkin& s) { return s.Name == placement->name; }),
                     stored.end());
        stored.push_back(std::move(*placement->stored));
    }
    if (!placement->directory.empty())
        manager.SetSkinDirectory(placement->directory);
    manager.SetSkinName(placement->name);
    if (manager.SkinName() != placement->name)
        return "the skin \"" + *choice.source + "\" cannot be loaded; \"" + manager.SkinName() + "\" stays";
    return why;
}

} // namespace app

// Finding the skin a command line names: a path first, then a name in the skin directory or
// among the internal skins.
#include "app/SkinChoice.h"

#include "framework/base/Cp1251.h"
#include "framework/core/Dialogs.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/vlSkinPack.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace app {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kPackageExtension = ".vlz";
constexpr const char* kOptionsFile = "Options.dat";

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

// Why a source cannot be used: it names nothing, or it names something that is no skin (a
// folder without options), which the user hears of in an error dialog as well.
struct Refusal {
    std::string why;
    bool notASkin = false;
};

// A folder holds a skin when its options file is there; else the manager would quietly fall
// back to its internal skin.
std::optional<Refusal> FolderWithoutSkin(const fs::path& folder) {
    std::error_code error;
    if (fs::exists(folder / kOptionsFile, error))
        return std::nullopt;
    return Refusal{"the folder \"" + folder.string() + "\" holds no skin (no " + std::string(kOptionsFile) + ")", true};
}

std::optional<Placement> Place(const skin::TsSkinManager& manager, const std::string& source, Refusal& refusal) {
    std::error_code error;
    const fs::path path = fs::absolute(source, error).lexically_normal();
    if (!error && fs::is_directory(path, error)) {
        const fs::path folder = path.has_filename() ? path : path.parent_path();
        if (std::optional<Refusal> empty = FolderWithoutSkin(folder)) {
            refusal = *empty;
            return std::nullopt;
        }
        return Placement{folder.parent_path().string(), folder.filename().string(), std::nullopt};
    }
    if (!error && fs::is_regular_file(path, error)) {
        if (path.extension() == kPackageExtension)
            return Placement{path.parent_path().string(), path.stem().string(), std::nullopt};
        skin::TsStoredSkin stored;
        stored.Name = path.filename().string();
        if (!skin::ReadFileBytes(path.string(), stored.Data)) {
            refusal = Refusal{"cannot read \"" + path.string() + "\"", true};
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
        if (fs::exists(skins / (name + std::string(kPackageExtension)), error))
            return Placement{{}, name, std::nullopt};
        if (fs::is_directory(skins / name, error)) {
            if (std::optional<Refusal> empty = FolderWithoutSkin(skins / name)) {
                refusal = *empty;
                return std::nullopt;
            }
            return Placement{{}, name, std::nullopt};
        }
    }
    refusal.why = "no skin \"" + source + "\": neither a file nor a folder" +
                  (isName ? ", nor a skin in " + skins.string() : std::string());
    return std::nullopt;
}

} // namespace

std::string ApplySkinChoice(skin::TsSkinManager& manager, const SkinChoice& choice) {
    if (choice.hue)
        manager.SetHueOffset(*choice.hue);
    if (choice.saturation)
        manager.SetSaturation(*choice.saturation);
    if (!choice.source)
        return {};
    const std::string before = manager.SkinName();
    Refusal refusal;
    std::optional<Placement> placement = Place(manager, *choice.source, refusal);
    if (!placement) {
        // Something that is no skin is told as the manager tells a skin it cannot load.
        if (refusal.notASkin) {
            std::string sentence = refusal.why;
            sentence.front() = char(std::toupper(static_cast<unsigned char>(sentence.front())));
            framework::ShowMessageDialog(framework::MessageKind::Error, framework::Utf8ToCp1251(sentence));
        }
        return refusal.why + "; \"" + before + "\" stays";
    }
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
    if (manager.SkinName() == placement->name)
        return {};
    // The manager's error dialog has shown why, naming the skin's file.
    const std::string failure = manager.LoadFailure().empty() ? "the skin \"" + *choice.source + "\" cannot be loaded"
                                                                : framework::Cp1251ToUtf8(manager.LoadFailure());
    return failure + "; \"" + manager.SkinName() + "\" stays";
}

} // namespace app

// Loading a SOURCE through the skin manager, with the load's dialogs caught as failures.
#include "tools/tovrin-skin/Commands.h"

#include "framework/core/Dialogs.h"
#include "framework/base/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace tools {
namespace {
namespace fs = std::filesystem;

InternalSourceSetup gInternalSourceSetup = nullptr;
constexpr std::string_view kPackageExtension = ".vlz";

// SOURCE as a path, else as the name of a skin in the user's skin folder, found as the skin
// manager finds a skin name: the package NAME.vlz first, then the folder NAME.
fs::path FindSource(const std::string& source) {
    std::error_code error;
    const fs::path path = fs::absolute(source, error);
    if (!error && fs::exists(path, error))
        return path;
    const fs::path skins = skin::TsSkinManager::DefaultSkinDirectory();
    const bool isName = !source.empty() && source.find('/') == std::string::npos && source != "." && source != "..";
    if (isName) {
        std::string name = source;
        if (name.size() > kPackageExtension.size() && name.ends_with(kPackageExtension))
            name.resize(name.size() - kPackageExtension.size());
        for (const fs::path& candidate : {skins / (name + std::string(kPackageExtension)), skins / name})
            if (fs::exists(candidate, error))
                return candidate;
    }
    throw framework::Exception("Skin source \"" + source + "\" does not exist" +
                               (isName ? ", nor is it a skin in " + skins.string() : std::string()));
}

// A failure of the load, naming the file it came from unless its message already does.
std::string NamingTheFile(const std::string& file, const std::string& message) {
    return message.find(file) != std::string::npos ? message : file + ": " + message;
}
} // namespace

void SetInternalSourceSetup(InternalSourceSetup setup) { gInternalSourceSetup = setup; }

fs::path FindSkinSource(const std::string& source) { return FindSource(source); }

int ParseIntegerOption(const std::string& option, const std::string& value) {
    try {
        return framework::StrToInt(value);
    } catch (const framework::EConvertError&) {
        throw framework::Exception(option + ": '" + value + "' is not a valid integer value");
    }
}

skin::TColor ParseColourOption(const std::string& option, const std::string& value) {
    if (value.empty() || value.front() != '#')
        return skin::TColor(ParseIntegerOption(option, value));
    constexpr std::size_t kHexDigits = 6; // #RRGGBB
    const std::string digits = value.substr(1);
    const bool hex = digits.size() == kHexDigits &&
                     std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
    if (!hex)
        throw framework::Exception(option + ": '" + value + "' is not a colour (a decimal 0x00BBGGRR value or #RRGGBB)");
    const unsigned long rgb = std::stoul(digits, nullptr, 16);
    return skin::TColor((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
}

std::unique_ptr<skin::TsSkinManager> LoadSkinSource(const std::string& source, const SkinSourceOptions& options) {
    std::error_code error;
    const bool internal = source == kInternalSource;
    const fs::path path = internal ? fs::path() : FindSource(source);
    const std::string file = internal ? source : path.string();
    if (internal && gInternalSourceSetup == nullptr)
        throw framework::Exception("Skin source \"" + source + "\" is not available here");

    // Failures of the load reach the user as error dialogs; here they become the tool's failure.
    std::string failure;
    framework::SetMessagePresenter([&failure](framework::MessageKind kind, const std::string& text) {
        if (kind == framework::MessageKind::Error && failure.empty())
            failure = text;
        else
            std::fprintf(stderr, "%s\n", text.c_str());
        return framework::DialogAnswer::Ok;
    });
    struct ResetPresenter {
        ~ResetPresenter() { framework::SetMessagePresenter(nullptr); }
    } reset;

    auto manager = std::make_unique<skin::TsSkinManager>();
    manager->SetLoadDiagnostics(options.Diagnostics);
    if (options.HueOffset)
        manager->SetHueOffset(*options.HueOffset);
    if (options.Saturation)
        manager->SetSaturation(*options.Saturation);
    manager->SetExtendedBorders(options.ExtendedBorders);

    const fs::path directory = path.parent_path();
    if (internal) {
        gInternalSourceSetup(*manager);
        manager->SetExtendedBorders(options.ExtendedBorders);
    } else if (fs::is_directory(path, error)) {
        manager->SetSkinDirectory(directory.string());
        manager->SetSkinName(path.filename().string());
    } else if (path.extension() == kPackageExtension) {
        manager->SetSkinDirectory(directory.string());
        manager->SetSkinName(path.stem().string());
    } else {
        // Any other file is taken as a stored package.
        skin::TsStoredSkin stored;
        stored.Name = path.filename().string();
        if (!skin::ReadFileBytes(path.string(), stored.Data))
            throw framework::Exception("Cannot read \"" + file + "\"");
        manager->InternalSkins().push_back(std::move(stored));
        manager->SetSkinDirectory((path.string() + ".no-skins"));
        manager->SetSkinName(path.filename().string());
    }
    if (!failure.empty())
        throw framework::Exception(NamingTheFile(file, failure));
    if (!manager->SkinData().Active)
        throw framework::Exception("Skin source \"" + file + "\" holds no skin");
    return manager;
}

} // namespace tools

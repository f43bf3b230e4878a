// The skin watch of the window and what it tells the user.
#include "app/SkinWatch.h"

#include "app/Tovrin1.h"
#include "framework/base/Cp1251.h"
#include "skin/data/sSkinWatch.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace app {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kPackageExtension = ".vlz";

struct SkinFiles {
    skin::SkinSourceKind Kind = skin::SkinSourceKind::None;
    std::string Path;
};

// Where the source lies when the manager could not load it: a folder or a package, by path or by
// name in the skin directory.
SkinFiles FilesOf(const skin::TsSkinManager& manager, const std::string& source) {
    std::error_code error;
    const auto classify = [&](const fs::path& path) -> SkinFiles {
        if (fs::is_directory(path, error))
            return {skin::SkinSourceKind::Folder, path.string()};
        if (fs::is_regular_file(path, error) && path.extension() == kPackageExtension)
            return {skin::SkinSourceKind::PackageFile, path.string()};
        return {};
    };
    if (SkinFiles files = classify(fs::absolute(source, error)); files.Kind != skin::SkinSourceKind::None)
        return files;
    if (source.find('/') != std::string::npos)
        return {};
    const fs::path skins = manager.ResolvedSkinDirectory();
    std::string name = source;
    if (name.ends_with(kPackageExtension))
        name.resize(name.size() - kPackageExtension.size());
    if (SkinFiles files = classify(skins / (name + std::string(kPackageExtension)));
        files.Kind != skin::SkinSourceKind::None)
        return files;
    return classify(skins / name);
}

void Say(const std::string& utf8Line) { std::fprintf(stderr, "tovrin: %s\n", utf8Line.c_str()); }

// The skin's texts are Windows-1251; paths and our own words are UTF-8 (ASCII).
std::string Utf8(const std::string& cp1251) { return framework::Cp1251ToUtf8(cp1251); }

} // namespace

std::string WatchSkin(TForm1& form, const std::string& source) {
    skin::TsSkinManager& manager = *form.sSkinManager1;
    auto* watcher = new skin::TsSkinWatcher(manager);
    std::string why;
    if (!watcher->WatchLoadedSkin(why)) {
        // The skin could not be loaded at start: its next good save takes over from the internal one.
        const SkinFiles files = FilesOf(manager, source);
        if (files.Kind == skin::SkinSourceKind::None) {
            delete watcher;
            return "only a skin folder or a .vlz package file can be watched, and \"" + source + "\" is neither";
        }
        watcher->Watch(files.Kind, files.Path);
    }
    const std::string path = watcher->WatchedPath();
    Say("watching " + path + " for changes of the skin");
    QPointer<TForm1> window(&form);
    auto failing = std::make_shared<bool>(false);
    watcher->OnReload = [window, path, failing](const skin::TsSkinReload& reload) {
        for (const skin::TsSkinDiagnostic& problem : reload.Problems)
            if (problem.Severity == skin::TsSeverity::Error && (reload.Loaded || problem.Problem != reload.Failure))
                Say(Utf8(skin::DiagnosticLine(problem)));
        std::vector<std::string> logLines;
        if (reload.Loaded) {
            Say("skin reloaded from " + path + " (" + std::to_string((reload.Took.count() + 500) / 1000) + " ms)");
            if (*failing)
                logLines = {"Skin reloaded from " + framework::Utf8ToCp1251(path)};
            *failing = false;
        } else {
            const std::string why =
                reload.FailurePlace.empty() ? reload.Failure : reload.FailurePlace + ": " + reload.Failure;
            Say("the skin in " + path + " was not reloaded, the last good skin stays: " + Utf8(why));
            // Two lines, so that the narrow log shows the reason.
            logLines = {"Skin not reloaded, the last good skin stays:", why};
            *failing = true;
        }
        if (window)
            for (const std::string& line : logLines)
                window->AppendLogLine(line);
    };
    return {};
}

} // namespace app

// The watch over a skin's files, the pause that gathers one save's writes, and the reload.
#include "skin/data/sSkinWatch.h"

#include "skin/data/sSkinCheck.h"

#include <QStringList>

#include <filesystem>
#include <sys/stat.h>

namespace skin {
namespace {

namespace fs = std::filesystem;

// Files editors keep beside the one they save: vim's swap files, backups, emacs' autosaves.
bool IsEditorsOwn(const std::string& name) {
    return name.empty() || name.front() == '.' || name.front() == '#' || name.back() == '~' ||
           name.ends_with(".swp") || name.ends_with(".swx");
}

QString Q(const std::string& path) { return QString::fromStdString(path); }

} // namespace

TsSkinWatcher::TsSkinWatcher(TsSkinManager& manager) : QObject(&manager), manager_(manager) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kDefaultQuietMs);
    connect(&quiet_, &QTimer::timeout, this, &TsSkinWatcher::Reload);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TsSkinWatcher::Changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TsSkinWatcher::Changed);
}

void TsSkinWatcher::Watch(SkinSourceKind kind, const std::string& path) {
    kind_ = kind;
    package_ = kind == SkinSourceKind::PackageFile;
    path_ = package_ || path.ends_with('/') ? path : path + "/";
    last_ = Take();
    WatchFiles();
}

bool TsSkinWatcher::WatchLoadedSkin(std::string& why) {
    const SkinSourceKind kind = manager_.SourceKind();
    if (kind != SkinSourceKind::Folder && kind != SkinSourceKind::PackageFile) {
        why = "the skin \"" + manager_.SkinName() + "\" is stored in the program: there is no file to watch";
        return false;
    }
    Watch(kind, manager_.SourcePath());
    return true;
}

TsSkinWatcher::Snapshot TsSkinWatcher::Take() const {
    Snapshot files;
    std::error_code error;
    const auto stamp = [&](const fs::path& file) {
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            return;
        files[file.filename().string()] =
            FileStamp{std::int64_t(status.st_size),
                      std::int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
                      std::uint64_t(status.st_ino)};
    };
    if (package_) {
        stamp(fs::path(path_));
        return files;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(path_, error))
        if (!IsEditorsOwn(entry.path().filename().string()))
            stamp(entry.path());
    return files;
}

void TsSkinWatcher::WatchFiles() {
    const fs::path folder = package_ ? fs::path(path_).parent_path() : fs::path(path_);
    QStringList wanted{Q(folder.string())};
    for (const auto& [name, stamp] : last_)
        wanted << Q((package_ ? folder / name : fs::path(path_) / name).string());
    const QStringList watched = watcher_.files() + watcher_.directories();
    QStringList missing;
    for (const QString& path : wanted)
        if (!watched.contains(path))
            missing << path;
    if (!missing.isEmpty())
        watcher_.addPaths(missing);
}

void TsSkinWatcher::Changed() { quiet_.start(); }

void TsSkinWatcher::Reload() {
    Snapshot now = Take();
    if (now == last_)
        return; // an editor's own files, or nothing of the skin
    last_ = std::move(now);
    TsSkinReload reload;
    TsDiagnosticList problems;
    manager_.SetLoadDiagnostics(&problems);
    const auto start = std::chrono::steady_clock::now();
    const std::string failure = manager_.LoadSkinFiles(kind_, path_);
    reload.Took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    manager_.SetLoadDiagnostics(nullptr);
    reload.Loaded = failure.empty();
    reload.Problems = std::move(problems.Items);
    if (!reload.Loaded) {
        // The loader says where the failure lies when it knows.
        reload.Failure = failure;
        for (const TsSkinDiagnostic& problem : reload.Problems)
            if (problem.Severity == TsSeverity::Error && problem.Problem == failure)
                reload.FailurePlace = DiagnosticPlace(problem);
    }
    WatchFiles();
    if (OnReload)
        OnReload(reload);
}

} // namespace skin

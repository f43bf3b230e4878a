// Watching a skin while its author edits it: when a file of the skin folder (or the package file)
// changes, the skin is read again once the writes have paused, and every window is told. A save
// that cannot be loaded leaves the last good skin in force and says why; the next good save takes
// over. Hue, saturation and the other settings of the manager stay applied.
#pragma once

#include "skin/data/sSkinDiagnostics.h"
#include "skin/data/sSkinManager.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace skin {

struct TsSkinReload {
    bool Loaded = false;
    // Why the skin was not loaded, and where in the skin when the loader knew it
    // ("Options.dat:9: [GLOBALINFO] SHADOW1OFFSET").
    std::string Failure;
    std::string FailurePlace;
    // What the load passed over (pictures not found, skipped lines ...).
    std::vector<TsSkinDiagnostic> Problems;
    std::chrono::microseconds Took{}; // reading the skin and announcing it to every window
};

class TsSkinWatcher : public QObject {
    Q_OBJECT
public:
    // About how long an editor's writes of one save take.
    static constexpr int kDefaultQuietMs = 200;

    // Lives as the manager's child.
    explicit TsSkinWatcher(TsSkinManager& manager);

    // Watches a skin folder or a package file; each save that changes it is loaded in place of
    // the skin the manager has, whatever that is (the internal one, when the folder could not be
    // loaded at first).
    void Watch(SkinSourceKind kind, const std::string& path);
    // Watches the skin the manager has loaded. False for an internal skin, which has no file to
    // watch (why says so).
    bool WatchLoadedSkin(std::string& why);
    const std::string& WatchedPath() const { return path_; }
    // The pause after the last change before the skin is read (kDefaultQuietMs).
    void SetQuietTime(int milliseconds) { quiet_.setInterval(milliseconds); }

    std::function<void(const TsSkinReload&)> OnReload;

private:
    // What a file looks like from outside; a save changes at least one of these.
    struct FileStamp {
        std::int64_t Size = -1;
        std::int64_t Modified = 0;
        std::uint64_t Inode = 0;
        bool operator==(const FileStamp&) const = default;
    };
    using Snapshot = std::map<std::string, FileStamp>;

    void Changed();
    void Reload();
    // The skin's files as they are now; an editor's own files (".swp", "~", "#...#") left out.
    Snapshot Take() const;
    // Watch every file of the skin again: one that an editor replaced is a new file.
    void WatchFiles();

    TsSkinManager& manager_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    std::string path_;
    SkinSourceKind kind_ = SkinSourceKind::None;
    bool package_ = false;
    Snapshot last_;
};

} // namespace skin

// Choosing the window's log file.
#include "app/LogPlace.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"
#include "scanner/OutputFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLogName = "logs.txt";
constexpr const char* kProgramFolderName = "tovrin";

// The user's folder for state kept between runs, by the XDG base directory rules.
fs::path StateHome() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && fs::path(state).is_absolute())
        return state;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        if (const passwd* user = ::getpwuid(::getuid()))
            home = user->pw_dir;
    return fs::path(home ? home : "/") / ".local" / "state";
}

bool CanWrite(const fs::path& path) {
    try {
        scanner::CheckOutputFile(path);
        return true;
    } catch (const framework::Exception&) {
        return false;
    }
}

} // namespace

LogPlace ChooseLogPlace(const fs::path& programFolder) {
    const fs::path beside = programFolder / kLogName;
    if (CanWrite(beside))
        return {beside, {}};
    const fs::path folder = StateHome() / kProgramFolderName;
    std::error_code error;
    fs::create_directories(folder, error); // a failure shows when the log is saved
    const fs::path path = folder / kLogName;
    return {path, framework::Utf8ToCp1251("Папка программы закрыта для записи; журнал сохраняется в " + path.string())};
}

} // namespace app

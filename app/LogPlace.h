// Where the window saves logs.txt: beside the program when its folder takes files, else in the
// user's state folder, so that an installed program does not lose its log.
#pragma once

#include <filesystem>
#include <string>

namespace app {

struct LogPlace {
    std::filesystem::path path;
    // When the log cannot go beside the program: the line that says where it goes instead,
    // shown once in the log tab (Windows-1251); empty otherwise.
    std::string note;
};

// programFolder/logs.txt when a file can be written there; else logs.txt in
// $XDG_STATE_HOME/tovrin (an absolute $XDG_STATE_HOME; else ~/.local/state/tovrin), the folder
// made when missing. A place that cannot be written after all is found out by the save, which
// names it and the reason.
LogPlace ChooseLogPlace(const std::filesystem::path& programFolder);

} // namespace app

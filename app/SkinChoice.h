// The skin a user picks on the command line (--skin NAME|FILE, --hue, --saturation), put in force
// on the window's skin manager after the window has loaded its internal skin.
#pragma once

#include <optional>
#include <string>

namespace skin {
class TsSkinManager;
}

namespace app {

struct SkinChoice {
    std::optional<std::string> source;  // a package file, a skin folder or a skin's name
    std::optional<int> hue;             // degrees
    std::optional<int> saturation;      // percent
};

// Loads the chosen skin through the manager. A source that names nothing, or a skin that cannot
// be loaded, leaves the internal skin in force; the reason is returned (empty when all went
// well) for the program to print, naming the file or folder. A skin that cannot be loaded is
// also shown in an error dialog: the manager's for a damaged package or folder, ours for a
// folder without options or an unreadable file.
std::string ApplySkinChoice(skin::TsSkinManager& manager, const SkinChoice& choice);

} // namespace app

// The commands of tovrin-skin, the skin author's tool, and what they share: loading a SOURCE
// (a package file or a skin folder) through the skin manager.
#pragma once

#include "skin/data/sSkinManager.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tools {

using Arguments = std::vector<std::string>;

// A command runs with the arguments after its name and returns the exit code; failures are
// thrown as framework::Exception and reported by main.
using CommandFunction = int (*)(const Arguments& arguments);

struct SkinSourceOptions {
    std::optional<int> HueOffset;
    std::optional<int> Saturation;
    bool ExtendedBorders = false;
    skin::TsSkinDiagnostics* Diagnostics = nullptr; // told of what the load passes over
};

// Loads SOURCE through TsSkinManager as the program would: a package file (any name; one ending
// in ".vlz" is read from its directory as a package file, others as a stored package), or a skin
// folder holding "Options.dat", or kInternalSource, the package stored in the program, set up as
// the main window sets up its manager, or else the name of a skin in the user's skin folder.
// Fails with the load's own message after the name of the file it came from.
inline constexpr const char* kInternalSource = ":internal";
// What kInternalSource loads: the tool registers the main window's settings around the stored
// package (tovrin_resources); where nothing is registered, the source is refused.
using InternalSourceSetup = void (*)(skin::TsSkinManager& manager);
void SetInternalSourceSetup(InternalSourceSetup setup);
// SOURCE (not kInternalSource) as a path when something is there, else as the name of a skin in
// the user's skin folder, found as the skin manager finds a skin name: the package NAME.vlz
// first, then the folder NAME. Fails naming what was looked for.
std::filesystem::path FindSkinSource(const std::string& source);
std::unique_ptr<skin::TsSkinManager> LoadSkinSource(const std::string& source, const SkinSourceOptions& options);

int PackCommand(const Arguments& arguments);
int UnpackCommand(const Arguments& arguments);
int PictureCommand(const Arguments& arguments);
int InfoCommand(const Arguments& arguments);
int CheckCommand(const Arguments& arguments);
int ContactCommand(const Arguments& arguments);

// Reads an integer option value; fails with a message naming the option.
int ParseIntegerOption(const std::string& option, const std::string& value);
// Reads a colour: a decimal 0x00BBGGRR value, or #RRGGBB.
skin::TColor ParseColourOption(const std::string& option, const std::string& value);

} // namespace tools

// Small skins built by the tests: an options text and a few tiny pictures, written as a folder
// or packed with our writer, and loaded through a skin manager.
#pragma once

#include "framework/core/Dialogs.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/vlSkinPack.h"

#include <QByteArray>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace skin::testing {

struct FixtureSkin {
    std::string Options;
    std::vector<std::pair<std::string, Bitmap32>> Bitmaps; // written as 24-bit device-independent bitmaps
    std::vector<std::pair<std::string, Bitmap32>> Pngs;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Every pixel set to one value (0xAARRGGBB).
Bitmap32 SolidBitmap(int width, int height, Pixel pixel);

void WriteBytes(const std::string& path, const ByteArray& bytes);
ByteArray ReadBytes(const std::string& path);
// Writes the skin's files into folder (created when missing).
void WriteSkinFolder(const std::string& folder, const FixtureSkin& skin);
// The skin packed with our writer.
ByteArray PackSkin(const FixtureSkin& skin);

// Messages the manager shows while the object lives.
class CapturedMessages {
public:
    CapturedMessages();
    ~CapturedMessages();
    std::vector<std::pair<framework::MessageKind, std::string>> Messages;
    std::string Errors() const;
};

// A run of tovrin-skin with its exit code (-1 when it crashed) and what it wrote.
struct ToolRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};
ToolRun RunTool(const QStringList& arguments);

// A manager that loads the package as its one internal skin named "Fixture".
std::unique_ptr<TsSkinManager> LoadPackage(const ByteArray& package, const std::function<void(TsSkinManager&)>& before = {});
// The options text, with the pictures, through LoadPackage.
std::unique_ptr<TsSkinManager> LoadSkin(const FixtureSkin& skin, const std::function<void(TsSkinManager&)>& before = {});

} // namespace skin::testing

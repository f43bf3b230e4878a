// Fixture skins for the skin data tests.
#include "SkinDataFixtures.h"

#include "skin/pixels/codecs/SkinPictures.h"

#include <QCoreApplication>
#include <QProcess>

#include <atomic>
#include <fstream>
#include <random>

namespace skin::testing {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tovrin-skin-data-" + std::to_string(QCoreApplication::applicationPid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

Bitmap32 SolidBitmap(int width, int height, Pixel pixel) {
    Bitmap32 bitmap(width, height);
    bitmap.Fill(pixel);
    return bitmap;
}

void WriteBytes(const std::string& path, const ByteArray& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

ByteArray ReadBytes(const std::string& path) {
    ByteArray bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

namespace {
std::vector<PackageEntry> EntriesOf(const FixtureSkin& skin) {
    std::vector<PackageEntry> entries;
    entries.push_back({"Options.dat", ByteArray(skin.Options.begin(), skin.Options.end())});
    for (const auto& [name, bitmap] : skin.Bitmaps)
        entries.push_back({name, WriteDib(bitmap, 24)});
    for (const auto& [name, bitmap] : skin.Pngs)
        entries.push_back({name, WritePng(bitmap)});
    return entries;
}
} // namespace

void WriteSkinFolder(const std::string& folder, const FixtureSkin& skin) {
    std::filesystem::create_directories(folder);
    for (const PackageEntry& entry : EntriesOf(skin))
        WriteBytes(folder + "/" + entry.Name, entry.Data);
}

ByteArray PackSkin(const FixtureSkin& skin) {
    std::vector<PackageEntry> entries = EntriesOf(skin);
    SortPackageEntries(entries);
    return WritePackage(entries);
}

CapturedMessages::CapturedMessages() {
    framework::SetMessagePresenter([this](framework::MessageKind kind, const std::string& text) {
        Messages.emplace_back(kind, text);
        return framework::DialogAnswer::Ok;
    });
}

CapturedMessages::~CapturedMessages() { framework::SetMessagePresenter(nullptr); }

std::string CapturedMessages::Errors() const {
    std::string all;
    for (const auto& [kind, text] : Messages)
        if (kind == framework::MessageKind::Error)
            all += (all.empty() ? "" : "\n") + text;
    return all;
}

ToolRun RunTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TOVRIN_SKIN_TOOL), arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

std::unique_ptr<TsSkinManager> LoadPackage(const ByteArray& package, const std::function<void(TsSkinManager&)>& before) {
    auto manager = std::make_unique<TsSkinManager>();
    manager->SetSkinDirectory("/nonexistent/tovrin-skins");
    TsStoredSkin stored;
    stored.Name = "Fixture";
    stored.Data = package;
    manager->InternalSkins().push_back(std::move(stored));
    if (before)
        before(*manager);
    manager->SetSkinName("Fixture");
    return manager;
}

std::unique_ptr<TsSkinManager> LoadSkin(const FixtureSkin& skin, const std::function<void(TsSkinManager&)>& before) {
    return LoadPackage(PackSkin(skin), before);
}

} // namespace skin::testing

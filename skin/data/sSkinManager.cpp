// The skin manager's properties, its choice of source, loading, and the announcements of
// loaded, refreshed and removed skins to every window.
#include "skin/data/sSkinManager.h"

#include "framework/base/Cp1251.h"
#include "framework/core/SkinCommand.h"
#include "framework/core/WidgetProperties.h"
#include "skin/data/sSkinHost.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSkinOptionsLoad.h"
#include "skin/data/sSkinPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QVariant>

#include <filesystem>
#include <unordered_set>

namespace skin {
namespace {

TsSkinManager* gDefaultManager = nullptr;
bool gLoading = false;
bool gAnnouncing = false;
bool gPreviewing = false;
bool gVersionSwitchChecked = false;
std::optional<QStringList> gCommandLine;
std::string gProgramFolder;

constexpr const char* kOptionsFile = "Options.dat";
constexpr const char* kPackageExtension = ".vlz";
constexpr double kNewestSupportedVersion = 8.99;
constexpr double kOldestCurrentVersion = 7;

// Sets a process-wide flag for the lifetime of the guard, restoring the previous value.
class FlagGuard {
public:
    FlagGuard(bool& flag, bool value) : flag_(flag), previous_(flag) { flag_ = value; }
    ~FlagGuard() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

QStringList CommandLine() {
    if (gCommandLine)
        return *gCommandLine;
    return QCoreApplication::instance() ? QCoreApplication::arguments() : QStringList{};
}

bool HasSwitch(const char* name) {
    for (const QString& argument : CommandLine())
        if (argument.toLower() == QLatin1String(name))
            return true;
    return false;
}

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool DirectoryExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::string DropPackageExtension(std::string name) {
    constexpr std::size_t kLength = 4;
    if (name.size() >= kLength && EqualsIgnoringCase(name.substr(name.size() - kLength), kPackageExtension))
        name.resize(name.size() - kLength);
    return name;
}

std::string ExceptionText(const std::exception& failure) { return failure.what(); }

} // namespace

struct TsSkinManager::ChosenSource {
    SkinSourceKind Kind = SkinSourceKind::None;
    std::string Path; // package file, or skin folder with trailing "/"
    int InternalIndex = -1;
};

namespace {

// A load failure names the skin it came from, as the skin tool does: the package file, the
// folder or the stored skin, unless the engine's message already names it ("Stream read error"
// alone does not say which skin is damaged). Paths are UTF-8; the message is Windows-1251.
std::string NamingTheSource(const std::string& message, const std::string& where) {
    if (where.empty() || message.find(where) != std::string::npos)
        return message;
    return framework::Utf8ToCp1251(where) + ": " + message;
}

} // namespace

std::string TsSkinManager::SourceName(const ChosenSource& source) const {
    switch (source.Kind) {
    case SkinSourceKind::PackageFile:
        return source.Path;
    case SkinSourceKind::Folder:
        return source.Path.size() > 1 && source.Path.back() == '/' ? source.Path.substr(0, source.Path.size() - 1)
                                                                   : source.Path;
    case SkinSourceKind::Internal:
        if (source.InternalIndex >= 0 && source.InternalIndex < int(internalSkins_.size()))
            return internalSkins_[std::size_t(source.InternalIndex)].Name;
        break;
    default:
        break;
    }
    return {};
}

TsSkinManager::TsSkinManager(QObject* parent) : QObject(parent) {
    skinDirectory_ = DefaultSkinDirectory();
    RebuildThirdLists();
    if (gDefaultManager == nullptr)
        gDefaultManager = this;
    if (!gVersionSwitchChecked) {
        gVersionSwitchChecked = true;
        if (HasSwitch("/vlver"))
            SkinHost().ShowMessage(framework::MessageKind::Information, "Velcora v" + std::string(kVersion));
    }
}

TsSkinManager::~TsSkinManager() {
    previewLink_.reset();
    SetActive(false);
    extendedBorders_ = false;
    if (gDefaultManager == this)
        gDefaultManager = nullptr;
}

TsSkinManager* TsSkinManager::DefaultManager() { return gDefaultManager; }
bool TsSkinManager::SkinLoadingNow() { return gLoading; }
bool TsSkinManager::SkinAnnouncingNow() { return gAnnouncing; }
bool TsSkinManager::PreviewingNow() { return gPreviewing; }
bool& TsSkinManager::PreviewFlag() { return gPreviewing; }
bool TsSkinManager::LayeredWindowsAvailable() { return SkinHost().LayeredWindowsAvailable(); }
void TsSkinManager::SetCommandLine(const QStringList& arguments) { gCommandLine = arguments; }

bool TsSkinManager::ButtonHasPointer(QObject* button) { return SkinHost().HasPointer(button); }

bool TsSkinManager::IsDefault() const { return gDefaultManager == this; }
void TsSkinManager::SetIsDefault(bool isDefault) {
    if (isDefault)
        gDefaultManager = this;
    else if (gDefaultManager == this)
        gDefaultManager = nullptr;
}

// ---------------------------------------------------------------- streaming

void TsSkinManager::BeginLoading() { streaming_ = true; }

void TsSkinManager::EndLoading() {
    streaming_ = false;
    if (skinDirectory_.empty())
        skinDirectory_ = DefaultSkinDirectory();
    if (MenuSupport.IcoLineSkin.empty())
        MenuSupport.IcoLineSkin = kIcoLineSection;
    RebuildThirdLists();
    if (active_ && !skinName_.empty())
        AnnounceSkinLoaded(false);
    Fire(OnActivate);
}

void TsSkinManager::RebuildThirdLists() {
    const ThirdPartyList defaults = DefaultThirdParty();
    for (int i = 0; i < kThirdPartyListCount; ++i) {
        if (ThirdParty[i].empty())
            ThirdParty[i] = defaults[i];
        thirdLists_[i] = SplitLines(ThirdParty[i]);
    }
}

// ---------------------------------------------------------------- properties

std::string TsSkinManager::SkinInfo() const {
    return modelLoaded_ && model_.SkinData.Active ? VersionText(model_.SkinData.Version) : "N/A";
}

void TsSkinManager::SetSkinName(const std::string& name) {
    const std::string previous = skinName_;
    skinName_ = DropPackageExtension(name);
    if (!active_)
        return;
    Fire(OnBeforeChange);
    ApplyNewName(previous);
    Fire(OnAfterChange);
}

void TsSkinManager::ApplyNewName(const std::string& previous) {
    FlagGuard loading(gLoading, true);
    model_.SkinData.Active = false;
    loadFailure_.clear();
    std::optional<ChosenSource> source;
    try {
        source = ChooseSource();
        if (source)
            LoadFrom(*source);
        else
            active_ = false;
    } catch (const std::exception& failure) {
        skinName_ = previous;
        loadFailure_ = NamingTheSource(ExceptionText(failure), source ? SourceName(*source) : std::string());
        SkinHost().ShowMessage(framework::MessageKind::Error, loadFailure_);
    }
    if (active_) {
        if (!updatePending_)
            AnnounceSkinLoaded(true);
        if (!streaming_)
            Fire(OnActivate);
    } else {
        RemoveSkin();
        Fire(OnDeactivate);
    }
}

void TsSkinManager::SetActive(bool active) {
    if (active) {
        active_ = true;
        SetSkinName(skinName_);
        return;
    }
    if (!active_)
        return;
    active_ = false;
    if (skinName_.empty())
        return;
    if (!streaming_)
        RemoveSkin();
    commonIndexes_ = TsCommonIndexes{};
    Fire(OnDeactivate);
}

void TsSkinManager::SetSkinDirectory(const std::string& directory) {
    if (directory == skinDirectory_)
        return;
    skinDirectory_ = directory;
    Fire(OnSkinListChanged);
}

void TsSkinManager::SetHueOffset(int degrees) {
    if (degrees == hueOffset_)
        return;
    hueOffset_ = degrees;
    AfterSettingChange();
}

void TsSkinManager::SetSaturation(int percent) {
    if (percent == saturation_)
        return;
    saturation_ = percent;
    AfterSettingChange();
}

void TsSkinManager::AfterSettingChange() {
    if (!active_ || streaming_ || !modelLoaded_)
        return;
    {
        FlagGuard loading(gLoading, true);
        ReloadSkin();
        Fire(OnAfterChange);
    }
    if (!updatePending_)
        RefreshAll(true);
}

void TsSkinManager::SetExtendedBorders(bool extended) {
    if (extended == extendedBorders_)
        return;
    extendedBorders_ = extended;
    if (!modelLoaded_)
        return;
    {
        FlagGuard loading(gLoading, true);
        PrepareExtendedBorderPictures();
        ReloadSkin();
    }
    if (!streaming_)
        RefreshAll(true);
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
    commonSections_.clear();
    for (const std::string& line : lines) {
        if (line.empty() || line.front() == ';') {
            commonSections_.push_back(line);
            continue;
        }
        std::string packed;
        for (char c : line)
            if (c != ' ')
                packed += c;
        commonSections_.push_back(packed);
    }
    AfterSettingChange();
}

// ---------------------------------------------------------------- directories

void TsSkinManager::SetProgramFolder(const std::string& folder) {
    gProgramFolder = folder.empty() ? std::string() : WithTrailingSlash(folder);
}

std::string TsSkinManager::ProgramFolder() {
    if (!gProgramFolder.empty())
        return gProgramFolder;
    if (QCoreApplication::instance())
        return WithTrailingSlash(QCoreApplication::applicationDirPath().toStdString());
    return WithTrailingSlash(QDir::currentPath().toStdString());
}

std::string TsSkinManager::DefaultSkinDirectory() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const std::string base = data.isEmpty() ? QDir::homePath().toStdString() + "/.local/share" : data.toStdString();
    return base + "/Tovrin/Skins";
}

std::string TsSkinManager::ResolvedSkinDirectory() const {
    const std::string program = ProgramFolder();
    const std::string& value = skinDirectory_;
    std::string resolved;
    if (value.rfind("..", 0) == 0) {
        // The parent of the program's folder, with its trailing separator.
        const std::filesystem::path parent = std::filesystem::path(program.substr(0, program.size() - 1)).parent_path();
        resolved = WithTrailingSlash(parent.string()) + (value.size() > 3 ? value.substr(3) : "");
    } else if (value.rfind("./", 0) == 0) {
        resolved = program + value.substr(2);
    } else if (value == ".") {
        resolved = program;
    } else if (value.rfind("~/", 0) == 0 || value == "~") {
        resolved = QDir::homePath().toStdString() + value.substr(1);
    } else if (value.empty() || value.front() != '/') {
        resolved = program + value;
    } else {
        resolved = value;
    }
    return WithTrailingSlash(resolved);
}

// ---------------------------------------------------------------- loading

std::optional<TsSkinManager::ChosenSource> TsSkinManager::ChooseSource() {
    const std::string resolved = ResolvedSkinDirectory();
    const std::string folder = resolved + skinName_;
    const bool folderWins = gPreviewing && DirectoryExists(folder);
    if (!skinName_.empty() && !folderWins) {
        // The package test takes the directory as written (relative to the current folder).
        const std::string package = WithTrailingSlash(skinDirectory_) + skinName_ + kPackageExtension;
        if (FileExists(package))
            return ChosenSource{SkinSourceKind::PackageFile, package, -1};
    }
    if (!skinName_.empty() && (FileExists(folder + "/" + kOptionsFile) || (gPreviewing && previewOptions_ && DirectoryExists(folder))))
        return ChosenSource{SkinSourceKind::Folder, WithTrailingSlash(folder), -1};
    if (internalSkins_.empty())
        return std::nullopt;
    int index = 0;
    for (int i = 0; i < int(internalSkins_.size()); ++i)
        if (internalSkins_[i].Name == skinName_) {
            index = i;
            break;
        }
    skinName_ = internalSkins_[index].Name;
    return ChosenSource{SkinSourceKind::Internal, {}, index};
}

void TsSkinManager::CheckVersion(const TsSkinData& data) {
    if (data.Version > kNewestSupportedVersion) {
        const bool hadDialogs = SkinningRules.Has(TvlSkinningRule::srStdDialogs);
        SkinningRules.Exclude(TvlSkinningRule::srStdDialogs);
        SkinHost().ShowMessage(framework::MessageKind::Warning,
                                     "This version of the skin have not complete support by used Velcora package "
                                     "release.\nComponents must be updated up to latest version for using this skin.");
        if (hadDialogs)
            SkinningRules.Include(TvlSkinningRule::srStdDialogs);
    } else if (data.Version < kOldestCurrentVersion && HasSwitch("/vltest")) {
        SkinHost().ShowMessage(framework::MessageKind::Information,
                                     "You are using an old version of the \"" + skinName_ +
                                         "\" skin. Please, update a skins to latest or link with the Velcora support "
                                         "for upgrading of existing skin.\n\nThis notification occurs in design-time "
                                         "only for your information and will not occur in real-time.");
    }
}

void TsSkinManager::LoadFrom(const ChosenSource& source) {
    FlagGuard loading(gLoading, true);
    if (diagnostics_ != nullptr)
        diagnostics_->LoadStarted();
    std::unique_ptr<TvlSkinConvertor> package;
    TsSkinIni ini;
    std::string folder;
    switch (source.Kind) {
    case SkinSourceKind::PackageFile:
        LoadPackageFile(source.Path, package);
        if (!package)
            throw EPackageError("Skin package \"" + source.Path + "\" cannot be read");
        break;
    case SkinSourceKind::Internal: {
        const ByteArray& data = internalSkins_[source.InternalIndex].Data;
        if (data.empty())
            return; // nothing to load
        package = ReadPackageBytes(data, internalSkins_[source.InternalIndex].Name);
        break;
    }
    case SkinSourceKind::Folder:
        folder = source.Path;
        break;
    case SkinSourceKind::None:
        return;
    }
    if (package) {
        if (package->OptionsStream)
            ini = TsSkinIni::Parse(std::string_view(reinterpret_cast<const char*>(package->OptionsStream->data()),
                                                    package->OptionsStream->size()),
                                   diagnostics_);
    } else if (previewOptions_) {
        ini = TsSkinIni::FromLines(*previewOptions_, diagnostics_);
    } else {
        const std::string options = FindFileIgnoringCase(folder, kOptionsFile);
        ByteArray bytes;
        if (options.empty() || !ReadSkinFile(folder + options, bytes, kOptionsTextLimit))
            throw EPackageError("Cannot read \"" + folder + kOptionsFile + "\"");
        ini = TsSkinIni::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                               diagnostics_);
    }

    if (diagnostics_ != nullptr)
        diagnostics_->OptionsRead(ini);

    // Everything is built in a fresh model; the loaded skin changes only when all of it succeeded.
    TsSkinModel fresh;
    fresh.SkinData.SkinFolder = folder;
    fresh.SkinData.Version = ReadSkinVersion(ini);
    CheckVersion(fresh.SkinData);
    const TsSkinIni common = TsSkinIni::FromLines(commonSections_);
    TsLoadContext context{ini, TsSkinImageSource{package.get(), folder},
                          common.Sections().empty() ? nullptr : &common, nullptr, diagnostics_};
    LoadMasterAndMasks(fresh, context);
    LoadPatterns(fresh, context);
    LoadSections(fresh, context);
    fresh.SkinData.SkinFolder = folder;
    ApplyAdjustments(fresh);

    // The skin data stays the same record across a reload: only a change of name (which marks it
    // inactive before it loads) and the announcement change its active mark. A reload after a
    // hue, saturation or extended-border change is not announced, so it must keep the mark.
    fresh.SkinData.Active = modelLoaded_ && model_.SkinData.Active;
    model_ = std::move(fresh);
    modelLoaded_ = true;
    isPacked_ = source.Kind != SkinSourceKind::Folder;
    sourceKind_ = source.Kind;
    sourcePath_ = source.Path;
    sourceInternalIndex_ = source.InternalIndex;
    UpdateCommonIndexes();
    Fire(OnSkinLoading);
}

void TsSkinManager::ReloadSkin() {
    std::optional<ChosenSource> source;
    try {
        source = ChooseSource();
        if (source)
            LoadFrom(*source);
    } catch (const std::exception& failure) {
        SkinHost().ShowMessage(framework::MessageKind::Error,
                               NamingTheSource(ExceptionText(failure), source ? SourceName(*source) : std::string()));
    }
}

std::string TsSkinManager::ReloadFromSource() {
    if (!modelLoaded_ || (sourceKind_ != SkinSourceKind::Folder && sourceKind_ != SkinSourceKind::PackageFile))
        return "no skin of a folder or a package file is loaded";
    return LoadSkinFiles(sourceKind_, sourcePath_);
}

std::string TsSkinManager::LoadSkinFiles(SkinSourceKind kind, const std::string& path) {
    if (!active_)
        return "skinning is off";
    if (kind != SkinSourceKind::Folder && kind != SkinSourceKind::PackageFile)
        return "only a skin folder or a package file can be loaded from its files";
    const std::string source = kind == SkinSourceKind::Folder ? WithTrailingSlash(path) : path;
    {
        FlagGuard loading(gLoading, true);
        try {
            LoadFrom(ChosenSource{kind, source, -1});
        } catch (const std::exception& failure) {
            return ExceptionText(failure);
        }
    }
    // The skin's name and directory now name these files, as if they had been chosen.
    const std::filesystem::path files(kind == SkinSourceKind::Folder ? source.substr(0, source.size() - 1) : source);
    skinDirectory_ = files.parent_path().string();
    skinName_ = kind == SkinSourceKind::Folder ? files.filename().string() : files.stem().string();
    // Fades and halos hold pictures of the skin that was: they end before the new one is told.
    SendToAllWindows(SKC_STOP_FADING);
    AnnounceSkinLoaded(false);
    return {};
}

// ---------------------------------------------------------------- announcements

void TsSkinManager::AnnounceSkinLoaded(bool animated) {
    if (streaming_ || !modelLoaded_)
        return;
    model_.SkinData.Active = false;
    {
        FlagGuard announcing(gAnnouncing, true);
        UpdateCommonIndexes();
        SendToAllWindows(SKC_SKIN_LOADED);
    }
    model_.SkinData.Active = true;
    // The skin-change animation needs the capture taken before the load; it runs only for
    // visible skinned forms with extended borders, and ends with a refresh.
    if (animated && AnimEffects.SkinChanging.Active && ExtendedBordersInEffect())
        RefreshAll(false);
}

void TsSkinManager::RemoveSkin() {
    model_.SkinData.Active = false;
    SendToAllWindows(SKC_SKIN_REMOVED);
    model_.ma.clear();
    model_.MasterBitmap = Bitmap32{};
    model_.pa.clear();
    model_.gd.clear();
    modelLoaded_ = false;
    sourceKind_ = SkinSourceKind::None;
    sourcePath_.clear();
    sourceInternalIndex_ = -1;
}

void TsSkinManager::RefreshAll(bool animated) {
    if (!streaming_)
        SendToAllWindows(SKC_STOP_FADING);
    SendToAllWindows(SKC_SKIN_REFRESH);
}

void TsSkinManager::SendToAllWindows(int command) {
    const std::vector<QObject*> forms = SkinHost().TopLevelWindows();
    std::vector<QObject*> unskinned;
    std::vector<QObject*> skinned;
    for (QObject* form : forms) {
        if (framework::SendSkinCommand(form, SKC_IS_SKINNED) == 1)
            skinned.push_back(form);
        else
            unskinned.push_back(form);
    }
    // First the forms without a provider, from the last to the first; then the forms with one.
    for (auto it = unskinned.rbegin(); it != unskinned.rend(); ++it)
        SendToForm(*it, command);
    const std::vector<QObject*> providerForms = SkinHost().ProviderForms().value_or(skinned);
    for (QObject* form : providerForms)
        SendToForm(form, command);
}

void TsSkinManager::SendToForm(QObject* form, int command) {
    if (form == nullptr)
        return;
    framework::SendSkinCommand(form, command, 0, reinterpret_cast<std::intptr_t>(this));
    SendToChildren(form, command);
}

void TsSkinManager::SendToChildren(QObject* parent, int command) {
    const auto lParam = reinterpret_cast<std::intptr_t>(this);
    // A copy: receivers may create or delete children while they handle the command.
    const QObjectList children = parent->children();
    for (const QPointer<QObject> child : children) {
        if (child.isNull() || child == this)
            continue;
        // A windowless control (marked by the framework) is called directly and has no children
        // of its own; a windowed one that is skinned passes the command on to its children.
        if (framework::IsMarkedWindowless(child)) {
            framework::SendSkinCommand(child, command, 0, lParam);
        } else if (framework::SendSkinCommand(child, SKC_IS_SKINNED) == 1) {
            framework::SendSkinCommand(child, command, 0, lParam);
            if (!child.isNull())
                SendToChildren(child, command);
        } else {
            SendToChildren(child, command);
        }
    }
}

} // namespace skin

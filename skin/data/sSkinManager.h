// TsSkinManager: the non-visual component that owns the application's skin. It chooses where
// the skin comes from (a package file or a folder in the skin directory, or a package stored in
// the component), loads it into the skin model, announces loads, refreshes and removals to
// every window through skin commands, and answers the look-ups painters use.
#pragma once

#include "skin/data/sSkinDiagnostics.h"
#include "skin/data/sSkinIni.h"
#include "skin/data/sSkinManagerTypes.h"
#include "skin/data/sSkinOptions.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <span>

class QLocalServer;

namespace skin {

class TvlPreviewLink;

// What GetSkinNames lists besides the internal skins.
enum class SkinNameKinds { FoldersAndPackages = 0, Packages = 1, Folders = 2 };
// Where the loaded skin came from.
enum class SkinSourceKind { None, PackageFile, Folder, Internal };

class TsSkinManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(int HueOffset READ HueOffset WRITE SetHueOffset)
    Q_PROPERTY(int Saturation READ Saturation WRITE SetSaturation)
    Q_PROPERTY(bool ExtendedBorders READ ExtendedBorders WRITE SetExtendedBorders)
    Q_PROPERTY(bool SkinnedPopups READ SkinnedPopups WRITE SetSkinnedPopups)
    Q_PROPERTY(bool IsDefault READ IsDefault WRITE SetIsDefault)

public:
    using Event = std::function<void(TsSkinManager&)>;
    static constexpr const char* kVersion = "8.50";

    explicit TsSkinManager(QObject* parent = nullptr);
    ~TsSkinManager() override;

    // --- Streaming: properties set between these two calls are stored, a SkinName already
    // loads, but nothing is announced; EndLoading is the component's "loaded" step.
    void BeginLoading();
    void EndLoading();
    bool IsLoading() const { return streaming_; }

    // --- Published properties.
    bool Active() const { return active_; }
    void SetActive(bool active);
    const std::string& SkinName() const { return skinName_; }
    void SetSkinName(const std::string& name);
    // The message (Windows-1251) of the last change of name whose skin could not be loaded, as
    // the error dialog showed it, naming the package file, folder or stored skin; empty after a
    // change that loaded.
    const std::string& LoadFailure() const { return loadFailure_; }
    const std::string& SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(const std::string& directory);
    TsStoredSkins& InternalSkins() { return internalSkins_; }
    const TsStoredSkins& InternalSkins() const { return internalSkins_; }
    std::string SkinInfo() const; // the loaded skin's version, or "N/A"
    static std::string Version() { return kVersion; }
    bool IsDefault() const;
    void SetIsDefault(bool isDefault);
    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int degrees);
    int Saturation() const { return saturation_; }
    void SetSaturation(int percent);
    bool ExtendedBorders() const { return extendedBorders_; }
    void SetExtendedBorders(bool extended);
    bool SkinnedPopups() const { return skinnedPopups_; }
    void SetSkinnedPopups(bool skinned) { skinnedPopups_ = skinned; }
    TvlSkinningRules SkinningRules;
    const std::vector<std::string>& CommonSections() const { return commonSections_; }
    void SetCommonSections(const std::vector<std::string>& lines);
    ThirdPartyList ThirdParty = DefaultThirdParty();
    TvlSkinEffects Effects;
    TvlAnimEffects AnimEffects;
    TvlMenuSupport MenuSupport;
    TvlScrollBarsSupport ScrollsOptions;
    TvlButtonsSupport ButtonsOptions;
    TvlLabelsSupport LabelsOptions;

    Event OnBeforeChange, OnAfterChange, OnActivate, OnDeactivate, OnSkinLoading, OnSkinListChanged;
    // Asked before a standard dialog is skinned; setting allow to false leaves it alone.
    std::function<void(TsSkinManager&, QObject* dialog, bool& allow)> OnSysDlgInit;

    // --- The model (valid while SkinData().Active).
    TsSkinData& SkinData() { return model_.SkinData; }
    const TsSkinData& SkinData() const { return model_.SkinData; }
    const TsGeneralDataArray& Sections() const { return model_.gd; }
    const TsMaskArray& Masks() const { return model_.ma; }
    const TsPatternArray& Patterns() const { return model_.pa; }
    const Bitmap32& MasterBitmap() const { return model_.MasterBitmap; }
    const TsPalette& Palette() const { return model_.Palette; }
    const TsSkinModel& Model() const { return model_; }
    bool IsPacked() const { return isPacked_; }
    SkinSourceKind SourceKind() const { return sourceKind_; }
    // The package file or the skin folder (with trailing "/") the loaded skin came from; empty
    // for an internal skin.
    const std::string& SourcePath() const { return sourcePath_; }
    const TsCommonIndexes& CommonIndexes() const { return commonIndexes_; }
    // The class-name lists built from ThirdParty.
    const std::vector<std::string>& ThirdList(ThirdPartyListIndex index) const { return thirdLists_[index]; }

    // --- Look-ups (exact, case-sensitive, linear; -1 when nothing is found).
    int GetSkinIndex(std::string_view name) const;
    int GetMaskIndex(int sectionIndex, std::string_view section, std::string_view property) const;
    int GetTextureIndex(int sectionIndex, std::string_view section, std::string_view property) const;
    int GetPatternIndex(int sectionIndex, std::string_view section, std::string_view property) const;
    int FindMask(std::string_view section, std::string_view property) const;
    bool IsValidSkinIndex(int index) const;
    bool IsValidImgIndex(int index) const;
    int MaskBorderLeft(int maskIndex); // sets a CellCount of 0 to 1 first
    int MaskBorderTop(int maskIndex) const;
    int MaskBorderRight(int maskIndex) const;
    int MaskBorderBottom(int maskIndex) const;
    int ScrollBarSize() const;
    TColor GetActiveEditFontColor() const { return model_.Palette[PaletteEntry::pcEditText]; }
    TColor GetActiveEditColor() const { return model_.Palette[PaletteEntry::pcEditBG]; }
    TColor GetHighLightColor(TsLook look = TsLook::Normal) const;
    TColor GetHighLightFontColor(TsLook look = TsLook::Normal) const;
    // Fills names (sorted) and returns the first name added, or empty.
    std::string GetSkinNames(std::vector<std::string>& names, SkinNameKinds kinds = SkinNameKinds::FoldersAndPackages) const;

    // --- Directory resolution.
    std::string ResolvedSkinDirectory() const; // absolute, with trailing "/"
    // The folder relative SkinDirectory values are resolved against (the program's folder by default).
    static void SetProgramFolder(const std::string& folder);
    static std::string ProgramFolder();
    static std::string DefaultSkinDirectory(); // the user's data folder for the program

    // --- Announcements.
    void AnnounceSkinLoaded(bool animated = false);
    void RemoveSkin();
    // SKC_STOP_FADING, then SKC_SKIN_REFRESH to every window. animated asks for the skin-change
    // animation, which belongs to the skinned frames; until they play it, both refreshes look
    // the same.
    void RefreshAll(bool animated = false);
    void UpdateCommonIndexes();
    // Re-reads the skin from its source with the current settings (no announcement).
    void ReloadSkin();
    // Loads the skin of a folder or a package file with the current settings and announces it to
    // every window; SkinDirectory and SkinName then name it. A skin that cannot be loaded leaves
    // the loaded one in force and announces nothing: the failure is returned (empty when the skin
    // was loaded), not shown. Unlike a change of SkinName, nothing else is tried.
    std::string LoadSkinFiles(SkinSourceKind kind, const std::string& path);
    // LoadSkinFiles of where the loaded skin came from (the same files, even while its options
    // text is missing).
    std::string ReloadFromSource();
    // Told of what each load passes over (null: nobody); the listener outlives the manager's loads.
    void SetLoadDiagnostics(TsSkinDiagnostics* diagnostics) { diagnostics_ = diagnostics; }

    // --- Adjustments.
    int ExtendedMargin(int side) const { return extMargins_[side]; } // 0 left, 1 top, 2 right, 3 bottom
    const std::array<int, 4>& ExtendedMargins() const { return extMargins_; }
    const Bitmap32& ExtendedBorderActive() const { return extActive_; }
    const Bitmap32& ExtendedBorderInactive() const { return extInactive_; }
    bool ExtendedBordersInEffect() const { return extendedBorders_ && LayeredWindowsAvailable(); }
    void PrepareExtendedBorderPictures();
    void SetHotWindow(QObject* window);
    void SetHotSpeedButton(QObject* button);
    QObject* HotWindow() const { return hotWindow_; }
    QObject* HotSpeedButton() const { return hotSpeedButton_; }
    // A preview block (see TvlPreviewLink); returns 1 when it was taken, 0 when ignored.
    int ApplyPreviewBlock(std::span<const std::uint8_t> block);
    // Opens the preview link, a local socket named after the program (or the given name).
    bool ListenForPreview(const QString& serverName = {});
    QString PreviewServerName() const;

    // --- Process-wide state.
    static TsSkinManager* DefaultManager();
    static bool SkinLoadingNow(); // a load is in progress
    static bool SkinAnnouncingNow(); // a skin change is being announced
    static bool PreviewingNow();
    // The shadow pictures of extended borders for skins without an "EXBORDER" mask ("vlSHDA",
    // "vlSHDI", each drawn for a kShadowMargin margin). The program sets them at start-up, before
    // a skin loads; until then, or when either is empty, such skins get no shadow (margins 0).
    static void SetDefaultShadowPictures(Bitmap32 active, Bitmap32 inactive);
    // Whether the process's skin host (sSkinHost.h) says the desktop composites.
    static bool LayeredWindowsAvailable();
    // The command line the switches "/vlver" and "/vltest" are read from (default: the application's).
    static void SetCommandLine(const QStringList& arguments);

private:
    struct ChosenSource;
    std::optional<ChosenSource> ChooseSource();
    // The package file, folder (UTF-8 paths) or stored skin's name a source stands for.
    std::string SourceName(const ChosenSource& source) const;
    void LoadFrom(const ChosenSource& source);
    // Warns about a skin made for a newer engine, or (with "/vltest") an old one; a skin is
    // never refused for its version.
    void CheckVersion(const TsSkinData& data);
    void ApplyNewName(const std::string& previous);
    void SendToAllWindows(int command);
    void SendToForm(QObject* form, int command);
    void SendToChildren(QObject* parent, int command);
    void RebuildThirdLists();
    void ApplyAdjustments(TsSkinModel& model) const;
    void AfterSettingChange();
    static bool ButtonHasPointer(QObject* button);
    static bool& PreviewFlag();
    void Fire(const Event& event) { if (event) event(*this); }

    bool active_ = true;
    bool streaming_ = false;
    std::string skinName_;
    std::string loadFailure_;
    std::string skinDirectory_;
    TsStoredSkins internalSkins_;
    int hueOffset_ = 0;
    int saturation_ = 0;
    bool extendedBorders_ = false;
    bool skinnedPopups_ = true;
    std::vector<std::string> commonSections_;
    framework::EnumArray<ThirdPartyListIndex, std::vector<std::string>, kThirdPartyListCount> thirdLists_;

    TsSkinModel model_;
    bool modelLoaded_ = false;
    bool isPacked_ = false;
    SkinSourceKind sourceKind_ = SkinSourceKind::None;
    std::string sourcePath_;
    int sourceInternalIndex_ = -1;
    TsSkinDiagnostics* diagnostics_ = nullptr;
    TsCommonIndexes commonIndexes_;
    bool updatePending_ = false;
    std::unique_ptr<std::vector<std::string>> previewOptions_;

    std::array<int, 4> extMargins_{};
    Bitmap32 extActive_;
    Bitmap32 extInactive_;

    QPointer<QObject> hotWindow_;
    QPointer<QObject> hotSpeedButton_;
    std::unique_ptr<TvlPreviewLink> previewLink_;
};

} // namespace skin

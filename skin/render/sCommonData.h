// TsCommonData: the skin record every skinned control and every form's skin provider owns. It
// binds the owner to a section of the loaded skin (resolved to indexes), tracks hover, focus
// and painting suspensions, keeps the owner's cache image and whether it is stale, and answers
// the skin commands through which parents, children and the skin manager talk to each other.
#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "skin/data/sSkinManagerTypes.h"
#include "skin/data/sSkinOptions.h"
#include "skin/pixels/Bitmap32.h"

class QEvent;

namespace skin {

// ParentBgFlags.
inline constexpr std::uint16_t pbFlatColour = 0x1;    // the owner's background is one flat colour
inline constexpr std::uint16_t pbNotComputed = 0x2;   // pbFlatColour not computed yet
inline constexpr std::uint16_t pbPrinting = 0x200;    // being printed into a foreign image (PrintDC)
inline constexpr std::uint16_t pbSuspended = 0x800;   // painting suspended

// SectionTraits.
inline constexpr std::uint16_t stVariesAlongX = 0x2;
inline constexpr std::uint16_t stVariesAlongY = 0x4;
inline constexpr std::uint16_t stImageFill = 0x10;


// The answer kinds of SKC_GET_BACKGROUND.
enum class TsBgKind : std::uint8_t { None = 0, Colour = 1, Bitmap = 2, NotReady = 3 };

// Passed with SKC_GET_BACKGROUND: the asking child fills the request fields (PaintNow, DrawRect,
// DC, and the offsets of the area it wants), the parent answers.
struct TsBackgroundInfo {
    const Bitmap32* Bitmap = nullptr; // the parent's image, not owned
    TColor Color{0};                  // the parent's colour when it answers with a colour
    std::int32_t OffsetX = 0;         // where the child's origin lies in Bitmap
    std::int32_t OffsetY = 0;
    TRect DrawRect;                   // area to paint with PaintNow
    TRect Margins;                    // border widths of the parent that Bitmap holds (colour answers)
    TsBgKind Kind = TsBgKind::None;
    bool PaintNow = false;            // the parent paints DrawRect into DC instead of answering
    Bitmap32* DC = nullptr;           // target of PaintNow
};

// What painters receive from an answer: a bitmap answer gives the bitmap, any other its colour.
TsBackdrop BackdropOf(const TsBackgroundInfo& info);

// Passed with SKC_SET_SECTION and SKC_GET_SECTION_INDEX.
struct TvlSectionInfo {
    std::int32_t SectionIndex = -1; // first: SKC_GET_SECTION_INDEX writes here
    std::string SectionName;
    std::uint8_t Reserved = 0;
};

// Kinds of control (ControlKind) and what they decide.
bool IsNoHotKind(int kind);     // never hover-active
bool IsContainerKind(int kind); // a flat-colour container needs no image of its own
bool IsEditKind(int kind);      // the skin sets their colours and switches looks on focus and hover
// The section a kind uses when none is set; empty for "the class name of the owner".
std::string_view DefaultSectionOfKind(int kind);

inline constexpr int kKindEdit = 3;
inline constexpr int kKindCheckBox = 32;
inline constexpr int kKindRadioButton = 33;
inline constexpr int kKindTabSheet = 57;
inline constexpr int kKindGroupBox = 74;
inline constexpr int kKindSpeedButton = 92;
inline constexpr int kKindButton = 93;
inline constexpr int kKindLastButton = 94;
inline constexpr int kKindPageControl = 141;
inline constexpr int kKindTabControl = 143;

enum class TsRecordCache { Without, With };

class TsCommonData {
public:
    // The record of a control; with a cache it starts with an empty cache bitmap.
    TsCommonData(QObject* control, TsRecordCache cache);
    // The record of a form's skin provider: provider is the host object, form the window it skins.
    TsCommonData(QObject* provider, QObject* form, TsRecordCache cache);
    virtual ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    // --- Published properties.
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(std::string_view section);
    // The skin manager as stored: nullptr means the default manager.
    QObject* SkinManager() const { return skinManager_; }
    void SetSkinManager(QObject* manager);
    bool CustomColor() const { return customColor_; }
    void SetCustomColor(bool custom);
    bool CustomFont() const { return customFont_; }
    void SetCustomFont(bool custom);
    int HUEOffset() const { return hueOffset_; }
    int Saturation() const { return saturation_; }

    // --- The record's fields.
    std::int32_t UpdateDepth = 0;
    std::int32_t GlowHandle = -1;
    bool UpdateLock = false;
    std::int32_t BorderMaskIndex = -1;
    std::int32_t SectionIndex = -1;
    std::int32_t TextureIndex = -1;
    std::int32_t HotTextureIndex = -1;
    bool FollowParent = false;
    bool BackgroundStale = true;
    bool HalfVisible = true;
    std::unique_ptr<Bitmap32> CacheBitmap;
    std::int32_t ControlKind = 0;
    bool Focused = false;
    bool MouseOver = false;
    std::uint16_t ParentBgFlags = pbNotComputed;
    std::uint16_t SectionTraits = 0;
    Bitmap32* PrintDC = nullptr;

    // The skinned control (nullptr for a provider), the owner, and a provider's form.
    QObject* HostControl() const { return hostControl_; }
    QObject* HostObject() const { return hostObject_; }
    QObject* ProviderForm() const { return providerForm_; }
    bool IsProvider() const { return hostControl_ == nullptr; }

    // --- The skin behind the record.
    QObject* Manager() const; // the serving manager (stored, else the default); may be null
    // Whether a skin announcement whose lParam names its sender comes from the serving manager.
    bool FromOwnManager(std::intptr_t lParam) const { return lParam == reinterpret_cast<std::intptr_t>(Manager()); }
    const TsSkinModel* Model() const;
    const TsCommonIndexes* CommonIndexes() const;
    const TsGeneralData* Section() const; // the resolved section, or nullptr
    const TsMaskData* BorderMask() const;
    const TsMaskData* Texture() const;

    // --- Operations.
    // Feeds a Qt event of the owner (skin commands included); true when the event is consumed.
    bool HandleSkinMessage(QEvent* event);
    // The answer to one skin command; false when the record leaves the command alone (result 0).
    bool HandleSkinCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result);

    bool IsSkinned() const;
    bool IsSkinnedWithActiveSkin() const;
    void ResolveSection();
    void DefaultSectionFor();
    void ApplySkinColors(bool repaint);
    void AfterPropertiesLoaded();
    bool IsActive() const;
    bool NeedsOwnImage() const;
    void InvalidateSkin(bool updateNow);
    void SuspendPainting();
    void ResumePainting(bool repaint);
    bool RefreshUpdateLock(bool reset);
    bool IsUpdating() const;
    void EnsureCacheBitmap();
    int MaxBorderWidth() const;
    void ComputeSectionTraits();
    void ComputeParentBgFlags(bool withChildren);
    // 1 flat colour, 0 own image, 2 cannot tell yet; or the flags of a transparent owner's parent.
    int ParentBgDependency() const;
    bool DependsOnParent() const;
    // The halo around the owner (shown only where the skin and the manager allow it).
    void ShowGlow(bool refresh = false);
    void HideGlow();
    // A halo on show was cut from the pictures of the skin that was: it is made again from the
    // skin now in force.
    void RenewGlow();
    // The painting state of the owner: 1 while active, else 0.
    int PaintState() const { return IsActive() ? 1 : 0; }

protected:
    int hueOffset_ = 0;
    int saturation_ = 0;

private:
    int ChildChangedAnswer();
    void BgChangedIfNeeded(int redraw);
    void SkinRemoved();
    void ClearCache();
    void SwitchToHotLook();
    void SwitchToNormalLook();
    void LookColours(int look, bool onlyWhenInactive);
    bool IsOwnManager(std::intptr_t lParam) const;
    bool HostDestroying() const;
    bool HostHasParent() const;
    QObject* HostParent() const;
    bool IsWindowedHost() const;
    void SendToHost(int command, int argument = 0, std::intptr_t lParam = 0);
    void OnMouseEnter();
    void OnMouseLeave();
    void OnVisibleChanged(bool visible);

    std::string skinSection_;
    QPointer<QObject> skinManager_;
    bool customColor_ = false;
    bool customFont_ = false;
    QPointer<QObject> hostControl_;
    QPointer<QObject> hostObject_;
    QPointer<QObject> providerForm_;
};

// The record a control publishes as its SkinData property.
class TsCtrlSkinData : public TsCommonData {
public:
    using TsCommonData::TsCommonData;
    void SetHUEOffset(int degrees);
    void SetSaturation(int percent);
};

// The model of the default skin manager, or nullptr without one.
const TsSkinModel* DefaultSkinModel();

// The record behind a control that answers SKC_GET_SKIN_DATA, or nullptr.
TsCommonData* SkinDataOf(QObject* control);

// Work a skin manager still owes: a repaint after a load, and the section a skin editor changed
// and waits to see repainted (SKC_UPDATE_SECTION). Process-wide, GUI thread only.
struct TsPendingSkinWork {
    bool RepaintPending = false;
    bool SectionPending = false;
    std::string Section;
};
TsPendingSkinWork& PendingSkinWork();

} // namespace skin

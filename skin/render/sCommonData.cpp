// The skin record: section resolution, the kind tables, the command table and the Qt events
// that stand for the platform's notifications (enter and leave, focus, enabling, showing, moving,
// sizing, children appearing).
#include "skin/render/sCommonData.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <utility>
#include <vector>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sGlow.h"
#include "skin/render/sManagerAccess.h"
#include "skin/render/sParentBackground.h"
#include "skin/data/sSkinCommands.h"

namespace skin {

namespace {

using Range = std::pair<int, int>;

template <class Ranges>
bool InRanges(int kind, const Ranges& ranges) {
    for (const auto& [low, high] : ranges)
        if (kind >= low && kind <= high)
            return true;
    return false;
}

struct KindSection {
    std::vector<Range> Kinds;
    std::string_view Section;
};

const std::vector<KindSection>& KindSections() {
    static const std::vector<KindSection> table = {
        {{{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 85}, {96, 96}, {131, 131}, {140, 140}, {230, 230}},
         "EDIT"},
        {{{11, 18}, {81, 82}}, "COMBOBOX"},
        {{{19, 19}}, "BAR"},
        {{{20, 20}}, "BARTITLE"},
        {{{32, 33}, {50, 50}, {152, 152}}, "CHECKBOX"},
        {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, "PANEL"},
        {{{52, 52}, {58, 58}}, "PANEL_LOW"},
        {{{53, 54}, {60, 60}}, "TOOLBAR"},
        {{{56, 56}}, "DRAGBAR"},
        {{{57, 57}}, "TABSHEET"},
        {{{74, 74}, {226, 226}}, "GROUPBOX"},
        {{{75, 75}}, "SPLITTER"},
        {{{92, 92}, {95, 95}}, "SPEEDBUTTON"},
        {{{93, 94}}, "BUTTON"},
        {{{98, 98}}, "TOOLBUTTON"},
        {{{141, 141}, {143, 143}}, "PAGECONTROL"},
        {{{151, 151}}, "STATUSBAR"},
        {{{161, 161}}, "GAUGE"},
        {{{165, 165}}, "TRACKBAR"},
    };
    return table;
}

// Buttons draw no halo of their own: their fade shows the hover.
bool IsButtonKind(int kind) { return kind >= kKindSpeedButton && kind <= kKindLastButton; }


TColor ShiftedColour(TColor colour, int hue, int saturation) {
    return ShiftSaturationColor(ShiftHueColor(hue, colour), saturation);
}

constexpr std::string_view kUnknownSection = "UNKNOWN";
constexpr std::string_view kPatternKey = "PATTERN";
constexpr std::string_view kHotPatternKey = "HOTPATTERN";
constexpr std::string_view kGlowKey = "GLOW";
constexpr int kGlowAlpha = 255;
constexpr int kWholeTransparency = 100;
constexpr int kTiledTextureFill = 10;
constexpr std::intptr_t kComputeWithChildren = 1;
// What ParentBgDependency answers besides a transparent owner's parent flags.
constexpr int kDependsOwnImage = 0, kDependsFlat = 1, kDependsUnknown = 2;

std::intptr_t AsLParam(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

} // namespace

bool IsNoHotKind(int kind) {
    return InRanges(kind, std::initializer_list<Range>{{19, 19}, {51, 74}, {110, 110}, {141, 161}});
}

bool IsContainerKind(int kind) {
    return InRanges(kind, std::initializer_list<Range>{{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {110, 110},
                                                       {141, 141}, {143, 143},
                           {151, 151}, {161, 161}, {226, 226}});
}

bool IsEditKind(int kind) {
    return InRanges(kind, std::initializer_list<Range>{{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}, {231, 231}});
}

std::string_view DefaultSectionOfKind(int kind) {
    for (const KindSection& row : KindSections())
        if (InRanges(kind, row.Kinds))
            return row.Section;
    return {};
}

TsBackdrop BackdropOf(const TsBackgroundInfo& info) {
    TsBackdrop backdrop;
    backdrop.Bitmap = info.Bitmap;
    backdrop.OffsetX = info.OffsetX;
    backdrop.OffsetY = info.OffsetY;
    if (info.Kind == TsBgKind::Bitmap) {
        backdrop.FillColor = kTransparentKey;
        backdrop.HasBitmap = true;
    } else {
        backdrop.FillColor = ResolveSkinColor(info.Color);
        backdrop.Margins = info.Margins;
    }
    return backdrop;
}

TsPendingSkinWork& PendingSkinWork() {
    static TsPendingSkinWork work;
    return work;
}

const TsSkinModel* DefaultSkinModel() {
    const TsManagerAccess& managers = ManagerAccess();
    return managers.Model(managers.DefaultManager());
}

TsCommonData* SkinDataOf(QObject* control) {
    return reinterpret_cast<TsCommonData*>(framework::SendSkinCommand(control, SKC_GET_SKIN_DATA));
}

// ---------------------------------------------------------------- life

TsCommonData::TsCommonData(QObject* control, TsRecordCache cache) : hostControl_(control), hostObject_(control) {
    if (cache == TsRecordCache::With)
        CacheBitmap = std::make_unique<Bitmap32>();
}

TsCommonData::TsCommonData(QObject* provider, QObject* form, TsRecordCache cache)
    : hostObject_(provider), providerForm_(form) {
    if (cache == TsRecordCache::With)
        CacheBitmap = std::make_unique<Bitmap32>();
}

TsCommonData::~TsCommonData() {
    HideGlow();
    SectionIndex = BorderMaskIndex = TextureIndex = HotTextureIndex = -1;
}

// ---------------------------------------------------------------- the skin behind the record

QObject* TsCommonData::Manager() const {
    if (QObject* own = SkinManager())
        return own;
    return ManagerAccess().DefaultManager();
}

const TsSkinModel* TsCommonData::Model() const { return ManagerAccess().Model(Manager()); }

const TsCommonIndexes* TsCommonData::CommonIndexes() const { return ManagerAccess().CommonIndexes(Manager()); }

const TsGeneralData* TsCommonData::Section() const {
    const TsSkinModel* model = Model();
    return model && IsValidSkinIndex(*model, SectionIndex) ? &model->gd[std::size_t(SectionIndex)] : nullptr;
}

const TsMaskData* TsCommonData::BorderMask() const {
    const TsSkinModel* model = Model();
    return model && IsValidImgIndex(*model, BorderMaskIndex) ? &model->ma[std::size_t(BorderMaskIndex)] : nullptr;
}

const TsMaskData* TsCommonData::Texture() const {
    const TsSkinModel* model = Model();
    return model && IsValidImgIndex(*model, TextureIndex) ? &model->ma[std::size_t(TextureIndex)] : nullptr;
}

bool TsCommonData::IsOwnManager(std::intptr_t lParam) const { return lParam == AsLParam(Manager()); }

bool TsCommonData::HostDestroying() const {
    return hostObject_.isNull() || ControlAccess().IsDestroying(hostObject_) ||
           (hostControl_.isNull() && providerForm_.isNull());
}

QObject* TsCommonData::HostParent() const {
    if (hostControl_)
        return ControlAccess().Parent(hostControl_);
    return providerForm_ ? ControlAccess().Parent(providerForm_) : nullptr;
}

bool TsCommonData::HostHasParent() const { return HostParent() != nullptr; }

bool TsCommonData::IsWindowedHost() const { return hostControl_ && !ControlAccess().IsWindowless(hostControl_); }

void TsCommonData::SendToHost(int command, int argument, std::intptr_t lParam) {
    QObject* target = hostControl_ ? hostControl_.data() : providerForm_.data();
    framework::SendSkinCommand(target, command, argument, lParam);
}

bool TsCommonData::IsSkinned() const {
    if (skinSection_.empty() || HostDestroying())
        return false;
    const TsSkinModel* model = Model();
    return model != nullptr && IsValidSkinIndex(*model, SectionIndex);
}

bool TsCommonData::IsSkinnedWithActiveSkin() const { return IsSkinned() && Model()->SkinData.Active; }

// ---------------------------------------------------------------- sections

void TsCommonData::ResolveSection() {
    BackgroundStale = true;
    QObject* manager = Manager();
    const TsSkinModel* model = Model();
    SectionIndex = model && ManagerAccess().SkinningOn(manager) ? GetSkinIndex(*model, skinSection_) : -1;
    ComputeSectionTraits();
    ParentBgFlags = pbNotComputed;
    if (const TsGeneralData* section = Section()) {
        const TsSkinModel& model = *Model();
        BorderMaskIndex = section->BorderIndex;
        TextureIndex = GetTextureIndex(model, SectionIndex, skinSection_, kPatternKey);
        HotTextureIndex = GetTextureIndex(model, SectionIndex, skinSection_, kHotPatternKey);
        ComputeParentBgFlags(false);
    } else {
        TextureIndex = HotTextureIndex = -1;
    }
}

void TsCommonData::DefaultSectionFor() {
    if (!skinSection_.empty()) {
        ResolveSection();
        return;
    }
    const std::string_view byKind = DefaultSectionOfKind(ControlKind);
    SetSkinSection(byKind.empty() ? ControlAccess().ClassName(hostObject_) : std::string(byKind));
}

void TsCommonData::SetSkinSection(std::string_view section) {
    if (section == skinSection_)
        return;
    skinSection_ = section.empty() ? std::string(kUnknownSection) : UpperCase(section);
    const TsSkinModel* model = Model();
    if (model && !model->gd.empty())
        ResolveSection();
    else
        SectionIndex = -1;
    if (IsProvider()) {
        BackgroundStale = true;
        return;
    }
    if (HostDestroying() || !HostHasParent())
        return;
    if (!UpdateLock)
        SendToHost(Section() ? SKC_SKIN_REFRESH : SKC_SKIN_REMOVED, 0, AsLParam(Manager()));
    HideGlow();
}

void TsCommonData::SetSkinManager(QObject* manager) {
    if (manager == ManagerAccess().DefaultManager())
        manager = nullptr;
    if (manager == SkinManager())
        return;
    skinManager_ = manager;
    QObject* serving = Manager();
    const TsSkinModel* model = Model();
    if (model && !model->gd.empty())
        ResolveSection();
    else
        SectionIndex = -1;
    if (IsProvider() || HostDestroying() || !HostHasParent())
        return;
    SendToHost(IsSkinned() ? SKC_SKIN_REFRESH : SKC_SKIN_REMOVED, 0, AsLParam(serving));
}

void TsCommonData::SetCustomColor(bool custom) {
    customColor_ = custom;
    ApplySkinColors(true);
}

void TsCommonData::SetCustomFont(bool custom) {
    customFont_ = custom;
    ApplySkinColors(true);
}

void TsCtrlSkinData::SetHUEOffset(int degrees) {
    if (degrees == hueOffset_)
        return;
    hueOffset_ = degrees;
    AfterPropertiesLoaded();
    InvalidateSkin(false);
}

void TsCtrlSkinData::SetSaturation(int percent) {
    if (percent == saturation_)
        return;
    saturation_ = percent;
    AfterPropertiesLoaded();
    InvalidateSkin(false);
}

void TsCommonData::ComputeSectionTraits() {
    SectionTraits = 0;
    const TsGeneralData* section = Section();
    if (section == nullptr)
        return;
    if (section->Props[TsLook::Normal].ImagePercent != 0)
        SectionTraits |= stImageFill;
    if (section->Props[TsLook::Normal].GradientPercent != 0 && !section->Props[TsLook::Normal].GradientArray.empty()) {
        switch (section->Props[TsLook::Normal].GradientArray.front().GradientKind) {
        case TsGradientKind::gkVertical: SectionTraits |= stVariesAlongY; break;
        case TsGradientKind::gkHorizontal: SectionTraits |= stVariesAlongX; break;
        case TsGradientKind::gkFourCorner: SectionTraits |= stVariesAlongX | stVariesAlongY; break;
        default: break;
        }
    }
}

// ---------------------------------------------------------------- colours

void TsCommonData::ApplySkinColors(bool repaint) {
    if (!IsSkinned() || !IsEditKind(ControlKind) || !hostControl_)
        return;
    TsControlAccess& access = ControlAccess();
    const TsGeneralData& section = *Section();
    if (!customColor_) {
        const TColor colour = ShiftedColour(section.Props[TsLook::Normal].Color, hueOffset_, saturation_);
        if (access.Color(hostControl_) != colour)
            access.SetColor(hostControl_, colour);
    }
    constexpr int kKindWithOwnFontColour = 10;
    if (!customFont_ && ControlKind != kKindWithOwnFontColour) {
        const TColor colour = ShiftedColour(section.Props[0].FontColor[FontColorEntry::fcText], hueOffset_, saturation_);
        if (access.FontColor(hostControl_) != colour)
            access.SetFontColor(hostControl_, colour);
    }
    if (repaint)
        InvalidateSkin(false);
}

void TsCommonData::LookColours(int look, bool onlyWhenInactive) {
    const TsGeneralData* section = Section();
    if (section == nullptr || !hostControl_ || (onlyWhenInactive && IsActive()))
        return;
    TsControlAccess& access = ControlAccess();
    const TsGenState& state = section->Props[std::size_t(look)];
    if (!customColor_ && access.Color(hostControl_) != state.Color)
        access.SetColor(hostControl_, state.Color);
    if (!customFont_ && access.FontColor(hostControl_) != state.FontColor[FontColorEntry::fcText])
        access.SetFontColor(hostControl_, state.FontColor[FontColorEntry::fcText]);
}

void TsCommonData::SwitchToHotLook() {
    BackgroundStale = true;
    LookColours(1, false);
    ControlAccess().Invalidate(hostControl_, TsRedraw::Later);
}

void TsCommonData::SwitchToNormalLook() {
    LookColours(0, true);
    if (hostControl_ && ControlAccess().IsShowing(hostControl_)) {
        BackgroundStale = true;
        ControlAccess().Invalidate(hostControl_, TsRedraw::Later);
    }
}

void TsCommonData::AfterPropertiesLoaded() {
    DefaultSectionFor();
    if (!IsSkinned() || !hostControl_ || !HostHasParent())
        return;
    if (IsWindowedHost())
        framework::SendSkinCommand(ControlAccess().TopLevel(hostControl_), SKC_CONTROL_SKINNED, 0,
                                   AsLParam(hostControl_.data()));
    ApplySkinColors(false);
}

// ---------------------------------------------------------------- state

bool TsCommonData::IsActive() const {
    TsControlAccess& access = ControlAccess();
    if (!hostControl_ || HostDestroying() || !access.IsEnabled(hostControl_))
        return false;
    if (Focused)
        return true;
    if (IsWindowedHost() && access.HasFocus(hostControl_))
        return true;
    return MouseOver && !IsNoHotKind(ControlKind) && !access.IsBlocked(hostControl_);
}

bool TsCommonData::NeedsOwnImage() const {
    return !((ParentBgFlags & pbFlatColour) && (IsContainerKind(ControlKind) || !IsActive()));
}

void TsCommonData::InvalidateSkin(bool updateNow) {
    TsControlAccess& access = ControlAccess();
    if (IsProvider()) {
        BackgroundStale = true;
        if (providerForm_)
            access.Invalidate(providerForm_, TsRedraw::Later);
        return;
    }
    if (HostDestroying())
        return;
    BackgroundStale = true;
    if (!HostHasParent())
        return;
    access.Invalidate(hostControl_, updateNow && IsWindowedHost() ? TsRedraw::Now : TsRedraw::Later);
}

void TsCommonData::SuspendPainting() {
    ++UpdateDepth;
    UpdateLock = true;
    ParentBgFlags |= pbSuspended;
    SendToHost(SKC_PAINT_SUSPENDED);
}

void TsCommonData::ResumePainting(bool repaint) {
    // A resumption without a suspension leaves the depth at 0 rather than owing one.
    UpdateDepth = std::max(0, UpdateDepth - 1);
    UpdateLock = false;
    ParentBgFlags &= std::uint16_t(~pbSuspended);
    if (UpdateDepth > 0)
        return;
    SendToHost(SKC_PAINT_RESUMED);
    if (repaint)
        InvalidateSkin(false);
}

bool TsCommonData::RefreshUpdateLock(bool reset) {
    if (reset)
        UpdateLock = false;
    if (IsUpdating()) {
        UpdateLock = true;
        return true;
    }
    return false;
}

bool TsCommonData::IsUpdating() const {
    if (Manager() == nullptr)
        return false;
    if (!NeedsOwnImage() || HostDestroying())
        return UpdateLock;
    if (UpdateLock)
        return true;
    QObject* parent = HostParent();
    return parent != nullptr && framework::SendSkinCommand(parent, SKC_IS_PREPARING) != 0;
}

void TsCommonData::EnsureCacheBitmap() {
    if (!CacheBitmap)
        CacheBitmap = std::make_unique<Bitmap32>();
    QObject* host = hostControl_ ? hostControl_.data() : providerForm_.data();
    const TRect bounds = ControlAccess().Bounds(host);
    const int width = WidthOf(bounds, Clamp::Yes);
    const int height = HeightOf(bounds, Clamp::Yes);
    if (CacheBitmap->Width() != width || CacheBitmap->Height() != height)
        CacheBitmap->SetSize(width, height);
}

int TsCommonData::MaxBorderWidth() const {
    const TsMaskData* mask = BorderMask();
    if (mask == nullptr || (mask->FillFlags & kFillHiddenInNormal))
        return 0;
    return std::max({0, int(mask->BorderLeft), int(mask->BorderTop), int(mask->BorderRight), int(mask->BorderBottom)});
}

// ---------------------------------------------------------------- dependence on the parent

void TsCommonData::ComputeParentBgFlags(bool withChildren) {
    TsControlAccess& access = ControlAccess();
    ParentBgFlags &= std::uint16_t(~pbFlatColour);
    if (hostControl_ && (access.IsScrollingWindow(hostControl_) || ControlKind == kKindPageControl ||
                         ControlKind == kKindTabControl)) {
        const int dependency = ParentBgDependency();
        if (dependency == kDependsUnknown)
            return;
        ParentBgFlags = std::uint16_t((ParentBgFlags & ~(pbFlatColour | pbNotComputed)) | (dependency & pbFlatColour));
    }
    if (withChildren && IsWindowedHost())
        for (QObject* child : access.Children(hostControl_))
            if (access.IsControl(child))
                framework::SendSkinCommand(child, SKC_GET_PARENT_BG_FLAGS, 0, kComputeWithChildren);
    if (IsProvider()) {
        const int dependency = ParentBgDependency();
        if (dependency == kDependsUnknown)
            return;
        if (dependency & pbFlatColour)
            ParentBgFlags = std::uint16_t((ParentBgFlags | pbFlatColour) & ~pbNotComputed);
        else
            ParentBgFlags = 0;
    }
}

int TsCommonData::ParentBgDependency() const {
    const TsGeneralData* section = Section();
    if (Manager() == nullptr || section == nullptr)
        return kDependsFlat;
    const TsMaskData* border = BorderMask();
    if (border && (border->FillFlags & kFillPaintCentre))
        return kDependsOwnImage;
    if (section->Props[TsLook::Normal].Transparency == kWholeTransparency) {
        const TsMaskData* texture = Texture();
        if (texture && texture->FillFlags == kTiledTextureFill)
            return kDependsOwnImage;
        QObject* parent = hostControl_ ? HostParent() : nullptr;
        if (parent == nullptr)
            return kDependsOwnImage;
        if (framework::SendSkinCommand(parent, SKC_IS_SKINNED) == 1)
            return int(framework::SendSkinCommand(parent, SKC_GET_PARENT_BG_FLAGS));
        return kDependsFlat;
    }
    if (section->Props[TsLook::Normal].Transparency != 0 || section->Props[TsLook::Normal].ImagePercent != 0 || section->Props[TsLook::Normal].GradientPercent != 0)
        return kDependsOwnImage;
    const bool cornerImages = section->ImgTopLeft >= 0 || section->ImgTopRight >= 0 || section->ImgBottomLeft >= 0 ||
                              section->ImgBottomRight >= 0;
    return cornerImages ? kDependsOwnImage : kDependsFlat;
}

bool TsCommonData::DependsOnParent() const {
    if (FollowParent || !IsSkinned() || ControlKind == kKindTabSheet || !hostControl_ ||
        !ControlAccess().IsEnabled(hostControl_))
        return true;
    if (Section()->Props[TsLook::Normal].Transparency <= 0)
        return false;
    QObject* parent = HostParent();
    return parent != nullptr && framework::SendSkinCommand(parent, SKC_CHILD_CHANGED) != 0;
}

int TsCommonData::ChildChangedAnswer() {
    const TsGeneralData* section = Section();
    if (section->Props[TsLook::Normal].Transparency > 0 && HostHasParent()) {
        constexpr std::intptr_t kAnswerBits = 0x7F;
        return int(framework::SendSkinCommand(HostParent(), SKC_CHILD_CHANGED) & kAnswerBits);
    }
    if (section->Props[TsLook::Normal].GradientPercent > 0 || section->Props[TsLook::Normal].ImagePercent > 0 || DependsOnParent())
        return 1;
    const TsMaskData* border = BorderMask();
    return border && (border->FillFlags & kFillPaintCentre) ? 1 : 0;
}

void TsCommonData::BgChangedIfNeeded(int redraw) {
    const bool depends = DependsOnParent();
    BackgroundStale = BackgroundStale || depends;
    TsControlAccess& access = ControlAccess();
    if (IsWindowedHost() && redraw == 1)
        access.Invalidate(hostControl_, TsRedraw::Later);
    if (!depends || !hostControl_)
        return;
    for (QObject* child : access.Children(hostControl_))
        if (access.IsControl(child) && !access.IsDestroying(child))
            framework::SendSkinCommand(child, SKC_BG_CHANGED_IF_NEEDED, 0);
}

// ---------------------------------------------------------------- caches

void TsCommonData::ClearCache() {
    if (!CacheBitmap)
        return;
    TsControlAccess& access = ControlAccess();
    if (IsWindowedHost())
        for (QObject* child : access.Children(hostControl_))
            if (access.IsControl(child) && !access.IsWindowless(child))
                framework::SendSkinCommand(child, SKC_CLEAR_CACHE);
    *CacheBitmap = Bitmap32{};
    BackgroundStale = true;
}

void TsCommonData::SkinRemoved() {
    SectionIndex = BorderMaskIndex = TextureIndex = HotTextureIndex = -1;
    UpdateLock = true;
    if (CacheBitmap)
        *CacheBitmap = Bitmap32{};
    if (!hostControl_)
        return;
    TsControlAccess& access = ControlAccess();
    if (IsEditKind(ControlKind)) {
        if (!customColor_)
            access.SetColor(hostControl_, clWindow);
        if (!customFont_)
            access.SetFontColor(hostControl_, clWindowText);
        access.Invalidate(hostControl_, TsRedraw::Later);
    } else if (IsWindowedHost()) {
        for (QObject* child : access.Children(hostControl_))
            if (access.IsLabel(child))
                access.SetFontColor(child, clWindowText);
    }
}

// ---------------------------------------------------------------- halos

void TsCommonData::ShowGlow(bool refresh) {
    const TsGeneralData* section = Section();
    if (!ManagerAccess().AllowsGlowing(Manager()) || section == nullptr || section->GlowCount < 1 || !hostControl_)
        return;
    if (!MouseOver || (QGuiApplication::mouseButtons() & Qt::LeftButton) || (GlowHandle >= 0 && refresh)) {
        HideGlow();
        return;
    }
    if (GlowEffectShown(GlowHandle))
        return;
    TsControlAccess& access = ControlAccess();
    const TPoint origin = access.OriginInTopLevel(hostControl_);
    const TRect bounds = access.Bounds(hostControl_);
    const TRect control = RectAt(origin.X, origin.Y, WidthOf(bounds), HeightOf(bounds));
    GlowHandle = ShowGlowEffect(control, access.VisiblePart(hostControl_), skinSection_, *Model(),
                                access.TopLevel(hostControl_), kGlowAlpha, section->GlowMargin, kGlowKey);
}

void TsCommonData::HideGlow() { HideGlowEffect(GlowHandle); }

void TsCommonData::RenewGlow() {
    if (GlowHandle < 0)
        return;
    HideGlow();
    ShowGlow();
}

// ---------------------------------------------------------------- events

void TsCommonData::OnMouseEnter() {
    if (!IsSkinned() || !hostControl_)
        return;
    TsControlAccess& access = ControlAccess();
    // A window under a modal one counts as disabled: it shows no hover.
    if (access.IsBlocked(hostControl_))
        return;
    if (!IsNoHotKind(ControlKind))
        MouseOver = true;
    if (!IsWindowedHost())
        return;
    ManagerAccess().SetHotWindow(hostControl_);
    if (!IsContainerKind(ControlKind) && !IsButtonKind(ControlKind))
        ShowGlow();
    if (IsEditKind(ControlKind) && Section()->States >= 2)
        SwitchToHotLook();
}

void TsCommonData::OnMouseLeave() {
    if (!IsSkinned())
        return;
    if (!IsNoHotKind(ControlKind))
        MouseOver = false;
    if (!IsContainerKind(ControlKind) && !IsButtonKind(ControlKind))
        HideGlow();
    if (IsEditKind(ControlKind))
        SwitchToNormalLook();
}

void TsCommonData::OnVisibleChanged(bool visible) {
    if (!CacheBitmap || HostDestroying())
        return;
    if (visible) {
        UpdateLock = false;
    } else {
        *CacheBitmap = Bitmap32{};
        TsControlAccess& access = ControlAccess();
        if (hostControl_)
            for (QObject* child : access.Children(hostControl_))
                if (access.IsControl(child))
                    framework::SendSkinCommand(child, SKC_CLEAR_CACHE);
    }
    BackgroundStale = true;
}

bool TsCommonData::HandleSkinMessage(QEvent* event) {
    if (event->type() == framework::kSkinCommandEventType) {
        auto* command = static_cast<framework::SkinCommandEvent*>(event);
        std::intptr_t result = 0;
        if (!HandleSkinCommand(command->Command(), command->Argument(), command->LParam(), result))
            return false;
        command->SetResult(result);
        return true;
    }
    TsControlAccess& access = ControlAccess();
    switch (event->type()) {
    case QEvent::Move:
        if (DependsOnParent()) {
            BackgroundStale = true;
            SendToHost(SKC_BG_CHANGED_IF_NEEDED, 1);
        }
        HideGlow();
        break;
    case QEvent::Resize:
        if (IsSkinned()) {
            BackgroundStale = true;
            if (Section()->Props[TsLook::Normal].GradientPercent > 0 && hostControl_)
                for (QObject* child : access.Children(hostControl_))
                    if (access.IsControl(child) && !access.IsDestroying(child))
                        framework::SendSkinCommand(child, SKC_BG_CHANGED_IF_NEEDED, 1);
            HideGlow();
        }
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (IsWindowedHost() && access.CanFocus(hostControl_)) {
            const bool in = event->type() == QEvent::FocusIn;
            BackgroundStale = true;
            Focused = in;
            if (IsEditKind(ControlKind) && IsSkinned() && Section()->States >= 2) {
                if (in)
                    SwitchToHotLook();
                else
                    SwitchToNormalLook();
            }
        }
        break;
    case QEvent::ApplicationFontChange:
    case QEvent::EnabledChange:
        MouseOver = false;
        Focused = false;
        if (hostControl_ && !access.IsEnabled(hostControl_))
            HideGlow();
        break;
    case QEvent::WindowBlocked:
        MouseOver = false;
        HideGlow();
        break;
    case QEvent::ChildPolished:
        if (IsWindowedHost()) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (access.IsControl(child) && !access.IsWindowless(child))
                framework::SendSkinCommand(access.TopLevel(hostControl_), SKC_CONTROL_SKINNED, 0,
                                           AsLParam(hostControl_.data()));
        }
        break;
    case QEvent::Show:
        OnVisibleChanged(true);
        break;
    case QEvent::Hide:
        OnVisibleChanged(false);
        break;
    case QEvent::ShowToParent:
        if (hostControl_ && access.IsVisible(hostControl_))
            AfterPropertiesLoaded();
        break;
    case QEvent::Enter:
        OnMouseEnter();
        break;
    case QEvent::Leave:
        OnMouseLeave();
        break;
    default:
        break;
    }
    return false;
}

bool TsCommonData::HandleSkinCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result) {
    result = 0;
    switch (command) {
    case SKC_SKIN_LOADED:
        if (IsOwnManager(lParam)) {
            ResolveSection();
            ComputeParentBgFlags(false);
            PendingSkinWork().RepaintPending = false;
            RenewGlow();
        }
        return true;
    case SKC_SKIN_REMOVED:
        if (IsOwnManager(lParam))
            SkinRemoved();
        return true;
    case SKC_SKIN_REFRESH:
        if (IsOwnManager(lParam)) {
            BackgroundStale = true;
            UpdateLock = false;
            ApplySkinColors(true);
            ComputeParentBgFlags(false);
            RenewGlow();
        }
        return true;
    case SKC_PARENT_UPDATED:
        if (UpdateLock && IsWindowedHost() && !RefreshUpdateLock(true)) {
            TsControlAccess& access = ControlAccess();
            access.Invalidate(hostControl_, TsRedraw::Now);
            for (QObject* child : access.Children(hostControl_))
                if (access.IsControl(child))
                    framework::SendSkinCommand(child, SKC_PARENT_UPDATED);
        }
        return true;
    case SKC_IS_SKINNED:
        result = 1;
        return true;
    case SKC_SET_UPDATING:
        UpdateLock = argument == 1;
        return true;
    case SKC_SET_TRANSPARENT_LOCK:
        FollowParent = argument == 1;
        return true;
    case SKC_IS_PREPARING:
        result = BackgroundStale || UpdateLock ? 1 : 0;
        return true;
    case SKC_GET_HALF_VISIBLE:
        result = HalfVisible ? 1 : 0;
        return true;
    case SKC_UPDATE_SECTION: {
        TsPendingSkinWork& pending = PendingSkinWork();
        if (pending.SectionPending && UpperCase(skinSection_) == pending.Section) {
            pending.SectionPending = false;
            InvalidateSkin(false);
        }
        return true;
    }
    case SKC_SET_SECTION:
        if (lParam != 0) {
            SetSkinSection(reinterpret_cast<const TvlSectionInfo*>(lParam)->SectionName);
            result = 1;
        }
        return true;
    case SKC_SET_BG_CHANGED:
        BackgroundStale = true;
        return true;
    case SKC_CHILD_CHANGED:
        if (Section() == nullptr)
            return false;
        result = ChildChangedAnswer();
        return true;
    case SKC_BG_CHANGED_IF_NEEDED:
        BgChangedIfNeeded(argument);
        return true;
    case SKC_GET_CONTROL_COLOR:
        if (!hostControl_)
            return false;
        result = std::intptr_t(ControlColorAnswer(*this));
        return true;
    case SKC_SET_HALF_VISIBLE:
        HalfVisible = true;
        return true;
    case SKC_CLEAR_BG_CHANGED:
        BackgroundStale = false;
        return true;
    case SKC_GET_SECTION_INDEX:
        if (lParam != 0)
            *reinterpret_cast<std::int32_t*>(lParam) = SectionIndex;
        return true;
    case SKC_CLEAR_CACHE:
        ClearCache();
        return true;
    case SKC_GET_BACKGROUND:
        if (lParam != 0)
            FillBackgroundInfo(*this, *reinterpret_cast<TsBackgroundInfo*>(lParam), Focused || MouseOver ? 1 : 0);
        return true;
    case SKC_GET_PARENT_BG_FLAGS:
        if (lParam == kComputeWithChildren)
            ComputeParentBgFlags(true);
        else if (ParentBgFlags == pbNotComputed)
            ComputeParentBgFlags(false);
        result = ParentBgFlags;
        return true;
    case SKC_GET_SKIN_DATA:
        result = AsLParam(this);
        return true;
    case SKC_PRINT_DC:
        PrintDC = reinterpret_cast<Bitmap32*>(lParam);
        if (PrintDC)
            ParentBgFlags |= pbPrinting;
        else
            ParentBgFlags &= std::uint16_t(~pbPrinting);
        return true;
    case SKC_GET_APPLICATION:
        result = AsLParam(QCoreApplication::instance());
        return true;
    default:
        return false;
    }
}

} // namespace skin

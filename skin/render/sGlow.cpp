// Halo images, their placement, and the list of shown halos.
#include "skin/render/sGlow.h"

#include <string>
#include <vector>

#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sMaskPaint.h"

namespace skin {

namespace {

TvlGlowCarrierFactory& CarrierFactory() {
    static TvlGlowCarrierFactory factory;
    return factory;
}

std::vector<std::unique_ptr<TvlGlowEffect>>& Effects() {
    static std::vector<std::unique_ptr<TvlGlowEffect>> effects;
    return effects;
}

// The halo mask's borders as the skin reports them (a side left 0 takes the whole cell).
BorderWidths ReportedBorders(const TsMaskData& mask) {
    return {MaskBorderWidth(mask, MaskSide::Left), MaskBorderWidth(mask, MaskSide::Top),
            MaskBorderWidth(mask, MaskSide::Right), MaskBorderWidth(mask, MaskSide::Bottom)};
}

bool& DestroyingFlag() {
    static bool destroying = false;
    return destroying;
}

// Frees an effect's window with the flag for the window hook raised.
void FreeEffect(std::unique_ptr<TvlGlowEffect>& effect, bool freeWindow) {
    if (!effect)
        return;
    DestroyingFlag() = true;
    if (!freeWindow && effect->GlowWindow)
        effect->GlowWindow->LeaveToOwner();
    effect.reset();
    DestroyingFlag() = false;
}

} // namespace

void SetGlowCarrierFactory(TvlGlowCarrierFactory factory) { CarrierFactory() = std::move(factory); }

TvlGlowPlacement PlaceGlow(const TRect& control, const TRect& visible, const BorderWidths& borders, int inset) {
    TvlGlowPlacement place;
    const int width = WidthOf(control);
    const int height = HeightOf(control);
    place.FullWidth = width + borders.Left + borders.Right - 2 * inset;
    place.FullHeight = height + borders.Top + borders.Bottom - 2 * inset;
    const int visibleWidth = WidthOf(visible);
    const int visibleHeight = HeightOf(visible);
    if (visibleWidth != width || visibleHeight != height) {
        // A partly hidden control: the halo is cut at the hidden sides.
        place.CropLeft = visible.Left != 0 ? borders.Left + visible.Left - inset : 0;
        place.CropTop = visible.Top != 0 ? borders.Top + visible.Top - inset : 0;
        if (visible.Right != width)
            place.CropRight = place.CropLeft != 0 ? place.FullWidth - place.CropLeft - visibleWidth
                                                  : width + borders.Right - visibleWidth - inset;
        if (visible.Bottom != height)
            place.CropBottom = place.CropTop != 0 ? place.FullHeight - place.CropTop - visibleHeight
                                                  : height + borders.Bottom - visibleHeight - inset;
    }
    place.Width = place.FullWidth - place.CropLeft - place.CropRight;
    place.Height = place.FullHeight - place.CropTop - place.CropBottom;
    place.X = control.Left + inset + place.CropLeft - borders.Left;
    place.Y = control.Top + inset + place.CropTop - borders.Top;
    return place;
}

std::optional<TvlGlowImage> BuildGlowImage(const TsSkinModel& skin, std::string_view section, const TRect& control,
                                           const TRect& visible, int inset, std::string_view maskKey) {
    const int maskIndex = FindMask(skin, section, std::string(maskKey) + "0");
    if (!IsValidImgIndex(skin, maskIndex))
        return std::nullopt;
    // Nothing of the control shows: no halo either.
    if (RectIsEmpty(visible))
        return std::nullopt;
    const TsMaskData& mask = skin.ma[std::size_t(maskIndex)];
    TvlGlowImage glow;
    glow.Place = PlaceGlow(control, visible, ReportedBorders(mask), inset);
    const TvlGlowPlacement& place = glow.Place;
    if (place.Empty() || place.FullWidth <= 0 || place.FullHeight <= 0 ||
        !Bitmap32::SizeIsAllowed(place.FullWidth, place.FullHeight))
        return std::nullopt;
    Bitmap32 full(place.FullWidth, place.FullHeight);
    if (full.Empty())
        return std::nullopt;
    PaintSkinMask(full, RectOf(full), TsBackdrop{}, UseBackdrop::No, 0, mask, MaskPicture(skin, mask));
    if (place.Width == place.FullWidth && place.Height == place.FullHeight) {
        glow.Image = std::move(full);
    } else {
        glow.Image.SetSize(place.Width, place.Height);
        CopyBlock(glow.Image, 0, 0, full, RectAt(place.CropLeft, place.CropTop, place.Width, place.Height));
    }
    return glow;
}

int ShowGlowEffect(const TRect& control, const TRect& visible, std::string_view section, const TsSkinModel& skin,
                   QObject* ownerWindow, int /*alpha*/, int inset, std::string_view maskKey) {
    if (!CarrierFactory() || ownerWindow == nullptr)
        return -1;
    std::optional<TvlGlowImage> glow = BuildGlowImage(skin, section, control, visible, inset, maskKey);
    if (!glow)
        return -1;
    auto effect = std::make_unique<TvlGlowEffect>();
    effect->Inset = inset;
    effect->GlowMaskIndex = FindMask(skin, section, std::string(maskKey) + "0");
    effect->Place = RectAt(glow->Place.X, glow->Place.Y, glow->Place.Width, glow->Place.Height);
    effect->GlowWindow = CarrierFactory()(ownerWindow, glow->Image, {glow->Place.X, glow->Place.Y});
    if (!effect->GlowWindow)
        return -1;
    Effects().push_back(std::move(effect));
    return int(Effects().size()) - 1;
}

void HideGlowEffect(int& handle) {
    auto& effects = Effects();
    if (handle < 0 || handle >= int(effects.size()))
        return;
    FreeEffect(effects[std::size_t(handle)], true);
    handle = -1;
}

void HideAllGlowEffects(bool freeWindows) {
    // The slots stay (empty): a handle still held by a control never names a later halo.
    for (auto& effect : Effects())
        FreeEffect(effect, freeWindows);
}

bool GlowEffectShown(int handle) { return GlowEffectAt(handle) != nullptr; }

const TvlGlowEffect* GlowEffectAt(int handle) {
    const auto& effects = Effects();
    return handle >= 0 && handle < int(effects.size()) ? effects[std::size_t(handle)].get() : nullptr;
}

int GlowEffectSlots() { return int(Effects().size()); }

bool DestroyingGlowWindow() { return DestroyingFlag(); }

} // namespace skin

// Glow halos: the soft image cut from a skin mask that appears around a control under the
// pointer. This builds the halo image, works out its size, cropping and place, and keeps the
// process-wide list of shown halos; what carries the image on screen (a click-through overlay in
// the control's window) is registered by the widget layer.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "skin/data/sSkinOptions.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/pixels/BlendOps.h"

namespace skin {

// Shows one halo image at a place of its owner window; hidden and freed when destroyed.
class TvlGlowCarrier {
public:
    virtual ~TvlGlowCarrier() = default;
    // At shutdown: the window stays with its owner, which frees it.
    virtual void LeaveToOwner() {}
};
// Makes the carrier of image at position (in ownerWindow's coordinates); nullptr when it cannot.
using TvlGlowCarrierFactory =
    std::function<std::unique_ptr<TvlGlowCarrier>(QObject* ownerWindow, const Bitmap32& image, TPoint position)>;
// Without a factory no halo is ever shown (ShowGlowEffect gives -1).
void SetGlowCarrierFactory(TvlGlowCarrierFactory factory);

// Size, cropping and place of a halo around a control. control is the control's rect in its
// owner window, visible the part of it that can be seen (in the control's coordinates), borders
// the halo mask's reported border widths, inset the section's GLOWMARGIN.
struct TvlGlowPlacement {
    int FullWidth = 0;  // before cropping
    int FullHeight = 0;
    int CropLeft = 0;
    int CropTop = 0;
    int CropRight = 0;
    int CropBottom = 0;
    int Width = 0;      // after cropping
    int Height = 0;
    int X = 0;          // in the owner window
    int Y = 0;
    bool Empty() const { return Width <= 0 || Height <= 0; }
};
TvlGlowPlacement PlaceGlow(const TRect& control, const TRect& visible, const BorderWidths& borders, int inset);

// The halo image (state 0 of the mask section / key + "0", painted over a transparent bitmap and
// cut to the visible part) and its placement; nothing when the mask is missing or nothing shows.
struct TvlGlowImage {
    Bitmap32 Image;
    TvlGlowPlacement Place;
};
std::optional<TvlGlowImage> BuildGlowImage(const TsSkinModel& skin, std::string_view section, const TRect& control,
                                           const TRect& visible, int inset, std::string_view maskKey = "GLOW");

// One shown halo.
struct TvlGlowEffect {
    std::unique_ptr<TvlGlowCarrier> GlowWindow;
    int Inset = 0;
    int GlowMaskIndex = -1;
    TRect Place; // in the owner window
};

// Builds and shows a halo; returns its handle (its place in the list), or -1. alpha is accepted
// but the halo always shows with its own per-pixel alpha.
int ShowGlowEffect(const TRect& control, const TRect& visible, std::string_view section, const TsSkinModel& skin,
                   QObject* ownerWindow, int alpha, int inset, std::string_view maskKey = "GLOW");
// Hides and frees the halo and sets handle to -1; nothing for -1 or a handle outside the list.
void HideGlowEffect(int& handle);
// Frees every halo (with freeWindows also their windows at once) and empties the list.
void HideAllGlowEffects(bool freeWindows);
bool GlowEffectShown(int handle);
const TvlGlowEffect* GlowEffectAt(int handle);
// Slots in the list, hidden ones included (a hidden halo's slot is never reused).
int GlowEffectSlots();
// True while a halo window is being destroyed (the window hook ignores those destructions).
bool DestroyingGlowWindow();

} // namespace skin

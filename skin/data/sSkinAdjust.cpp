// Hue and saturation shifts of a whole skin, the extended-border pictures, and the tracking of
// the hot window and the hot speed button.
#include "skin/data/sSkinAdjust.h"

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/PixelOps.h"

#include <QVariant>

#include <algorithm>

namespace skin {
namespace {

// Title-button pictures that "BIKEEPHUE" 1 or more keeps; the close buttons come first.
using enum TitleButtonIndex;
constexpr std::array<TitleButtonIndex, 3> kKeptCloseButtons = {tbBigClose, tbBigCloseAlone, tbSmallClose};
constexpr std::array<TitleButtonIndex, 7> kKeptOtherButtons = {tbBigMax,   tbBigMin,   tbBigNorm, tbBigHelp,
                                                               tbSmallMax, tbSmallMin, tbSmallNorm};
constexpr double kFirstVersionWithoutWhiteKey = 7.6;

struct DefaultShadowPictures {
    Bitmap32 Active;
    Bitmap32 Inactive;
};

DefaultShadowPictures& DefaultShadows() {
    static DefaultShadowPictures pictures;
    return pictures;
}

// System colours and "none" (-1) carry the sign bit and are never shifted.
template <class Shift>
void ShiftColour(TColor& colour, Shift shift) {
    if ((ColorBits(colour) & 0x80000000u) == 0)
        colour = shift(colour);
}

template <class Shift>
void ShiftSectionColours(TsGeneralData& data, Shift shift) {
    for (TsGenState& state : data.Props) {
        ShiftColour(state.Color, shift);
        ShiftColour(state.GlowColor, shift);
        for (TColor& colour : state.FontColor)
            ShiftColour(colour, shift);
        for (TsGradientSegment& segment : state.GradientArray) {
            ShiftColour(segment.Color1, shift);
            ShiftColour(segment.Color2, shift);
        }
    }
}

template <class Shift>
void ShiftSkinColours(TsSkinModel& model, Shift shift) {
    for (TsGeneralData& data : model.gd)
        ShiftSectionColours(data, shift);
    ShiftColour(model.SkinData.Shadow1Color, shift);
    for (int i = 0; i < kPaletteSize; ++i)
        if (kShiftedPaletteEntries & (1u << i))
            ShiftColour(model.Palette[i], shift);
}

void CopyArea(const Bitmap32& from, Bitmap32& to, const TRect& area) {
    const int x0 = std::max(0, area.Left), y0 = std::max(0, area.Top);
    const int x1 = std::min({area.Right, from.Width(), to.Width()});
    const int y1 = std::min({area.Bottom, from.Height(), to.Height()});
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            to.At(x, y) = from.At(x, y);
}

// Copies a cell of a picture into a new bitmap; the cell is cut to the picture, so that numbers
// in a skin never make a bitmap larger than the picture they come from.
Bitmap32 CopyCell(const Bitmap32& picture, int left, int top, int width, int height) {
    width = std::min(width, picture.Width() - std::max(0, left));
    height = std::min(height, picture.Height() - std::max(0, top));
    Bitmap32 cell(std::max(0, width), std::max(0, height));
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x)
            if (picture.Contains(left + x, top + y))
                cell.At(x, y) = picture.At(left + x, top + y);
    return cell;
}

} // namespace

void ApplyHueShift(TsSkinModel& model, int degrees) {
    if (degrees == 0)
        return;
    const int keepHue = model.SkinData.BIKeepHue;
    std::vector<int> kept; // masks with own pictures that stay unshifted
    if (keepHue < 1) {
        ShiftHueOfBitmap(model.MasterBitmap, degrees, kKeyPixel);
    } else {
        const Bitmap32 original = model.MasterBitmap;
        ShiftHueOfBitmap(model.MasterBitmap, degrees, kKeyPixel);
        std::vector<TitleButtonIndex> buttons(kKeptCloseButtons.begin(), kKeptCloseButtons.end());
        if (keepHue == 1)
            buttons.insert(buttons.end(), kKeptOtherButtons.begin(), kKeptOtherButtons.end());
        for (TitleButtonIndex button : buttons) {
            const std::string_view name = TitleButtonKey(button);
            const int index = FindMask(model, kGlobalInfo, name);
            if (index >= 0) {
                if (model.ma[index].Image)
                    kept.push_back(index);
                else
                    CopyArea(original, model.MasterBitmap, model.ma[index].Area);
            }
            const int glow = FindMask(model, kGlobalInfo, std::string(name) + std::string(kGlowKey) + "0");
            if (glow >= 0 && model.ma[glow].Image)
                kept.push_back(glow);
        }
    }
    for (int i = 0; i < int(model.ma.size()); ++i) {
        TsMaskData& mask = model.ma[i];
        if (!mask.Image || std::find(kept.begin(), kept.end(), i) != kept.end())
            continue;
        // Pictures may be shared with a copy of the model; the shift works on its own copy.
        mask.Image = std::make_shared<Bitmap32>(*mask.Image);
        ShiftHueOfBitmap(*mask.Image, degrees, kKeyPixel);
    }
    ShiftSkinColours(model, [degrees](TColor c) { return ShiftHueColor(degrees, c); });
}

void ApplySaturationShift(TsSkinModel& model, int percent) {
    if (percent == 0)
        return;
    ShiftSaturationOfBitmap(model.MasterBitmap, percent, kKeyPixel);
    for (TsMaskData& mask : model.ma) {
        if (!mask.Image)
            continue;
        mask.Image = std::make_shared<Bitmap32>(*mask.Image);
        ShiftSaturationOfBitmap(*mask.Image, percent, kKeyPixel);
    }
    ShiftSkinColours(model, [percent](TColor c) { return ShiftSaturationColor(c, percent); });
}

void TsSkinManager::ApplyAdjustments(TsSkinModel& model) const {
    ApplyHueShift(model, hueOffset_);
    ApplySaturationShift(model, EffectiveSaturation(saturation_));
}

void TsSkinManager::SetDefaultShadowPictures(Bitmap32 active, Bitmap32 inactive) {
    DefaultShadows() = {std::move(active), std::move(inactive)};
}

void TsSkinManager::PrepareExtendedBorderPictures() {
    if (!active_ || !ExtendedBordersInEffect()) {
        extMargins_ = {0, 0, 0, 0};
        return;
    }
    extActive_ = Bitmap32{};
    extInactive_ = Bitmap32{};
    const int exBorder = commonIndexes_.ExBorder;
    if (!IsValidImgIndex(exBorder)) {
        const DefaultShadowPictures& shadows = DefaultShadows();
        if (shadows.Active.Empty() || shadows.Inactive.Empty()) {
            // Nothing to draw around the window: no margin, no shadow.
            extMargins_ = {0, 0, 0, 0};
            return;
        }
        extActive_ = shadows.Active;
        extInactive_ = shadows.Inactive;
        extMargins_ = {kShadowMargin, kShadowMargin, kShadowMargin, kShadowMargin};
    } else {
        const TsMaskData& mask = model_.ma[exBorder];
        const TsSkinData& data = model_.SkinData;
        if (data.BorderMode != 0)
            extMargins_ = {data.FormOffset, data.FormOffset, data.FormOffset, data.FormOffset};
        else
            extMargins_ = {mask.BorderLeft - data.FormOffset, mask.BorderTop - data.FormOffset,
                           mask.BorderRight - data.FormOffset, mask.BorderBottom - data.FormOffset};
        const Bitmap32& picture = mask.Image ? *mask.Image : model_.MasterBitmap;
        const int cw = CellWidth(mask), ch = CellHeight(mask);
        extActive_ = CopyCell(picture, mask.Area.Left, mask.Area.Top, cw, ch);
        extInactive_ =
            mask.CellCount <= 1 ? extActive_ : CopyCell(picture, mask.Area.Left + cw, mask.Area.Top, cw, ch);
    }
    if (model_.SkinData.Version < kFirstVersionWithoutWhiteKey) {
        constexpr Pixel kOldTransparentWhite = 0x00FFFFFF;
        for (Bitmap32* picture : {&extActive_, &extInactive_})
            for (int y = 0; y < picture->Height(); ++y)
                for (Pixel& pixel : picture->Row(y))
                    if (pixel == kOldTransparentWhite)
                        pixel = 0;
    }
}

void TsSkinManager::SetHotWindow(QObject* window) {
    if (window == hotWindow_)
        return;
    if (hotWindow_ && hotSpeedButton_) {
        SetHotSpeedButton(nullptr);
        if (hotSpeedButton_)
            return;
    }
    QPointer<QObject> previous = hotWindow_;
    hotWindow_ = window;
    const auto lParam = reinterpret_cast<std::intptr_t>(this);
    if (previous)
        framework::SendSkinCommand(previous, int(TsManagerCommand::MouseLeft), 0, lParam);
    if (window)
        framework::SendSkinCommand(window, int(TsManagerCommand::MouseEntered), 0, lParam);
}

void TsSkinManager::SetHotSpeedButton(QObject* button) {
    if (button == hotSpeedButton_)
        return;
    if (button == nullptr && hotSpeedButton_ && ButtonHasPointer(hotSpeedButton_))
        return;
    QPointer<QObject> previous = hotSpeedButton_;
    hotSpeedButton_ = button;
    if (button)
        hotWindow_ = nullptr;
    if (previous)
        framework::SendSkinCommand(previous, int(TsManagerCommand::MouseLeft), 0, reinterpret_cast<std::intptr_t>(this));
}

} // namespace skin

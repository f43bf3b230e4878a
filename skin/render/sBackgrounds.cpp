// Own backgrounds by their layers, and the transparency rules over a bitmap or colour backdrop.
#include "skin/render/sBackgrounds.h"

#include <algorithm>

#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sGradient.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sTexture.h"

namespace skin {

namespace {

constexpr int kWholePercent = 100;
constexpr int kFullWeight = 255;
constexpr double kWeightPerPercent = 2.55;

enum class PlainColour { Opaque, TransparencyAsAlpha };

int PercentOf255(int percent) { return percent * kFullWeight / kWholePercent; }

bool HasSegments(const TsLookValues& look) { return look.Segments && !look.Segments->empty(); }

TsBackdrop MovedBy(TsBackdrop backdrop, TPoint point) {
    backdrop.OffsetX += point.X;
    backdrop.OffsetY += point.Y;
    return backdrop;
}

// The gradient, or the colour when there are no segments.
void PaintGradientOrColour(Bitmap32& bitmap, const TRect& rect, const TsLookValues& look) {
    if (HasSegments(look))
        PaintGradient(bitmap, rect, *look.Segments);
    else
        FillPixels(bitmap, rect, look.Color, kOpaqueAlpha);
}

// The texture into rect; returns what it left uncovered (kCoveredRect when nothing).
TRect PaintTexture(Bitmap32& bitmap, const TRect& rect, const TsTexture& texture, const TsBackdrop& backdrop) {
    if (texture.Mask && texture.MaskPicture) {
        if (HasMaskPicture(*texture.Mask))
            return FillMaskedTexture(bitmap, rect, backdrop, FillModeOf(*texture.Mask), *texture.Mask,
                                     *texture.MaskPicture);
        return FillTexture(bitmap, rect, *texture.Mask, *texture.MaskPicture);
    }
    if (texture.Pattern)
        return FillTexture(bitmap, rect, *texture.Pattern, TRect{}, TextureFillMode::tfTile);
    return rect;
}

void PaintPlainColourAsAlpha(Bitmap32& bitmap, const TRect& rect, const TsLookValues& look) {
    const int t = look.Transparency;
    const Pixel first = bitmap.Contains(rect.Left, rect.Top) ? bitmap.At(rect.Left, rect.Top) : 0;
    const int firstAlpha = Byte3(first);
    const int ownAlpha = (kWholePercent - t) * kFullWeight / kWholePercent;
    if (first == 0)
        FillPixels(bitmap, rect, look.Color, std::uint8_t(ownAlpha));
    else if (t == 0)
        FillPixels(bitmap, rect, look.Color, kOpaqueAlpha);
    else if (t == kWholePercent)
        FillPixels(bitmap, rect, look.Color, std::uint8_t(firstAlpha));
    else
        TintPixels(bitmap, rect, look.Color, std::uint8_t(std::max(firstAlpha, ownAlpha)), kWholePercent - t);
}

void PaintLayers(Bitmap32& bitmap, const TRect& area, const TsLookValues& look, const TsBackdrop& backdrop,
                 PlainColour plain) {
    const TRect rect = IntersectRects(area, RectOf(bitmap));
    if (RectIsEmpty(rect))
        return;
    const int G = look.GradientPercent;
    const int I = look.ImagePercent;
    const TsMaskData* textureMask = look.Texture.Mask;
    if (G + I == kWholePercent && G >= 1 && G <= kWholePercent - 1 && textureMask && look.Texture.MaskPicture &&
        textureMask->FillFlags == 0 && HasSegments(look) && look.Segments->front().GradientKind < TsGradientKind::gkFourCorner) {
        PaintGradientOverTexture(bitmap, rect, *look.Segments, PercentOf255(I), CellRect(*textureMask, 0),
                                 *look.Texture.MaskPicture);
        return;
    }
    if (I > 0) {
        TRect rest = PaintTexture(bitmap, rect, look.Texture, backdrop);
        if (rest != kCoveredRect)
            FillPixels(bitmap, rest, look.Color, kOpaqueAlpha);
    }
    if (G > 0) {
        if (I > 0) {
            Bitmap32 layer(WidthOf(rect), HeightOf(rect));
            PaintGradientOrColour(layer, RectOf(layer), look);
            BlendBitmaps(bitmap, layer, std::min(PercentOf255(G), kFullWeight), {rect.Left, rect.Top}, RectOf(layer));
        } else {
            PaintGradientOrColour(bitmap, rect, look);
        }
    }
    if (G + I == 0) {
        if (plain == PlainColour::TransparencyAsAlpha)
            PaintPlainColourAsAlpha(bitmap, rect, look);
        else
            FillPixels(bitmap, rect, look.Color, kOpaqueAlpha);
    }
    if (G + I >= 1 && G + I <= kWholePercent - 1)
        FadeToColor(bitmap, {rect.Left, rect.Top, InclusiveEdge(rect.Right), InclusiveEdge(rect.Bottom)}, G + I,
                    look.Color);
}

// Copies what the backdrop bitmap holds under rect: rect's top-left is (offset + point) there.
void CopyFromBackdrop(Bitmap32& bitmap, const TRect& rect, const Bitmap32& parent, TPoint origin) {
    const TRect clip = IntersectRects(rect, RectOf(bitmap));
    if (&parent == &bitmap) {
        if (origin.X == rect.Left && origin.Y == rect.Top)
            return;
        Bitmap32 copy = parent;
        CopyFromBackdrop(bitmap, rect, copy, origin);
        return;
    }
    BlitArea area = ClipBlit({rect.Left, rect.Top, origin.X, origin.Y, WidthOf(rect), HeightOf(rect)}, clip,
                             RectOf(parent));
    CopyBlock(bitmap, area.DstX, area.DstY, parent, RectAt(area.SrcX, area.SrcY, area.Width, area.Height));
}

// A parent that answered with a colour but holds its border strips in a bitmap: the strips
// where rect overlaps them, the colour elsewhere.
void ShowColourWithMargins(Bitmap32& bitmap, const TRect& rect, const TsBackdrop& backdrop, TPoint origin) {
    FillPixels(bitmap, rect, backdrop.FillColor, kOpaqueAlpha);
    if (!backdrop.Bitmap || backdrop.Bitmap->Empty())
        return;
    const Bitmap32& parent = *backdrop.Bitmap;
    const TRect& m = backdrop.Margins;
    const int pw = parent.Width();
    const int ph = parent.Height();
    const TRect strips[] = {{0, 0, m.Left, ph}, {0, 0, pw, m.Top}, {pw - m.Right, 0, pw, ph}, {0, ph - m.Bottom, pw, ph}};
    const TRect rectInParent = RectAt(origin.X, origin.Y, WidthOf(rect), HeightOf(rect));
    for (const TRect& strip : strips) {
        const TRect overlap = IntersectRects(strip, rectInParent);
        if (RectIsEmpty(overlap))
            continue;
        CopyFromBackdrop(bitmap,
                         RectAt(rect.Left + overlap.Left - origin.X, rect.Top + overlap.Top - origin.Y,
                                WidthOf(overlap), HeightOf(overlap)),
                         parent, {overlap.Left, overlap.Top});
    }
}

bool BackdropUsable(const TsBackdrop& backdrop) {
    return backdrop.UsableBitmap() || backdrop.FillColor != kTransparentKey;
}

// The transparency rules: the parent alone (100), own layers blended over the parent (partial),
// or the own background (0, or no usable backdrop).
void PaintLookOverBackdrop(Bitmap32& bitmap, TPoint point, const TRect& rect, const TsLookValues& look,
                           const TsBackdrop& backdrop) {
    const int t = look.Transparency;
    const TPoint origin{backdrop.OffsetX + point.X, backdrop.OffsetY + point.Y};
    if (!BackdropUsable(backdrop) || t <= 0) {
        PaintLayers(bitmap, rect, look, MovedBy(backdrop, point), PlainColour::Opaque);
        return;
    }
    if (t >= kWholePercent) {
        if (backdrop.UsableBitmap()) {
            if (backdrop.Bitmap != &bitmap)
                CopyFromBackdrop(bitmap, rect, *backdrop.Bitmap, origin);
        } else {
            ShowColourWithMargins(bitmap, rect, backdrop, origin);
        }
        return;
    }
    if (backdrop.UsableBitmap() || look.GradientPercent + look.ImagePercent > 0) {
        const TRect area = IntersectRects(rect, RectOf(bitmap));
        if (RectIsEmpty(area))
            return;
        Bitmap32 own(WidthOf(area), HeightOf(area));
        TsBackdrop ownBackdrop = backdrop;
        ownBackdrop.OffsetX = origin.X + (area.Left - rect.Left);
        ownBackdrop.OffsetY = origin.Y + (area.Top - rect.Top);
        PaintLayers(own, RectOf(own), look, ownBackdrop, PlainColour::Opaque);
        if (backdrop.UsableBitmap())
            CopyFromBackdrop(bitmap, rect, *backdrop.Bitmap, origin);
        else
            FillPixels(bitmap, rect, backdrop.FillColor, kOpaqueAlpha);
        BlendBitmaps(bitmap, own, RoundEvenInt(t * kWeightPerPercent), {area.Left, area.Top}, RectOf(own));
        return;
    }
    FillPixels(bitmap, rect, LerpColor(backdrop.FillColor, look.Color, t / double(kWholePercent)), kOpaqueAlpha);
}

int LookOf(const TsGeneralData& section, int state) {
    return std::max(0, std::min({state, section.States - 1, 1}));
}

const TsMaskData* ValidMask(const TsSkinModel& skin, int index) {
    return IsValidImgIndex(skin, index) ? &skin.ma[std::size_t(index)] : nullptr;
}

// A valid texture mask at index, else the section's "PATTERN" in the pattern list.
TsTexture TextureFor(const TsSkinModel& skin, int sectionIndex, std::string_view sectionName, int maskIndex) {
    TsTexture texture;
    if (const TsMaskData* mask = ValidMask(skin, maskIndex)) {
        // Tiled overlays (a mask picture and mode 10) are merged after the background instead.
        if (!(HasMaskPicture(*mask) && FillModeOf(*mask) == TextureFillMode::tfWholeTiles)) {
            texture.Mask = mask;
            texture.MaskPicture = &MaskPicture(skin, *mask);
        }
        return texture;
    }
    const int pattern = GetPatternIndex(skin, sectionIndex, sectionName, kPatternKey);
    if (pattern >= 0 && pattern < int(skin.pa.size()) && skin.pa[std::size_t(pattern)].Image)
        texture.Pattern = skin.pa[std::size_t(pattern)].Image.get();
    return texture;
}

} // namespace

void PaintOwnBackground(Bitmap32& bitmap, const TRect& rect, const TsLookValues& look, const TsBackdrop& backdrop) {
    PaintLayers(bitmap, rect, look, backdrop, PlainColour::Opaque);
}

void PaintOwnBackgroundAlpha(Bitmap32& bitmap, const TRect& rect, const TsLookValues& look,
                             const TsBackdrop& backdrop) {
    PaintLayers(bitmap, rect, look, backdrop, PlainColour::TransparencyAsAlpha);
}

TsLookValues SectionLook(const TsSkinModel& skin, const TsSectionPaint& paint) {
    TsLookValues values;
    if (!IsValidSkinIndex(skin, paint.SectionIndex))
        return values;
    const TsGeneralData& section = skin.gd[std::size_t(paint.SectionIndex)];
    const int look = LookOf(section, paint.State);
    const TsGenState& props = section.Props[look];
    if (paint.CustomColor != kTransparentKey) {
        values.Color = paint.CustomColor;
        return values;
    }
    values.Color = props.Color;
    values.Transparency = props.Transparency;
    if (values.Transparency == kWholePercent)
        return values;
    values.GradientPercent = props.GradientPercent;
    values.ImagePercent = props.ImagePercent;
    if (values.ImagePercent > 0) {
        int index = look == 1 ? paint.HotTextureIndex : paint.TextureIndex;
        if (index < 0)
            index = props.TextureIndex;
        if (index < 0)
            index = GetMaskIndex(skin, paint.SectionIndex, paint.SectionName, kPatternKey);
        values.Texture = TextureFor(skin, paint.SectionIndex, paint.SectionName, index);
    }
    if (values.GradientPercent > 0)
        values.Segments = &props.GradientArray;
    return values;
}

void PaintSectionBackground(const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect,
                            const TsSectionPaint& paint) {
    if (!IsValidSkinIndex(skin, paint.SectionIndex) || bitmap.Empty())
        return;
    const TsLookValues look = SectionLook(skin, paint);
    PaintLookOverBackdrop(bitmap, paint.BackdropPoint, rect, look, paint.Backdrop);

    const TsGeneralData& section = skin.gd[std::size_t(paint.SectionIndex)];
    const int overlayIndex = LookOf(section, paint.State) == 1 ? paint.HotTextureIndex : paint.TextureIndex;
    if (const TsMaskData* overlay = ValidMask(skin, overlayIndex)) {
        if (HasMaskPicture(*overlay) && FillModeOf(*overlay) == TextureFillMode::tfWholeTiles)
            FillMaskedTexture(bitmap, rect, MovedBy(paint.Backdrop, paint.BackdropPoint), TextureFillMode::tfWholeTiles, *overlay,
                              MaskPicture(skin, *overlay));
    }
}

void PaintPartBackground(const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect, const TsSectionPaint& paint) {
    if (!IsValidSkinIndex(skin, paint.SectionIndex) || bitmap.Empty())
        return;
    const TsGeneralData& section = skin.gd[std::size_t(paint.SectionIndex)];
    const TsGenState& values = section.Props[LookOf(section, paint.State) == 1 ? TsLook::Hot : TsLook::Normal];
    TsLookValues look;
    look.Color = values.Color;
    look.Transparency = values.Transparency;
    if (look.Transparency != kWholePercent) {
        look.GradientPercent = values.GradientPercent;
        look.ImagePercent = values.ImagePercent;
        if (look.GradientPercent > 0)
            look.Segments = &values.GradientArray;
        if (look.ImagePercent > 0)
            look.Texture = TextureFor(skin, paint.SectionIndex, section.ClassName, section.TextureIndex);
    }
    PaintLookOverBackdrop(bitmap, paint.BackdropPoint, rect, look, paint.Backdrop);
}

} // namespace skin

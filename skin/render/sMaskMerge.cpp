// The per-pixel rules of merging through a mask picture, and the stretched slice.
#include "skin/render/sMaskMerge.h"

#include <algorithm>
#include <optional>

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/Resample.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sMaskMergeRow.h"
#include "skin/render/sStretchCache.h"

namespace skin {

namespace {

constexpr Pixel kAlphaMask = 0xFF000000u;
constexpr Pixel kColourMask = 0x00FFFFFFu;
constexpr int kFullMask = 255;

// (d * m + i * (256 - m)) >> 8: m / 256 of the destination stays.
inline int SkinMergeChannel(int d, int i, int m) { return (d * m + i * (256 - m)) >> 8; }
// (d * m + i * (255 - m)) >> 8, the layered-window form.
inline int LayeredMergeChannel(int d, int i, int m) { return (d * m + i * (255 - m)) >> 8; }

inline Pixel WithAlpha(Pixel pixel, int alpha) { return (pixel & kColourMask) | Pixel(alpha) << 24; }

// The backdrop pixel under destination point (x, y), or nullptr outside the backdrop bitmap.
inline const Pixel* BackdropPixelAt(const TsBackdrop& backdrop, int x, int y) {
    const Bitmap32& bitmap = *backdrop.Bitmap;
    int bx = EdgePlus(x, backdrop.OffsetX); // beyond any bitmap if saturated
    int by = EdgePlus(y, backdrop.OffsetY);
    if (!bitmap.Contains(bx, by))
        return nullptr;
    return &bitmap.Row(by)[std::size_t(bx)];
}

struct PixelMerger {
    const MergeSettings& settings;
    bool backdropHasBitmap;

    explicit PixelMerger(const MergeSettings& s) : settings(s), backdropHasBitmap(s.Backdrop.UsableBitmap()) {}

    // Key pixels: returns true when the pixel has been dealt with (painted or left alone).
    bool TreatKey(Pixel& d, int x, int y) const {
        if (settings.Formula == MergeFormula::Layered) {
            if (backdropHasBitmap) {
                if (const Pixel* b = BackdropPixelAt(settings.Backdrop, x, y))
                    d = *b;
            } else {
                d &= kColourMask;
            }
            return true;
        }
        if (backdropHasBitmap) {
            if (settings.Use == UseBackdrop::No)
                return false; // merged like any other pixel
            if (const Pixel* b = BackdropPixelAt(settings.Backdrop, x, y))
                d = *b | kAlphaMask;
            return true;
        }
        if (settings.Use == UseBackdrop::Yes)
            d = PixelOfColor(settings.Backdrop.FillColor); // its high byte becomes the alpha
        return true;
    }

    void Merge(Pixel& d, Pixel i, Pixel m, int x, int y) const {
        if (i == kKeyPixel) {
            if (settings.Keys == KeyPixels::Skip)
                return;
            if (settings.Keys == KeyPixels::ByBackdrop && TreatKey(d, x, y))
                return;
        }
        if (settings.Formula == MergeFormula::Layered) {
            int mr = Byte2(m);
            int alpha = Byte3(d);
            int cover = kFullMask - mr;
            if (alpha == 0)
                alpha = cover;
            else if (alpha != kOpaqueAlpha)
                alpha = std::max(alpha, cover);
            d = MakeValue(LayeredMergeChannel(Byte0(d), Byte0(i), mr), LayeredMergeChannel(Byte1(d), Byte1(i), mr),
                          LayeredMergeChannel(Byte2(d), Byte2(i), mr), alpha);
            return;
        }
        bool opaque = settings.Alpha == MergedAlpha::Opaque || backdropHasBitmap;
        d = MakeValue(SkinMergeChannel(Byte0(d), Byte0(i), Byte0(m)), SkinMergeChannel(Byte1(d), Byte1(i), Byte1(m)),
                      SkinMergeChannel(Byte2(d), Byte2(i), Byte2(m)), opaque ? kOpaqueAlpha : Byte3(d));
    }
};

// The row rule of settings for MergeSkinRow, or nothing when what a pixel gets depends on where
// it lies (key pixels that show a backdrop bitmap) or the formula is the layered one.
std::optional<SkinRowRule> RowRuleOf(const MergeSettings& settings) {
    if (settings.Formula != MergeFormula::Skin)
        return std::nullopt;
    const bool backdropHasBitmap = settings.Backdrop.UsableBitmap();
    SkinRowRule rule;
    rule.OpaqueAlpha = settings.Alpha == MergedAlpha::Opaque || backdropHasBitmap;
    switch (settings.Keys) {
    case KeyPixels::Skip:
        rule.KeyPixels = SkinRowRule::Key::LeftAlone;
        break;
    case KeyPixels::Merge:
        rule.KeyPixels = SkinRowRule::Key::Merged;
        break;
    case KeyPixels::ByBackdrop:
        if (backdropHasBitmap) {
            if (settings.Use == UseBackdrop::Yes)
                return std::nullopt;
            rule.KeyPixels = SkinRowRule::Key::Merged;
        } else if (settings.Use == UseBackdrop::Yes) {
            rule.KeyPixels = SkinRowRule::Key::Set;
            rule.KeyResult = PixelOfColor(settings.Backdrop.FillColor);
        } else {
            rule.KeyPixels = SkinRowRule::Key::LeftAlone;
        }
        break;
    }
    return rule;
}

// Merges rows of image and mask pixels that line up with the destination area; imageRow(y) and
// maskRow(y) give the start of source row y.
template <class ImageRow, class MaskRow>
void MergeRows(Bitmap32& dst, const BlitArea& area, ImageRow imageRow, MaskRow maskRow, int maskOffset,
               const MergeSettings& settings) {
    if (const std::optional<SkinRowRule> rule = RowRuleOf(settings)) {
        for (int row = 0; row < area.Height; ++row)
            MergeSkinRow(dst.Row(area.DstY + row).data() + area.DstX, imageRow(area.SrcY + row) + area.SrcX,
                         maskRow(area.SrcY + row + maskOffset) + area.SrcX, std::size_t(area.Width), *rule);
        return;
    }
    PixelMerger merger(settings);
    for (int row = 0; row < area.Height; ++row) {
        const int y = area.DstY + row;
        Pixel* d = dst.Row(y).data() + area.DstX;
        const Pixel* i = imageRow(area.SrcY + row) + area.SrcX;
        const Pixel* m = maskRow(area.SrcY + row + maskOffset) + area.SrcX;
        for (int col = 0; col < area.Width; ++col)
            merger.Merge(d[col], i[col], m[col], area.DstX + col, y);
    }
}

void MergeArea(Bitmap32& dst, const BlitArea& area, const Bitmap32& image, const Bitmap32& mask, int maskOffset,
               const MergeSettings& settings) {
    MergeRows(
        dst, area, [&](int y) { return image.Row(y).data(); }, [&](int y) { return mask.Row(y).data(); }, maskOffset,
        settings);
}

// The slice copied into a bitmap of at least 2 x 2 (a single row or column is repeated), as the
// resampler needs.
Bitmap32 SliceOfAtLeastTwo(const Bitmap32& src, const TRect& srcRect) {
    Bitmap32 slice(std::max(2, WidthOf(srcRect)), std::max(2, HeightOf(srcRect)));
    StretchBlock(slice, RectOf(slice), src, srcRect);
    return slice;
}

Bitmap32 StretchedPicture(const Bitmap32& src, const TRect& srcRect, int width, int height, bool resample,
                          ResampleFilter filter) {
    Bitmap32 out;
    if (resample) {
        ResampleBitmap(SliceOfAtLeastTwo(src, srcRect), out, width, filter, height);
    } else {
        out.SetSize(width, height);
        StretchBlock(out, RectOf(out), src, srcRect);
    }
    return out;
}

// A smoothly stretched slice: a slice of one colour (as mask pictures mostly are) through
// ResampleUniform, any other through ResampleBitmap; slices of a control's size come from the
// stretch cache, which keeps them for the next paint.
class ResampledSlice {
public:
    ResampledSlice(const Bitmap32& src, const TRect& srcRect, int width, int height, ResampleFilter filter) {
        const Bitmap32 slice = SliceOfAtLeastTwo(src, srcRect);
        if (OneColour(slice)) {
            uniform_ = ResampleUniform(slice.At(0, 0), slice.Width(), slice.Height(), width, filter, height);
            fits_ = uniform_->RowOf.size() == std::size_t(height) && !uniform_->Rows.empty() &&
                    uniform_->Rows[0].size() == std::size_t(width);
            return;
        }
        if (std::size_t(width) * std::size_t(height) <= kStretchCachePixels) {
            result_ = CachedStretch(slice, width, height, filter);
        } else {
            ResampleBitmap(slice, own_, width, filter, height);
            result_ = &own_;
        }
        fits_ = result_ && result_->Width() == width && result_->Height() == height;
    }
    bool Fits() const { return fits_; }
    const Pixel* Row(int y) const {
        return uniform_ ? uniform_->Rows[std::size_t(uniform_->RowOf[std::size_t(y)])].data() : result_->Row(y).data();
    }

private:
    static bool OneColour(const Bitmap32& slice) {
        const Pixel first = slice.At(0, 0);
        for (int y = 0; y < slice.Height(); ++y)
            for (Pixel pixel : slice.Row(y))
                if (pixel != first)
                    return false;
        return true;
    }

    Bitmap32 own_;
    const Bitmap32* result_ = nullptr;
    std::optional<UniformResample> uniform_;
    bool fits_ = false;
};

} // namespace

void MergeBlock(Bitmap32& dst, const TRect& dstClip, int dstX, int dstY, const Bitmap32& src, const TRect& srcRect,
                int maskOffset, const MergeSettings& settings) {
    if (maskOffset < 0)
        return;
    const TRect maskedRows{0, 0, src.Width(), src.Height() - maskOffset};
    BlitArea area = ClipBlit({dstX, dstY, srcRect.Left, srcRect.Top, WidthOf(srcRect), HeightOf(srcRect)},
                             IntersectRects(dstClip, RectOf(dst)), IntersectRects(srcRect, maskedRows));
    if (area.Empty())
        return;
    MergeArea(dst, area, src, src, maskOffset, settings);
}

void StretchSlice(Bitmap32& dst, const TRect& dstClip, const TRect& dstRect, const Bitmap32& src,
                  const TRect& srcRect, int maskOffset, Smoothing smoothing, MaskPictureFilter maskFilter,
                  const MergeSettings& settings) {
    const int dw = WidthOf(dstRect);
    const int dh = HeightOf(dstRect);
    const int sw = WidthOf(srcRect);
    const int sh = HeightOf(srcRect);
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    const TRect clip = IntersectRects(IntersectRects(dstClip, RectOf(dst)), dstRect);
    if (RectIsEmpty(clip))
        return;
    if (maskOffset == 0) {
        StretchBlock(dst, dstRect, src, srcRect, clip);
        return;
    }
    MergeSettings stretchedSettings = settings;
    if (settings.Formula == MergeFormula::Skin)
        stretchedSettings.Alpha = MergedAlpha::Opaque;
    const TRect maskRect{srcRect.Left, srcRect.Top + maskOffset, srcRect.Right, srcRect.Bottom + maskOffset};

    if (sw == 1 && sh == 1 && smoothing == Smoothing::Off) {
        if (!src.Contains(srcRect.Left, maskRect.Top))
            return;
        const Pixel image = src.At(srcRect.Left, srcRect.Top);
        const Pixel mask = src.At(maskRect.Left, maskRect.Top);
        if ((mask & kColourMask) == kColourMask)
            return;
        PixelMerger merger(stretchedSettings);
        for (int y = clip.Top; y < clip.Bottom; ++y) {
            Pixel* d = dst.Row(y).data();
            for (int x = clip.Left; x < clip.Right; ++x) {
                if ((mask & kColourMask) == 0 && image != kKeyPixel)
                    d[x] = WithAlpha(image, kOpaqueAlpha);
                else
                    merger.Merge(d[x], image, mask, x, y);
            }
        }
        return;
    }

    // Temporaries of the slice's whole destination size are made below; a destination that big
    // is no control's (the skin's own numbers were cut to their picture before they got here).
    if (std::uint64_t(AreaOf(dstRect)) > kMaskAreaLimit.Value)
        return;
    const bool onlyOneDimensionShrinks = (dw < sw && dh == sh) || (dw == sw && dh < sh);
    const bool resample = (smoothing == Smoothing::On || onlyOneDimensionShrinks) && dw > 1 && dh > 1;
    const ResampleFilter maskPictureFilter =
        maskFilter == MaskPictureFilter::Hermite ? ResampleFilter::Hermite : ResampleFilter::Mitchell;
    BlitArea area{clip.Left, clip.Top, clip.Left - dstRect.Left, clip.Top - dstRect.Top, WidthOf(clip),
                  HeightOf(clip)};
    if (resample) {
        const ResampledSlice image(src, srcRect, dw, dh, ResampleFilter::Mitchell);
        const ResampledSlice mask(src, maskRect, dw, dh, maskPictureFilter);
        if (!image.Fits() || !mask.Fits())
            return;
        MergeRows(
            dst, area, [&](int y) { return image.Row(y); }, [&](int y) { return mask.Row(y); }, 0, stretchedSettings);
        return;
    }
    const Bitmap32 image = StretchedPicture(src, srcRect, dw, dh, false, ResampleFilter::Mitchell);
    const Bitmap32 mask = StretchedPicture(src, maskRect, dw, dh, false, maskPictureFilter);
    if (image.Width() != dw || image.Height() != dh || mask.Width() != dw || mask.Height() != dh)
        return;
    MergeArea(dst, area, image, mask, 0, stretchedSettings);
}

} // namespace skin

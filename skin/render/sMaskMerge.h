// Merging a slice of a skin image through its black-and-white mask picture, at natural size or
// stretched, with the backdrop showing through key pixels.
//
//   Area of a mask with MaskLayout 1:   +--------+--------+--------+
//                                       | cell 0 | cell 1 | cell 2 |   images
//                                       +--------+--------+--------+   <- MaskOffset rows lower
//                                       | mask 0 | mask 1 | mask 2 |   mask pictures
//                                       +--------+--------+--------+
#pragma once

#include "skin/pixels/SkinTypes.h"

namespace skin {

// How image and mask mix, and what becomes of image pixels that hold the key.
enum class MergeFormula {
    Skin,    // per channel d := (d * m + i * (256 - m)) >> 8, m the same channel of the mask
    Layered, // d := (d * m + i * (255 - m)) >> 8 with m the mask's red; the alpha grows to 255 - m
};
enum class KeyPixels {
    ByBackdrop, // the backdrop decides (the four cases of the skin merge, or the layered rule)
    Skip,       // key pixels are not painted
    Merge,      // no key test: key pixels are merged like any other
};
enum class MergedAlpha { ByRule, Opaque };

struct MergeSettings {
    MergeFormula Formula = MergeFormula::Skin;
    KeyPixels Keys = KeyPixels::ByBackdrop;
    MergedAlpha Alpha = MergedAlpha::ByRule;
    TsBackdrop Backdrop;
    UseBackdrop Use = UseBackdrop::No;
};

// Merges the image pixels of srcRect (exclusive) and the mask pixels maskOffset rows below
// them into dst at (dstX, dstY). Cut to dstClip, dst, and to the rows of src where both the
// image and the mask row exist.
void MergeBlock(Bitmap32& dst, const TRect& dstClip, int dstX, int dstY, const Bitmap32& src, const TRect& srcRect,
                int maskOffset, const MergeSettings& settings);

enum class Smoothing { Off, On };

// Which resampling filter the stretched mask picture gets (the image always gets the cubic).
enum class MaskPictureFilter { Cubic, Hermite };

// Stretches srcRect onto dstRect. Without a mask picture (maskOffset 0) a plain nearest-neighbour
// copy; otherwise image and mask are stretched apart (smoothly when asked, or when only one
// dimension shrinks) and merged pixel by pixel. Cut to dstClip and dst.
void StretchSlice(Bitmap32& dst, const TRect& dstClip, const TRect& dstRect, const Bitmap32& src,
                  const TRect& srcRect, int maskOffset, Smoothing smoothing, MaskPictureFilter maskFilter,
                  const MergeSettings& settings);

} // namespace skin

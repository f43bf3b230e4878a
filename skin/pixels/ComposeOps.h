// Laying pictures over a skin image: alpha composition (with tint and reflection), glyph
// composition and the keyed copies that let a backdrop show through key pixels.
#pragma once

#include "skin/pixels/ColorOps.h"

namespace skin {

enum class Reflection { None, Below };

struct ComposeAlphaOptions {
    int Transparency = 0;     // percent of the source that is left out
    TColor Tint = clNone;     // clNone: the source keeps its colours
    Reflection Reflect = Reflection::None;
    TsBackdrop Backdrop{};    // empty: every source pixel is composed
    UseBackdrop BackdropUse = UseBackdrop::No;
};

// Lays src (its srcRect) with its own alpha over dst at dstRect; both rects exclusive,
// clipped against each other and both bitmaps.
void ComposeAlpha(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect,
                  const ComposeAlphaOptions& options = {});

// Lays a picture with its own alpha (icon, caption glyph) over dst; rects exclusive.
void ComposeGlyph(const TRect& dstRect, const TRect& srcRect, Bitmap32& dst, UseBackdrop use,
                  const TsBackdrop& backdrop, const Bitmap32& src);

// Copies the pixels of src inside inclusiveSrcRect (Right and Bottom belong to it) that differ
// from key to dst at (x, y), alpha included. At key pixels: with a backdrop bitmap and
// UseBackdrop::Yes the backdrop pixel (alpha included); with a backdrop bitmap and No, nothing;
// without a backdrop bitmap, the fill colour with alpha 0. When dst is the backdrop's bitmap,
// copied pixels take alpha 255.
void CopyKeyed(Bitmap32& dst, int x, int y, const Bitmap32& src, const TRect& inclusiveSrcRect, Pixel key,
               const TsBackdrop& backdrop, UseBackdrop use);
// The glyph and reflection variant: non-key pixels are copied with alpha 255, key pixels left alone.
void CopyKeyedOpaque(Bitmap32& dst, int x, int y, const Bitmap32& src, const TRect& inclusiveSrcRect, Pixel key);

} // namespace skin

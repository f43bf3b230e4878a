// Glyph cells: keyed copies and keyed blends for pictures without a mask picture, the glyph
// merge (which also raises the alpha where the mask is dark) for pictures with one.
#include "skin/render/sGlyphPaint.h"

#include <algorithm>

#include "skin/pixels/ComposeOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sMaskPaint.h"

namespace skin {

namespace {

constexpr double kFaintFraction = 0.5;
// The faint look lightens the mask by this much before merging.
constexpr int kFaintMaskLift = 100;
constexpr int kMaskClear = 255;

// d := ((d - i) * m + i * 256) >> 8: the image where the mask is black.
inline int GlyphMergeChannel(int d, int i, int m) { return ((d - i) * m + i * 256) >> 8; }
// A + ((255 - A) * (255 - mR)) >> 8.
inline int GlyphAlpha(int alpha, int maskRed) { return alpha + (((255 - alpha) * (255 - maskRed)) >> 8); }

void MergeGlyphCell(Bitmap32& dst, const BlitArea& area, const Bitmap32& src, int maskOffset, GlyphMode mode) {
    const int lift = mode == GlyphMode::Normal ? 0 : kFaintMaskLift;
    for (int row = 0; row < area.Height; ++row) {
        const Pixel* image = src.Row(area.SrcY + row).data() + area.SrcX;
        const Pixel* mask = src.Row(area.SrcY + maskOffset + row).data() + area.SrcX;
        Pixel* target = dst.Row(area.DstY + row).data() + area.DstX;
        for (int col = 0; col < area.Width; ++col) {
            const Pixel i = image[col];
            const Pixel m = mask[col];
            if (i == kKeyPixel || Byte2(m) == kMaskClear)
                continue;
            const Pixel d = target[col];
            auto weight = [&](int channel) { return std::min(channel + lift, kMaskClear); };
            target[col] = MakeValue(GlyphMergeChannel(Byte0(d), Byte0(i), weight(Byte0(m))),
                                    GlyphMergeChannel(Byte1(d), Byte1(i), weight(Byte1(m))),
                                    GlyphMergeChannel(Byte2(d), Byte2(i), weight(Byte2(m))),
                                    GlyphAlpha(Byte3(d), Byte2(m)));
        }
    }
}

} // namespace

void PaintSkinGlyph(Bitmap32& dst, TPoint point, int state, const TsBackdrop& backdrop, const TsMaskData& mask,
                    GlyphMode mode, const Bitmap32& src) {
    if (dst.Empty())
        return;
    const bool ownImage = mask.Image != nullptr;
    if (ownImage) {
        if (src.Width() < mask.Area.Right || src.Height() < mask.Area.Bottom)
            return;
    } else if (mask.CellCount <= 0) {
        return;
    }
    const int cw = CellWidth(mask);
    const int ch = CellHeight(mask);
    const TRect cell = RectAt(mask.Area.Left + cw * CellOfState(mask, state), mask.Area.Top, cw, ch);
    const int maskOffset = mask.MaskLayout > 0 ? HeightOf(mask.Area) / 2 : 0;
    const TRect readable{0, 0, src.Width(), src.Height() - maskOffset};
    const BlitArea area = ClipBlit({point.X, point.Y, cell.Left, cell.Top, cw, ch}, RectOf(dst),
                                   IntersectRects(cell, readable));
    if (area.Empty())
        return;
    const TRect inclusiveCell = InclusiveRect(area.SrcX, area.SrcY, area.Width, area.Height);
    if (mask.MaskLayout > 0) {
        MergeGlyphCell(dst, area, src, maskOffset, mode);
    } else if (ownImage) {
        if (mask.MaskLayout == 0)
            CopyKeyed(dst, area.DstX, area.DstY, src, inclusiveCell, kKeyPixel, TsBackdrop{}, UseBackdrop::No);
    } else if (mode == GlyphMode::Normal) {
        CopyKeyed(dst, area.DstX, area.DstY, src, inclusiveCell, kKeyPixel, backdrop, UseBackdrop::Yes);
    } else {
        BlendKeyed(dst, area.DstX, area.DstY, kKeyPixel, kFaintFraction,
                   RectAt(area.SrcX, area.SrcY, area.Width, area.Height), src);
    }
}

} // namespace skin

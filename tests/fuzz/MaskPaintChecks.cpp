// The painters of one mask, each checked for what it promises whatever the mask says: nothing
// outside the destination rect changes, region runs lie inside the bitmap.
#include "tests/fuzz/MaskPaintChecks.h"

#include <vector>

#include "skin/pixels/RectClip.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sTexture.h"
#include "tests/fuzz/FuzzTargets.h"

namespace tovrin::fuzz {
namespace {

using namespace skin;

constexpr Pixel kUntouched = 0x5A5A5A5A;

Bitmap32 Filled(int width, int height, Pixel value) {
    Bitmap32 bitmap(width, height);
    bitmap.Fill(value);
    return bitmap;
}

// The pixels of dst outside rect still hold kUntouched.
bool OnlyRectChanged(const Bitmap32& dst, const TRect& rect) {
    for (int y = 0; y < dst.Height(); ++y)
        for (int x = 0; x < dst.Width(); ++x)
            if ((x < rect.Left || y < rect.Top || x >= rect.Right || y >= rect.Bottom) && dst.At(x, y) != kUntouched)
                return false;
    return true;
}

} // namespace

void PaintMaskEveryWay(const TsMaskData& mask, const Bitmap32& picture, FuzzInput& input) {
    const int width = input.Small(1, 72);
    const int height = input.Small(1, 56);
    // Mostly rects near the bitmap; sometimes edges anywhere in the 32-bit range.
    const TRect rect{input.Coordinate(width), input.Coordinate(height), input.Coordinate(width),
                     input.Coordinate(height)};
    const int state = input.Byte() < 240 ? input.Small(-1, 5) : std::int32_t(input.U32());

    const Bitmap32 parent = Filled(input.Small(1, 40), input.Small(1, 40), 0xFF336699);
    TsBackdrop backdrop;
    switch (input.Small(0, 2)) {
    case 1:
        backdrop.Bitmap = &parent;
        backdrop.HasBitmap = true;
        backdrop.OffsetX = input.Coordinate(40);
        backdrop.OffsetY = input.Coordinate(40);
        break;
    case 2:
        backdrop.FillColor = TColor{input.U32()};
        break;
    default:
        break;
    }
    const UseBackdrop use = input.Flag() ? UseBackdrop::Yes : UseBackdrop::No;

    Bitmap32 dst = Filled(width, height, kUntouched);
    PaintSkinMask(dst, rect, backdrop, use, state, mask, picture);
    FUZZ_CHECK(OnlyRectChanged(dst, rect));
    dst = Filled(width, height, kUntouched);
    PaintSkinMaskAlpha(dst, rect, backdrop, state, mask, picture);
    FUZZ_CHECK(OnlyRectChanged(dst, rect));

    std::vector<TRect> removed;
    PaintSkinMaskRegion(dst, removed, state, mask, picture);
    for (const TRect& run : removed)
        FUZZ_CHECK(run.Left >= 0 && run.Top >= 0 && run.Right <= width && run.Bottom <= height && !RectIsEmpty(run));

    std::vector<TRect> runs;
    const int windowWidth = input.Coordinate(width);
    const int yOffset = input.Coordinate(height);
    CornerKeyRuns(runs, windowWidth, mask, CornerRows::Top, yOffset, picture);
    CornerKeyRuns(runs, windowWidth, mask, CornerRows::Bottom, yOffset, picture);
    FUZZ_CHECK(runs.size() <= std::size_t(picture.Width()) * std::size_t(picture.Height()));

    const TPoint point{input.Coordinate(width), input.Coordinate(height)};
    PaintSkinGlyph(dst, point, state, backdrop, mask, input.Flag() ? GlyphMode::Normal : GlyphMode::Faint, picture);
    const TextureFillMode mode = TextureFillMode(input.Small(-1, 11)); // also values no mode has
    FillTexture(dst, rect, mask, picture);
    FillTexture(dst, rect, picture, mask.Area, mode);
    FillMaskedTexture(dst, rect, backdrop, mode, mask, picture);
}

} // namespace tovrin::fuzz

// Solid fills, frame strips, frame copies and arrow glyphs on a bitmap.
#include "skin/pixels/DrawingRoutines.h"

#include <algorithm>
#include <cstring>

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"

namespace skin {
namespace {

Pixel OpaquePixel(TColor colour, std::uint8_t alpha) {
    return (PixelOfColor(colour) & 0x00FFFFFFu) | Pixel(alpha) << 24;
}

void SetPixelClipped(Bitmap32& bitmap, int x, int y, Pixel value) {
    if (bitmap.Contains(x, y))
        bitmap.At(x, y) = value;
}

void CopyBlock(Bitmap32& dst, const TRect& area, const Bitmap32& src, int srcX, int srcY) {
    const BlitArea block = ClipBlit({area.Left, area.Top, srcX, srcY, WidthOf(area), HeightOf(area)}, dst, src);
    for (int row = 0; row < block.Height; ++row)
        std::memmove(dst.Row(block.DstY + row).data() + block.DstX, src.Row(block.SrcY + row).data() + block.SrcX,
                     std::size_t(block.Width) * sizeof(Pixel));
}

} // namespace

void FillSolid(Bitmap32& bitmap, const TRect& rect, TColor colour, std::uint8_t alpha) {
    const TRect clipped = IntersectRects(rect, RectOf(bitmap));
    const Pixel value = OpaquePixel(colour, alpha);
    for (int y = clipped.Top; y < clipped.Bottom; ++y) {
        auto row = bitmap.Row(y);
        std::fill(row.begin() + clipped.Left, row.begin() + clipped.Right, value);
    }
}

void FillFrame(Bitmap32& bitmap, const TRect& rect, FrameWidths widths, TColor colour, std::uint8_t alpha) {
    //   +---------------------------+
    //   |            top            |
    //   +----+-----------------+----+
    //   |    |                 |right
    //   |left|                 +----+
    //   |    |      bottom          |
    //   +----+----------------------+
    const int innerTop = rect.Top + widths.Top;
    const int innerBottom = rect.Bottom - widths.Bottom;
    FillSolid(bitmap, {rect.Left, rect.Top, rect.Right, innerTop}, colour, alpha);
    FillSolid(bitmap, {rect.Left, innerTop, rect.Left + widths.Left, rect.Bottom}, colour, alpha);
    FillSolid(bitmap, {rect.Left + widths.Left, innerBottom, rect.Right, rect.Bottom}, colour, alpha);
    FillSolid(bitmap, {rect.Right - widths.Right, innerTop, rect.Right, innerBottom}, colour, alpha);
}

void CopyFrame(Bitmap32& dst, const TRect& frame, int stripWidth, const Bitmap32& src, int srcX, int srcY) {
    const int w = std::max(stripWidth, 0);
    const int offsetX = srcX - frame.Left, offsetY = srcY - frame.Top;
    const TRect strips[] = {
        {frame.Left, frame.Top, frame.Right, frame.Top + w},             // top
        {frame.Right - w, frame.Top + w, frame.Right, frame.Bottom - w}, // right
        {frame.Left, frame.Bottom - w, frame.Right, frame.Bottom},       // bottom
        {frame.Left, frame.Top + w, frame.Left + w, frame.Bottom - w},   // left
    };
    for (const TRect& strip : strips)
        if (!RectIsEmpty(strip))
            CopyBlock(dst, strip, src, strip.Left + offsetX, strip.Top + offsetY);
}

void DrawArrowGlyph(Bitmap32& bitmap, TColor colour, const TRect& rect, int direction, std::uint8_t alpha) {
    constexpr int kArrowSteps = 4;
    const int width = WidthOf(rect), height = HeightOf(rect);
    const Pixel value = OpaquePixel(colour, alpha);
    if (direction == int(ArrowDirection::Down)) {
        // Rows of 8, 6, 4 and 2 pixels.
        const int x0 = rect.Left + (width - 6) / 2 - 1;
        const int y0 = rect.Top + (height - 3) / 2 - 1;
        for (int k = 0; k < kArrowSteps; ++k)
            for (int x = x0 + k; x <= x0 + 7 - k; ++x)
                SetPixelClipped(bitmap, x, y0 + k, value);
    } else if (direction == int(ArrowDirection::Right)) {
        // Columns of 7, 5, 3 and 1 pixels.
        const int x0 = rect.Left + (width - 3) / 2;
        const int y0 = rect.Top + (height - 6) / 2;
        for (int k = 0; k < kArrowSteps; ++k)
            for (int y = y0 + k; y <= y0 + 6 - k; ++y)
                SetPixelClipped(bitmap, x0 + k, y, value);
    }
}

} // namespace skin

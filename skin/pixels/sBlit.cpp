// Block copies and nearest-neighbour stretched copies, always cut to both bitmaps.
#include "skin/pixels/sBlit.h"

#include "skin/pixels/RectClip.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace skin {

void CopyBlock(Bitmap32& dst, int dstX, int dstY, const Bitmap32& src, const TRect& srcRect) {
    BlitArea area = ClipBlit({dstX, dstY, srcRect.Left, srcRect.Top, WidthOf(srcRect), HeightOf(srcRect)},
                             RectOf(dst), IntersectRects(srcRect, RectOf(src)));
    if (area.Empty())
        return;
    for (int row = 0; row < area.Height; ++row) {
        const Pixel* from = src.Row(area.SrcY + row).data() + area.SrcX;
        Pixel* to = dst.Row(area.DstY + row).data() + area.DstX;
        std::memmove(to, from, std::size_t(area.Width) * sizeof(Pixel));
    }
}

namespace {

// Source index of each destination index: the pixel whose span holds the destination
// pixel's centre, (2i + 1) * n / 2m.
// Wider than 32 bits, as the rects' edges may lie anywhere in the 32-bit range (destIndex is
// then up to 2^32); a source index beyond the 32-bit range lies outside any bitmap anyway.
std::int64_t NearestSource(std::int64_t destIndex, int destLength, int sourceLength) {
    if (destIndex >= 0 && destIndex < (std::int64_t{1} << 30))
        return (2 * destIndex + 1) * sourceLength / (2LL * destLength);
    const __int128 source = (__int128{2} * destIndex + 1) * sourceLength / (__int128{2} * destLength);
    return source > INT32_MAX ? INT32_MAX : source < INT32_MIN ? INT32_MIN : std::int64_t(source);
}

} // namespace

void StretchBlock(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect) {
    StretchBlock(dst, dstRect, src, srcRect, RectOf(dst));
}

void StretchBlock(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect, const TRect& clip) {
    const int dstWidth = WidthOf(dstRect);
    const int dstHeight = HeightOf(dstRect);
    const int srcWidth = WidthOf(srcRect);
    const int srcHeight = HeightOf(srcRect);
    if (dstWidth <= 0 || dstHeight <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return;
    const TRect visible = IntersectRects(IntersectRects(dstRect, RectOf(dst)), clip);
    if (RectIsEmpty(visible))
        return;
    if (srcWidth == dstWidth && srcHeight == dstHeight) {
        BlitArea area = ClipBlit({dstRect.Left, dstRect.Top, srcRect.Left, srcRect.Top, srcWidth, srcHeight}, visible,
                                 RectOf(src));
        CopyBlock(dst, area.DstX, area.DstY, src, RectAt(area.SrcX, area.SrcY, area.Width, area.Height));
        return;
    }
    // Columns are mapped once; -1 marks a sample outside the source.
    std::vector<int> columnOf(std::size_t(WidthOf(visible)));
    bool everyColumnInside = true;
    for (int x = visible.Left; x < visible.Right; ++x) {
        const std::int64_t sx = srcRect.Left + NearestSource(std::int64_t{x} - dstRect.Left, dstWidth, srcWidth);
        bool inside = sx >= 0 && sx < src.Width();
        everyColumnInside = everyColumnInside && inside;
        columnOf[std::size_t(x - visible.Left)] = inside ? int(sx) : -1;
    }
    int lastSourceRow = -1;
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const std::int64_t sy = srcRect.Top + NearestSource(std::int64_t{y} - dstRect.Top, dstHeight, srcHeight);
        if (sy < 0 || sy >= src.Height())
            continue;
        Pixel* to = dst.Row(y).data();
        if (sy == lastSourceRow && everyColumnInside) {
            // The same source row as the line above: copy that line.
            std::memcpy(to + visible.Left, dst.Row(y - 1).data() + visible.Left,
                        std::size_t(WidthOf(visible)) * sizeof(Pixel));
            continue;
        }
        lastSourceRow = int(sy);
        const Pixel* from = src.Row(int(sy)).data();
        for (int x = visible.Left; x < visible.Right; ++x) {
            int sx = columnOf[std::size_t(x - visible.Left)];
            if (sx >= 0)
                to[x] = from[sx];
        }
    }
}

} // namespace skin

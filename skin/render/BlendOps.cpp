// Weighted, keyed and masked mixing of two bitmaps.
#include "skin/render/BlendOps.h"

#include <algorithm>

#include "skin/render/RectClip.h"

namespace skin {
namespace {

constexpr int kFullWeight = 256;

// (w * (d - s) + s * 256) >> 8, which is (w * d + (256 - w) * s) >> 8.
inline int BlendChannel(int dst, int src, int weight) { return (weight * (dst - src) + src * kFullWeight) >> 8; }

// ch := RoundEven(src - (src - dst) * f).
inline int KeyedBlendChannel(int dst, int src, double fraction) {
    return ClampByte(RoundEvenInt(src - (src - dst) * fraction));
}

// (dst * m + img * (256 - m)) >> 8.
inline int MaskChannel(int dst, int image, int mask) { return (dst * mask + image * (kFullWeight - mask)) >> 8; }

} // namespace

void BlendRowPlain(std::span<Pixel> dst, std::span<const Pixel> src, int weight) {
    const std::size_t count = std::min(dst.size(), src.size());
    for (std::size_t i = 0; i < count; ++i) {
        const Pixel d = dst[i], s = src[i];
        dst[i] = MakeValue(BlendChannel(Byte0(d), Byte0(s), weight), BlendChannel(Byte1(d), Byte1(s), weight),
                           BlendChannel(Byte2(d), Byte2(s), weight), Byte3(d));
    }
}

void BlendRow(std::span<Pixel> dst, std::span<const Pixel> src, int weight) {
    // Blue and red share one 32-bit product: each sum stays below 65536, so no carry crosses
    // into the other channel and the shift gives the per-channel result exactly.
    const std::uint32_t dstWeight = std::uint32_t(weight);
    const std::uint32_t srcWeight = std::uint32_t(kFullWeight - weight);
    const std::size_t count = std::min(dst.size(), src.size());
    Pixel* d = dst.data();
    const Pixel* s = src.data();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t dv = d[i], sv = s[i];
        const std::uint32_t redBlue = (((dv & 0x00FF00FFu) * dstWeight + (sv & 0x00FF00FFu) * srcWeight) >> 8) & 0x00FF00FFu;
        const std::uint32_t green = (((dv & 0x0000FF00u) * dstWeight + (sv & 0x0000FF00u) * srcWeight) >> 8) & 0x0000FF00u;
        d[i] = (dv & 0xFF000000u) | redBlue | green;
    }
}

void BlendBitmaps(Bitmap32& dst, const Bitmap32& src, int weight, TPoint dstPoint, const TRect& srcRect) {
    weight = std::clamp(weight, 0, 255);
    TRect from = srcRect;
    // Bottom is cut to the last row and then taken inclusively.
    from.Right = std::min(from.Right, src.Width());
    from.Bottom = std::min(from.Bottom, src.Height() - 1);
    BlockCopy block = ClipBlock({dstPoint.X, dstPoint.Y, from.Left, from.Top, from.Right - from.Left,
                                 from.Bottom - from.Top + 1},
                                dst, src);
    for (int row = 0; row < block.height; ++row)
        BlendRow(dst.Row(block.dy + row).subspan(block.dx, block.width),
                 src.Row(block.sy + row).subspan(block.sx, block.width), weight);
}

void SumBitmaps(Bitmap32& dst, const Bitmap32& src, int weight) {
    if (dst.Width() != src.Width() || dst.Height() != src.Height())
        return;
    weight = std::clamp(weight, 0, 255);
    for (int y = 0; y < dst.Height(); ++y)
        BlendRow(dst.Row(y), src.Row(y), weight);
}

void BlendKeyed(Bitmap32& dst, int x, int y, Pixel key, double fraction, const TRect& srcRect, const Bitmap32& src) {
    BlockCopy block = ClipBlock({x, y, srcRect.Left, srcRect.Top, WidthOf(srcRect), HeightOf(srcRect)}, dst, src);
    for (int row = 0; row < block.height; ++row) {
        auto to = dst.Row(block.dy + row).subspan(block.dx, block.width);
        auto from = src.Row(block.sy + row).subspan(block.sx, block.width);
        for (int i = 0; i < block.width; ++i) {
            const Pixel s = from[i];
            if (key != kNoKey && s == key)
                continue;
            const Pixel d = to[i];
            to[i] = MakeValue(KeyedBlendChannel(Byte0(d), Byte0(s), fraction),
                              KeyedBlendChannel(Byte1(d), Byte1(s), fraction),
                              KeyedBlendChannel(Byte2(d), Byte2(s), fraction), Byte3(d));
        }
    }
}

void MergeByMask(Bitmap32& dst, const Bitmap32& image, const Bitmap32& mask) {
    const int width = std::min({dst.Width(), image.Width(), mask.Width()});
    const int height = std::min({dst.Height(), image.Height(), mask.Height()});
    for (int y = 0; y < height; ++y) {
        auto to = dst.Row(y);
        auto from = image.Row(y);
        auto by = mask.Row(y);
        for (int x = 0; x < width; ++x) {
            const Pixel d = to[x], i = from[x], m = by[x];
            to[x] = MakeValue(MaskChannel(Byte0(d), Byte0(i), Byte0(m)), MaskChannel(Byte1(d), Byte1(i), Byte1(m)),
                              MaskChannel(Byte2(d), Byte2(i), Byte2(m)), kOpaqueAlpha);
        }
    }
}

} // namespace skin

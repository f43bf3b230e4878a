// Alpha and glyph composition and the keyed copies.
#include "skin/pixels/ComposeOps.h"

#include <algorithm>

#include "skin/pixels/RectClip.h"

namespace skin {
namespace {

constexpr int kFullWeight = 256;
constexpr int kReflectionScale = 1024; // the reflection's weight is divided by this
constexpr int kReflectionStartFade = 255;
constexpr Pixel kAlphaBits = 0xFF000000u;

// ((s - d) * w + d * 256) >> 8.
inline int ComposeChannel(int src, int dst, int weight) { return ((src - dst) * weight + dst * kFullWeight) >> 8; }

inline Pixel ComposePixel(Pixel src, Pixel dst, int weight, int alpha) {
    return MakeValue(ComposeChannel(Byte0(src), Byte0(dst), weight), ComposeChannel(Byte1(src), Byte1(dst), weight),
                     ComposeChannel(Byte2(src), Byte2(dst), weight), alpha);
}

// w = a when t = 0, else (100 - t) * a / 100.
inline int TransparentWeight(int alpha, int transparency) {
    return transparency == 0 ? alpha : (100 - transparency) * alpha / 100;
}

// The source's colour replaced by its grey scaled by the tint: RoundEven(g * c / 255).
inline Pixel TintedPixel(Pixel src, TColor tint) {
    const int gray = (Byte0(src) + Byte1(src) + Byte2(src)) / 3;
    auto channel = [gray](int tintChannel) { return ClampByte(RoundEvenInt(gray * tintChannel / 255.0)); };
    return MakeValue(channel(BlueOf(tint)), channel(GreenOf(tint)), channel(RedOf(tint)), Byte3(src));
}

// The backdrop's pixel under destination point (x, y), if it has one there.
inline const Pixel* BackdropPixelAt(const TsBackdrop& backdrop, int x, int y) {
    const int bx = EdgePlus(x, backdrop.OffsetX), by = EdgePlus(y, backdrop.OffsetY); // beyond any bitmap if saturated
    if (!backdrop.Bitmap->Contains(bx, by))
        return nullptr;
    return &backdrop.Bitmap->Row(by)[bx];
}

// One line of ComposeAlpha: lays source line `from` over destination line dy at columns dx...
void ComposeAlphaLine(Bitmap32& dst, int dx, int dy, std::span<const Pixel> from, const ComposeAlphaOptions& options,
                      bool backdropHasBitmap, int transparency, auto weightOf) {
    auto to = dst.Row(dy).subspan(dx, from.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        Pixel s = from[i];
        if (backdropHasBitmap && s == kKeyPixel) {
            if (options.BackdropUse == UseBackdrop::Yes)
                if (const Pixel* under = BackdropPixelAt(options.Backdrop, dx + int(i), dy))
                    to[i] = *under;
            continue;
        }
        const int weight = weightOf(Byte3(s));
        if (options.Tint != clNone)
            s = TintedPixel(s, options.Tint);
        const Pixel d = to[i];
        const int alpha = transparency == 0 ? std::max(Byte3(d), weight) : Byte3(d);
        to[i] = ComposePixel(s, d, weight, alpha);
    }
}

} // namespace

void ComposeAlpha(Bitmap32& dst, const TRect& dstRect, const Bitmap32& src, const TRect& srcRect,
                  const ComposeAlphaOptions& options) {
    const int transparency = std::clamp(options.Transparency, 0, 100);
    const bool backdropHasBitmap = options.Backdrop.UsableBitmap();
    const BlitArea block = ClipBlit({dstRect.Left, dstRect.Top, srcRect.Left, srcRect.Top,
                                     std::min(WidthOf(dstRect), WidthOf(srcRect)),
                                     std::min(HeightOf(dstRect), HeightOf(srcRect))},
                                    dst, src);
    if (block.Width <= 0 || block.Height <= 0)
        return;
    auto imageWeight = [transparency](int alpha) { return TransparentWeight(alpha, transparency); };
    for (int row = 0; row < block.Height; ++row)
        ComposeAlphaLine(dst, block.DstX, block.DstY + row, src.Row(block.SrcY + row).subspan(block.SrcX, block.Width),
                         options, backdropHasBitmap, transparency, imageWeight);

    if (options.Reflect != Reflection::Below)
        return;
    // The source's lower half, mirrored under the image and fading out line by line.
    const int dstBottom = block.DstY + block.Height;
    const int srcBottom = block.SrcY + block.Height;
    const int lines = std::min(block.Height / 2, dst.Height() - 1 - dstBottom);
    const int fadeStep = kReflectionStartFade / block.Height;
    int fade = kReflectionStartFade;
    for (int k = 1; k <= lines; ++k, fade -= fadeStep) {
        auto lineWeight = [&](int alpha) {
            int weight = alpha * (lines - k) / lines * fade / kReflectionScale;
            return transparency > 0 ? weight * (100 - transparency) / 100 : weight;
        };
        ComposeAlphaLine(dst, block.DstX, dstBottom + k, src.Row(srcBottom - 1 - k).subspan(block.SrcX, block.Width),
                         options, backdropHasBitmap, transparency, lineWeight);
    }
}

void ComposeGlyph(const TRect& dstRect, const TRect& srcRect, Bitmap32& dst, UseBackdrop use,
                  const TsBackdrop& backdrop, const Bitmap32& src) {
    if (src.Empty())
        return;
    const bool backdropHasBitmap = backdrop.UsableBitmap();
    const BlitArea block = ClipBlit({dstRect.Left, dstRect.Top, srcRect.Left, srcRect.Top,
                                     std::min(WidthOf(dstRect), WidthOf(srcRect)),
                                     std::min(HeightOf(dstRect), HeightOf(srcRect))},
                                    dst, src);
    for (int row = 0; row < block.Height; ++row) {
        const int dy = block.DstY + row;
        auto to = dst.Row(dy).subspan(block.DstX, block.Width);
        auto from = src.Row(block.SrcY + row).subspan(block.SrcX, block.Width);
        for (int i = 0; i < block.Width; ++i) {
            const Pixel s = from[i];
            if (backdropHasBitmap && s == kKeyPixel) {
                if (use == UseBackdrop::Yes)
                    if (const Pixel* under = BackdropPixelAt(backdrop, block.DstX + i, dy))
                        to[i] = *under | kAlphaBits;
                continue;
            }
            const Pixel d = to[i];
            const int sourceAlpha = Byte3(s);
            int alpha = Byte3(d);
            if (sourceAlpha != 0)
                alpha += (255 - alpha) * sourceAlpha / 255;
            to[i] = ComposePixel(s, d, sourceAlpha, alpha);
        }
    }
}

void CopyKeyed(Bitmap32& dst, int x, int y, const Bitmap32& src, const TRect& inclusiveSrcRect, Pixel key,
               const TsBackdrop& backdrop, UseBackdrop use) {
    const TRect from = IntersectRects(InclusiveToExclusive(inclusiveSrcRect), RectOf(src));
    const BlitArea block = ClipBlit({x, y, from.Left, from.Top, WidthOf(from), HeightOf(from)}, dst, src);
    const bool backdropHasBitmap = backdrop.UsableBitmap();
    const Pixel forcedAlpha = backdrop.Bitmap == &dst ? kAlphaBits : 0;
    const Pixel fillPixel = PixelOfColor(backdrop.FillColor) & 0x00FFFFFFu;
    for (int row = 0; row < block.Height; ++row) {
        const int dy = block.DstY + row;
        auto to = dst.Row(dy).subspan(block.DstX, block.Width);
        auto source = src.Row(block.SrcY + row).subspan(block.SrcX, block.Width);
        for (int i = 0; i < block.Width; ++i) {
            const Pixel s = source[i];
            if (key == kNoKey || s != key) {
                to[i] = s | forcedAlpha;
            } else if (!backdropHasBitmap) {
                to[i] = fillPixel;
            } else if (use == UseBackdrop::Yes) {
                if (const Pixel* under = BackdropPixelAt(backdrop, block.DstX + i, dy))
                    to[i] = *under;
            }
        }
    }
}

void CopyKeyedOpaque(Bitmap32& dst, int x, int y, const Bitmap32& src, const TRect& inclusiveSrcRect, Pixel key) {
    const TRect from = IntersectRects(InclusiveToExclusive(inclusiveSrcRect), RectOf(src));
    const BlitArea block = ClipBlit({x, y, from.Left, from.Top, WidthOf(from), HeightOf(from)}, dst, src);
    for (int row = 0; row < block.Height; ++row) {
        auto to = dst.Row(block.DstY + row).subspan(block.DstX, block.Width);
        auto source = src.Row(block.SrcY + row).subspan(block.SrcX, block.Width);
        for (int i = 0; i < block.Width; ++i)
            if (key == kNoKey || source[i] != key)
                to[i] = source[i] | kAlphaBits;
    }
}

} // namespace skin

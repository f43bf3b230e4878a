// Weighted, keyed and masked mixing of two bitmaps.
#include "skin/pixels/BlendOps.h"

#include <algorithm>

#include "skin/pixels/CpuFeatures.h"
#include "skin/pixels/RectClip.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TOVRIN_HAVE_X86 1
#endif

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

void BlendRowPortable(std::span<Pixel> dst, std::span<const Pixel> src, int weight) {
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

#ifdef TOVRIN_HAVE_X86
// Eight pixels at a time in 16-bit lanes: w * d + (256 - w) * s is at most 65280, so the low
// 16 bits of each product and sum are the whole value.
__attribute__((target("avx2"))) std::size_t BlendRowAvx2(Pixel* d, const Pixel* s, std::size_t count, int weight) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i dstWeight = _mm256_set1_epi16(short(weight));
    const __m256i srcWeight = _mm256_set1_epi16(short(kFullWeight - weight));
    const __m256i alphaBytes = _mm256_set1_epi32(int(0xFF000000u));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
        const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i low = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(dv, zero), dstWeight),
                             _mm256_mullo_epi16(_mm256_unpacklo_epi8(sv, zero), srcWeight)), 8);
        const __m256i high = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(dv, zero), dstWeight),
                             _mm256_mullo_epi16(_mm256_unpackhi_epi8(sv, zero), srcWeight)), 8);
        const __m256i blended = _mm256_packus_epi16(low, high);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_blendv_epi8(blended, dv, alphaBytes));
    }
    return i;
}

#endif

void BlendRow(std::span<Pixel> dst, std::span<const Pixel> src, int weight) {
    std::size_t done = 0;
#ifdef TOVRIN_HAVE_X86
    if (Avx2Available())
        done = BlendRowAvx2(dst.data(), src.data(), std::min(dst.size(), src.size()), weight);
#endif
    if (done < dst.size() && done < src.size())
        BlendRowPortable(dst.subspan(done), src.subspan(done), weight);
}

void BlendBitmaps(Bitmap32& dst, const Bitmap32& src, int weight, TPoint dstPoint, const TRect& srcRect) {
    weight = std::clamp(weight, 0, 255);
    TRect from = srcRect;
    // Bottom is cut to the last row and then taken inclusively.
    from.Right = std::min(from.Right, src.Width());
    from.Bottom = std::min(from.Bottom, src.Height() - 1);
    BlitArea block = ClipBlit({dstPoint.X, dstPoint.Y, from.Left, from.Top, from.Right - from.Left,
                               from.Bottom - from.Top + 1},
                              dst, src);
    for (int row = 0; row < block.Height; ++row)
        BlendRow(dst.Row(block.DstY + row).subspan(block.DstX, block.Width),
                 src.Row(block.SrcY + row).subspan(block.SrcX, block.Width), weight);
}

void SumBitmaps(Bitmap32& dst, const Bitmap32& src, int weight) {
    if (dst.Width() != src.Width() || dst.Height() != src.Height())
        return;
    weight = std::clamp(weight, 0, 255);
    for (int y = 0; y < dst.Height(); ++y)
        BlendRow(dst.Row(y), src.Row(y), weight);
}

void BlendKeyed(Bitmap32& dst, int x, int y, Pixel key, double fraction, const TRect& srcRect, const Bitmap32& src) {
    BlitArea block = ClipBlit({x, y, srcRect.Left, srcRect.Top, WidthOf(srcRect), HeightOf(srcRect)}, dst, src);
    for (int row = 0; row < block.Height; ++row) {
        auto to = dst.Row(block.DstY + row).subspan(block.DstX, block.Width);
        auto from = src.Row(block.SrcY + row).subspan(block.SrcX, block.Width);
        for (int i = 0; i < block.Width; ++i) {
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

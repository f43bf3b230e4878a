// The skin merge of one row: the plain form, and eight pixels at a time with AVX2.
#include "skin/render/sMaskMergeRow.h"

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/CpuFeatures.h"
#include "skin/pixels/SkinTypes.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TOVRIN_HAVE_X86 1
#endif

namespace skin {
namespace {

constexpr Pixel kAlphaByte = 0xFF000000u;

// (d * m + i * (256 - m)) >> 8: m / 256 of the destination stays.
inline int SkinMergeChannel(int d, int i, int m) { return (d * m + i * (256 - m)) >> 8; }

#ifdef TOVRIN_HAVE_X86
// In 16-bit lanes d * m + i * (256 - m) is at most 255 * 256 = 65280, so the low 16 bits of
// each product and of their sum are the whole value and the logical shift gives the channel.
__attribute__((target("avx2"))) inline __m256i MergeLanes(__m256i d16, __m256i i16, __m256i m16) {
    const __m256i full = _mm256_set1_epi16(256);
    return _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(d16, m16), _mm256_mullo_epi16(i16, _mm256_sub_epi16(full, m16))), 8);
}

__attribute__((target("avx2"))) std::size_t MergeSkinRowAvx2(Pixel* d, const Pixel* i, const Pixel* m,
                                                              std::size_t count, const SkinRowRule& rule) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaBytes = _mm256_set1_epi32(int(kAlphaByte));
    const __m256i key = _mm256_set1_epi32(int(kKeyPixel));
    const __m256i keyResult = _mm256_set1_epi32(int(rule.KeyResult));
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + x));
        const __m256i iv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(i + x));
        const __m256i mv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(m + x));
        const __m256i low = MergeLanes(_mm256_unpacklo_epi8(dv, zero), _mm256_unpacklo_epi8(iv, zero),
                                       _mm256_unpacklo_epi8(mv, zero));
        const __m256i high = MergeLanes(_mm256_unpackhi_epi8(dv, zero), _mm256_unpackhi_epi8(iv, zero),
                                        _mm256_unpackhi_epi8(mv, zero));
        __m256i merged = _mm256_packus_epi16(low, high);
        merged = rule.OpaqueAlpha ? _mm256_or_si256(merged, alphaBytes) : _mm256_blendv_epi8(merged, dv, alphaBytes);
        if (rule.KeyPixels != SkinRowRule::Key::Merged) {
            const __m256i isKey = _mm256_cmpeq_epi32(iv, key);
            merged = _mm256_blendv_epi8(merged, rule.KeyPixels == SkinRowRule::Key::Set ? keyResult : dv, isKey);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + x), merged);
    }
    return x;
}
#endif

} // namespace

void MergeSkinRowPlain(Pixel* dst, const Pixel* image, const Pixel* mask, std::size_t count, const SkinRowRule& rule) {
    for (std::size_t x = 0; x < count; ++x) {
        const Pixel d = dst[x], i = image[x], m = mask[x];
        if (i == kKeyPixel && rule.KeyPixels != SkinRowRule::Key::Merged) {
            if (rule.KeyPixels == SkinRowRule::Key::Set)
                dst[x] = rule.KeyResult;
            continue;
        }
        dst[x] = MakeValue(SkinMergeChannel(Byte0(d), Byte0(i), Byte0(m)), SkinMergeChannel(Byte1(d), Byte1(i), Byte1(m)),
                           SkinMergeChannel(Byte2(d), Byte2(i), Byte2(m)), rule.OpaqueAlpha ? kOpaqueAlpha : Byte3(d));
    }
}

void MergeSkinRow(Pixel* dst, const Pixel* image, const Pixel* mask, std::size_t count, const SkinRowRule& rule) {
    std::size_t done = 0;
#ifdef TOVRIN_HAVE_X86
    if (Avx2Available())
        done = MergeSkinRowAvx2(dst, image, mask, count, rule);
#endif
    MergeSkinRowPlain(dst + done, image + done, mask + done, count - done, rule);
}

} // namespace skin

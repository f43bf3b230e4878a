// The passes of the resampler in three forms: plain (one byte at a time), portable (four
// channels as one vector) and AVX2 (two taps or 64 bytes at a time). Integer sums do not
// depend on their order, so all three give the same bytes.
#include "skin/render/ResampleKernels.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TOVRIN_HAVE_X86 1
#endif

namespace skin::resample {
namespace {

constexpr int kFixedShift = 16;
constexpr int kChannels = 4;

inline std::uint8_t FixedToByte(int sum) {
    const int value = sum >> kFixedShift; // floor: a negative sum stays negative and becomes 0
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

inline const std::uint8_t* BytesOf(const Bitmap32& bitmap, int y) {
    return reinterpret_cast<const std::uint8_t*>(bitmap.Row(y).data());
}
inline std::uint8_t* BytesOf(Bitmap32& bitmap, int y) { return reinterpret_cast<std::uint8_t*>(bitmap.Row(y).data()); }

void HorizontalPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    for (int y = 0; y < src.Height(); ++y) {
        const std::uint8_t* from = BytesOf(src, y);
        std::uint8_t* to = BytesOf(out, y);
        for (int x = 0; x < out.Width(); ++x)
            for (int c = 0; c < kChannels; ++c) {
                int sum = 0;
                for (int t = lists.first[x]; t < lists.first[x + 1]; ++t)
                    sum += lists.taps[t].weight * from[lists.taps[t].index * kChannels + c];
                to[x * kChannels + c] = FixedToByte(sum);
            }
    }
}

void VerticalPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    for (int y = 0; y < out.Height(); ++y) {
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < out.Width() * kChannels; ++k) {
            int sum = 0;
            for (int t = lists.first[y]; t < lists.first[y + 1]; ++t)
                sum += lists.taps[t].weight * BytesOf(src, lists.taps[t].index)[k];
            to[k] = FixedToByte(sum);
        }
    }
}

using Lanes = std::int32_t __attribute__((vector_size(16)));

inline Lanes Unpack(Pixel p) {
    return Lanes{std::int32_t(p & 0xFF), std::int32_t((p >> 8) & 0xFF), std::int32_t((p >> 16) & 0xFF),
                 std::int32_t(p >> 24)};
}
inline Pixel Pack(Lanes sum) {
    return Pixel(FixedToByte(sum[0])) | Pixel(FixedToByte(sum[1])) << 8 | Pixel(FixedToByte(sum[2])) << 16 |
           Pixel(FixedToByte(sum[3])) << 24;
}

void HorizontalPortable(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    const Tap* taps = lists.taps.data();
    const int* first = lists.first.data();
    for (int y = 0; y < src.Height(); ++y) {
        const Pixel* from = src.Row(y).data();
        Pixel* to = out.Row(y).data();
        for (int x = 0; x < out.Width(); ++x) {
            Lanes sum{0, 0, 0, 0};
            for (int t = first[x]; t < first[x + 1]; ++t)
                sum += Unpack(from[taps[t].index]) * taps[t].weight;
            to[x] = Pack(sum);
        }
    }
}

void VerticalPortable(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    const int count = out.Width() * kChannels;
    std::vector<std::int32_t> sums(static_cast<std::size_t>(count));
    for (int y = 0; y < out.Height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int t = lists.first[y]; t < lists.first[y + 1]; ++t) {
            const std::uint8_t* bytes = BytesOf(src, lists.taps[t].index);
            const int weight = lists.taps[t].weight;
            for (int k = 0; k < count; ++k)
                sums[k] += weight * bytes[k];
        }
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < count; ++k)
            to[k] = FixedToByte(sums[k]);
    }
}

#ifdef TOVRIN_HAVE_X86

// Four 32-bit sums -> four bytes: shift, then saturating packs clamp to 0..255.
__attribute__((target("avx2"))) inline std::uint32_t PackSums(__m128i sums) {
    const __m128i shifted = _mm_srai_epi32(sums, kFixedShift);
    const __m128i words = _mm_packs_epi32(shifted, shifted);
    return std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

__attribute__((target("avx2"))) void HorizontalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    const Tap* taps = lists.taps.data();
    const int* first = lists.first.data();
    for (int y = 0; y < src.Height(); ++y) {
        const Pixel* from = src.Row(y).data();
        Pixel* to = out.Row(y).data();
        for (int x = 0; x < out.Width(); ++x) {
            __m256i sum = _mm256_setzero_si256();
            // Two taps per step: lanes 0-3 the first pixel's channels, lanes 4-7 the second's.
            for (int t = first[x]; t < first[x + 1]; t += 2) {
                const long long pair = (long long)(std::uint64_t(from[taps[t].index]) |
                                                   std::uint64_t(from[taps[t + 1].index]) << 32);
                const __m256i channels = _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(pair));
                const __m256i weights = _mm256_set_m128i(_mm_set1_epi32(taps[t + 1].weight),
                                                         _mm_set1_epi32(taps[t].weight));
                sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(channels, weights));
            }
            to[x] = PackSums(_mm_add_epi32(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1)));
        }
    }
}

__attribute__((target("avx2"))) void VerticalAvx2(const Bitmap32& src, Bitmap32& out, const WeightLists& lists) {
    constexpr int kBlockBytes = 64; // eight registers of eight 32-bit sums
    const int count = out.Width() * kChannels;
    const int blocked = count - count % kBlockBytes;
    for (int y = 0; y < out.Height(); ++y) {
        const int begin = lists.first[y], end = lists.first[y + 1];
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < blocked; k += kBlockBytes) {
            __m256i sums[8];
            for (__m256i& s : sums)
                s = _mm256_setzero_si256();
            for (int t = begin; t < end; ++t) {
                const std::uint8_t* bytes = BytesOf(src, lists.taps[t].index) + k;
                const __m256i weight = _mm256_set1_epi32(lists.taps[t].weight);
                for (int i = 0; i < 8; ++i) {
                    const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes + 8 * i));
                    sums[i] = _mm256_add_epi32(sums[i], _mm256_mullo_epi32(_mm256_cvtepu8_epi32(eight), weight));
                }
            }
            for (int i = 0; i < 8; i += 2) {
                // Shift, pack two registers to sixteen words, then to sixteen bytes; the packs
                // work per 128-bit half, so the permute restores the order.
                const __m256i a = _mm256_srai_epi32(sums[i], kFixedShift);
                const __m256i b = _mm256_srai_epi32(sums[i + 1], kFixedShift);
                const __m256i words = _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8);
                const __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k + 8 * i), bytes);
            }
        }
        for (int k = blocked; k < count; ++k) {
            int sum = 0;
            for (int t = begin; t < end; ++t)
                sum += lists.taps[t].weight * BytesOf(src, lists.taps[t].index)[k];
            to[k] = FixedToByte(sum);
        }
    }
}

#endif

} // namespace

bool Avx2Available() {
#ifdef TOVRIN_HAVE_X86
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
#else
    return false;
#endif
}

void HorizontalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
#ifdef TOVRIN_HAVE_X86
    if (kernel == Kernel::Avx2 && Avx2Available())
        return HorizontalAvx2(src, out, lists);
#endif
    if (kernel == Kernel::Plain)
        return HorizontalPlain(src, out, lists);
    HorizontalPortable(src, out, lists);
}

void VerticalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
#ifdef TOVRIN_HAVE_X86
    if (kernel == Kernel::Avx2 && Avx2Available())
        return VerticalAvx2(src, out, lists);
#endif
    if (kernel == Kernel::Plain)
        return VerticalPlain(src, out, lists);
    VerticalPortable(src, out, lists);
}

} // namespace skin::resample

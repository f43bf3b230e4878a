// The page decoder: UTF-8 by the decoder's own rules, straight into Windows-1251.
#include "scanner/PageDecoder.h"

#include "framework/Cp1251.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scanner {
namespace {
constexpr unsigned char kFirstLeadByte = 0x80;
constexpr unsigned char kThreeByteBit = 0x20;

constexpr bool IsContinuation(unsigned byte) { return (byte & 0xC0) == 0x80; }

// Windows-1251 byte of every 16-bit character, built once (three-byte sequences).
const std::array<unsigned char, 0x10000>& Cp1251Of() {
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (char32_t code = 0; code < 0x10000; ++code)
            t[code] = framework::UnicodeToCp1251(code);
        return t;
    }();
    return table;
}

// Two-byte sequences looked up by their two bytes at once (lead | second << 8): the
// Windows-1251 byte, or kNotAPair when the second byte is no continuation byte.
constexpr std::uint16_t kNotAPair = 0x100;
const std::array<std::uint16_t, 0x10000>& PairTable() {
    static const auto table = [] {
        std::array<std::uint16_t, 0x10000> t;
        t.fill(kNotAPair);
        for (unsigned lead = kFirstLeadByte; lead < 0x100; ++lead) {
            if (lead & kThreeByteBit)
                continue;
            for (unsigned second = 0x80; second < 0xC0; ++second)
                t[lead | second << 8] = framework::UnicodeToCp1251(((lead & 0x1F) << 6) | (second & 0x3F));
        }
        return t;
    }();
    return table;
}

// Decodes the sequence (or single character) at in; false when the text is broken.
inline bool DecodeOne(const unsigned char*& in, const unsigned char* end, char*& dst) {
    unsigned lead = in[0];
    if (lead < kFirstLeadByte) {
        *dst++ = static_cast<char>(lead);
        ++in;
        return true;
    }
    if (!(lead & kThreeByteBit)) {
        if (end - in < 2)
            return false;
        unsigned byte = PairTable()[lead | static_cast<unsigned>(in[1]) << 8];
        if (byte == kNotAPair)
            return false;
        *dst++ = static_cast<char>(byte);
        in += 2;
        return true;
    }
    if (end - in < 3 || !IsContinuation(in[1]) || !IsContinuation(in[2]))
        return false;
    *dst++ = static_cast<char>(Cp1251Of()[((lead & 0x0F) << 12) | ((in[1] & 0x3Fu) << 6) | (in[2] & 0x3Fu)]);
    in += 3;
    return true;
}

#if defined(__SSE2__)
constexpr std::ptrdiff_t kBlock = 16;

// Sixteen bytes at a time: a run of ASCII is copied as it is; a run of the letters А..я
// (D0 90..D0 BF, D1 80..D1 8F) becomes their Windows-1251 bytes, which are the second bytes
// plus 0x30 and 0x70. Anything else goes through DecodeOne.
bool DecodeBlocks(const unsigned char*& in, const unsigned char* end, char*& dst) {
    const __m128i lowByte = _mm_set1_epi16(0x00FF);
    const __m128i leadD0 = _mm_set1_epi16(0xD0), leadD1 = _mm_set1_epi16(0xD1);
    const __m128i below90 = _mm_set1_epi16(0x8F), belowC0 = _mm_set1_epi16(0xC0);
    const __m128i below80 = _mm_set1_epi16(0x7F), above8F = _mm_set1_epi16(0x90);
    const __m128i plus30 = _mm_set1_epi16(0x30), plus70 = _mm_set1_epi16(0x70);
    while (end - in >= kBlock) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        unsigned high = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        if (!(high & 1)) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), bytes);
            std::ptrdiff_t ascii = high ? std::countr_zero(high) : kBlock;
            in += ascii;
            dst += ascii;
            continue;
        }
        __m128i lead = _mm_and_si128(bytes, lowByte);
        __m128i second = _mm_srli_epi16(bytes, 8);
        __m128i upperHalf = _mm_and_si128(_mm_cmpeq_epi16(lead, leadD0),
                                          _mm_and_si128(_mm_cmpgt_epi16(second, below90), _mm_cmplt_epi16(second, belowC0)));
        __m128i lowerHalf = _mm_and_si128(_mm_cmpeq_epi16(lead, leadD1),
                                          _mm_and_si128(_mm_cmpgt_epi16(second, below80), _mm_cmplt_epi16(second, above8F)));
        unsigned letterBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(upperHalf, lowerHalf)));
        std::ptrdiff_t letters = std::countr_one(letterBits) / 2;
        if (letters == 0) {
            if (!DecodeOne(in, end, dst))
                return false;
            continue;
        }
        __m128i offset = _mm_or_si128(_mm_and_si128(upperHalf, plus30), _mm_and_si128(lowerHalf, plus70));
        __m128i decoded = _mm_packus_epi16(_mm_add_epi16(second, offset), _mm_setzero_si128());
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), decoded);
        in += 2 * letters;
        dst += letters;
    }
    return true;
}
#endif

enum class DecodePath { Blocks, OneByOne };

std::string Decode(std::string_view body, DecodePath path) {
    std::string out;
    out.resize(body.size());
    // Plain pointers: stores through char may alias anything, so members would be reloaded.
    const unsigned char* in = reinterpret_cast<const unsigned char*>(body.data());
    const unsigned char* const end = in + body.size();
    char* const first = out.data();
    char* dst = first; // never ahead of in, so whole-block stores stay inside out
#if defined(__SSE2__)
    if (path == DecodePath::Blocks && !DecodeBlocks(in, end, dst))
        return {};
#endif
    while (in < end)
        if (!DecodeOne(in, end, dst))
            return {};
    out.resize(static_cast<std::size_t>(dst - first));
    return out;
}

} // namespace

std::string DecodePage(std::string_view body) { return Decode(body, DecodePath::Blocks); }

std::string DecodePageOneByOne(std::string_view body) { return Decode(body, DecodePath::OneByOne); }

} // namespace scanner

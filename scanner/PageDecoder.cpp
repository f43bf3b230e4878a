// The page decoder: UTF-8 by the decoder's own rules, straight into Windows-1251, and a second
// reading that mends what those rules cannot read.
#include "scanner/PageDecoder.h"

#include "framework/base/Cp1251.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace scanner {
namespace {
constexpr unsigned char kFirstLeadByte = 0x80;
constexpr unsigned char kThreeByteBit = 0x20;
constexpr unsigned char kFourByteLeadMask = 0xF8; // leads 11110xxx
constexpr unsigned char kFourByteLead = 0xF0;
constexpr char kReplacement = '?';

constexpr bool IsContinuation(unsigned byte) { return (byte & 0xC0) == 0x80; }

// The Windows-1251 byte of a 16-bit character (three-byte sequences), each converted once when
// first met: a page holds a few kinds of them, and converting all 65536 ahead took milliseconds.
// The table holds the byte plus one (0: not converted yet); pages may be decoded on several
// threads, which at worst convert a character twice to the same byte.
unsigned char Cp1251Of(unsigned code) {
    static std::array<std::atomic<std::uint16_t>, 0x10000> known{};
    std::uint16_t entry = known[code].load(std::memory_order_relaxed);
    if (entry == 0) {
        entry = static_cast<std::uint16_t>(framework::UnicodeToCp1251(code) + 1);
        known[code].store(entry, std::memory_order_relaxed);
    }
    return static_cast<unsigned char>(entry - 1);
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
    *dst++ = static_cast<char>(Cp1251Of(((lead & 0x0F) << 12) | ((in[1] & 0x3Fu) << 6) | (in[2] & 0x3Fu)));
    in += 3;
    return true;
}

// The step of the second reading, for bodies the rules cannot read through: a four-byte sequence
// is one character that Windows-1251 lacks, a broken one is replaced with its lead and the
// continuation bytes it had; everything else is read by the rules.
void DecodeOneMending(const unsigned char*& in, const unsigned char* end, char*& dst) {
    const unsigned lead = in[0];
    if ((lead & kFourByteLeadMask) == kFourByteLead && end - in >= 4 && IsContinuation(in[1]) && IsContinuation(in[2]) &&
        IsContinuation(in[3])) {
        *dst++ = kReplacement;
        in += 4;
        return;
    }
    if (DecodeOne(in, end, dst))
        return;
    const std::ptrdiff_t length = (lead & kThreeByteBit) ? 3 : 2;
    std::ptrdiff_t taken = 1;
    while (taken < length && taken < end - in && IsContinuation(in[taken]))
        ++taken;
    *dst++ = kReplacement;
    in += taken;
}

#if defined(__x86_64__) || defined(__i386__)
// The vector path takes 32 bytes at a time with AVX2; processors without it decode one
// sequence at a time.
#define TOVRIN_DECODE_BLOCKS 1
constexpr std::ptrdiff_t kBlock = 32;
using BlockMask = std::uint64_t; // one bit per byte of a block, and one more for what follows it
constexpr BlockMask kBlockBits = (BlockMask{1} << kBlock) - 1;
constexpr BlockMask kLastPosition = BlockMask{1} << (kBlock - 1);

#define TOVRIN_AVX2 __attribute__((target("avx2")))

TOVRIN_AVX2 inline __m256i Splat(unsigned byte) { return _mm256_set1_epi8(static_cast<char>(byte)); }
TOVRIN_AVX2 inline BlockMask MaskOf(__m256i flags) { return static_cast<std::uint32_t>(_mm256_movemask_epi8(flags)); }

// What a block's bytes are, by their top bits: 0x80..0xBF continuation bytes (10), leads of two
// (110) and of three (111).
struct BlockBytes {
    BlockMask continuation = 0;
    BlockMask threeByteLeads = 0;
    BlockMask pairedLeads = 0;  // leads before the last position
    std::ptrdiff_t length = 0;  // the bytes the block covers: a lead in the last position waits for the next

    // ASCII and well-formed two-byte sequences only: every lead C0..DF followed by its
    // continuation byte, no stray continuation byte, no three-byte lead.
    bool OnlyPairs() const { return !threeByteLeads && !(continuation & 1) && continuation == (pairedLeads << 1); }
};

TOVRIN_AVX2 inline BlockBytes Classify(__m256i bytes, BlockMask high) {
    BlockBytes b;
    b.continuation = MaskOf(_mm256_cmpeq_epi8(_mm256_and_si256(bytes, Splat(0xC0)), Splat(0x80)));
    b.threeByteLeads = MaskOf(_mm256_cmpeq_epi8(_mm256_and_si256(bytes, Splat(0xE0)), Splat(0xE0)));
    const BlockMask leads = high & ~b.continuation;
    b.length = (leads & kLastPosition) ? kBlock - 1 : kBlock;
    b.pairedLeads = leads & (kLastPosition - 1);
    return b;
}

// A block that is OnlyPairs, byte by byte without a branch on the kind of byte: a lead gives
// its pair's character, ASCII itself, a continuation nothing.
inline void DecodePairs(const unsigned char* in, const BlockBytes& b, char*& dst) {
    const std::uint16_t* pairs = PairTable().data();
    std::ptrdiff_t written = 0;
    for (std::ptrdiff_t k = 0; k < b.length; ++k) {
        unsigned byte = in[k];
        unsigned decoded = byte < kFirstLeadByte ? byte : pairs[byte | static_cast<unsigned>(in[k + 1]) << 8];
        dst[written] = static_cast<char>(decoded);
        written += !((b.continuation >> k) & 1);
    }
    dst += written;
}

// The byte positions of the set bits of every 8-bit mask, in order (0x80: none, which a shuffle
// turns into a zero byte), and their count: a shuffle packs the bytes a mask keeps.
struct PackTable {
    std::array<std::array<std::uint8_t, 8>, 256> positions{};
    std::array<std::uint8_t, 256> count{};
};
constexpr PackTable kPack = [] {
    PackTable t;
    for (unsigned mask = 0; mask < 256; ++mask) {
        unsigned k = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if ((mask >> bit) & 1)
                t.positions[mask][k++] = static_cast<std::uint8_t>(bit);
        t.count[mask] = static_cast<std::uint8_t>(k);
        for (; k < 8; ++k)
            t.positions[mask][k] = 0x80;
    }
    return t;
}();

// Eight bytes of sixteen (the first eight, or the last with shift), packed to the ones keep
// names, stored at dst. Eight bytes are stored each time; dst never runs ahead of in, so they
// stay inside the output.
TOVRIN_AVX2 inline void PackEight(__m128i sixteen, unsigned keep, char*& dst) {
    const __m128i positions = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kPack.positions[keep].data()));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(sixteen, positions));
    dst += kPack.count[keep];
}

// Russian text is letters А..я, Ё and ё: the pairs D0 90..BF (А..п, C0..EF), D1 80..8F (р..я,
// F0..FF), D0 81 (Ё, A8) and D1 91 (ё, B8), each its second byte plus a fixed amount. A block of
// ASCII and such pairs only is decoded in the vector registers: each lead becomes its letter, and
// a shuffle per eight bytes drops the second bytes. False (nothing written) when the block holds
// anything else.
// Bytes x in [low, low + span], unsigned: x - low, wrapped, is at most span.
TOVRIN_AVX2 inline __m256i Within(__m256i x, __m256i low, __m256i span) {
    const __m256i offset = _mm256_sub_epi8(x, low);
    return _mm256_cmpeq_epi8(_mm256_min_epu8(offset, span), offset);
}

struct RussianLetters {
    __m256i leadD0, leadD1, firstHalfLow, firstHalfSpan, secondHalfLow, secondHalfSpan, yoD0, yoD1;
    __m256i firstHalfAmount, secondHalfAmount, yoAmount;
};

TOVRIN_AVX2 inline RussianLetters MakeRussianLetters() {
    return {Splat(0xD0), Splat(0xD1), Splat(0x90), Splat(0x2F), Splat(0x80), Splat(0x0F),
            Splat(0x81), Splat(0x91), Splat(0x30), Splat(0x70), Splat(0x27)};
}

TOVRIN_AVX2 inline bool DecodeRussianLetters(const RussianLetters& r, __m256i bytes, BlockMask high,
                                             const unsigned char* in, char*& dst, std::ptrdiff_t& length) {
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 1));
    const __m256i leadD0 = _mm256_cmpeq_epi8(bytes, r.leadD0);
    const __m256i leadD1 = _mm256_cmpeq_epi8(bytes, r.leadD1);
    const __m256i firstHalf = _mm256_and_si256(leadD0, Within(next, r.firstHalfLow, r.firstHalfSpan));
    const __m256i secondHalf = _mm256_and_si256(leadD1, Within(next, r.secondHalfLow, r.secondHalfSpan));
    const __m256i yo = _mm256_or_si256(_mm256_and_si256(leadD0, _mm256_cmpeq_epi8(next, r.yoD0)),
                                       _mm256_and_si256(leadD1, _mm256_cmpeq_epi8(next, r.yoD1)));
    const __m256i letters = _mm256_or_si256(_mm256_or_si256(firstHalf, secondHalf), yo);
    // Every byte of 0x80 or more must be a letter's lead or its second byte (a second byte is
    // never a lead: it lies in 0x80..0xBF). A lead in the last position waits for the next block.
    const BlockMask leads = MaskOf(letters);
    if (((leads | leads << 1) & kBlockBits) != high)
        return false;
    length = (leads & kLastPosition) ? kBlock - 1 : kBlock;
    const __m256i amount = _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(firstHalf, r.firstHalfAmount),
                                                           _mm256_and_si256(secondHalf, r.secondHalfAmount)),
                                           _mm256_and_si256(yo, r.yoAmount));
    const __m256i decoded = _mm256_blendv_epi8(bytes, _mm256_add_epi8(next, amount), letters);
    const BlockMask keep = ~(leads << 1) & (length == kBlock ? kBlockBits : kLastPosition - 1);
    const __m128i low = _mm256_castsi256_si128(decoded), high16 = _mm256_extracti128_si256(decoded, 1);
    PackEight(low, unsigned(keep & 0xFF), dst);
    PackEight(_mm_srli_si128(low, 8), unsigned((keep >> 8) & 0xFF), dst);
    PackEight(high16, unsigned((keep >> 16) & 0xFF), dst);
    PackEight(_mm_srli_si128(high16, 8), unsigned((keep >> 24) & 0xFF), dst);
    return true;
}

// Thirty-two bytes at a time while a byte of look-ahead remains. An all-ASCII block is copied as
// it is, a block of ASCII and Russian letters decoded in the vector registers, one of ASCII and
// other pairs through DecodePairs. Anything else goes through DecodeOne, which applies the rules
// to the letter.
TOVRIN_AVX2 bool DecodeBlocks(const unsigned char*& from, const unsigned char* end, char*& to) {
    // Local copies: stores through char may alias anything, so the callers' would be reloaded.
    const unsigned char* in = from;
    char* dst = to;
    const RussianLetters russian = MakeRussianLetters();
    bool readable = true;
    while (end - in > kBlock) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
        const BlockMask high = MaskOf(bytes);
        if (high == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), bytes);
            in += kBlock;
            dst += kBlock;
            continue;
        }
        std::ptrdiff_t length = 0;
        if (DecodeRussianLetters(russian, bytes, high, in, dst, length)) {
            in += length;
            continue;
        }
        const BlockBytes b = Classify(bytes, high);
        if (!b.OnlyPairs()) {
            if (!DecodeOne(in, end, dst)) {
                readable = false;
                break;
            }
            continue;
        }
        DecodePairs(in, b, dst);
        in += b.length;
    }
    from = in;
    to = dst;
    return readable;
}

bool HasAvx2() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
#endif

enum class DecodePath { Blocks, OneByOne };
enum class Reading { ByTheRules, Mending };

// Reading ByTheRules gives nothing when the rules cannot read body through; Mending always
// gives a text and goes one sequence at a time (such bodies are rare).
std::optional<std::string> Read(std::string_view body, DecodePath path, Reading reading) {
    std::string out;
    out.resize(body.size());
    // Plain pointers: stores through char may alias anything, so members would be reloaded.
    const unsigned char* in = reinterpret_cast<const unsigned char*>(body.data());
    const unsigned char* const end = in + body.size();
    char* const first = out.data();
    char* dst = first; // never ahead of in, so whole-block stores stay inside out
    if (reading == Reading::Mending) {
        while (in < end)
            DecodeOneMending(in, end, dst);
    } else {
#if defined(TOVRIN_DECODE_BLOCKS)
        if (path == DecodePath::Blocks && HasAvx2() && !DecodeBlocks(in, end, dst))
            return std::nullopt;
#endif
        while (in < end)
            if (!DecodeOne(in, end, dst))
                return std::nullopt;
    }
    out.resize(static_cast<std::size_t>(dst - first));
    return out;
}

std::string Decode(std::string_view body, DecodePath path) {
    std::optional<std::string> decoded = Read(body, path, Reading::ByTheRules);
    if (!decoded)
        decoded = Read(body, path, Reading::Mending);
    return std::move(*decoded);
}

} // namespace

std::string DecodePage(std::string_view body) { return Decode(body, DecodePath::Blocks); }

std::string DecodePageOneByOne(std::string_view body) { return Decode(body, DecodePath::OneByOne); }

} // namespace scanner

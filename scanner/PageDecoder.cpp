// The page decoder: UTF-8 by the decoder's own rules, straight into Windows-1251, and a second
// reading that mends what those rules cannot read.
#include "scanner/PageDecoder.h"

#include "framework/base/Cp1251.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scanner {
namespace {
constexpr unsigned char kFirstLeadByte = 0x80;
constexpr unsigned char kThreeByteBit = 0x20;
constexpr unsigned char kFourByteLeadMask = 0xF8; // leads 11110xxx
constexpr unsigned char kFourByteLead = 0xF0;
constexpr char kReplacement = '?';

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

#if defined(__SSE2__)
constexpr std::ptrdiff_t kBlock = 16;

// Sixteen bytes at a time. An all-ASCII block is copied as it is. A block of ASCII and
// well-formed two-byte sequences (every lead C0..DF followed by its continuation byte, no
// stray continuation byte, no three-byte lead) is decoded byte by byte without a branch on
// the kind of byte: a lead gives its pair's character, ASCII itself, a continuation nothing.
// Anything else goes through DecodeOne, which applies the rules to the letter.
bool DecodeBlocks(const unsigned char*& in, const unsigned char* end, char*& dst) {
    const std::uint16_t* pairs = PairTable().data();
    const __m128i continuationTop = _mm_set1_epi8(static_cast<char>(0xC0));
    const __m128i threeByteTop = _mm_set1_epi8(static_cast<char>(0xE0));
    constexpr unsigned kLastPosition = 1u << (kBlock - 1);
    while (end - in > kBlock) { // one byte of look-ahead for a lead in the last position
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        unsigned high = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        if (high == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), bytes);
            in += kBlock;
            dst += kBlock;
            continue;
        }
        // Bytes 0x80..0xBF have top bits 10, leads of two 110, leads of three 111.
        __m128i top2 = _mm_and_si128(bytes, continuationTop);
        unsigned continuation = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(top2, _mm_set1_epi8(static_cast<char>(0x80)))));
        unsigned threeByteLeads = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(bytes, threeByteTop), threeByteTop)));
        unsigned leads = high & ~continuation;
        std::ptrdiff_t length = (leads & kLastPosition) ? kBlock - 1 : kBlock; // the last lead waits for the next block
        unsigned pairedLeads = leads & (kLastPosition - 1);
        if (threeByteLeads || (continuation & 1) || continuation != (pairedLeads << 1)) {
            if (!DecodeOne(in, end, dst))
                return false;
            continue;
        }
        std::ptrdiff_t written = 0;
        for (std::ptrdiff_t k = 0; k < length; ++k) {
            unsigned byte = in[k];
            unsigned decoded = byte < kFirstLeadByte ? byte : pairs[byte | static_cast<unsigned>(in[k + 1]) << 8];
            dst[written] = static_cast<char>(decoded);
            written += !((continuation >> k) & 1);
        }
        in += length;
        dst += written;
    }
    return true;
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
#if defined(__SSE2__)
        if (path == DecodePath::Blocks && !DecodeBlocks(in, end, dst))
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

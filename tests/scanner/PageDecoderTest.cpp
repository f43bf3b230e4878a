// DecodePage's own UTF-8 rules, the second reading of bodies they cannot read through, and the
// Windows-1251 code page with its best fit.
#include "framework/base/Cp1251.h"
#include "scanner/PageDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scanner {
namespace {

using framework::Utf8ToCp1251;

struct DecodeCase {
    const char* what;
    std::string body;
    std::string expected; // Windows-1251
};

std::string Hex(const std::string& bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", c);
        out += buffer;
    }
    return out;
}

TEST(DecodePage, FollowsTheDecoderRules) {
    const DecodeCase cases[] = {
        {"empty body", "", ""},
        {"ASCII", "abc <a href=\"/1\">", "abc <a href=\"/1\">"},
        {"Cyrillic equals the program's literals", "Скачан 5 раз", Utf8ToCp1251("Скачан 5 раз")},
        {"em dash is 0x97", "404 \xE2\x80\x94 x", "404 \x97 x"},
        {"ё is 0xB8", "удалён", "\xF3\xE4\xE0\xEB\xB8\xED"},
        // What the rules cannot read through costs one '?' per sequence; the rest decodes.
        {"cut two-byte sequence", "abc\xD0", "abc?"},
        {"cut three-byte sequence is one ?", "abc\xE2\x80", "abc?"},
        {"non-continuation follower", "ab\xD0(cd", "ab?(cd"},
        {"three-byte lead broken after one continuation", "\xD0\xB0\xE2\x80\xD0\xB1", "\xE0?\xE1"},
        {"four-byte sequence (emoji)", "ok \xF0\x9F\x98\x80 ok", "ok ? ok"},
        {"four-byte sequence at the very end", "ok\xF0\x9F\x98\x80", "ok?"},
        {"an emoji in a Cyrillic file name", "Договор_аренды\xF0\x9F\x98\x80.v2.zip (4.77 Гб)",
         Utf8ToCp1251("Договор_аренды?.v2.zip (4.77 Гб)")},
        {"stray continuation byte", "a\x80" "b", "a?b"},
        {"stray byte at the very end", "ab\xBF", "ab?"},
        {"a lead before a lead", "\xD0\xD0\xB0", "?\xE0"},
        {"every broken place of one page", "\xD0 x \xF0\x9F\x98\x80 y \xE2\x80", "? x ? y ?"},
        {"a four-byte lead with two continuations reads by the rules", "\xF0\x9F\x98!\xD0", "?!?"},
        // Bodies the rules read through keep what they gave.
        {"four-byte whose fourth byte leads a valid pair survives",
         "\xF0\x9F\x98\x80\x80", std::string("?") + std::string(1, '\0')},
        {"the same, once the page must be mended, is read as one character",
         "\xF0\x9F\x98\x80\x80 \xD0", "?? ?"},
        {"bit 0x20 makes a lone 0xA0 lead a three-byte sequence", "\xA0\x80\x80", std::string(1, '\0')},
        {"0x80 leads a two-byte sequence", "\x80\x81", "\x01"},
        {"overlong two-byte is not rejected", "\xC1\x81", "A"},
        {"lead bits above the mask are ignored", "\xF0\x80\x81", "\x01"},
        {"surrogate half becomes ?", "\xED\xA0\x80", "?"},
        {"best fit: e acute to e", "caf\xC3\xA9", "cafe"},
        {"no best fit: CJK to ?", "\xE4\xB8\xAD", "?"},
        {"euro sign", "\xE2\x82\xAC", "\x88"},
        {"numero sign", "\xE2\x84\x96", "\xB9"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(Hex(DecodePage(c.body)), Hex(c.expected)) << c.what << " [" << Hex(c.body) << "]";
        EXPECT_EQ(Hex(DecodePageOneByOne(c.body)), Hex(c.expected)) << c.what << " [" << Hex(c.body) << "]";
    }
}

// The vector fast path must agree with the one-by-one decoder on any mixture, broken
// sequences and block boundaries included.
TEST(DecodePage, FastPathAgreesWithTheOneByOneDecoder) {
    const std::string pieces[] = {"a", "<div class=\"x\">", " ", "Привет", "мир", "ё", "Ё", "я", "А", "п", "р",
                                  "\xE2\x80\x94", "\xD0\x8F", "\xD1\x9F", "\xC3\xA9", "\xD0", "\x80", "\xF0\x9F\x98\x80"};
    // Every pair of the Cyrillic leads D0 and D1 (the letters have a vector path of their own,
    // the other pairs of the block fall back), and pairs of other leads.
    std::vector<std::string> pairs;
    for (unsigned lead : {0xD0u, 0xD1u, 0xC3u, 0xD2u})
        for (unsigned second = 0x80; second < 0xC0; ++second)
            pairs.push_back({static_cast<char>(lead), static_cast<char>(second)});
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 6000; ++round) {
        std::string body;
        int count = static_cast<int>(next() % 80);
        bool allowBroken = round % 4 == 0;
        bool everyPair = round % 2 == 1;
        for (int i = 0; i < count; ++i) {
            if (everyPair && next() % 3 == 0) {
                body += pairs[(next() >> 16) % pairs.size()]; // the high bits: the low ones of the generator repeat soon
                continue;
            }
            const std::string& piece = pieces[next() % (allowBroken ? std::size(pieces) : std::size(pieces) - 3)];
            body += piece;
        }
        ASSERT_EQ(Hex(DecodePage(body)), Hex(DecodePageOneByOne(body))) << "[" << Hex(body) << "]";
    }
}

TEST(Cp1251, EveryByteRoundTripsThroughUnicode) {
    for (int byte = 0; byte < 256; ++byte) {
        char32_t code = framework::Cp1251ToUnicode(static_cast<unsigned char>(byte));
        EXPECT_EQ(framework::UnicodeToCp1251(code), byte) << "byte " << byte << " code " << static_cast<unsigned>(code);
    }
}

TEST(Cp1251, BestFitAndConversionsForOutput) {
    struct Case {
        char32_t code;
        unsigned char expected;
    };
    const Case cases[] = {
        {U'А', 0xC0}, {U'я', 0xFF}, {U'Ё', 0xA8}, {U'—', 0x97}, {U'–', 0x96}, {U'№', 0xB9}, {U'À', 'A'},
        {U'ß', 's'},  {U'ł', 'l'},  {U'Ž', 'Z'},  {U'×', '?'},  {U'Ａ', 'A'}, {U'€', 0x88}, {0x1F600, '?'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(framework::UnicodeToCp1251(c.code), c.expected) << "U+" << std::hex << static_cast<unsigned>(c.code);
    EXPECT_EQ(framework::Cp1251ToUtf8(Utf8ToCp1251("Файл удалён — №1")), "Файл удалён — №1");
    EXPECT_EQ(Utf8ToCp1251("a\xC3(b"), "a?(b");        // malformed input byte by byte
    EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80!"), "?!"); // a well-formed four-byte character
    EXPECT_EQ(framework::Utf16ToCp1251(u"Я\xD800z"), "\xDF?z");
}

} // namespace
} // namespace scanner

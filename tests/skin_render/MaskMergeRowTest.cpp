// The fast skin-merge row against its plain reference: every key rule and alpha rule, rows of
// every length around the eight-pixel step, pixels that are the key, masks of 0 and 255.
#include <gtest/gtest.h>

#include <vector>

#include "skin/pixels/SkinTypes.h"
#include "skin/render/sMaskMergeRow.h"

namespace skin {
namespace {

struct Noise {
    std::uint32_t state;
    Pixel Next() {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        return state;
    }
};

TEST(MaskMergeRow, FastRowGivesThePlainResultsForEveryRule) {
    using Key = SkinRowRule::Key;
    const SkinRowRule rules[] = {
        {Key::LeftAlone, 0, false}, {Key::LeftAlone, 0, true}, {Key::Merged, 0, false},
        {Key::Merged, 0, true},     {Key::Set, 0x80123456, false}, {Key::Set, 0x00FF00FF, true},
    };
    Noise noise{0x9E3779B9u};
    for (const SkinRowRule& rule : rules) {
        for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 16u, 31u, 64u, 67u}) {
            std::vector<Pixel> dst(length), image(length), mask(length);
            for (std::size_t x = 0; x < length; ++x) {
                dst[x] = noise.Next();
                const Pixel value = noise.Next();
                image[x] = value % 4 == 0 ? kKeyPixel : value;
                const Pixel m = noise.Next();
                mask[x] = m % 5 == 0 ? 0 : m % 5 == 1 ? 0xFFFFFFFF : m; // black, white and anything
            }
            std::vector<Pixel> fast = dst, plain = dst;
            MergeSkinRow(fast.data(), image.data(), mask.data(), length, rule);
            MergeSkinRowPlain(plain.data(), image.data(), mask.data(), length, rule);
            ASSERT_EQ(fast, plain) << "key rule " << int(rule.KeyPixels) << ", opaque " << rule.OpaqueAlpha
                                   << ", length " << length;
        }
    }
}

TEST(MaskMergeRow, PlainRowFollowsTheFormula) {
    // d := (d * m + i * (256 - m)) >> 8 per channel; a white mask keeps almost all of d.
    Pixel dst[] = {0x80102030, 0x80102030, 0x11223344};
    const Pixel image[] = {0xFFF0E0D0, kKeyPixel, 0xFFFFFFFF};
    const Pixel mask[] = {0xFF000000, 0xFF808080, 0xFFFFFFFF};
    MergeSkinRowPlain(dst, image, mask, 3, {SkinRowRule::Key::LeftAlone, 0, false});
    EXPECT_EQ(dst[0], 0x80F0E0D0u);
    EXPECT_EQ(dst[1], 0x80102030u);
    EXPECT_EQ(dst[2], 0x11223344u); // ((d + 1) * 255) >> 8 is d for every channel here
}

} // namespace
} // namespace skin

// The stretch cache gives what the resampler gives, and never a slice of other pixels.
#include <gtest/gtest.h>

#include "skin/render/sStretchCache.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::NoiseBitmap;

Bitmap32 Resampled(const Bitmap32& slice, int width, int height, ResampleFilter filter) {
    Bitmap32 out;
    ResampleBitmap(slice, out, width, filter, height);
    return out;
}

TEST(StretchCache, GivesTheResamplersPixelsForEverySliceSizeAndFilter) {
    ClearStretchCache();
    Bitmap32 slice = NoiseBitmap(6, 5, 7);
    const Bitmap32* first = CachedStretch(slice, 40, 30, ResampleFilter::Mitchell);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, Resampled(slice, 40, 30, ResampleFilter::Mitchell));
    EXPECT_EQ(CachedStretch(slice, 40, 30, ResampleFilter::Mitchell), first) << "the same slice again";

    // One pixel changed, another size, another filter: each is stretched anew.
    slice.At(3, 2) ^= 0x00FFFFFF;
    struct Ask {
        int width, height;
        ResampleFilter filter;
    };
    for (const Ask& ask : {Ask{40, 30, ResampleFilter::Mitchell}, Ask{41, 30, ResampleFilter::Mitchell},
                           Ask{40, 30, ResampleFilter::Hermite}})
        EXPECT_EQ(*CachedStretch(slice, ask.width, ask.height, ask.filter),
                  Resampled(slice, ask.width, ask.height, ask.filter))
            << ask.width << " x " << ask.height;

    // An image and its mask picture of the largest size cached are both valid after the pair;
    // an evicted slice comes back stretched anew.
    const Bitmap32 big = NoiseBitmap(4, 4, 1);
    const Bitmap32* image = CachedStretch(big, 1024, 1024, ResampleFilter::Mitchell);
    CachedStretch(NoiseBitmap(4, 4, 2), 1024, 1024, ResampleFilter::Hermite);
    EXPECT_EQ(*image, Resampled(big, 1024, 1024, ResampleFilter::Mitchell));
    for (std::uint32_t seed = 3; seed < 12; ++seed)
        CachedStretch(NoiseBitmap(4, 4, seed), 20, 20, ResampleFilter::Mitchell);
    EXPECT_EQ(*CachedStretch(big, 1024, 1024, ResampleFilter::Mitchell),
              Resampled(big, 1024, 1024, ResampleFilter::Mitchell));
}

} // namespace
} // namespace skin

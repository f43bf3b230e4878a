// ResampleUniform against ResampleBitmap (and its plain reference) for sources of one colour:
// every filter, enlarging and shrinking each way, the same size, colours whose channels hit the
// clamps at 0 and 255.
#include <gtest/gtest.h>

#include "skin/pixels/Resample.h"

namespace skin {
namespace {

TEST(ResampleUniform, GivesResampleBitmapsPixelsForSourcesOfOneColour) {
    struct Size {
        int width, height;
    };
    const Size sources[] = {{2, 2}, {24, 24}, {3, 17}, {40, 5}};
    const Size targets[] = {{475, 339}, {1, 1}, {7, 30}, {24, 24}, {2, 9}, {61, 2}};
    for (ResampleFilter filter : {ResampleFilter::Triangle, ResampleFilter::Hermite, ResampleFilter::Mitchell})
        for (Pixel value : {0x00000000u, 0xFFFFFFFFu, 0x40404040u, 0x80FF00FFu, 0x01FE7F80u})
            for (const Size& from : sources)
                for (const Size& to : targets) {
                    Bitmap32 source(from.width, from.height), fast, plain;
                    source.Fill(value);
                    ResampleBitmap(source, fast, to.width, filter, to.height);
                    ResampleBitmapReference(source, plain, to.width, filter, to.height);
                    ASSERT_EQ(fast, plain);
                    const UniformResample uniform =
                        ResampleUniform(value, from.width, from.height, to.width, filter, to.height);
                    ASSERT_EQ(uniform.RowOf.size(), std::size_t(to.height));
                    for (int y = 0; y < to.height; ++y) {
                        const std::vector<Pixel>& row = uniform.Rows.at(std::size_t(uniform.RowOf[std::size_t(y)]));
                        ASSERT_TRUE(std::equal(row.begin(), row.end(), fast.Row(y).begin(), fast.Row(y).end()))
                            << "filter " << int(filter) << ", value " << std::hex << value << std::dec << ", "
                            << from.width << " x " << from.height << " to " << to.width << " x " << to.height
                            << ", row " << y;
                    }
                }
}

} // namespace
} // namespace skin

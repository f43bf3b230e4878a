// Resampling against hand values and a small reference written from the filter formulas;
// the fast passes against the plain ones; quarter turns.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/base/SysUtils.h"
#include "skin/pixels/HelperThread.h"
#include "skin/pixels/Resample.h"
#include "skin/pixels/ResampleKernels.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

using test::Hex;
using test::MakeBitmap;
using test::NoiseBitmap;

double Weight(int filter, double x) {
    if (filter == 1)
        return x < 1 ? 1 - x : 0;
    if (filter == 2)
        return x < 1 ? x * x * (2 * x - 3) + 1 : 0;
    if (x < 1)
        return x * x * (7.0 / 6.0 * x - 2) + 8.0 / 9.0;
    return x < 2 ? x * x * (2 - 7.0 / 18.0 * x) - 10.0 / 3.0 * x + 16.0 / 9.0 : 0;
}

// One pass over one line of bytes (stride apart), straight from the formulas.
std::vector<int> ReferencePass(const std::vector<int>& line, int m, int filter) {
    const int n = int(line.size());
    const double scale = m < n ? double(m) / n : 1;
    const double width = (filter == 6 ? 2.0 : 1.0) / scale;
    std::vector<int> out(m);
    for (int i = 0; i < m; ++i) {
        const double centre = double(i) * n / m;
        long long sum = 0;
        for (int j = int(std::floor(centre - width)); j <= int(std::ceil(centre + width)); ++j) {
            int k = j < 0 ? -j : j;
            if (k >= n)
                k = 2 * n - 1 - k;
            k = std::max(0, std::min(n - 1, k));
            sum += std::llround(std::nearbyint(Weight(filter, std::fabs(centre - j) * scale) * scale * 65536)) * line[k];
        }
        out[i] = int(std::max<long long>(0, std::min<long long>(255, sum >> 16)));
    }
    return out;
}

Bitmap32 ReferenceResample(const Bitmap32& src, int newWidth, int filter, int newHeight) {
    Bitmap32 between(newWidth, src.Height()), out(newWidth, newHeight);
    for (int c = 0; c < 4; ++c) {
        for (int y = 0; y < src.Height(); ++y) {
            std::vector<int> line;
            for (int x = 0; x < src.Width(); ++x)
                line.push_back(int(src.At(x, y) >> (8 * c)) & 0xFF);
            auto result = ReferencePass(line, newWidth, filter);
            for (int x = 0; x < newWidth; ++x)
                between.At(x, y) |= Pixel(result[x]) << (8 * c);
        }
        for (int x = 0; x < newWidth; ++x) {
            std::vector<int> line;
            for (int y = 0; y < src.Height(); ++y)
                line.push_back(int(between.At(x, y) >> (8 * c)) & 0xFF);
            auto result = ReferencePass(line, newHeight, filter);
            for (int y = 0; y < newHeight; ++y)
                out.At(x, y) |= Pixel(result[y]) << (8 * c);
        }
    }
    return out;
}

TEST(Resample, RefusesSourcesBelowTwoByTwo) {
    Bitmap32 dst;
    for (auto [w, h] : {std::pair{1, 5}, std::pair{5, 1}, std::pair{0, 0}}) {
        try {
            ResampleBitmap(Bitmap32(w, h), dst, 10, ResampleFilter::Mitchell, 10);
            ADD_FAILURE() << w << " x " << h << " was accepted";
        } catch (const framework::Exception& e) {
            EXPECT_STREQ(e.what(), "Source bitmap is too small") << w << " x " << h;
        }
    }
}

TEST(Resample, TheSameSizeCopiesTheSource) {
    const Bitmap32 src = NoiseBitmap(5, 4, 3);
    Bitmap32 dst;
    ResampleBitmap(src, dst, 5, ResampleFilter::Mitchell, 4);
    EXPECT_EQ(dst, src);
}

TEST(Resample, TriangleFilterByHand) {
    // Up: centres 0, 0.5, 1, 1.5; the last mirrors index 2 back to 1.
    const Bitmap32 row = MakeBitmap(2, 2, {0x0A0A0A0A, 0x14141414, 0x0A0A0A0A, 0x14141414});
    Bitmap32 wide;
    ResampleBitmap(row, wide, 4, ResampleFilter::Triangle, 2);
    const Pixel up[] = {0x0A0A0A0A, 0x0F0F0F0F, 0x14141414, 0x14141414};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(Hex(wide.At(x, 1)), Hex(up[x])) << "x=" << x;

    // Down by half: weights 1/4, 1/2, 1/4 around centres 0 and 2 (index -1 mirrors to 1).
    const Bitmap32 four = MakeBitmap(4, 2, {0, 100, 200, 40, 0, 100, 200, 40});
    Bitmap32 narrow;
    ResampleBitmap(four, narrow, 2, ResampleFilter::Triangle, 2);
    EXPECT_EQ(narrow.At(0, 0), 50u);
    EXPECT_EQ(narrow.At(1, 0), 135u);
}

TEST(Resample, MatchesTheFormulasForEveryFilterUpAndDown) {
    const Bitmap32 src = NoiseBitmap(13, 9, 5);
    struct Size {
        int width, height;
    };
    for (int filter : {1, 2, 6})
        for (Size size : {Size{31, 20}, Size{5, 4}, Size{13, 2}, Size{2, 17}, Size{1, 1}}) {
            const Bitmap32 expected = ReferenceResample(src, size.width, filter, size.height);
            for (auto kernel : {resample::Kernel::Plain, resample::Kernel::Portable, resample::Kernel::Avx2,
                                resample::Kernel::Avx512}) {
                Bitmap32 dst;
                resample::ResampleWithKernel(src, dst, size.width, ResampleFilter(filter), size.height, kernel);
                EXPECT_EQ(dst, expected) << "filter " << filter << " to " << size.width << " x " << size.height
                                         << " kernel " << int(kernel);
            }
        }
}

TEST(Resample, FastKernelsMatchThePlainOneOnWideBitmaps) {
    // Wide enough for the vector blocks and their remainders; the shapes reach every form of the
    // vector passes: shrinking by 1.6 (only even pairs widened), by about 2 and 2.4 (narrow
    // weights, other step counts), enlarging (wrapped weights), doubling with filters 1 and 2
    // (two neighbouring weights of exactly 32768, one shared correction), odd sizes and widths
    // that leave outputs after the last four; the second source's height leaves three rows after
    // the last four that a pass takes at once.
    struct Case {
        int width, height, filter;
    };
    const Case cases[] = {{53, 91, 6},  {150, 17, 6}, {75, 39, 6}, {47, 25, 6}, {37, 21, 6}, {31, 16, 6},
                          {120, 64, 6}, {150, 80, 1}, {150, 80, 2}, {47, 25, 1}, {31, 16, 2}, {3, 2, 6}};
    const Bitmap32 src = NoiseBitmap(75, 40, 8);
    for (const Bitmap32& source : {src, NoiseBitmap(77, 43, 9)}) {
        for (const Case c : cases) {
            Bitmap32 plain, portable, avx2, avx512;
            const auto filter = ResampleFilter(c.filter);
            resample::ResampleWithKernel(source, plain, c.width, filter, c.height, resample::Kernel::Plain);
            resample::ResampleWithKernel(source, portable, c.width, filter, c.height, resample::Kernel::Portable);
            resample::ResampleWithKernel(source, avx2, c.width, filter, c.height, resample::Kernel::Avx2);
            resample::ResampleWithKernel(source, avx512, c.width, filter, c.height, resample::Kernel::Avx512);
            EXPECT_EQ(portable, plain) << c.width << " x " << c.height << " filter " << c.filter;
            EXPECT_EQ(avx2, plain) << c.width << " x " << c.height << " filter " << c.filter;
            EXPECT_EQ(avx512, plain) << c.width << " x " << c.height << " filter " << c.filter;
        }
    }
    // Large enough for the passes to share their rows with the helper thread; and the same on
    // this thread alone.
    const Bitmap32 large = NoiseBitmap(1024, 600, 13);
    for (bool helper : {true, false}) {
        HelperThread::SetEnabled(helper);
        for (auto [w, h] : {std::pair{900, 700}, std::pair{640, 301}, std::pair{1100, 401}}) {
            Bitmap32 plain, avx2, avx512;
            resample::ResampleWithKernel(large, plain, w, ResampleFilter::Mitchell, h, resample::Kernel::Plain);
            resample::ResampleWithKernel(large, avx2, w, ResampleFilter::Mitchell, h, resample::Kernel::Avx2);
            resample::ResampleWithKernel(large, avx512, w, ResampleFilter::Mitchell, h, resample::Kernel::Avx512);
            EXPECT_TRUE(avx2 == plain) << "1024 x 600 to " << w << " x " << h << " helper " << helper;
            EXPECT_TRUE(avx512 == plain) << "1024 x 600 to " << w << " x " << h << " helper " << helper;
        }
    }
    HelperThread::SetEnabled(true);

    Bitmap32 viaPublic;
    ResampleBitmapReference(src, viaPublic, 20, ResampleFilter::Hermite, 30);
    EXPECT_EQ(viaPublic, ReferenceResample(src, 20, 2, 30));
}

TEST(Resample, NegativeLobesClampToBlackInsteadOfWrapping) {
    const Bitmap32 edge = MakeBitmap(4, 2, {0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF,  //
                                            0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF});
    Bitmap32 wide;
    ResampleBitmap(edge, wide, 12, ResampleFilter::Mitchell, 2);
    for (int x = 0; x < 3; ++x)
        EXPECT_LT(wide.At(x, 0) & 0xFF, 16u) << "x=" << x;
    EXPECT_EQ(wide, ReferenceResample(edge, 12, 6, 2));
}

TEST(Resample, ASizeBelowOneLeavesTheDestinationEmpty) {
    Bitmap32 dst(3, 3);
    ResampleBitmap(NoiseBitmap(4, 4, 1), dst, 0, ResampleFilter::Hermite, 5);
    EXPECT_TRUE(dst.Empty());
}

TEST(Rotate, QuarterTurnsBothWays) {
    const Bitmap32 src = MakeBitmap(3, 2, {1, 2, 3, 4, 5, 6});
    //  1 2 3        clockwise   4 1       counter-clockwise  3 6
    //  4 5 6                    5 2                          2 5
    //                           6 3                          1 4
    EXPECT_EQ(RotateBitmap(src, Rotation::Clockwise), MakeBitmap(2, 3, {4, 1, 5, 2, 6, 3}));
    EXPECT_EQ(RotateBitmap(src, Rotation::CounterClockwise), MakeBitmap(2, 3, {3, 6, 2, 5, 1, 4}));
    EXPECT_TRUE(RotateBitmap(Bitmap32(), Rotation::Clockwise).Empty());
}

} // namespace
} // namespace skin

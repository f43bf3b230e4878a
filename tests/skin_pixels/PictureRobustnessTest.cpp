// Damaged pictures of every format: each one is read or refused with EPictureError, never
// more. Deterministic byte flips and cuts of small valid files.
#include <gtest/gtest.h>

#include <vector>

#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/skin_pixels/JpegEncode.h"
#include "tests/support/PixelTesting.h"

namespace skin {
namespace {

struct Damage {
    std::uint32_t state;
    std::uint32_t Next() {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        return state;
    }
};

void ExpectReadOrRefused(const std::vector<std::uint8_t>& bytes, const char* what, int round) {
    try {
        ReadPicture(bytes, "DAMAGED");
    } catch (const EPictureError&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << " round " << round << ": " << e.what();
    }
}

TEST(PictureRobustness, DamagedFilesAreReadOrRefused) {
    Bitmap32 bitmap = test::NoiseBitmap(13, 11, 99);
    struct Sample {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Sample samples[] = {
        {"PNG", WritePng(bitmap)},
        {"24-bit bitmap", WriteDib(bitmap, 24)},
        {"32-bit bitmap", WriteDib(bitmap, 32)},
        {"JPEG", test::MakeJpeg(24, 16, test::JpegColour::Rgb)},
        {"progressive JPEG", test::MakeJpeg(24, 16, test::JpegColour::Rgb, test::JpegScan::Progressive)},
    };
    constexpr int kRounds = 400;
    for (const Sample& sample : samples) {
        Damage damage{2463534242u};
        for (int round = 0; round < kRounds; ++round) {
            std::vector<std::uint8_t> bytes = sample.bytes;
            const int flips = 1 + int(damage.Next() % 4);
            for (int i = 0; i < flips; ++i) {
                // Mostly the first bytes, where the headers are.
                const std::size_t limit = damage.Next() % 2 ? std::min<std::size_t>(bytes.size(), 64) : bytes.size();
                bytes[damage.Next() % limit] = std::uint8_t(damage.Next());
            }
            if (damage.Next() % 3 == 0)
                bytes.resize(damage.Next() % bytes.size());
            ExpectReadOrRefused(bytes, sample.what, round);
        }
    }
}

} // namespace
} // namespace skin

// The JPEG reader on pictures encoded here with libjpeg: colour and grey, alpha 255, and
// refusal of truncated, oversized and damaged files.
#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/skin_pixels/JpegEncode.h"
#include "tests/support/PixelTesting.h"
#include "tests/support/LargestAllocation.h"

namespace skin {
namespace {

using test::Hex;
using test::JpegColour;
using test::JpegScan;
using test::MakeJpeg;

void ExpectNear(Pixel actual, Pixel expected, int tolerance, const std::string& where) {
    for (int shift : {0, 8, 16}) {
        const int a = int(actual >> shift) & 0xFF, e = int(expected >> shift) & 0xFF;
        EXPECT_LE(std::abs(a - e), tolerance) << where << ": " << Hex(actual) << " instead of about " << Hex(expected);
    }
    EXPECT_EQ(actual >> 24, 0xFFu) << where;
}

TEST(JpegReader, ColourAndGreyPicturesAreOpaqueBgra) {
    for (JpegScan scan : {JpegScan::Baseline, JpegScan::Progressive}) {
        const Bitmap32 colour = ReadPicture(MakeJpeg(32, 16, JpegColour::Rgb, scan), "TEXTURE.JPG");
        ASSERT_EQ(colour.Width(), 32);
        ASSERT_EQ(colour.Height(), 16);
        ExpectNear(colour.At(2, 8), 0xFFC81E3C, 3, "left");
        ExpectNear(colour.At(29, 8), 0xFF1478E6, 3, "right");
    }
    const Bitmap32 grey = ReadJpeg(MakeJpeg(16, 16, JpegColour::Grey), "GREY.JPG");
    ExpectNear(grey.At(1, 1), 0xFF282828, 2, "grey left");
    ExpectNear(grey.At(14, 14), 0xFFC8C8C8, 2, "grey right");
    EXPECT_EQ(grey.At(14, 14) & 0xFF, (grey.At(14, 14) >> 16) & 0xFF);
}

TEST(JpegReader, RefusesBrokenFilesWithTheirName) {
    const std::vector<std::uint8_t> good = MakeJpeg(64, 64, JpegColour::Rgb);
    std::vector<std::uint8_t> huge = good;
    for (std::size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) { // start of frame: height and width follow
            huge[i + 5] = 0xEA, huge[i + 6] = 0x60;    // 60000
            huge[i + 7] = 0xEA, huge[i + 8] = 0x60;
            break;
        }
    std::vector<std::uint8_t> noFrame = {0xFF, 0xD8, 0xFF, 0xD9};
    struct Row {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* messagePart;
    };
    const Row rows[] = {
        {"cut in the middle", {good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2)}, ""},
        {"cut inside the header", {good.begin(), good.begin() + 40}, ""},
        {"60000 x 60000", huge, "too large"},
        {"no frame", noFrame, ""},
    };
    for (const Row& row : rows) {
        try {
            ReadPicture(row.bytes, "PATTERN.JPG");
            ADD_FAILURE() << row.what << " was read";
        } catch (const EPictureError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("\"PATTERN.JPG\""), std::string::npos) << row.what << ": " << message;
            EXPECT_NE(message.find(row.messagePart), std::string::npos) << row.what << ": " << message;
        }
    }
}

// A few hundred bytes may claim 8192 x 8192 pixels (256 MiB): the pixels must grow with the
// rows actually decoded, not be allocated from the header and then fail.
TEST(JpegReader, AClaimedSizeAllocatesNothingTheDataDoesNotHold) {
    for (JpegScan scan : {JpegScan::Baseline, JpegScan::Progressive}) {
        std::vector<std::uint8_t> bytes = MakeJpeg(16, 16, JpegColour::Rgb, scan);
        const std::uint8_t frame = scan == JpegScan::Baseline ? 0xC0 : 0xC2;
        for (std::size_t i = 0; i + 8 < bytes.size(); ++i)
            if (bytes[i] == 0xFF && bytes[i + 1] == frame) {
                bytes[i + 5] = 0x20, bytes[i + 6] = 0x00; // height 8192
                bytes[i + 7] = 0x20, bytes[i + 8] = 0x00; // width 8192
                break;
            }
        const char* what = scan == JpegScan::Baseline ? "baseline" : "progressive";
        test::LargestAllocation largest;
        try {
            ReadPicture(bytes, "CLAIMS.JPG");
            ADD_FAILURE() << what << " was read";
        } catch (const EPictureError& failure) {
            // A progressive picture keeps all its coefficients, which libjpeg is not given.
            if (scan == JpegScan::Progressive) {
                EXPECT_NE(std::string(failure.what()).find("JPEG working memory limit"), std::string::npos)
                    << failure.what();
            }
        }
        EXPECT_LT(largest.Bytes(), std::size_t{4} << 20) << what;
    }
}

} // namespace
} // namespace skin

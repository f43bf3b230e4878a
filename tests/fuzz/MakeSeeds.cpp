// Writes the seed corpora of the fuzz targets (tests/fuzz/corpus/TARGET/seed-*) from our own
// writers, the internal skin's options text and the demo site's pages, together with the
// inputs of the faults these targets were written for (regression-*). Run by hand when the
// targets' input formats change:  fuzz_make_seeds tests/fuzz/corpus
#include <climits>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/sSkinOptions.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/skin_pixels/JpegEncode.h"
#include "tools/demo-site/DemoPages.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using skin::Bitmap32;
using skin::Pixel;

Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bitmap32 Gradient(int width, int height, bool alpha) {
    Bitmap32 bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.At(x, y) = (alpha ? Pixel(x * 255 / width) << 24 : 0xFF000000u) | Pixel(x * 9) << 16 |
                              Pixel(y * 13) << 8 | Pixel((x + y) & 1 ? 0xFF : 0);
    bitmap.At(0, 0) = skin::kKeyPixel;
    return bitmap;
}

// The inverse of FuzzInput: the bytes that make it read the given values.
class SeedWriter {
public:
    SeedWriter& Byte(int value) {
        bytes_.push_back(std::uint8_t(value));
        return *this;
    }
    SeedWriter& U16(int value) { return Byte(value & 0xFF).Byte((value >> 8) & 0xFF); }
    SeedWriter& U32(std::uint32_t value) { return U16(int(value & 0xFFFF)).U16(int(value >> 16)); }
    SeedWriter& Small(int low, int value) { return Byte(value - low); }
    SeedWriter& Coordinate(int span, std::int32_t value) {
        if (value >= -8 && value < span + 9 && value + 8 < 224)
            return Byte(value + 8);
        return Byte(240).U32(std::uint32_t(value));
    }
    SeedWriter& Field16(int smallSpan, int value) {
        if (value >= -2 && value <= smallSpan)
            return Byte(value + 2);
        return Byte(232).U16(value & 0xFFFF);
    }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

struct MaskSeed {
    int pictureWidth, pictureHeight;
    skin::TRect area;
    int cells, layout, borderWidth, fill, kind, left, top, right, bottom, corner;
    int dstWidth, dstHeight;
    skin::TRect rect;
    int state;
};

Bytes EncodeMaskSeed(const MaskSeed& s) {
    SeedWriter w;
    w.Small(1, s.pictureWidth).Small(1, s.pictureHeight).U32(0x123456);
    for (int i = 0; i < s.pictureWidth * s.pictureHeight; ++i)
        w.Byte(i * 31 % 7);
    w.Coordinate(s.pictureWidth, s.area.Left).Coordinate(s.pictureHeight, s.area.Top);
    w.Coordinate(s.pictureWidth, s.area.Right).Coordinate(s.pictureHeight, s.area.Bottom);
    w.Field16(4, s.cells).Field16(3, s.layout).Field16(12, s.borderWidth).Field16(8, s.fill).Small(0, s.kind);
    w.Field16(12, s.left).Field16(12, s.top).Field16(12, s.right).Field16(12, s.bottom).Field16(3, s.corner);
    // PaintMaskEveryWay: destination, rect, state, backdrop (a bitmap under it), glyph and texture.
    w.Small(1, s.dstWidth).Small(1, s.dstHeight);
    w.Coordinate(s.dstWidth, s.rect.Left).Coordinate(s.dstHeight, s.rect.Top);
    w.Coordinate(s.dstWidth, s.rect.Right).Coordinate(s.dstHeight, s.rect.Bottom);
    w.Byte(0).Small(-1, s.state);
    w.Small(1, 20).Small(1, 20).Small(0, 1).Coordinate(40, -3).Coordinate(40, 4).Byte(1);
    w.Coordinate(s.dstWidth, s.dstWidth).Coordinate(s.dstHeight, 0);
    w.Coordinate(s.dstWidth, 1).Coordinate(s.dstHeight, 2).Byte(1).Small(-1, 0);
    return w.Data();
}

void MaskSeeds(const fs::path& folder) {
    constexpr int kFill = skin::kFillStretch | skin::kFillPaintCentre;
    const MaskSeed seeds[] = {
        {24, 24, {0, 0, 24, 24}, 1, 1, 0, kFill, 0, 4, 4, 4, 4, 1, 60, 40, {0, 0, 60, 40}, 1},
        {36, 16, {0, 0, 36, 16}, 3, 1, 0, skin::kFillPaintCentre, 0, 3, 2, 3, 2, 1, 40, 30, {2, 2, 38, 28}, 2},
        {12, 10, {0, 0, 12, 10}, 1, 0, 0, 0, 0, 2, 2, 2, 2, 1, 30, 20, {0, 0, 30, 20}, 0},
        {30, 12, {0, 0, 30, 12}, 3, 0, 0, 7, 2, 1, 1, 1, 1, 2, 17, 9, {0, 0, 17, 9}, 1},
        {8, 8, {2, 2, 6, 6}, 1, 1, 0, 10, 1, 1, 1, 1, 1, 0, 20, 20, {-3, -3, 25, 25}, 0},
    };
    int n = 0;
    for (const MaskSeed& seed : seeds)
        Write(folder, "seed-" + std::to_string(++n), EncodeMaskSeed(seed));
    // The faults: key runs of an area whose top + rows passed INT32_MAX; widths beyond INT32_MAX;
    // an 8000 x 8000 area over a small picture, stretched with a centre.
    Write(folder, "regression-corner-runs-top-overflow",
          EncodeMaskSeed({30, 12, {0, INT32_MAX - 10, 30, INT32_MAX}, 1, 0, 20, 1, 0, 20, 20, 20, 20, 1, 40, 20,
                          {0, 0, 40, 20}, 0}));
    Write(folder, "regression-width-beyond-int32",
          EncodeMaskSeed({30, 12, {-2, 0, INT32_MAX, 30}, 2, 0, 20, 1, 0, 20, 20, 20, 20, 1, 40, 20,
                          {0, 0, 40, 20}, 1}));
    Write(folder, "regression-area-beyond-picture",
          EncodeMaskSeed({12, 10, {0, 0, 8000, 8000}, 1, 1, 0, kFill, 0, 2, 2, 2, 2, 0, 40, 30, {0, 0, 40, 30}, 1}));
}

void OptionsSeeds(const fs::path& folder, const fs::path& root) {
    // The first 16 bytes choose how the masks are painted (destination 40 x 30, rect inside it).
    const std::string paint = std::string("\x27\x1d\x0a\x0a\x2a\x20\x00\x02\x05\x05\x00\x00\x00\x00\x00\x00", 16);
    const std::string masks =
        "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n"
        "[BUTTON]\nSTATES=3\nBORDERSMASK=^0000,0000,0060,0040,0004,0004,0004,0004,3,1,5,0\n"
        "GLYPHMASK=@0001,0002,0031,0012,3,0\nPATTERN=TEXTURE.JPG\n"
        "[PANEL]\nPARENTCLASS=BUTTON\nBORDERSMASK=!FRAME.BMP!3!1!0!3!2!3!2!0\nTEXTURE=~0010,0000,0020,0010,07,1\n"
        "[EDIT]\nGLOW0=!GLOW.PNG!2!0!3!0007!0007!0007!0007!1\nBORDERSMASK=#(2,4,32,16)(3,1,0,5)\n"
        "[FORM]\nBORDERSMASK=FRAME.BMP\nCOLOR=12632256\nGRADIENT=255;0;50;0;0;0;255;100;1;0\n";
    Write(folder, "seed-masks", FromText(paint + masks));
    std::ifstream pewter(root / "resources/skins/Pewter/Options.dat", std::ios::binary);
    const std::string internalSkin{std::istreambuf_iterator<char>(pewter), std::istreambuf_iterator<char>()};
    Write(folder, "seed-internal-skin", FromText(paint + internalSkin));
    // The faults: the corners of areas at the ends of the 32-bit range, and their cell widths.
    Write(folder, "regression-areas-at-int32-edges",
          FromText(paint + "[GLOBALINFO]\nVERSION=8\nMASTERBITMAP=MASTER.BMP\n[S]\n"
                           "A=#(-2,0,2147483647,30)(2,0,20,1)\nB=#(0,2147483637,30,2147483647)(1,0,20,1)\n"));
}

void PackageSeeds(const fs::path& folder) {
    const Bytes options = FromText("[GLOBALINFO]\nVERSION=8\nMASTERBITMAP=MASTER.BMP\n");
    Write(folder, "seed-options-only", skin::WritePackage({{"Options.dat", options}}));
    Write(folder, "seed-pictures",
          skin::WritePackage({{"Options.dat", options},
                              {"Master.bmp", skin::WriteDib(Gradient(6, 4, false), 24)},
                              {"Glow.png", skin::WritePng(Gradient(5, 3, true))}}));
    Write(folder, "seed-empty", skin::WritePackage({}));
    // The fault: entries each within their limit that inflate beyond the package total together.
    const Bytes zeros(std::size_t{22} << 20, 0);
    Write(folder, "regression-inflated-total",
          skin::WritePackage({{"Options.dat", options}, {"A.bmp", zeros}, {"B.bmp", zeros}, {"C.bmp", zeros}}));
}

void PictureSeeds(const fs::path& folder) {
    using skin::test::JpegColour;
    using skin::test::JpegScan;
    Write(folder, "seed-rgba.png", skin::WritePng(Gradient(7, 5, true)));
    Write(folder, "seed-24.bmp", skin::WriteDib(Gradient(7, 5, false), 24));
    Write(folder, "seed-32.bmp", skin::WriteDib(Gradient(7, 5, true), 32));
    Write(folder, "seed-baseline.jpg", skin::test::MakeJpeg(16, 8, JpegColour::Rgb));
    Write(folder, "seed-grey.jpg", skin::test::MakeJpeg(8, 8, JpegColour::Grey));
    Write(folder, "seed-progressive.jpg", skin::test::MakeJpeg(16, 16, JpegColour::Rgb, JpegScan::Progressive));
    // The fault: a small JPEG whose frame claims 8192 x 8192 pixels.
    Bytes claims = skin::test::MakeJpeg(16, 16, JpegColour::Rgb);
    for (std::size_t i = 0; i + 8 < claims.size(); ++i)
        if (claims[i] == 0xFF && claims[i + 1] == 0xC0) {
            claims[i + 5] = 0x20, claims[i + 6] = 0x00, claims[i + 7] = 0x20, claims[i + 8] = 0x00;
            break;
        }
    Write(folder, "regression-jpeg-claims-8192.jpg", claims);
}

void ScannerSeeds(const fs::path& folder) {
    const scanner::demo::DemoSiteOptions site;
    Write(folder, "seed-main", FromText(scanner::demo::MainPageBody(site)));
    Write(folder, "seed-not-found", FromText(scanner::demo::NotFoundBody()));
    for (int number = 1; number <= 12; ++number)
        Write(folder, "seed-page-" + std::to_string(number), FromText(scanner::demo::FilePageBody(site, number)));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds CORPUS_FOLDER (tests/fuzz/corpus)\n";
        return 2;
    }
    const fs::path corpus = argv[1];
    const fs::path root = corpus.parent_path().parent_path().parent_path();
    MaskSeeds(corpus / "mask");
    OptionsSeeds(corpus / "options", root);
    PackageSeeds(corpus / "package");
    PictureSeeds(corpus / "picture");
    ScannerSeeds(corpus / "scanner");
    return 0;
}

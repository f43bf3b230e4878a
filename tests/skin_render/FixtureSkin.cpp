// The fixture skin: options text and master bitmap written to a temporary folder, then read
// with LoadMasterAndMasks, LoadPatterns and LoadSections.
#include "FixtureSkin.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "skin/data/sSkinIni.h"
#include "skin/data/sSkinOptionsLoad.h"
#include "skin/pixels/codecs/SkinPictures.h"

namespace skin::test {

namespace {

constexpr Pixel kKey = 0x00FF00FF;

Pixel Rgb(unsigned rgb) { return 0xFF000000u | rgb; }

void Ring(Bitmap32& bitmap, int left, int top, int width, int height, int inset, Pixel colour) {
    for (int x = left + inset; x < left + width - inset; ++x) {
        bitmap.At(x, top + inset) = colour;
        bitmap.At(x, top + height - 1 - inset) = colour;
    }
    for (int y = top + inset; y < top + height - inset; ++y) {
        bitmap.At(left + inset, y) = colour;
        bitmap.At(left + width - 1 - inset, y) = colour;
    }
}

void Box(Bitmap32& bitmap, int left, int top, int width, int height, Pixel colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            bitmap.At(x, y) = colour;
}

void KeyCorners(Bitmap32& bitmap, int left, int top, int width, int height) {
    bitmap.At(left, top) = kKey;
    bitmap.At(left + width - 1, top) = kKey;
    bitmap.At(left, top + height - 1) = kKey;
    bitmap.At(left + width - 1, top + height - 1) = kKey;
}

Bitmap32 DrawMaster() {
    Bitmap32 master(64, 48);
    master.Fill(Rgb(0xE4E7EB));
    // BUTTON: three 12 x 12 cells at (0, 0), mask pictures below them.
    const Pixel frames[] = {Rgb(0x8B939D), Rgb(0x5B80A8), Rgb(0x4F6E91)};
    for (int cell = 0; cell < 3; ++cell) {
        const int x = cell * 12;
        Box(master, x, 0, 12, 12, Rgb(0xF5F6F8));
        Ring(master, x, 0, 12, 12, 0, frames[cell]);
        Ring(master, x, 0, 12, 12, 1, Rgb(0xFFFFFF));
        KeyCorners(master, x, 0, 12, 12);
        Box(master, x, 12, 12, 12, Rgb(0xFFFFFF));
        Ring(master, x, 12, 12, 12, 0, Rgb(0x000000));
        Ring(master, x, 12, 12, 12, 1, Rgb(0x808080));
    }
    // EDIT: two 6 x 6 cells at (36, 0), keyed corners, no mask picture.
    for (int cell = 0; cell < 2; ++cell) {
        const int x = 36 + cell * 6;
        Box(master, x, 0, 6, 6, Rgb(0xFFFFFF));
        Ring(master, x, 0, 6, 6, 0, cell == 0 ? Rgb(0x9AA2AB) : Rgb(0x5B80A8));
        KeyCorners(master, x, 0, 6, 6);
    }
    // A corner glyph 4 x 4 at (48, 0): a triangle over key pixels.
    Box(master, 48, 0, 4, 4, kKey);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x <= y; ++x)
            master.At(48 + x, y) = Rgb(0x7D8792);
    // A texture 4 x 4 at (52, 0): a checker of two greys.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            master.At(52 + x, y) = (x / 2 + y / 2) % 2 ? Rgb(0xC9CFD6) : Rgb(0xE9ECEF);
    // STRETCHY: one 24 x 12 cell at (0, 24), stretched sides and centre, mask picture below.
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 24; ++x)
            master.At(x, 24 + y) = Rgb(unsigned(0x46 + y * 8) << 16 | unsigned(0x50 + x * 4) << 8 | 0x5B);
    Box(master, 0, 36, 24, 12, Rgb(0x404040));
    Ring(master, 0, 36, 24, 12, 0, Rgb(0x000000));
    Ring(master, 0, 36, 24, 12, 1, Rgb(0x000000));
    KeyCorners(master, 0, 24, 24, 12);
    return master;
}

const char* kOptions = R"([GLOBALINFO]
VERSION=8.00
MASTERBITMAP=MASTER.BMP
[BUTTON]
STATES=3
COLOR=15263979
GRADIENTPERCENT=100
GRADIENTDATA=16316405;14801112;100;0;0
HOTGRADIENTPERCENT=100
HOTGRADIENTDATA=16777215;15788258;60;0;0;15788258;14737632;40;0;0
BORDERSMASK=^0000,0000,0036,0024,0003,0003,0003,0003,3,1,0,0
[EDIT]
STATES=2
COLOR=16777215
HOTCOLOR=16775408
BORDERSMASK=^0036,0000,0048,0006,0001,0001,0001,0001,2,0,0,0
[PANEL]
STATES=1
COLOR=15395812
TRANSPARENCY=30
IMGBTMLEFT=@0048,0000,0052,0004,1,0
[HGRAD]
STATES=2
GRADIENTPERCENT=100
GRADIENTDATA=7497307;11837025;50;1;0;11837025;15263979;50;1;0
HOTGRADIENTPERCENT=100
HOTGRADIENTDATA=11837025;7497307;100;1;0
[MESH]
STATES=1
GRADIENTPERCENT=100
GRADIENTDATA=16777215;0;0;2;0;11837025;0;0;2;0;15263979;0;0;2;0;7497307;0;0;2;0;16316405;0;0;2;0
[TEXTURED]
STATES=1
COLOR=255
IMAGEPERCENT=100
PATTERN=~0052,0000,0056,0004,00,0
[TEXGRAD]
STATES=1
COLOR=255
GRADIENTPERCENT=40
IMAGEPERCENT=60
GRADIENTDATA=16777215;7497307;100;0;0
PATTERN=~0052,0000,0056,0004,00,0
[HALF]
STATES=1
COLOR=11837025
GRADIENTPERCENT=50
GRADIENTDATA=16777215;0;100;0;0
[GLASS]
STATES=2
TRANSPARENCY=100
HOTTRANSPARENCY=50
HOTCOLOR=11837025
BORDERSMASK=^0036,0000,0048,0006,0001,0001,0001,0001,2,0,0,0
[STRETCHY]
STATES=1
COLOR=14474460
BORDERSMASK=^0000,0024,0024,0048,0004,0004,0004,0004,1,1,5,0
[PLAINGRAD]
PARENTCLASS=BUTTON
GRADIENTDATA=N/A
)";

} // namespace

void WriteFixtureSkinFolder(const std::string& folderName) {
    namespace fs = std::filesystem;
    const fs::path folder(folderName);
    fs::create_directories(folder);
    std::ofstream(folder / "Options.dat", std::ios::binary) << kOptions;
    const std::vector<std::uint8_t> bitmapFile = WriteDib(DrawMaster(), 24);
    std::ofstream(folder / "MASTER.BMP", std::ios::binary)
        .write(reinterpret_cast<const char*>(bitmapFile.data()), std::streamsize(bitmapFile.size()));
}

TsSkinModel LoadFixtureSkin() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("tovrin-paint-fixture-" + std::to_string(::getpid()));
    WriteFixtureSkinFolder(folder.string());
    const TsSkinIni ini = TsSkinIni::Parse(kOptions);
    TsLoadContext context{ini, TsSkinImageSource{nullptr, folder.string() + "/"}, nullptr, {}};
    TsSkinModel model;
    model.SkinData.SkinFolder = folder.string() + "/";
    // As the skin manager does, the version is known before the masks are read.
    model.SkinData.Version = ReadSkinVersion(ini);
    LoadMasterAndMasks(model, context);
    LoadPatterns(model, context);
    LoadSections(model, context);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return model;
}

} // namespace skin::test

// Loading a skin the size of the program's own: 70 sections with their masks and looks, a
// 128 KB master bitmap and a few PNG pictures, from a stored package through the manager.
#include "skin/data/sSkinManager.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/codecs/SkinPictures.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kSections = 70;

std::string Number4(int value) {
    std::string text = std::to_string(value);
    return std::string(4 - text.size(), '0') + text;
}

std::string OptionsText() {
    std::string text = "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\nTITLEHEIGHT=31\nBORDERWIDTH=8\n"
                       "FORMOFFSET=14\nBORDERMODE=1\nCOLOR=15856113\nFONTCOLOR=0\n"
                       "EXBORDER=!EXTBORD.PNG!2!0!4!0024!0054!0025!0025\n"
                       "BICONCLOSE=@0000,0100,0072,0124,3,0\nSICONCLOSE=@0000,0130,0042,0144,3,0\n"
                       "GRIPIMAGE=@0080,0100,0092,0112,1,0\n";
    for (int i = 1; i < kSections - 1; ++i) { // with GLOBALINFO and EDIT: kSections
        const std::string name = "SECTION" + std::to_string(i);
        text += "[" + name + "]\n";
        if (i % 3 == 0)
            text += "PARENTCLASS=SECTION" + std::to_string(i - 1) + "\n";
        text += "STATES=" + std::to_string(1 + i % 3) + "\nCOLOR=" + std::to_string(15000000 + i) +
                "\nHOTCOLOR=16777215\nFONTCOLOR=0\nHOTFONTCOLOR=255\nTRANSPARENCY=0\nGRADIENTPERCENT=100\n"
                "GRADIENTDATA=16777215;16579836;97;0;0;16579836;16579836;0;0;0\n"
                "HOTGRADIENTDATA=16777215;15000000;50;0;0;15000000;15000000;0;0;0\nHOTGRADIENTPERCENT=100\n"
                "IMAGEPERCENT=0\nGLOW=0\nFADINGENABLED=1\nFADINGITERATIONS=10\nTCLEFT=-1\nTCTOP=-1\n";
        const int x = (i * 7) % 180, y = (i * 3) % 90;
        text += "BORDERSMASK=^" + Number4(x) + "," + Number4(y) + "," + Number4(x + 18) + "," + Number4(y + 12) +
                ",0003,0003,0003,0003,3,1,4,0\n";
        if (i % 4 == 0)
            text += "GLYPHMASK=@" + Number4(x) + "," + Number4(y) + "," + Number4(x + 12) + "," + Number4(y + 6) +
                    ",3,0\n";
    }
    text += "[EDIT]\nSTATES=2\nGLOW=1\nGLOWMARGIN=2\nGLOW0=!GLOWEDIT.PNG!1!0!3!0007!0007!0007!0007!1\n"
            "BORDERSMASK=^0051,0004,0057,0007,0001,0001,0001,0001,2,0,0,0\n";
    return text;
}

skin::Bitmap32 Picture(int width, int height, skin::Pixel base) {
    skin::Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.At(x, y) = base ^ std::uint32_t((x * 31 + y * 17) & 0xFF);
    return picture;
}

skin::ByteArray SkinPackage() {
    const std::string options = OptionsText();
    // 24 bits per pixel, 200 x 206: a 128 KB bitmap file.
    std::vector<skin::PackageEntry> entries = {
        {"Options.dat", skin::ByteArray(options.begin(), options.end())},
        {"Master.bmp", skin::WriteDib(Picture(200, 206, 0xFF808080), 24)},
        {"ExtBord.png", skin::WritePng(Picture(100, 80, 0x40000000))},
        {"GlowEdit.png", skin::WritePng(Picture(30, 30, 0x80FFFFFF))},
    };
    skin::SortPackageEntries(entries);
    return skin::WritePackage(entries);
}

void BM_LoadSeventySectionSkin(benchmark::State& state) {
    skin::TsSkinManager manager;
    manager.SetSkinDirectory("/nonexistent/tovrin-skins");
    manager.SetExtendedBorders(true);
    skin::TsStoredSkin stored;
    stored.Name = "Bench";
    stored.Data = SkinPackage();
    manager.InternalSkins().push_back(std::move(stored));
    for (auto _ : state) {
        manager.SetSkinName("Bench");
        benchmark::DoNotOptimize(manager.Sections().data());
    }
    if (manager.Sections().size() != std::size_t(kSections))
        state.SkipWithError("the skin did not load");
    state.counters["sections"] = double(manager.Sections().size());
    state.counters["masks"] = double(manager.Masks().size());
}
BENCHMARK(BM_LoadSeventySectionSkin)->Unit(benchmark::kMillisecond);

void BM_ReadPackageOnly(benchmark::State& state) {
    const skin::ByteArray package = SkinPackage();
    for (auto _ : state)
        benchmark::DoNotOptimize(skin::ReadPackageBytes(package));
}
BENCHMARK(BM_ReadPackageOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

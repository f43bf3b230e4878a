// The options text into the skin model, over a small fixed set of pictures that the text may
// name: loaded or refused with the framework's exceptions, then every mask it made painted.
#include "tests/fuzz/FuzzTargets.h"

#include "skin/data/sSkinOptionsLoad.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "tests/fuzz/MaskPaintChecks.h"
#include "tests/skin_pixels/JpegEncode.h"

namespace tovrin::fuzz {
namespace {

using namespace skin;

// A picture with key pixels in its corners and a black/white mask half below.
Bitmap32 Picture(int width, int height) {
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool corner = (x < 2 || x >= width - 2) && (y < 2 || y >= height - 2);
            const bool maskHalf = y >= height / 2;
            picture.At(x, y) = corner ? kKeyPixel
                               : maskHalf ? ((x + y) % 3 ? 0xFF000000 : 0xFFFFFFFF)
                                          : 0xFF000000 | Pixel(x * 5) << 16 | Pixel(y * 7) << 8 | 0x40;
        }
    return picture;
}

// The pictures every input may name; made once, as a package, as a packed skin has them.
const TvlSkinConvertor& Pictures() {
    static const std::unique_ptr<TvlSkinConvertor> package = [] {
        // The names of the internal skin's pictures too, so that its options text is a seed.
        const std::vector<PackageEntry> entries = {
            {"MASTER.BMP", WriteDib(Picture(240, 200), 24)},
            {"FRAME.BMP", WriteDib(Picture(27, 12), 24)},
            {"BUTTONHUGE.BMP", WriteDib(Picture(60, 40), 24)},
            {"GLOW.PNG", WritePng(Picture(20, 10))},
            {"GLOWEDIT.PNG", WritePng(Picture(24, 12))},
            {"EXTBORD.PNG", WritePng(Picture(120, 90))},
            {"CLOSE.PNG", WritePng(Picture(48, 24))},
            {"MAX.PNG", WritePng(Picture(12, 6))},
            {"MIN.PNG", WritePng(Picture(12, 6))},
            {"NORM.PNG", WritePng(Picture(12, 6))},
            {"RECTHINT1.PNG", WritePng(Picture(30, 20))},
            {"TEXTURE.JPG", test::MakeJpeg(16, 8, test::JpegColour::Rgb)},
        };
        return ReadPackageBytes(WritePackage(entries));
    }();
    return *package;
}

} // namespace

int OptionsModel(const std::uint8_t* data, std::size_t size) {
    // The input's first bytes choose how masks are painted; the rest is the options text.
    FuzzInput paints(data, std::min<std::size_t>(size, 16));
    const std::size_t textStart = std::min<std::size_t>(size, 16);
    const std::string_view text(reinterpret_cast<const char*>(data) + textStart, size - textStart);
    if (text.size() > kOptionsTextLimit.Value)
        return 0;
    const TsSkinIni ini = TsSkinIni::Parse(text);
    TsSkinModel model;
    const TsLoadContext context{ini, TsSkinImageSource{&Pictures(), ""}, nullptr, nullptr};
    try {
        LoadMasterAndMasks(model, context);
        LoadPatterns(model, context);
        LoadSections(model, context);
    } catch (const framework::Exception&) {
        return 0;
    }
    for (const TsGeneralData& section : model.gd)
        FUZZ_CHECK(section.BorderIndex < int(model.ma.size()));
    constexpr std::size_t kPaintedMasks = 24; // enough to reach every form; keeps runs short
    for (std::size_t i = 0; i < model.ma.size() && i < kPaintedMasks; ++i) {
        const TsMaskData& mask = model.ma[i];
        FuzzInput again = paints;
        PaintMaskEveryWay(mask, mask.Image ? *mask.Image : model.MasterBitmap, again);
    }
    return 0;
}

} // namespace tovrin::fuzz

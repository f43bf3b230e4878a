// The mask painters: a small picture and every field of a mask from the input, then every
// painter in every way (MaskPaintChecks).
#include "tests/fuzz/FuzzTargets.h"

#include <vector>

#include "skin/render/sMaskMergeRow.h"
#include "tests/fuzz/MaskPaintChecks.h"

namespace tovrin::fuzz {

int MaskPainters(const std::uint8_t* data, std::size_t size) {
    using namespace skin;
    FuzzInput input(data, size);
    // The picture: a few pixel values that matter to the painters (the key, black and white
    // masks, a grey) and one from the input.
    const int width = input.Small(1, 48);
    const int height = input.Small(1, 48);
    const Pixel palette[] = {kKeyPixel, 0xFF000000, 0xFFFFFFFF, 0x80808080, 0xFF00FF00 | input.U32()};
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.At(x, y) = palette[(input.Byte() + x * 7 + y * 13) % 5];

    TsMaskData mask;
    mask.Area = {input.Coordinate(width), input.Coordinate(height), input.Coordinate(width), input.Coordinate(height)};
    mask.CellCount = input.Field16(4);
    mask.MaskLayout = input.Field16(3);
    mask.BorderWidth = input.Field16(12);
    mask.FillFlags = input.Field16(8);
    mask.MaskKind = TsMaskKind(input.Small(0, 5));
    mask.BorderLeft = input.Field16(12);
    mask.BorderTop = input.Field16(12);
    mask.BorderRight = input.Field16(12);
    mask.BorderBottom = input.Field16(12);
    mask.CornerKind = input.Field16(3);
    PaintMaskEveryWay(mask, picture, input);

    // The fast merge row against its plain reference, over the picture's own rows.
    SkinRowRule rule;
    rule.KeyPixels = SkinRowRule::Key(input.Small(0, 2));
    rule.KeyResult = input.U32();
    rule.OpaqueAlpha = input.Flag();
    const int imageRow = input.Small(0, 47) % height, maskRow = input.Small(0, 47) % height;
    std::vector<Pixel> fast(picture.Row(height - 1 - imageRow).begin(), picture.Row(height - 1 - imageRow).end());
    std::vector<Pixel> plain = fast;
    MergeSkinRow(fast.data(), picture.Row(imageRow).data(), picture.Row(maskRow).data(), fast.size(), rule);
    MergeSkinRowPlain(plain.data(), picture.Row(imageRow).data(), picture.Row(maskRow).data(), plain.size(), rule);
    FUZZ_CHECK(fast == plain);
    return 0;
}

} // namespace tovrin::fuzz

// The picture readers: any bytes are read or refused with EPictureError, a picture read stays
// within the pixel limit, and it survives a PNG and a 32-bit bitmap round trip unchanged.
#include "tests/fuzz/FuzzTargets.h"

#include "skin/pixels/codecs/SkinPictures.h"

namespace tovrin::fuzz {

int PictureReaders(const std::uint8_t* data, std::size_t size) {
    using namespace skin;
    Bitmap32 picture;
    try {
        picture = ReadPicture({data, size}, "FUZZ");
    } catch (const EPictureError&) {
        return 0;
    }
    if (picture.Empty())
        return 0;
    FUZZ_CHECK(std::uint64_t(picture.Width()) * std::uint64_t(picture.Height()) <= kPicturePixelLimit.Value);
    FUZZ_CHECK(ReadPng(WritePng(picture), "AGAIN.PNG") == picture);
    FUZZ_CHECK(ReadDib(WriteDib(picture, 32), "AGAIN.BMP") == picture);
    return 0;
}

} // namespace tovrin::fuzz

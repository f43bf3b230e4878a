// The 32-bit bitmap every skin picture, cache and temporary buffer is made of: rows of
// 0xAARRGGBB pixels (bytes B, G, R, A in memory), row 0 at the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "skin/pixels/SkinLimits.h"

namespace skin {

using Pixel = std::uint32_t;

class Bitmap32 {
public:
    // Pictures larger than this are refused by the readers (the picture pixel limit).
    static constexpr std::size_t kMaxBytes = std::size_t(kPicturePixelLimit.Value) * sizeof(std::uint32_t);

    Bitmap32() = default;
    // A bitmap of the given size with every byte 0. A size that cannot be had (negative,
    // overflowing, beyond kMaxBytes) leaves the bitmap empty, as a failed resize does.
    Bitmap32(int width, int height) { SetSize(width, height); }

    // Resizes and clears to 0; returns false (and leaves the bitmap empty) when the size
    // cannot be had.
    bool SetSize(int width, int height);
    static bool SizeIsAllowed(long long width, long long height);
    // Takes rows decoded one after another (width * height pixels); empty when the size is not
    // allowed or the pixels do not match it.
    static Bitmap32 FromPixels(int width, int height, std::vector<Pixel>&& pixels);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::span<Pixel> Row(int y) { return {pixels_.data() + std::size_t(y) * width_, std::size_t(width_)}; }
    std::span<const Pixel> Row(int y) const {
        return {pixels_.data() + std::size_t(y) * width_, std::size_t(width_)};
    }
    Pixel& At(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
    Pixel At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }
    std::size_t BytesPerLine() const { return std::size_t(width_) * sizeof(Pixel); }

    void Fill(Pixel value);
    bool operator==(const Bitmap32&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

} // namespace skin

// Storage of the 32-bit bitmap.
#include "skin/pixels/Bitmap32.h"

#include <algorithm>

namespace skin {

bool Bitmap32::SizeIsAllowed(long long width, long long height) {
    if (width < 0 || height < 0)
        return false;
    if (width == 0 || height == 0)
        return true;
    if (width > (1LL << 30) || height > (1LL << 30))
        return false;
    return static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * sizeof(Pixel) <=
           kMaxBytes;
}

bool Bitmap32::SetSize(int width, int height) {
    if (!SizeIsAllowed(width, height)) {
        width_ = height_ = 0;
        pixels_.clear();
        return false;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(std::size_t(width) * std::size_t(height), 0);
    if (width_ == 0 || height_ == 0)
        width_ = height_ = 0;
    return true;
}

Bitmap32 Bitmap32::FromPixels(int width, int height, std::vector<Pixel>&& pixels) {
    Bitmap32 bitmap;
    if (width <= 0 || height <= 0 || !SizeIsAllowed(width, height) ||
        pixels.size() != std::size_t(width) * std::size_t(height))
        return bitmap;
    bitmap.width_ = width;
    bitmap.height_ = height;
    bitmap.pixels_ = std::move(pixels);
    return bitmap;
}

void Bitmap32::Fill(Pixel value) { std::fill(pixels_.begin(), pixels_.end(), value); }

} // namespace skin

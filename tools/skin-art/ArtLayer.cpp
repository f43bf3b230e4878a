// Coverage-sampled filling and the layer conversions.
#include "tools/skin-art/ArtLayer.h"

#include <algorithm>
#include <cmath>

namespace skinart {
namespace {

// Samples per pixel side; 8 × 8 gives 65 coverage levels, more than 8-bit masks can show apart.
constexpr int kSamplesPerSide = 8;

double Channel(Rgb colour, int shift) { return double((colour >> shift) & 0xFF) / 255.0; }

std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value * 255.0), 0L, 255L));
}

void Over(Ink& destination, const Ink& source) {
    const double keep = 1.0 - source.A;
    destination.R = source.R + destination.R * keep;
    destination.G = source.G + destination.G * keep;
    destination.B = source.B + destination.B * keep;
    destination.A = source.A + destination.A * keep;
}

} // namespace

ArtLayer::ArtLayer(int width, int height)
    : width_(width), height_(height), ink_(std::size_t(width) * std::size_t(height)) {}

double ArtLayer::Coverage(const Shape& shape, int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < kSamplesPerSide; ++sy)
        for (int sx = 0; sx < kSamplesPerSide; ++sx)
            if (shape(x + (sx + 0.5) / kSamplesPerSide, y + (sy + 0.5) / kSamplesPerSide))
                ++inside;
    return double(inside) / (kSamplesPerSide * kSamplesPerSide);
}

void ArtLayer::Fill(const Shape& shape, Rgb colour, double opacity) {
    Fill(shape, [colour](double, double) { return colour; }, opacity);
}

void ArtLayer::Fill(const Shape& shape, const Paint& paint, double opacity) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const double alpha = Coverage(shape, x, y) * opacity;
            if (alpha <= 0.0)
                continue;
            const Rgb colour = paint(x + 0.5, y + 0.5);
            Over(At(x, y), {Channel(colour, 16) * alpha, Channel(colour, 8) * alpha, Channel(colour, 0) * alpha, alpha});
        }
}

void ArtLayer::Draw(const ArtLayer& other, int left, int top) {
    for (int y = 0; y < other.height_; ++y)
        for (int x = 0; x < other.width_; ++x)
            if (left + x >= 0 && top + y >= 0 && left + x < width_ && top + y < height_)
                Over(At(left + x, top + y), other.At(x, y));
}

ArtLayer ArtLayer::FlippedVertically() const {
    ArtLayer flipped(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            flipped.At(x, height_ - 1 - y) = At(x, y);
    return flipped;
}

ArtLayer ArtLayer::FlippedHorizontally() const {
    ArtLayer flipped(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            flipped.At(width_ - 1 - x, y) = At(x, y);
    return flipped;
}

ArtLayer ArtLayer::Transposed() const {
    ArtLayer turned(height_, width_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            turned.At(y, x) = At(x, y);
    return turned;
}

skin::Bitmap32 ArtLayer::ToBitmap() const {
    skin::Bitmap32 bitmap(width_, height_);
    for (int y = 0; y < height_; ++y) {
        auto row = bitmap.Row(y);
        for (int x = 0; x < width_; ++x) {
            const Ink& ink = At(x, y);
            row[x] = (skin::Pixel(ToByte(ink.A)) << 24) | StraightColour(ink);
        }
    }
    return bitmap;
}

Rgb StraightColour(const Ink& ink) {
    if (ink.A <= 0.0)
        return 0;
    return (Rgb(ToByte(ink.R / ink.A)) << 16) | (Rgb(ToByte(ink.G / ink.A)) << 8) | Rgb(ToByte(ink.B / ink.A));
}

Rgb Mix(Rgb a, Rgb b, double towardB) {
    const double t = std::clamp(towardB, 0.0, 1.0);
    auto channel = [&](int shift) {
        return Rgb(ToByte(Channel(a, shift) * (1.0 - t) + Channel(b, shift) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

Paint VerticalGradient(Rgb top, Rgb bottom, double y0, double y1) {
    return [=](double, double y) { return Mix(top, bottom, y1 > y0 ? (y - y0) / (y1 - y0) : 0.0); };
}

Paint HorizontalGradient(Rgb left, Rgb right, double x0, double x1) {
    return [=](double x, double) { return Mix(left, right, x1 > x0 ? (x - x0) / (x1 - x0) : 0.0); };
}

} // namespace skinart

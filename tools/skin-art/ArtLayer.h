// A drawing surface for the skin pictures: premultiplied colour in doubles, shapes filled by
// their exact coverage (a regular grid of samples per pixel), so every edge is anti-aliased
// and every run gives the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "skin/pixels/Bitmap32.h"

namespace skinart {

// 0xRRGGBB, the way the art direction writes colours.
using Rgb = std::uint32_t;

struct Ink {
    double R = 0, G = 0, B = 0, A = 0; // premultiplied, 0..1
};

// A point set in pixel space: pixel (x, y) covers [x, x + 1) × [y, y + 1).
using Shape = std::function<bool(double x, double y)>;
// Colour of a shape at a point (gradients); alpha comes from the fill's opacity.
using Paint = std::function<Rgb(double x, double y)>;

class ArtLayer {
public:
    ArtLayer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Ink& At(int x, int y) { return ink_[std::size_t(y) * width_ + x]; }
    const Ink& At(int x, int y) const { return ink_[std::size_t(y) * width_ + x]; }

    // Source-over of the shape in one colour (or a paint) at the given opacity.
    void Fill(const Shape& shape, Rgb colour, double opacity = 1.0);
    void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
    // The shape's coverage of one pixel, 0..1.
    static double Coverage(const Shape& shape, int x, int y);

    // Source-over of another layer placed at (left, top).
    void Draw(const ArtLayer& other, int left, int top);
    // Mirror images and the transposition (x and y exchanged), for the rotated variants of a cell.
    ArtLayer FlippedVertically() const;
    ArtLayer FlippedHorizontally() const;
    ArtLayer Transposed() const;

    // Straight-alpha pixels 0xAARRGGBB.
    skin::Bitmap32 ToBitmap() const;

private:
    int width_;
    int height_;
    std::vector<Ink> ink_;
};

// Straight colour of an ink, 0xRRGGBB (black for a transparent ink).
Rgb StraightColour(const Ink& ink);
// Vertical blend from top (at y0) to bottom (at y1).
Paint VerticalGradient(Rgb top, Rgb bottom, double y0, double y1);
Paint HorizontalGradient(Rgb left, Rgb right, double x0, double x1);
Rgb Mix(Rgb a, Rgb b, double towardB);

} // namespace skinart

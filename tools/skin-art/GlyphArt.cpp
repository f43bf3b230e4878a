// Glyph geometry. Caption symbols use strokes of 1.7 pixels on the large cell and no thinner
// than 1.3 on the small one, so they stay crisp at 96 dpi.
#include "tools/skin-art/GlyphArt.h"

namespace skinart {
namespace {

constexpr double kDesignSide = 24.0;
constexpr double kLargeStroke = 1.7;
constexpr double kSmallestStroke = 1.3;
// The design side a small cell's symbol is scaled from.
constexpr double kSmallDesignSide = 18.0;

// Maps design coordinates (a 24-pixel cell, centre 12) onto a cell of the given side. Small
// cells draw the symbol relatively larger, so that it stays readable at 14 pixels.
struct Design {
    double Centre;
    double Scale;
    double Stroke;
    explicit Design(double side)
        : Centre(side / 2), Scale(side / (side >= kDesignSide - 4 ? kDesignSide : kSmallDesignSide)),
          Stroke(std::max(kSmallestStroke, kLargeStroke * side / kDesignSide)) {}
    double At(double v) const { return Centre + (v - kDesignSide / 2) * Scale; }
    double Len(double v) const { return v * Scale; }
    Box Frame(double l, double t, double r, double b) const { return {At(l), At(t), At(r), At(b)}; }
};

Shape Outline(const Box& box, double width) { return Ring(box, 0.0, width); }

} // namespace

Shape CaptionGlyph(CaptionSymbol symbol, double cellSide) {
    const Design d(cellSide);
    switch (symbol) {
    case CaptionSymbol::Close: {
        const double a = d.At(7.8), b = d.At(16.2);
        return Union(Stroke(a, a, b, b, d.Stroke), Stroke(a, b, b, a, d.Stroke));
    }
    case CaptionSymbol::Maximize: {
        const Box box = d.Frame(7.5, 7.5, 16.5, 16.5);
        // A heavier top edge, as window frames have.
        return Union(Outline(box, d.Stroke * 0.8), Rectangle({box.Left, box.Top, box.Right, box.Top + d.Stroke * 1.4}));
    }
    case CaptionSymbol::Restore: {
        const Box back = d.Frame(9.5, 6.5, 17.5, 14.5);
        const Box front = d.Frame(6.5, 9.5, 14.5, 17.5);
        const Shape frontShape = Union(Outline(front, d.Stroke * 0.8),
                                       Rectangle({front.Left, front.Top, front.Right, front.Top + d.Stroke * 1.2}));
        const Shape backShape = Union(Outline(back, d.Stroke * 0.8),
                                      Rectangle({back.Left, back.Top, back.Right, back.Top + d.Stroke * 1.2}));
        return Union(frontShape, Minus(backShape, Rectangle(front.Inset(-d.Stroke * 0.4))));
    }
    case CaptionSymbol::Minimize:
        return Rectangle({d.At(7.5), d.At(14.8), d.At(16.5), d.At(14.8) + std::max(1.5, d.Len(2.0))});
    case CaptionSymbol::Help: {
        const double cx = d.At(12), cy = d.At(9.6), r = d.Len(3.6);
        const Shape hook = Within(Circle(cx, cy, r + d.Stroke / 2, d.Stroke),
                                  [=](double x, double y) { return y < cy + d.Len(0.6) || x > cx + d.Len(1.0); });
        const Shape stem = Union(Stroke(cx + d.Len(2.4), cy + d.Len(2.4), cx, cy + d.Len(4.2), d.Stroke),
                                 Stroke(cx, cy + d.Len(4.2), cx, cy + d.Len(5.6), d.Stroke));
        return Union(Union(hook, stem), Disc(cx, d.At(18.0), d.Stroke * 0.75));
    }
    case CaptionSymbol::None:
        break;
    }
    return [](double, double) { return false; };
}

Shape ArrowGlyph(ArrowDirection direction, double cx, double cy) {
    constexpr double halfBase = 3.5, depth = 4.0;
    switch (direction) {
    case ArrowDirection::Left:
        return Triangle(cx - depth / 2, cy, cx + depth / 2, cy - halfBase, cx + depth / 2, cy + halfBase);
    case ArrowDirection::Right:
        return Triangle(cx + depth / 2, cy, cx - depth / 2, cy - halfBase, cx - depth / 2, cy + halfBase);
    case ArrowDirection::Up:
        return Triangle(cx, cy - depth / 2, cx - halfBase, cy + depth / 2, cx + halfBase, cy + depth / 2);
    case ArrowDirection::Down:
        return Triangle(cx, cy + depth / 2, cx - halfBase, cy - depth / 2, cx + halfBase, cy - depth / 2);
    }
    return [](double, double) { return false; };
}

Shape CheckGlyph(double left, double top, double side, double strokeWidth) {
    auto at = [&](double fx, double fy) { return std::pair{left + fx * side, top + fy * side}; };
    const auto [ax, ay] = at(0.16, 0.52);
    const auto [bx, by] = at(0.40, 0.76);
    const auto [cx, cy] = at(0.84, 0.24);
    return Union(Stroke(ax, ay, bx, by, strokeWidth), Stroke(bx, by, cx, cy, strokeWidth));
}

Shape Dot(double cx, double cy) { return Rectangle({cx - 1, cy - 1, cx + 1, cy + 1}); }

} // namespace skinart

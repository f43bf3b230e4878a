// The shapes the pictures are made of, as point tests: rounded rectangles, rings, discs, strokes
// and triangles. Coordinates are pixel space (a pixel's centre is at x + 0.5).
#pragma once

#include <algorithm>
#include <cmath>

#include "tools/skin-art/ArtLayer.h"

namespace skinart {

struct Box {
    double Left, Top, Right, Bottom;
    Box Inset(double by) const { return {Left + by, Top + by, Right - by, Bottom - by}; }
    Box Moved(double dx, double dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    double Width() const { return Right - Left; }
    double Height() const { return Bottom - Top; }
};

// Corner radii, clockwise from the top-left.
struct Radii {
    double TopLeft, TopRight, BottomRight, BottomLeft;
    static Radii All(double r) { return {r, r, r, r}; }
    static Radii Top(double r) { return {r, r, 0, 0}; }
};

// Signed distance to a rounded rectangle (negative inside).
inline double RoundedBoxDistance(const Box& box, const Radii& radii, double x, double y) {
    const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    const double hx = box.Width() / 2, hy = box.Height() / 2;
    const double r = x < cx ? (y < cy ? radii.TopLeft : radii.BottomLeft) : (y < cy ? radii.TopRight : radii.BottomRight);
    const double qx = std::abs(x - cx) - hx + r, qy = std::abs(y - cy) - hy + r;
    return std::min(std::max(qx, qy), 0.0) + std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) - r;
}

inline Shape RoundedBox(Box box, Radii radii) {
    return [=](double x, double y) { return RoundedBoxDistance(box, radii, x, y) <= 0.0; };
}
inline Shape RoundedBox(Box box, double radius) { return RoundedBox(box, Radii::All(radius)); }
inline Shape Rectangle(Box box) {
    return [=](double x, double y) { return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom; };
}

// The band of a rounded rectangle between its edge and `width` inside it.
inline Shape Ring(Box box, Radii radii, double width) {
    return [=](double x, double y) {
        const double d = RoundedBoxDistance(box, radii, x, y);
        return d <= 0.0 && d > -width;
    };
}
inline Shape Ring(Box box, double radius, double width) { return Ring(box, Radii::All(radius), width); }

inline Shape Disc(double cx, double cy, double r) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) <= r; };
}
inline Shape Circle(double cx, double cy, double r, double width) {
    return [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        return d <= r && d > r - width;
    };
}

// A stroke of the given width between two points, with round ends.
inline Shape Stroke(double ax, double ay, double bx, double by, double width) {
    return [=](double x, double y) {
        const double dx = bx - ax, dy = by - ay;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / length2, 0.0, 1.0) : 0.0;
        return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) <= width / 2;
    };
}

inline Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
    return [=](double x, double y) {
        auto edge = [&](double ax, double ay, double bx, double by) { return (bx - ax) * (y - ay) - (by - ay) * (x - ax); };
        const double e0 = edge(x0, y0, x1, y1), e1 = edge(x1, y1, x2, y2), e2 = edge(x2, y2, x0, y0);
        return (e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0);
    };
}

inline Shape Union(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}
inline Shape Minus(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}
inline Shape Within(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

} // namespace skinart

// Gradient lines computed once (per row for vertical, one row template for horizontal) and
// copied; the four-corner kind interpolates over each of its four triangles.
#include "skin/render/sGradient.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"

namespace skin {

namespace {

constexpr Pixel kOpaque = 0xFF000000u;
constexpr int kPercentWhole = 100;

// One value over a row: doubling block copies, which outrun a pixel-by-pixel loop.
void FillRow(Pixel* row, int width, Pixel value) {
    if (width <= 0)
        return;
    row[0] = value;
    for (int filled = 1; filled < width; filled *= 2)
        std::memcpy(row + filled, row, std::size_t(std::min(filled, width - filled)) * sizeof(Pixel));
}

// A colour value 0x00BBGGRR as an opaque pixel.
inline Pixel OpaquePixelOf(TColor colour) { return kOpaque | (PixelOfColor(colour) & 0x00FFFFFFu); }

enum class SegmentEnds { Vertical, Horizontal };

// The colour of every position 0 .. length - 1 of a gradient line. Each segment runs from the
// previous one's end to its own (the last one to length - 1) and is painted only when it ends
// after it starts, so a line shorter than 2 has no colours (returns false).
bool GradientLine(const TsGradArray& segments, int length, SegmentEnds ends, std::vector<Pixel>& line) {
    line.assign(std::size_t(std::max(length, 0)), 0);
    const int last = length - 1;
    int start = 0;
    bool painted = false;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const TsGradientSegment& segment = segments[i];
        int end = last;
        if (i + 1 < segments.size()) {
            end = ends == SegmentEnds::Vertical
                      ? std::min(start + length * segment.Percent / kPercentWhole, last)
                      : std::min(RoundEvenInt(segment.Percent * double(length) / kPercentWhole + start), last);
        }
        if (end > start) {
            painted = true;
            if (segment.Color1 == segment.Color2) {
                std::fill(line.begin() + start, line.begin() + end + 1, OpaquePixelOf(segment.Color1));
            } else {
                // Each channel steps by (c2 - c1) / (end - start) per position, rounded when written.
                const int steps = end - start;
                std::array<double, 3> value{double(RedOf(segment.Color1)), double(GreenOf(segment.Color1)),
                                            double(BlueOf(segment.Color1))};
                const std::array<double, 3> step{(RedOf(segment.Color2) - value[0]) / steps,
                                                 (GreenOf(segment.Color2) - value[1]) / steps,
                                                 (BlueOf(segment.Color2) - value[2]) / steps};
                for (int p = start; p <= end; ++p) {
                    const TColor colour = framework::RgbColor(ClampByte(RoundEvenInt(value[0])),
                                                              ClampByte(RoundEvenInt(value[1])),
                                                              ClampByte(RoundEvenInt(value[2])));
                    line[std::size_t(p)] = OpaquePixelOf(colour);
                    for (int c = 0; c < 3; ++c)
                        value[std::size_t(c)] += step[std::size_t(c)];
                }
            }
        }
        start = std::max(start, std::min(end, last));
    }
    return painted;
}

struct MeshVertex {
    double X;
    double Y;
    std::array<double, 3> Channel; // red, green, blue
};

MeshVertex VertexOf(double x, double y, TColor colour) {
    return {x, y, {double(RedOf(colour)), double(GreenOf(colour)), double(BlueOf(colour))}};
}

// Barycentric mix of a triangle's vertex colours at point (px, py).
Pixel InterpolateTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, double px, double py) {
    const double area = (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
    if (area == 0)
        return OpaquePixelOf(framework::RgbColor(int(a.Channel[0]), int(a.Channel[1]), int(a.Channel[2])));
    const double wb = ((px - a.X) * (c.Y - a.Y) - (c.X - a.X) * (py - a.Y)) / area;
    const double wc = ((b.X - a.X) * (py - a.Y) - (px - a.X) * (b.Y - a.Y)) / area;
    const double wa = 1.0 - wb - wc;
    std::array<int, 3> rgb{};
    for (std::size_t ch = 0; ch < 3; ++ch)
        rgb[ch] = ClampByte(RoundEvenInt(wa * a.Channel[ch] + wb * b.Channel[ch] + wc * c.Channel[ch]));
    return OpaquePixelOf(framework::RgbColor(rgb[0], rgb[1], rgb[2]));
}

// Five vertices: top-left (segment 0), centre (1), top-right (2), bottom-right (3), bottom-left
// (4), a missing segment repeating the last colour given; four triangles meet at the centre.
void PaintFourCorner(Bitmap32& bitmap, const TRect& rect, const TsGradArray& segments) {
    std::array<TColor, 5> colour{};
    for (std::size_t i = 0; i < colour.size(); ++i)
        colour[i] = segments[std::min(i, segments.size() - 1)].Color1;
    const double left = rect.Left, top = rect.Top, right = rect.Right, bottom = rect.Bottom;
    const MeshVertex topLeft = VertexOf(left, top, colour[0]);
    const MeshVertex centre = VertexOf((left + right) / 2, (top + bottom) / 2, colour[1]);
    const MeshVertex topRight = VertexOf(right, top, colour[2]);
    const MeshVertex bottomRight = VertexOf(right, bottom, colour[3]);
    const MeshVertex bottomLeft = VertexOf(left, bottom, colour[4]);
    const double width = right - left;
    const double height = bottom - top;
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        Pixel* row = bitmap.Row(y).data();
        const double py = y + 0.5;
        const double v = (py - top) / height;
        for (int x = rect.Left; x < rect.Right; ++x) {
            const double px = x + 0.5;
            const double u = (px - left) / width;
            // The diagonals through the centre split the rect into the four triangles.
            if (v <= u && v <= 1 - u)
                row[x] = InterpolateTriangle(topLeft, centre, topRight, px, py);
            else if (u >= v && u >= 1 - v)
                row[x] = InterpolateTriangle(centre, topRight, bottomRight, px, py);
            else if (u <= v && u <= 1 - v)
                row[x] = InterpolateTriangle(topLeft, centre, bottomLeft, px, py);
            else
                row[x] = InterpolateTriangle(bottomLeft, centre, bottomRight, px, py);
        }
    }
}

// ((x - g) * w + g * 256) >> 8 per channel, alpha 255.
inline Pixel MixOverTexture(Pixel gradient, Pixel texture, int weight) {
    auto mix = [&](int g, int x) { return ((x - g) * weight + g * 256) >> 8; };
    return MakeValue(mix(Byte0(gradient), Byte0(texture)), mix(Byte1(gradient), Byte1(texture)),
                     mix(Byte2(gradient), Byte2(texture)), kOpaqueAlpha);
}

} // namespace

void PaintGradient(Bitmap32& bitmap, const TRect& rect, const TsGradArray& segments) {
    const TRect area = IntersectRects(rect, RectOf(bitmap));
    if (RectIsEmpty(area) || segments.empty())
        return;
    const int width = WidthOf(area);
    const std::size_t rowBytes = std::size_t(width) * sizeof(Pixel);
    std::vector<Pixel> line;
    switch (segments.front().GradientKind) {
    case TsGradientKind::gkVertical:
        if (!GradientLine(segments, HeightOf(area), SegmentEnds::Vertical, line))
            return;
        for (int y = area.Top; y < area.Bottom; ++y)
            FillRow(bitmap.Row(y).data() + area.Left, width, line[std::size_t(y - area.Top)]);
        break;
    case TsGradientKind::gkHorizontal:
        if (!GradientLine(segments, width, SegmentEnds::Horizontal, line))
            return;
        for (int y = area.Top; y < area.Bottom; ++y)
            std::memcpy(bitmap.Row(y).data() + area.Left, line.data(), rowBytes);
        break;
    case TsGradientKind::gkFourCorner:
        PaintFourCorner(bitmap, area, segments);
        break;
    default:
        break;
    }
}

void PaintGradientOverTexture(Bitmap32& bitmap, const TRect& rect, const TsGradArray& segments, int imageWeight,
                              const TRect& textureRect, const Bitmap32& texture) {
    const TRect area = IntersectRects(rect, RectOf(bitmap));
    if (RectIsEmpty(area) || segments.empty())
        return;
    const TsGradientKind kind = segments.front().GradientKind;
    if (kind != TsGradientKind::gkVertical && kind != TsGradientKind::gkHorizontal)
        return;
    const TRect tile =
        IntersectRects(RectIsEmpty(textureRect) ? RectOf(texture) : textureRect, RectOf(texture));
    if (RectIsEmpty(tile)) {
        PaintGradient(bitmap, area, segments);
        return;
    }
    const bool vertical = kind == TsGradientKind::gkVertical;
    std::vector<Pixel> line;
    if (!GradientLine(segments, vertical ? HeightOf(area) : WidthOf(area),
                      vertical ? SegmentEnds::Vertical : SegmentEnds::Horizontal, line))
        return;
    const int tileWidth = WidthOf(tile);
    const int tileHeight = HeightOf(tile);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int row = y - area.Top;
        // Horizontal gradients repeat with the texture's height: copy the mixed row from above.
        if (!vertical && row >= tileHeight) {
            std::memcpy(bitmap.Row(y).data() + area.Left, bitmap.Row(y - tileHeight).data() + area.Left,
                        std::size_t(WidthOf(area)) * sizeof(Pixel));
            continue;
        }
        const Pixel* textureRow = texture.Row(tile.Top + row % tileHeight).data() + tile.Left;
        Pixel* target = bitmap.Row(y).data();
        for (int x = area.Left; x < area.Right; ++x) {
            const int col = x - area.Left;
            const Pixel gradient = line[std::size_t(vertical ? row : col)];
            target[x] = MixOverTexture(gradient, textureRow[col % tileWidth], imageWeight);
        }
    }
}

} // namespace skin

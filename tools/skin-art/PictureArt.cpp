// The separate pictures. Shadows and halos are computed from the distance to the shape they
// surround, so they fall off smoothly and stretch without steps.
#include "tools/skin-art/PictureArt.h"

#include <algorithm>
#include <cmath>

#include "tools/skin-art/ArtShapes.h"
#include "tools/skin-art/MasterCells.h"
#include "tools/skin-art/PewterPalette.h"

namespace skinart {
namespace {

using namespace pewter;

// 1 at the shape's edge, 0 at `reach` pixels out, easing in between.
double Falloff(double distance, double reach) {
    if (distance >= reach)
        return 0.0;
    const double t = 1.0 - std::max(0.0, distance) / reach;
    return t * t * (3.0 - 2.0 * t) * t;
}

void SetInk(ArtLayer& layer, int x, int y, Rgb colour, double alpha) {
    const double a = std::clamp(alpha, 0.0, 1.0);
    layer.At(x, y) = {((colour >> 16) & 0xFF) / 255.0 * a, ((colour >> 8) & 0xFF) / 255.0 * a,
                      (colour & 0xFF) / 255.0 * a, a};
}

// A black shadow of a rounded box, `peak` (0..255) at its edge, nothing inside it.
void CastShadow(ArtLayer& layer, const Box& casting, const Radii& radii, const Box& solid, const Radii& solidRadii,
                double peak, double reach, double offsetX, double offsetY, int left = 0, int width = -1) {
    const int right = width < 0 ? layer.Width() : left + width;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = left; x < right; ++x) {
            const double px = x - left + 0.5, py = y + 0.5;
            if (RoundedBoxDistance(solid, solidRadii, px, py) <= 0.0)
                continue;
            const double d = RoundedBoxDistance(casting.Moved(offsetX, offsetY), radii, px, py);
            SetInk(layer, x, y, kBlack, peak / 255.0 * Falloff(d, reach));
        }
}

// One cell of the extended border: shadow margin 14, title strip 31, frame 8.
//   0..13 shadow | 14..21 frame | 22..27 client | 28..35 frame | 36..49 shadow   (columns)
//   0..13 shadow | 14..44 title | 45..57 client beside the frame | 58..65 frame | 66..79 shadow
void ExtendedBorderCell(ArtLayer& layer, int left, bool active) {
    constexpr double kMargin = 14, kTitleBottom = 45, kClientBottom = 58;
    const Box frame{kMargin, kMargin, 50 - kMargin, 80 - kMargin};
    const Radii radii{6, 6, 4, 4};
    CastShadow(layer, frame, radii, frame, radii, active ? 72 : 50, kMargin - 0.5, 0, 1.5, left, 50);

    ArtLayer cell(50, 80);
    const Rgb top = active ? kTitleActiveTop : kTitleInactiveTop;
    const Rgb bottom = active ? kTitleActiveBottom : kTitleInactiveBottom;
    const Rgb outline = active ? kFrameActiveOutline : kFrameInactiveOutline;
    const Shape body = RoundedBox(frame, radii);
    cell.Fill(Within(body, Rectangle({0, 0, 50, kTitleBottom})), VerticalGradient(top, bottom, kMargin, kTitleBottom));
    cell.Fill(Within(body, Rectangle({0, kTitleBottom, 50, 80})), bottom);
    cell.Fill(Within(Ring(frame.Inset(1), Radii{5, 5, 3, 3}, 1), Rectangle({0, kMargin + 1, 50, kMargin + 2})),
              active ? kTitleActiveHighlight : kTitleInactiveHighlight);
    // The client hole, with a crisp line around it that separates frame and content.
    const Box client{22, kTitleBottom, 28, kClientBottom};
    cell.Fill(Ring(client.Inset(-1), 0.0, 1), outline, 0.7);
    cell.Fill(Rectangle(client), kFace);
    cell.Fill(Ring(frame, radii, 1), outline);
    layer.Draw(cell, left, 0);
}

// A halo: colour at `peak` on the edge of `edge`, fading outward over `reach`, and inward over
// `inner` pixels (the part that lies over the control's own border).
ArtLayer Halo(int side, const Box& edge, double radius, Rgb colour, double peak, double reach, double inner) {
    ArtLayer layer(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double d = RoundedBoxDistance(edge, Radii::All(radius), x + 0.5, y + 0.5);
            const double weight = d >= 0 ? Falloff(d, reach) : (inner > 0 ? std::max(0.0, 1.0 + d / inner) : 0.0);
            SetInk(layer, x, y, colour, peak / 255.0 * weight);
        }
    return layer;
}

} // namespace

skin::Bitmap32 ExtendedBorderPicture() {
    ArtLayer layer(100, 80);
    ExtendedBorderCell(layer, 0, true);
    ExtendedBorderCell(layer, 50, false);
    return layer.ToBitmap();
}

skin::Bitmap32 EditGlowPicture() {
    // Borders 7 with an inset of 2: the control's edge lies 5 pixels in from the picture's edge.
    return Halo(16, {5, 5, 11, 11}, 1.5, kGlow, 90, 5.5, 2.0).ToBitmap();
}

skin::Bitmap32 CaptionGlowPicture(CaptionSymbol symbol) {
    constexpr int kButton = 24, kMargin = 3, kSide = kButton + 2 * kMargin;
    const bool close = symbol == CaptionSymbol::Close;
    const Box button{kMargin, kMargin, kMargin + kButton, kMargin + kButton};
    ArtLayer layer = Halo(kSide, button.Inset(1), 3.5, close ? 0xFF5A4E : 0xCFE0F5, close ? 150 : 110, 3.5, 0);
    // The hot button itself, as the master bitmap draws its hot cell.
    ArtLayer face(kButton, kButton);
    const Box back = Box{0, 0, kButton, kButton}.Inset(1.0);
    face.Fill(RoundedBox(back, 3.5), close ? kCloseHot : kWhite, close ? 1.0 : 0.18);
    face.Fill(CaptionGlyph(symbol, kButton), kWhite, 1.0);
    layer.Draw(face, kMargin, kMargin);
    return layer.ToBitmap();
}

skin::Bitmap32 HintFramePicture() {
    ArtLayer layer(20, 20);
    const Box body{1, 1, 18, 18};
    CastShadow(layer, body, Radii::All(3), body, Radii::All(3), 60, 2.5, 0.8, 1.2);
    ArtLayer face(20, 20);
    face.Fill(RoundedBox(body, 3), VerticalGradient(kWhite, kHintFace, 1, 18));
    face.Fill(Ring(body, 3, 1), kButtonBorder);
    layer.Draw(face, 0, 0);
    return layer.ToBitmap();
}

skin::Bitmap32 HugeButtonPicture() {
    constexpr int kCell = 64, kStates = 3;
    MasterMask mask;
    mask.Section = "BUTTON_HUGE";
    mask.Key = "BORDERSMASK";
    mask.Right = kCell * kStates;
    mask.Bottom = kCell * 2;
    mask.CellCount = kStates;
    mask.MaskLayout = 1;
    skin::Bitmap32 picture(mask.Right, mask.Bottom);
    picture.Fill(kMasterKey);
    for (int state = 0; state < kStates; ++state) {
        CellArt art(kCell, kCell);
        const Box button{0, 0, kCell, kCell};
        const double radius = 8;
        art.KeyOutside(RoundedBox(button, radius));
        // Light falls on the top rows and shade gathers in the bottom ones; the middle is flat, so
        // a button lower than the cell loses only flat rows when its borders shrink.
        const Rgb face = state == 0 ? 0xE9ECF0 : state == 1 ? 0xF1F5FA : kPressedTop;
        const Rgb top = state == 0 ? kButtonTop : state == 1 ? kHotTop : 0xBFC6CF;
        const Rgb bottom = state == 0 ? kButtonBottom : state == 1 ? kHotBottom : kPressedBottom;
        const Rgb border = state == 0 ? kButtonBorder : state == 1 ? kHotBorder : kPressedBorder;
        constexpr double kLitRows = 12;
        art.Ink.Fill(RoundedBox(button, radius), [=](double, double y) {
            if (y < kLitRows)
                return Mix(top, face, y / kLitRows);
            if (y > kCell - kLitRows)
                return Mix(face, bottom, (y - (kCell - kLitRows)) / kLitRows);
            return face;
        });
        if (state < 2)
            art.Ink.Fill(Within(Ring(button.Inset(1), radius - 1, 1), Rectangle({0, 1, kCell, 2})), kWhite, 0.7);
        art.Ink.Fill(Ring(button, radius, 1), border);
        PutMaskedCell(picture, mask, state, art, false);
    }
    return picture;
}

skin::Bitmap32 GaugeLightPicture() {
    constexpr int kWidth = 60, kHeight = 20;
    constexpr double kMiddle = kWidth / 2.0;
    // Pure white everywhere, transparent pixels included; only the alpha draws the light.
    skin::Bitmap32 light(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        // 0 in the two middle rows, 1 in the top and bottom rows.
        const double fromMiddle = (std::abs(y + 0.5 - kHeight / 2.0) - 0.5) / (kHeight / 2.0 - 1.0);
        const double halfSpan = 10.0 + 15.0 * fromMiddle;
        const double peak = 90.0 + 47.0 * fromMiddle;
        auto row = light.Row(y);
        for (int x = 0; x < kWidth; ++x) {
            const bool outer = x == 0 || x == kWidth - 1;
            // The two middle columns carry the peak.
            const double fromCentre = std::max(0.0, std::abs(x + 0.5 - kMiddle) - 0.5);
            const double t = outer ? 0.0 : std::max(0.0, 1.0 - fromCentre / halfSpan);
            const auto alpha = static_cast<skin::Pixel>(std::lround(peak * t));
            row[x] = alpha << 24 | kWhite;
        }
    }
    return light;
}

skin::Bitmap32 DefaultShadowPicture(FormActivity activity) {
    ArtLayer layer(33, 33);
    const Box frame{9, 9, 24, 24};
    CastShadow(layer, frame, Radii::All(2), frame, Radii::All(2), activity == FormActivity::Active ? 64 : 40, 8.5, 0,
               1.0);
    return layer.ToBitmap();
}

skin::Bitmap32 ProgramIconPicture(int side) {
    const double s = side / 32.0;
    const double stroke = std::max(1.25, 2.4 * s);
    ArtLayer layer(side, side);
    const Box tile{1, 1, 31, 31};
    const Box scaled{tile.Left * s, tile.Top * s, tile.Right * s, tile.Bottom * s};
    layer.Fill(RoundedBox(scaled, 6 * s), VerticalGradient(0x7D8996, 0x525C67, scaled.Top, scaled.Bottom));
    layer.Fill(Within(Ring(scaled.Inset(1), 5 * s, 1), Rectangle({0, scaled.Top + 1, double(side), scaled.Top + 2})),
               kTitleActiveHighlight);
    // A light rim keeps the tile apart from the dark title strip it sits on.
    layer.Fill(Ring(scaled, 6 * s, 1), 0xA9B4C0);
    // A lens over three table rows: the program surveys a site and lists what it finds.
    const double cx = 13.5 * s, cy = 13.5 * s, r = 7.5 * s;
    layer.Fill(Disc(cx, cy, r), 0x9DBBDD, 0.9);
    for (int row = 0; row < 3; ++row) {
        const double y = (10.0 + 3.2 * row) * s;
        layer.Fill(Within(Disc(cx, cy, r - stroke * 0.5), Rectangle({cx - r, y, cx + r, y + std::max(1.0, 1.4 * s)})),
                   kWhite, 0.85);
    }
    layer.Fill(Circle(cx, cy, r, stroke), 0xF1F4F7);
    layer.Fill(Stroke(cx + r * 0.72, cy + r * 0.72, 26.5 * s, 26.5 * s, std::max(2.0, 4.2 * s)), 0xF1F4F7);
    return layer.ToBitmap();
}

} // namespace skinart

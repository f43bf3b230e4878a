// The painters of the master bitmap, one per section and key. Frames paint only their border
// ring (the section's own background fills the face), so the cells stay small and stretch well.
#include "tools/skin-art/MasterArt.h"

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>

#include "tools/skin-art/GlyphArt.h"
#include "tools/skin-art/MasterCells.h"
#include "tools/skin-art/PewterPalette.h"

namespace skinart {
namespace {

using namespace pewter;

// The smallest corner radius that still cuts the corner pixel with the key.
constexpr double kSmallRadius = 2.5;

// How one state of a framed part looks.
struct FrameLook {
    FrameLook() = default;
    FrameLook(std::optional<Rgb> border, double radius, double highlight = 0, double shadeTop = 0, double shadeBottom = 0)
        : Border(border), Radius(radius), Highlight(highlight), ShadeTop(shadeTop), ShadeBottom(shadeBottom) {}

    std::optional<Rgb> Border;           // none: the state shows no frame
    double Radius = 3;
    double Highlight = 0;                // white line inside the top edge, opacity
    double ShadeTop = 0, ShadeBottom = 0; // pressed: darkening of the face, top to bottom
    std::optional<Rgb> Outside;          // opaque colour around the outline instead of the key
    Box Outline{0, 0, 0, 0};             // empty: the whole cell
};

Box WholeCell(const CellArt& art) { return {0, 0, double(art.Ink.Width()), double(art.Ink.Height())}; }

void ShadeRows(CellArt& art, const Shape& face, Rgb colour, double top, double bottom) {
    const int height = art.Ink.Height();
    for (int y = 0; y < height; ++y) {
        const double t = height > 1 ? double(y) / (height - 1) : 0.0;
        art.Ink.Fill(Within(face, Rectangle({0, double(y), double(art.Ink.Width()), y + 1.0})), colour,
                     top + (bottom - top) * t);
    }
}

void PaintFrame(CellArt& art, const FrameLook& look) {
    const Box outline = look.Outline.Width() > 0 ? look.Outline : WholeCell(art);
    const Shape shape = RoundedBox(outline, look.Radius);
    if (look.Outside)
        art.Ink.Fill(Minus(Rectangle(WholeCell(art)), shape), *look.Outside);
    else
        art.KeyOutside(shape);
    if (!look.Border)
        return;
    const Box inner = outline.Inset(1);
    const double innerRadius = std::max(0.0, look.Radius - 1);
    if (look.ShadeTop > 0 || look.ShadeBottom > 0)
        ShadeRows(art, RoundedBox(inner, innerRadius), kPressedShade, look.ShadeTop, look.ShadeBottom);
    if (look.Highlight > 0)
        art.Ink.Fill(Within(Ring(inner, innerRadius, 1), Rectangle({inner.Left, inner.Top, inner.Right, inner.Top + 1})),
                     kWhite, look.Highlight);
    art.Ink.Fill(Ring(outline, look.Radius, 1), *look.Border);
}

// The three looks of push buttons and their relatives.
FrameLook ButtonLook(int state, double radius) {
    switch (state) {
    case 0: return {kButtonBorder, radius, 0.6};
    case 1: return {kHotBorder, radius, 0.8};
    default: return {kPressedBorder, radius, 0, 0.55, 0.12};
    }
}

// One painter per declared area: it draws the cell of a state.
struct CellRequest {
    const MasterMask& Mask;
    int State;
    int Width, Height;
};
using CellPainter = std::function<CellArt(const CellRequest&)>;

CellPainter Framed(std::function<FrameLook(int)> looks) {
    return [looks](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        PaintFrame(art, looks(r.State));
        return art;
    };
}

CellPainter Glyph(std::function<void(ArtLayer&, int state, double w, double h)> draw) {
    return [draw](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        draw(art.Ink, r.State, r.Width, r.Height);
        return art;
    };
}

CellPainter Transformed(CellPainter base, std::function<CellArt(const CellArt&)> turn, bool swapSides) {
    return [=](const CellRequest& r) {
        const CellRequest turned{r.Mask, r.State, swapSides ? r.Height : r.Width, swapSides ? r.Width : r.Height};
        return turn(base(turned));
    };
}

// --- caption buttons --------------------------------------------------------------------------

void CaptionButton(ArtLayer& ink, CaptionSymbol symbol, bool closeButton, int state, double side) {
    const Box back = Box{0, 0, side, side}.Inset(side >= 20 ? 1.0 : 0.5);
    const double radius = side >= 20 ? 3.5 : 2.5;
    if (state == 1)
        ink.Fill(RoundedBox(back, radius), closeButton ? kCloseHot : kWhite, closeButton ? 1.0 : 0.18);
    if (state >= 2)
        ink.Fill(RoundedBox(back, radius), closeButton ? kClosePressed : kBlack, closeButton ? 1.0 : 0.28);
    if (symbol != CaptionSymbol::None)
        ink.Fill(CaptionGlyph(symbol, side), state == 0 ? kCaptionGlyph : kWhite, state == 0 ? 0.92 : 1.0);
}

CellPainter Caption(CaptionSymbol symbol) {
    return Glyph([symbol](ArtLayer& ink, int state, double w, double) {
        CaptionButton(ink, symbol, symbol == CaptionSymbol::Close, state, w);
    });
}

// --- check boxes and radio buttons --------------------------------------------------------------

enum class Mark { None, Checked, Grayed };

void CheckBox(ArtLayer& ink, int state, double side, bool round, Mark mark) {
    const Box box{0, 0, side, side};
    const Rgb top = state == 2 ? 0xDCE3EC : kWhite;
    const Rgb bottom = state == 0 ? 0xEEF1F4 : state == 1 ? 0xE6EDF6 : 0xEEF2F7;
    const Rgb border = state == 0 ? kButtonBorder : state == 1 ? kHotBorder : kPressedBorder;
    const Shape outline = round ? Disc(side / 2, side / 2, side / 2) : RoundedBox(box, side > 10 ? 2.0 : 1.5);
    const Shape ring = round ? Circle(side / 2, side / 2, side / 2, 1.0) : Ring(box, side > 10 ? 2.0 : 1.5, 1.0);
    ink.Fill(outline, VerticalGradient(top, bottom, 0, side));
    ink.Fill(ring, border);
    if (mark == Mark::Checked) {
        if (round)
            ink.Fill(Disc(side / 2, side / 2, side * 0.2), kAccentDark);
        else
            ink.Fill(CheckGlyph(side * 0.08, side * 0.1, side * 0.84, side > 10 ? 1.8 : 1.4), kAccentDark);
    } else if (mark == Mark::Grayed) {
        const double inset = side * 0.3;
        ink.Fill(round ? Disc(side / 2, side / 2, side * 0.2) : RoundedBox(box.Inset(inset), 1.0), kButtonBorder);
    }
}

CellPainter CheckBoxCell(bool round, Mark mark) {
    return Glyph([=](ArtLayer& ink, int state, double w, double) { CheckBox(ink, state, w, round, mark); });
}

// --- arrows, grips ---------------------------------------------------------------------------------

Rgb ArrowColour(int state) { return state == 0 ? kArrow : state == 1 ? kAccentDark : kText; }

CellPainter Arrow(ArrowDirection direction) {
    return Glyph([=](ArtLayer& ink, int state, double w, double h) {
        ink.Fill(ArrowGlyph(direction, w / 2, h / 2), ArrowColour(state));
    });
}

void GripDots(ArtLayer& ink, const std::vector<std::pair<double, double>>& centres) {
    for (auto [x, y] : centres)
        ink.Fill(Dot(x + 1, y + 1), kWhite, 0.9);
    for (auto [x, y] : centres)
        ink.Fill(Dot(x, y), kEditBorder);
}

// Lines across a scroll thumb, each with a light line beside it.
void ThumbLines(ArtLayer& ink, int state, double w, double h) {
    const Rgb line = state == 0 ? kEditBorder : kHotBorder;
    for (int i = 0; i < 3; ++i) {
        const double x = 1 + 3 * i;
        ink.Fill(Rectangle({x + 1, 1, x + 2, h - 1}), kWhite, 0.8);
        ink.Fill(Rectangle({x, 1, x + 1, h - 1}), line);
    }
}

// --- tabs ----------------------------------------------------------------------------------------

// A tab open at the bottom: the cell's lower edge joins the page frame.
CellArt TabTopCell(const CellRequest& r) {
    CellArt art(r.Width, r.Height);
    const Box outline{0, 0, double(r.Width), r.Height + 4.0};
    const Radii radii = Radii::Top(3);
    art.KeyOutside(RoundedBox(outline, radii));
    const Box inner = outline.Inset(1);
    if (r.State == 0) {
        art.Ink.Fill(Within(RoundedBox(inner, Radii::Top(2)), Rectangle({0, 1, double(r.Width), 2})), kWhite, 0.7);
    } else {
        // The active (and hovered) tab carries the accent along its top.
        art.Ink.Fill(Within(RoundedBox(inner, Radii::Top(2)), Rectangle({0, 1, double(r.Width), 2})), kAccent);
        art.Ink.Fill(Within(RoundedBox(inner, Radii::Top(2)), Rectangle({0, 2, double(r.Width), 3})), kAccent, 0.35);
    }
    art.Ink.Fill(Ring(outline, radii, 1), kButtonBorder);
    return art;
}

// --- opaque (keyed) cells ------------------------------------------------------------------------

struct OpaquePainter {
    std::function<void(CellArt&, int state, int w, int h)> Draw;
    std::function<Rgb(int state)> Backing;
};

OpaquePainter Lines(std::vector<std::pair<Box, Rgb>> lines, Rgb backing) {
    return {[lines](CellArt& art, int, int, int) {
                for (const auto& [box, colour] : lines)
                    art.Ink.Fill(Rectangle(box), colour);
            },
            [backing](int) { return backing; }};
}

std::map<std::string, CellPainter> MaskedPainters() {
    std::map<std::string, CellPainter> p;
    // Caption buttons, large and small sets.
    for (const char* prefix : {"GLOBALINFO/BICON", "GLOBALINFO/SICON"}) {
        const std::string set = prefix;
        p[set + "CLOSE"] = Caption(CaptionSymbol::Close);
        p[set + "MAX"] = Caption(CaptionSymbol::Maximize);
        p[set + "NORM"] = Caption(CaptionSymbol::Restore);
        p[set + "MIN"] = Caption(CaptionSymbol::Minimize);
        p[set + "HELP"] = Caption(CaptionSymbol::Help);
    }
    p["GLOBALINFO/TITLEBUTTON"] = Caption(CaptionSymbol::None);
    for (const char* size : {"BOX", "SMALL"}) {
        const std::string s = std::string("GLOBALINFO/") + size;
        p[s + "CHECKED"] = CheckBoxCell(false, Mark::Checked);
        p[s + "UNCHECKED"] = CheckBoxCell(false, Mark::None);
        p[s + "GRAYED"] = CheckBoxCell(false, Mark::Grayed);
    }
    p["GLOBALINFO/RADIOCHECKED"] = CheckBoxCell(true, Mark::Checked);
    p["GLOBALINFO/RADIOUNCHECKED"] = CheckBoxCell(true, Mark::None);
    p["GLOBALINFO/RADIOGRAYED"] = CheckBoxCell(true, Mark::Grayed);
    p["GLOBALINFO/CHECK"] = Glyph([](ArtLayer& ink, int state, double w, double) {
        ink.Fill(CheckGlyph(0, 0, w, 1.8), state == 0 ? kText : kWhite);
    });
    p["GLOBALINFO/GRIPIMAGE"] = Glyph([](ArtLayer& ink, int, double, double) {
        std::vector<std::pair<double, double>> centres;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if (i + j >= 2)
                    centres.push_back({3.0 + 4 * i, 3.0 + 4 * j});
        GripDots(ink, centres);
    });
    p["GLOBALINFO/GRIPHORZ"] = Glyph([](ArtLayer& ink, int, double, double) {
        GripDots(ink, {{2.5, 2}, {6.5, 2}, {10.5, 2}, {14.5, 2}});
    });
    p["GLOBALINFO/GRIPVERT"] = Glyph([](ArtLayer& ink, int, double, double) {
        GripDots(ink, {{2, 2.5}, {2, 6.5}, {2, 10.5}, {2, 14.5}});
    });

    p["FORM/BORDERSMASK"] = [](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        const bool active = r.State == 1;
        const Box outline = WholeCell(art);
        const Radii radii{5, 5, 3, 3};
        art.KeyOutside(RoundedBox(outline, radii));
        art.Ink.Fill(Ring(outline, radii, r.Mask.BorderLeft), active ? kTitleActiveBottom : kTitleInactiveBottom);
        art.Ink.Fill(Ring(outline.Inset(r.Mask.BorderLeft - 1), 0.0, 1), active ? kFrameActiveOutline : kFrameInactiveOutline);
        art.Ink.Fill(Ring(outline, radii, 1), active ? kFrameActiveOutline : kFrameInactiveOutline);
        return art;
    };
    p["BUTTON/BORDERSMASK"] = Framed([](int s) { return ButtonLook(s, 3); });
    p["SPEEDBUTTON/BORDERSMASK"] = Framed([](int s) { return ButtonLook(s, 3); });
    p["SPEEDBUTTON_SMALL/BORDERSMASK"] = Framed([](int s) {
        if (s == 0)
            return FrameLook{std::nullopt, kSmallRadius};
        return s == 1 ? FrameLook{kHotBorder, kSmallRadius, 0.6} : FrameLook{kPressedBorder, kSmallRadius, 0, 0.35, 0.15};
    });
    p["COMBOBTN/BORDERSMASK"] = Framed([](int s) { return ButtonLook(s, kSmallRadius); });
    p["COMBOBOX/GLYPHMASK"] = Arrow(ArrowDirection::Down);
    p["GROUPBOX/BORDERSMASK"] = [](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        const Box outline = WholeCell(art);
        art.KeyOutside(RoundedBox(outline, 3));
        art.Ink.Fill(Ring(outline.Inset(1), 2, 1), kWhite, 0.55);
        art.Ink.Fill(Ring(outline, 3, 1), kGroupFrame);
        return art;
    };
    p["PAGECONTROL/BORDERSMASK"] = Framed([](int) { return FrameLook{kButtonBorder, kSmallRadius}; });
    p["GAUGE/BORDERSMASK"] = [](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        const Box outline = WholeCell(art);
        art.KeyOutside(RoundedBox(outline, kSmallRadius));
        art.Ink.Fill(Within(RoundedBox(outline.Inset(1), 1), Rectangle({0, 1, outline.Right, 2})), kBlack, 0.12);
        art.Ink.Fill(Ring(outline, kSmallRadius, 1), kGroupFrame);
        return art;
    };
    p["TABTOP/BORDERSMASK"] = TabTopCell;
    p["TABBOTTOM/BORDERSMASK"] = Transformed(TabTopCell, [](const CellArt& a) { return a.FlippedVertically(); }, false);
    p["TABLEFT/BORDERSMASK"] = Transformed(TabTopCell, [](const CellArt& a) { return a.Transposed(); }, true);
    p["TABRIGHT/BORDERSMASK"] =
        Transformed(TabTopCell, [](const CellArt& a) { return a.Transposed().FlippedHorizontally(); }, true);

    // Scroll-bar arrows: flat on the track until hovered; opaque track colour around the box so
    // the corners match the track, not whatever lies under the bar.
    auto arrowButton = [](int s) {
        if (s == 0)
            return FrameLook{};
        FrameLook look = s == 1 ? FrameLook{kHotBorder, 3, 0.8} : FrameLook{kPressedBorder, 3, 0, 0.45, 0.15};
        look.Outside = kTrack;
        return look;
    };
    auto scrollButton = [arrowButton](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        if (r.State == 0)
            return art;
        FrameLook look = arrowButton(r.State);
        look.Outline = Box{0, 0, double(r.Width), double(r.Height)}.Inset(1);
        PaintFrame(art, look);
        return art;
    };
    for (const char* section : {"SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM"})
        p[std::string(section) + "/BORDERSMASK"] = scrollButton;
    p["SCROLLBTNLEFT/GLYPHMASK"] = Arrow(ArrowDirection::Left);
    p["SCROLLBTNRIGHT/GLYPHMASK"] = Arrow(ArrowDirection::Right);
    p["SCROLLBTNTOP/GLYPHMASK"] = Arrow(ArrowDirection::Up);
    p["SCROLLBTNBOTTOM/GLYPHMASK"] = Arrow(ArrowDirection::Down);
    auto thumb = [](const CellRequest& r) {
        CellArt art(r.Width, r.Height);
        FrameLook look = r.State == 0 ? FrameLook{kEditBorder, 3, 0.8} : FrameLook{kHotBorder, 3, 0.9};
        look.Outside = kTrack;
        look.Outline = {0, 2, double(r.Width), r.Height - 2.0};
        PaintFrame(art, look);
        return art;
    };
    p["SCROLLSLIDERH/BORDERSMASK"] = thumb;
    p["SCROLLSLIDERV/BORDERSMASK"] = Transformed(thumb, [](const CellArt& a) { return a.Transposed(); }, true);
    p["SCROLLSLIDERH/GLYPHMASK"] = Glyph(ThumbLines);
    p["SCROLLSLIDERV/GLYPHMASK"] = Transformed(Glyph(ThumbLines), [](const CellArt& a) { return a.Transposed(); }, true);
    p["MENUITEM/BORDERSMASK"] = Framed([](int s) {
        return s == 0 ? FrameLook{std::nullopt, kSmallRadius} : FrameLook{kPressedBorder, kSmallRadius, 0.18};
    });
    p["TRACKBAR/GLYPHMASK"] = Glyph([](ArtLayer& ink, int state, double w, double h) {
        const Shape body = Union(RoundedBox({1, 1, w - 1, h - 6}, 2),
                                 Triangle(1, h - 6.5, w - 1, h - 6.5, w / 2, h - 0.5));
        const Rgb border = state == 0 ? kButtonBorder : state == 1 ? kHotBorder : kPressedBorder;
        ink.Fill(body, VerticalGradient(state == 2 ? kPressedTop : kButtonTop, state == 1 ? kHotBottom : kButtonBottom, 0, h));
        const Shape inner = Union(RoundedBox({2, 2, w - 2, h - 6}, 1), Triangle(2, h - 6.5, w - 2, h - 6.5, w / 2, h - 2));
        ink.Fill(Minus(body, inner), border);
    });
    return p;
}

std::map<std::string, OpaquePainter> OpaquePainters() {
    std::map<std::string, OpaquePainter> p;
    p["EDIT/BORDERSMASK"] = {[](CellArt& art, int state, int w, int h) {
                                 art.Ink.Fill(Ring({0, 0, double(w), double(h)}, 0.0, 1), state == 0 ? kEditBorder : kHotBorder);
                             },
                             [](int) { return kWhite; }};
    p["PANEL_LOW/BORDERSMASK"] = {[](CellArt& art, int, int w, int h) {
                                      const Box all{0, 0, double(w), double(h)};
                                      art.Ink.Fill(Rectangle({1, 1, w - 1.0, 2}), kBlack, 0.10);
                                      art.Ink.Fill(Rectangle({1, 1, 2, h - 1.0}), kBlack, 0.10);
                                      art.Ink.Fill(Ring(all, 0.0, 1), kGroupFrame);
                                  },
                                  [](int) { return kFace; }};
    p["STATUSBAR/BORDERSMASK"] = Lines({{{0, 0, 3, 1}, kMenuLine}}, kStatus);
    p["DIVIDER/BORDERSMASK"] = Lines({{{0, 0, 1, 6}, kDivider}}, kStatus);
    p["SCROLLBAR1H/BORDERSMASK"] = Lines({{{0, 0, 3, 1}, kTrackLine}, {{0, 16, 3, 17}, kTrackLine}}, kTrack);
    p["SCROLLBAR2H/BORDERSMASK"] = p["SCROLLBAR1H/BORDERSMASK"];
    p["SCROLLBAR1V/BORDERSMASK"] = Lines({{{0, 0, 1, 3}, kTrackLine}, {{16, 0, 17, 3}, kTrackLine}}, kTrack);
    p["SCROLLBAR2V/BORDERSMASK"] = p["SCROLLBAR1V/BORDERSMASK"];
    p["DIVIDERV/BORDERSMASK"] = Lines({{{0, 0, 3, 1}, kMenuLine}, {{0, 2, 3, 3}, kWhite}}, kMenuFace);
    p["ICOLINE/BORDERSMASK"] = Lines({{{2, 0, 3, 3}, kTabInactive}}, kTrack);
    p["MAINMENU/BORDERSMASK"] = {[](CellArt& art, int, int w, int h) {
                                     const Box all{0, 0, double(w), double(h)};
                                     art.KeyOutside(RoundedBox(all, 2.5));
                                     art.Ink.Fill(Ring(all, 2.5, 1), kButtonBorder);
                                 },
                                 [](int) { return kMenuFace; }};
    p["HEADER/BORDERSMASK"] = {[](CellArt& art, int, int w, int h) {
                                   art.Ink.Fill(Rectangle({0, 0, double(w), 1}), kWhite);
                                   art.Ink.Fill(Rectangle({w - 1.0, 0, double(w), double(h)}), kMenuLine);
                                   art.Ink.Fill(Rectangle({0, h - 1.0, double(w), double(h)}), kDivider);
                               },
                               [](int state) { return state == 0 ? kButtonTop : state == 1 ? kHotTop : kPressedTop; }};
    return p;
}

} // namespace

skin::Bitmap32 DrawMaster(const skin::TsSkinIni& options) {
    const std::vector<MasterMask> masks = MasterMasksOf(options);
    CheckMasterLayout(masks);
    int height = 1;
    for (const MasterMask& mask : masks) {
        if (mask.Right > kMasterWidth)
            throw std::runtime_error(mask.Name() + ": area beyond the master width");
        height = std::max(height, mask.Bottom);
    }
    skin::Bitmap32 master(kMasterWidth, height);
    master.Fill(kMasterKey);

    const auto masked = MaskedPainters();
    const auto opaque = OpaquePainters();
    for (const MasterMask& mask : masks) {
        const std::string name = mask.Name();
        for (int state = 0; state < mask.CellCount; ++state) {
            const CellRequest request{mask, state, mask.CellWidth(), mask.CellHeight()};
            if (mask.MaskLayout == 1) {
                const auto painter = masked.find(name);
                if (painter == masked.end())
                    throw std::runtime_error(name + ": no painter for a masked cell");
                PutMaskedCell(master, mask, state, painter->second(request), mask.Form == '@');
            } else {
                const auto painter = opaque.find(name);
                if (painter == opaque.end())
                    throw std::runtime_error(name + ": no painter for an opaque cell");
                CellArt art(request.Width, request.Height);
                painter->second.Draw(art, state, request.Width, request.Height);
                PutOpaqueCell(master, mask, state, art, painter->second.Backing(state));
            }
        }
    }
    return master;
}

} // namespace skinart

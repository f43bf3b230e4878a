// section, mask, glyph and sheet: the skin painted by the engine's own painters into PNG files
// holding the bitmap's bytes as they are (straight alpha).
#include "tools/tovrin-skin/PaintCommands.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string_view>

#include "framework/base/SysUtils.h"
#include "skin/pixels/ComposeOps.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sSectionPaint.h"
#include "tools/tovrin-skin/JsonWriter.h"
#include "tools/tovrin-skin/OutputArguments.h"

namespace tools {
namespace {

using skin::Bitmap32;
using skin::Pixel;
using skin::TRect;
using skin::TsBackdrop;


enum class MaskPainter { Plain, Alpha, Region };

struct PaintOptions {
    std::vector<std::string> Positional;
    std::optional<skin::TColor> BackdropColour;
    std::optional<std::string> BackdropPicture;
    skin::UseBackdrop Use = skin::UseBackdrop::No;
    MaskPainter Painter = MaskPainter::Plain;
};

enum OptionSet : unsigned { kBackdropColour = 1, kBackdropPicture = 2, kUseBackdrop = 4, kMaskPainters = 8 };

PaintOptions ParseOptions(const Arguments& arguments, std::size_t positionalCount, unsigned allowed,
                          const char* usage) {
    PaintOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw framework::Exception(argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--backdrop" && (allowed & kBackdropColour)) {
            options.BackdropColour = ParseColourOption(argument, value());
        } else if (argument == "--backdrop-png" && (allowed & kBackdropPicture)) {
            options.BackdropPicture = value();
        } else if (argument == "--use-backdrop" && (allowed & kUseBackdrop)) {
            options.Use = skin::UseBackdrop::Yes;
        } else if ((argument == "--alpha" || argument == "--region") && (allowed & kMaskPainters)) {
            const MaskPainter painter = argument == "--alpha" ? MaskPainter::Alpha : MaskPainter::Region;
            if (options.Painter != MaskPainter::Plain && options.Painter != painter)
                throw framework::Exception("--alpha and --region exclude each other");
            options.Painter = painter;
        } else if (argument.rfind("--", 0) == 0) {
            throw framework::Exception("Unknown option " + argument + "; usage: " + usage);
        } else {
            options.Positional.push_back(argument);
        }
    }
    if (options.BackdropColour && options.BackdropPicture)
        throw framework::Exception("--backdrop and --backdrop-png exclude each other");
    if (options.Positional.size() != positionalCount)
        throw framework::Exception(std::string("usage: tovrin-skin ") + usage);
    return options;
}

// The destination (transparent black, or a copy of the backdrop picture) and its backdrop.
struct Canvas {
    Bitmap32 Image;
    Bitmap32 Picture;
    TsBackdrop Backdrop;
};

Canvas MakeCanvas(int width, int height, const PaintOptions& options) {
    Canvas canvas;
    if (!canvas.Image.SetSize(width, height) || canvas.Image.Empty())
        throw framework::Exception("Cannot make a bitmap of " + std::to_string(width) + " x " + std::to_string(height));
    if (options.BackdropPicture) {
        canvas.Picture = skin::ReadPictureFile(*options.BackdropPicture);
        skin::CopyBlock(canvas.Image, 0, 0, canvas.Picture, skin::RectOf(canvas.Picture));
        canvas.Backdrop.Bitmap = &canvas.Picture;
        canvas.Backdrop.HasBitmap = true;
    } else if (options.BackdropColour) {
        canvas.Backdrop.FillColor = *options.BackdropColour;
    }
    return canvas;
}

const skin::TsMaskData& MaskOf(const skin::TsSkinManager& manager, const std::string& section,
                               const std::string& property) {
    const int index = manager.FindMask(section, property);
    if (index < 0)
        throw framework::Exception("The skin has no mask \"" + property + "\" in section \"" + section + "\"");
    return manager.Masks()[std::size_t(index)];
}

// --- Labels: a 5 x 7 pixel font of our own (the tool runs without a GUI application, so the
// platform's fonts are out of reach).

constexpr int kGlyphWidth = 5, kGlyphHeight = 7, kGlyphAdvance = 6;

struct PixelGlyph {
    char Character;
    std::array<std::uint8_t, kGlyphHeight> Rows; // bit 4 is the leftmost column
};

constexpr PixelGlyph kPixelFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}}, {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'x', {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11}}, {'/', {0x01, 0x02, 0x02, 0x04, 0x08, 0x08, 0x10}},
    {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}}, {' ', {0, 0, 0, 0, 0, 0, 0}},
};
constexpr std::array<std::uint8_t, kGlyphHeight> kUnknownGlyph = {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F};

const std::array<std::uint8_t, kGlyphHeight>& GlyphRows(char c) {
    if (c >= 'a' && c <= 'z' && c != 'x')
        c = char(c - 'a' + 'A');
    for (const PixelGlyph& glyph : kPixelFont)
        if (glyph.Character == c)
            return glyph.Rows;
    return kUnknownGlyph;
}

void DrawLabel(Bitmap32& bitmap, int x, int y, std::string_view text, Pixel colour) {
    for (char c : text) {
        const auto& rows = GlyphRows(c);
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int col = 0; col < kGlyphWidth; ++col)
                if ((rows[std::size_t(row)] >> (kGlyphWidth - 1 - col) & 1) && bitmap.Contains(x + col, y + row))
                    bitmap.At(x + col, y + row) = colour;
        x += kGlyphAdvance;
    }
}

int LabelWidth(std::string_view text) { return int(text.size()) * kGlyphAdvance; }

// --- The contact sheet.

constexpr Pixel kSheetColour = 0xFFF3F5F7;
constexpr Pixel kLabelColour = 0xFF1E2328;
constexpr Pixel kHeadingColour = 0xFF2F5C8A;
constexpr Pixel kCheckerLight = 0xFFFFFFFF;
constexpr Pixel kCheckerDark = 0xFFCDD2D8;
constexpr int kCheckerSize = 4;
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kLabelHeight = kGlyphHeight + 4;
constexpr int kLargeWidth = 96, kLargeHeight = 40;
constexpr int kSmallWidth = 33, kSmallHeight = 17;
constexpr int kMaxShownStates = 6;
constexpr int kMaxShownPicture = 1024;

void Checker(Bitmap32& bitmap, const TRect& rect) {
    const TRect area = skin::IntersectRects(rect, skin::RectOf(bitmap));
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            bitmap.At(x, y) = ((x - rect.Left) / kCheckerSize + (y - rect.Top) / kCheckerSize) % 2 ? kCheckerDark
                                                                                                    : kCheckerLight;
}

int ShownStates(const skin::TsGeneralData& section) {
    return std::max(1, std::min(int(section.States), kMaxShownStates));
}

struct SheetLayout {
    int Width = 0;
    int Height = 0;
};

TRect ShownArea(const skin::TsMaskData& mask, const Bitmap32& picture) {
    TRect area = skin::IntersectRects(mask.Area, skin::RectOf(picture));
    area.Right = std::min(area.Right, area.Left + kMaxShownPicture);
    area.Bottom = std::min(area.Bottom, area.Top + kMaxShownPicture);
    return area;
}

std::string MaskLabel(const skin::TsMaskData& mask) {
    return mask.SectionName + " " + mask.PropertyName + "  KIND " + std::to_string(int(mask.MaskKind)) + "  CELLS " +
           std::to_string(mask.CellCount) + "  " + std::to_string(skin::WidthOf(mask.Area)) + "x" +
           std::to_string(skin::HeightOf(mask.Area));
}

// Walks the sheet once to measure it and once to paint it, so that both agree.
template <class Visitor>
SheetLayout WalkSheet(const skin::TsSkinManager& manager, Visitor&& visit) {
    const skin::TsSkinModel& model = manager.Model();
    int y = kMargin;
    int width = 0;
    const int stateWidth = kLargeWidth + kGap + kSmallWidth + kGap * 2;
    visit.Heading(kMargin, y, "SECTIONS");
    y += kLabelHeight;
    for (std::size_t i = 0; i < model.gd.size(); ++i) {
        const skin::TsGeneralData& section = model.gd[i];
        if (section.ClassName == skin::kGlobalInfo)
            continue;
        const std::string label = section.ClassName + "  STATES " + std::to_string(section.States);
        visit.Label(kMargin, y, label);
        width = std::max(width, kMargin + LabelWidth(label));
        y += kLabelHeight;
        for (int state = 0; state < ShownStates(section); ++state) {
            const int x = kMargin + state * stateWidth;
            visit.Section(int(i), state, skin::RectAt(x, y, kLargeWidth, kLargeHeight),
                          skin::RectAt(x + kLargeWidth + kGap, y, kSmallWidth, kSmallHeight));
            width = std::max(width, x + stateWidth);
        }
        y += kLargeHeight + kGap;
    }
    visit.Heading(kMargin, y, "MASKS");
    y += kLabelHeight;
    for (const skin::TsMaskData& mask : model.ma) {
        const Bitmap32& picture = skin::MaskPicture(model, mask);
        const std::string label = MaskLabel(mask);
        visit.Label(kMargin, y, label);
        width = std::max(width, kMargin + LabelWidth(label));
        y += kLabelHeight;
        const TRect area = ShownArea(mask, picture);
        if (!skin::RectIsEmpty(area)) {
            visit.Picture(mask, picture, area, kMargin, y);
            width = std::max(width, kMargin + skin::WidthOf(area));
            y += skin::HeightOf(area);
        }
        y += kGap;
    }
    const Bitmap32& master = model.MasterBitmap;
    visit.Heading(kMargin, y,
                  "MASTER BITMAP  " + std::to_string(master.Width()) + "x" + std::to_string(master.Height()));
    y += kLabelHeight;
    if (!master.Empty()) {
        const TRect shown{0, 0, std::min(master.Width(), kMaxShownPicture * 2), std::min(master.Height(), kMaxShownPicture * 2)};
        visit.Master(master, shown, kMargin, y);
        width = std::max(width, kMargin + skin::WidthOf(shown));
        y += skin::HeightOf(shown);
    }
    return {width + kMargin, y + kMargin};
}

struct Measure {
    void Heading(int, int, const std::string&) {}
    void Label(int, int, const std::string&) {}
    void Section(int, int, const TRect&, const TRect&) {}
    void Picture(const skin::TsMaskData&, const Bitmap32&, const TRect&, int, int) {}
    void Master(const Bitmap32&, const TRect&, int, int) {}
};

struct Paint {
    const skin::TsSkinManager& manager;
    Bitmap32& sheet;

    void Heading(int x, int y, const std::string& text) { DrawLabel(sheet, x, y, text, kHeadingColour); }
    void Label(int x, int y, const std::string& text) { DrawLabel(sheet, x, y, text, kLabelColour); }
    void Section(int index, int state, const TRect& large, const TRect& small) {
        const std::string& name = manager.Model().gd[std::size_t(index)].ClassName;
        for (const TRect& rect : {large, small}) {
            // Each piece is painted over a checker, its own backdrop, as a control over its parent.
            Checker(sheet, rect);
            Bitmap32 parent(skin::WidthOf(rect), skin::HeightOf(rect));
            skin::CopyBlock(parent, 0, 0, sheet, rect);
            TsBackdrop backdrop;
            backdrop.Bitmap = &parent;
            backdrop.HasBitmap = true;
            const skin::TsSectionPaint paint{.SectionIndex = index, .SectionName = name, .State = state, .Backdrop = backdrop};
            skin::PaintSectionToDC(manager.Model(), sheet, rect, paint);
        }
    }
    void Picture(const skin::TsMaskData& mask, const Bitmap32& picture, const TRect& area, int x, int y) {
        const TRect target = skin::RectAt(x, y, skin::WidthOf(area), skin::HeightOf(area));
        if (mask.MaskKind >= skin::TsMaskKind::mkAlphaPicture) {
            // Pictures with their own alpha are shown over a checker.
            Checker(sheet, target);
            skin::ComposeAlpha(sheet, target, picture, area);
        } else {
            skin::CopyBlock(sheet, x, y, picture, area);
        }
    }
    void Master(const Bitmap32& master, const TRect& shown, int x, int y) { skin::CopyBlock(sheet, x, y, master, shown); }
};

} // namespace

int SectionCommand(const Arguments& arguments) {
    constexpr const char* usage = "section SOURCE SECTION STATE WIDTH HEIGHT OUT.png [--backdrop COLOR | --backdrop-png FILE]";
    const PaintOptions options = ParseOptions(arguments, 6, kBackdropColour | kBackdropPicture, usage);
    const auto& p = options.Positional;
    const int state = ParseIntegerOption("STATE", p[2]);
    Canvas canvas = MakeCanvas(SideArgument("WIDTH", p[3]), SideArgument("HEIGHT", p[4]), options);
    const auto manager = LoadSkinSource(p[0], {});
    const skin::TsSectionPaint paint{
        .SectionIndex = SectionIndexOf(manager->Model(), p[1]), .SectionName = p[1], .State = state, .Backdrop = canvas.Backdrop};
    skin::PaintSectionByIndex(manager->Model(), canvas.Image, skin::RectOf(canvas.Image), paint);
    WritePngFile(p[5], canvas.Image);
    return 0;
}

int MaskCommand(const Arguments& arguments) {
    constexpr const char* usage = "mask SOURCE SECTION PROPERTY STATE WIDTH HEIGHT OUT.png [--backdrop COLOR | "
                                  "--backdrop-png FILE] [--use-backdrop] [--alpha | --region]";
    const PaintOptions options =
        ParseOptions(arguments, 7, kBackdropColour | kBackdropPicture | kUseBackdrop | kMaskPainters, usage);
    const auto& p = options.Positional;
    const int state = ParseIntegerOption("STATE", p[3]);
    Canvas canvas = MakeCanvas(SideArgument("WIDTH", p[4]), SideArgument("HEIGHT", p[5]), options);
    const auto manager = LoadSkinSource(p[0], {});
    const skin::TsMaskData& mask = MaskOf(*manager, p[1], p[2]);
    const Bitmap32& picture = skin::MaskPicture(manager->Model(), mask);
    const TRect whole = skin::RectOf(canvas.Image);
    switch (options.Painter) {
    case MaskPainter::Plain:
        skin::PaintSkinMask(canvas.Image, whole, canvas.Backdrop, options.Use, state, mask, picture);
        break;
    case MaskPainter::Alpha:
        skin::PaintSkinMaskAlpha(canvas.Image, whole, canvas.Backdrop, state, mask, picture);
        break;
    case MaskPainter::Region: {
        std::vector<TRect> removed;
        skin::PaintSkinMaskRegion(canvas.Image, removed, state, mask, picture);
        JsonWriter json;
        json.BeginObject().Key("removed").BeginArray();
        for (const TRect& r : removed)
            json.BeginArray().Integer(r.Left).Integer(r.Top).Integer(r.Right).Integer(r.Bottom).EndArray();
        json.EndArray().EndObject();
        std::printf("%s\n", json.Text().c_str());
        break;
    }
    }
    WritePngFile(p[6], canvas.Image);
    return 0;
}

int GlyphCommand(const Arguments& arguments) {
    constexpr const char* usage =
        "glyph SOURCE SECTION PROPERTY STATE X Y MODE WIDTH HEIGHT OUT.png [--backdrop-png FILE]";
    const PaintOptions options = ParseOptions(arguments, 10, kBackdropPicture, usage);
    const auto& p = options.Positional;
    const int state = ParseIntegerOption("STATE", p[3]);
    const skin::TPoint point{ParseIntegerOption("X", p[4]), ParseIntegerOption("Y", p[5])};
    const skin::GlyphMode mode = skin::GlyphModeOf(ParseIntegerOption("MODE", p[6]));
    Canvas canvas = MakeCanvas(SideArgument("WIDTH", p[7]), SideArgument("HEIGHT", p[8]), options);
    const auto manager = LoadSkinSource(p[0], {});
    const skin::TsMaskData& mask = MaskOf(*manager, p[1], p[2]);
    skin::PaintSkinGlyph(canvas.Image, point, state, canvas.Backdrop, mask, mode,
                         skin::MaskPicture(manager->Model(), mask));
    WritePngFile(p[9], canvas.Image);
    return 0;
}

Bitmap32 PaintContactSheet(const skin::TsSkinManager& manager) {
    const SheetLayout layout = WalkSheet(manager, Measure{});
    Bitmap32 sheet;
    if (!sheet.SetSize(layout.Width, layout.Height) || sheet.Empty())
        throw framework::Exception("The contact sheet of this skin would be too large");
    sheet.Fill(kSheetColour);
    WalkSheet(manager, Paint{manager, sheet});
    // Key pixels and transparent corners stay visible as what they are.
    skin::SetAlphaInRect(sheet, skin::RectOf(sheet), skin::kOpaqueAlpha, skin::kNoKey);
    return sheet;
}

int SheetCommand(const Arguments& arguments) {
    constexpr const char* usage = "sheet SOURCE OUT.png";
    const PaintOptions options = ParseOptions(arguments, 2, 0, usage);
    const auto manager = LoadSkinSource(options.Positional[0], {});
    WritePngFile(options.Positional[1], PaintContactSheet(*manager));
    return 0;
}

} // namespace tools

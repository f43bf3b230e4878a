// info SOURCE [--hue DEGREES] [--saturation PERCENT] [--extended-borders]: the whole model the
// engine reads from a skin, as one JSON object.
#include "tools/tovrin-skin/Commands.h"

#include "tools/tovrin-skin/JsonWriter.h"

#include <cstdio>

namespace tools {
namespace {

using skin::TColor;

void Colour(JsonWriter& json, std::string_view key, TColor colour) { json.Key(key).Unsigned(colour); }

void FontColours(JsonWriter& json, std::string_view key, const skin::TsFontColors& colours) {
    json.Key(key).BeginArray();
    for (TColor colour : colours)
        json.Unsigned(colour);
    json.EndArray();
}

void Gradient(JsonWriter& json, std::string_view key, const skin::TsGradArray& segments) {
    json.Key(key).BeginArray();
    for (const skin::TsGradientSegment& s : segments)
        json.BeginArray().Unsigned(s.Color1).Unsigned(s.Color2).Integer(s.Percent).Integer(s.GradientKind).EndArray();
    json.EndArray();
}

void Rect(JsonWriter& json, std::string_view key, const skin::TRect& r) {
    json.Key(key).BeginArray().Integer(r.Left).Integer(r.Top).Integer(r.Right).Integer(r.Bottom).EndArray();
}

void Size(JsonWriter& json, std::string_view key, const skin::Bitmap32& bitmap) {
    json.Key(key).BeginArray().Integer(bitmap.Width()).Integer(bitmap.Height()).EndArray();
}

void WriteGlobal(JsonWriter& json, const skin::TsSkinData& d) {
    json.Key("global").BeginObject();
    json.Key("SkinFolder").String(d.SkinFolder);
    json.Key("Active").Boolean(d.Active);
    json.Key("Version").Real(d.Version);
    json.Key("Author").String(d.Author);
    json.Key("Description").String(d.Description);
    Colour(json, "Shadow1Color", d.Shadow1Color);
    const std::pair<const char*, int> numbers[] = {
        {"Shadow1Offset", d.Shadow1Offset}, {"Shadow1Blur", d.Shadow1Blur},
        {"Shadow1Transparency", d.Shadow1Transparency}, {"BorderWidth", d.BorderWidth},
        {"TitleHeight", d.TitleHeight}, {"MaxHeight", d.MaxHeight}, {"FormOffset", d.FormOffset},
        {"CenterOffset", d.CenterOffset}, {"BorderMode", d.BorderMode}, {"AlignOffset", d.AlignOffset},
        {"AlignOffsetR", d.AlignOffsetR}, {"AlignOffsetT", d.AlignOffsetT}, {"AlignOffsetB", d.AlignOffsetB},
        {"BISpace", d.BISpace}, {"BIVAlign", d.BIVAlign}, {"BIRight", d.BIRight}, {"BILeft", d.BILeft},
        {"BITop", d.BITop}, {"BIKeepHue", d.BIKeepHue}, {"BIconCloseGlow", d.BIconCloseGlow},
        {"BIconCloseGlowMargin", d.BIconCloseGlowMargin}, {"BIconMaxGlow", d.BIconMaxGlow},
        {"BIconMaxGlowMargin", d.BIconMaxGlowMargin}, {"BIconMinGlow", d.BIconMinGlow},
        {"BIconMinGlowMargin", d.BIconMinGlowMargin}};
    for (const auto& [name, value] : numbers)
        json.Key(name).Integer(value);
    json.Key("AeroBlur").Boolean(d.AeroBlur);
    json.EndObject();
}

void WriteLook(JsonWriter& json, const skin::TsGenState& s) {
    json.BeginObject();
    Colour(json, "Color", s.Color);
    FontColours(json, "FontColor", s.FontColor);
    json.Key("GradientPercent").Integer(s.GradientPercent);
    json.Key("GradientData").String(s.GradientData);
    Gradient(json, "GradientArray", s.GradientArray);
    json.Key("ImagePercent").Integer(s.ImagePercent);
    json.Key("TextureIndex").Integer(s.TextureIndex);
    Colour(json, "GlowColor", s.GlowColor);
    json.Key("GlowSize").Integer(s.GlowSize);
    json.Key("Transparency").Integer(s.Transparency);
    json.EndObject();
}

void WriteSection(JsonWriter& json, const skin::TsGeneralData& g) {
    json.BeginObject();
    json.Key("ParentClass").String(g.ParentClass);
    json.Key("ClassName").String(g.ClassName);
    json.Key("States").Integer(g.States);
    json.Key("Props").BeginArray();
    WriteLook(json, g.Props[0]);
    WriteLook(json, g.Props[1]);
    json.EndArray();
    json.Key("GiveOwnFont").Boolean(g.GiveOwnFont);
    json.Key("ReservedBoolean").Boolean(g.ReservedBoolean);
    json.Key("ShowFocus").Boolean(g.ShowFocus);
    json.Key("GlowCount").Integer(g.GlowCount);
    json.Key("GlowMargin").Integer(g.GlowMargin);
    json.Key("BorderIndex").Integer(g.BorderIndex);
    json.Key("ImgTopLeft").Integer(g.ImgTopLeft);
    json.Key("ImgTopRight").Integer(g.ImgTopRight);
    json.Key("ImgBottomLeft").Integer(g.ImgBottomLeft);
    json.Key("ImgBottomRight").Integer(g.ImgBottomRight);
    json.Key("TextureIndex").Integer(g.TextureIndex);
    Colour(json, "Color", g.Color);
    json.Key("Transparency").Integer(g.Transparency);
    json.Key("GradientPercent").Integer(g.GradientPercent);
    json.Key("GradientData").String(g.GradientData);
    Gradient(json, "GradientArray", g.GradientArray);
    json.Key("ImagePercent").Integer(g.ImagePercent);
    FontColours(json, "FontColor", g.FontColor);
    Colour(json, "HotColor", g.HotColor);
    json.Key("HotTransparency").Integer(g.HotTransparency);
    json.Key("HotGradientPercent").Integer(g.HotGradientPercent);
    json.Key("HotGradientData").String(g.HotGradientData);
    Gradient(json, "HotGradientArray", g.HotGradientArray);
    json.Key("HotImagePercent").Integer(g.HotImagePercent);
    FontColours(json, "HotFontColor", g.HotFontColor);
    json.Key("FadingEnabled").Boolean(g.FadingEnabled);
    json.Key("FadingIterations").Integer(g.FadingIterations);
    Colour(json, "HotGlowColor", g.HotGlowColor);
    Colour(json, "GlowColor", g.GlowColor);
    json.Key("HotGlowSize").Integer(g.HotGlowSize);
    json.Key("GlowSize").Integer(g.GlowSize);
    json.EndObject();
}

void WriteMask(JsonWriter& json, const skin::TsMaskData& m) {
    json.BeginObject();
    if (m.Image)
        Size(json, "Image", *m.Image);
    else
        json.Key("Image").Null();
    json.Key("SectionName").String(m.SectionName);
    json.Key("PropertyName").String(m.PropertyName);
    Rect(json, "Area", m.Area);
    json.Key("CellCount").Integer(m.CellCount);
    json.Key("MaskLayout").Integer(m.MaskLayout);
    json.Key("BorderWidth").Integer(m.BorderWidth);
    json.Key("FillFlags").Integer(m.FillFlags);
    json.Key("MaskKind").Integer(m.MaskKind);
    json.Key("BorderLeft").Integer(m.BorderLeft);
    json.Key("BorderTop").Integer(m.BorderTop);
    json.Key("BorderRight").Integer(m.BorderRight);
    json.Key("BorderBottom").Integer(m.BorderBottom);
    json.Key("CornerKind").Integer(m.CornerKind);
    json.EndObject();
}

std::string InfoJson(const skin::TsSkinManager& manager) {
    JsonWriter json;
    json.BeginObject();
    json.Key("SkinInfo").String(manager.SkinInfo());
    json.Key("IsPacked").Boolean(manager.IsPacked());
    json.Key("SkinFolder").String(manager.SkinData().SkinFolder);
    WriteGlobal(json, manager.SkinData());
    json.Key("sections").BeginArray();
    for (const skin::TsGeneralData& section : manager.Sections())
        WriteSection(json, section);
    json.EndArray();
    json.Key("masks").BeginArray();
    for (const skin::TsMaskData& mask : manager.Masks())
        WriteMask(json, mask);
    json.EndArray();
    json.Key("patterns").BeginArray();
    for (const skin::TsPatternData& pattern : manager.Patterns()) {
        json.BeginArray().String(pattern.SectionName).String(pattern.PropertyName);
        json.Integer(pattern.Image ? pattern.Image->Width() : 0).Integer(pattern.Image ? pattern.Image->Height() : 0);
        json.EndArray();
    }
    json.EndArray();
    Size(json, "master", manager.MasterBitmap());
    json.Key("palette").BeginArray();
    for (TColor colour : manager.Palette())
        json.Unsigned(colour);
    json.EndArray();
    json.Key("CommonIndexes").BeginObject();
    for (const auto& [name, index] : skin::ListCommonIndexes(manager.CommonIndexes()))
        json.Key(name).Integer(index);
    json.EndObject();
    json.Key("ExtBorder").BeginObject();
    const auto& margins = manager.ExtendedMargins();
    json.Key("Margins").BeginArray().Integer(margins[0]).Integer(margins[1]).Integer(margins[2]).Integer(margins[3]).EndArray();
    Size(json, "Active", manager.ExtendedBorderActive());
    Size(json, "Inactive", manager.ExtendedBorderInactive());
    json.EndObject();
    json.EndObject();
    return json.Text();
}

} // namespace

int InfoCommand(const Arguments& arguments) {
    if (arguments.empty())
        throw framework::Exception(
            "usage: tovrin-skin info SOURCE [--hue DEGREES] [--saturation PERCENT] [--extended-borders]");
    SkinSourceOptions options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--extended-borders") {
            options.ExtendedBorders = true;
        } else if ((option == "--hue" || option == "--saturation") && i + 1 < arguments.size()) {
            const int value = ParseIntegerOption(option, arguments[++i]);
            (option == "--hue" ? options.HueOffset : options.Saturation) = value;
        } else {
            throw framework::Exception("Unknown option \"" + option + "\"");
        }
    }
    const auto manager = LoadSkinSource(arguments[0], options);
    std::printf("%s\n", InfoJson(*manager).c_str());
    return 0;
}

} // namespace tools

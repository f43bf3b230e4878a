// info SOURCE [--hue DEGREES] [--saturation PERCENT] [--extended-borders]: the whole model the
// engine reads from a skin, as one JSON object.
#include "tools/tovrin-skin/Commands.h"

#include "skin/data/sSkinKeys.h"
#include "tools/tovrin-skin/JsonWriter.h"

#include <variant>

#include <cstdio>

namespace tools {
namespace {

using skin::TColor;

void Colour(JsonWriter& json, std::string_view key, TColor colour) { json.Key(key).Unsigned(skin::ColorBits(colour)); }

void FontColours(JsonWriter& json, std::string_view key, const skin::TsFontColors& colours) {
    json.Key(key).BeginArray();
    for (TColor colour : colours)
        json.Unsigned(skin::ColorBits(colour));
    json.EndArray();
}

void Gradient(JsonWriter& json, std::string_view key, const skin::TsGradArray& segments) {
    json.Key(key).BeginArray();
    for (const skin::TsGradientSegment& s : segments)
        json.BeginArray().Unsigned(skin::ColorBits(s.Color1)).Unsigned(skin::ColorBits(s.Color2)).Integer(s.Percent).Integer(std::int32_t(s.GradientKind)).EndArray();
    json.EndArray();
}

void Rect(JsonWriter& json, std::string_view key, const skin::TRect& r) {
    json.Key(key).BeginArray().Integer(r.Left).Integer(r.Top).Integer(r.Right).Integer(r.Bottom).EndArray();
}

void Size(JsonWriter& json, std::string_view key, const skin::Bitmap32& bitmap) {
    json.Key(key).BeginArray().Integer(bitmap.Width()).Integer(bitmap.Height()).EndArray();
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void WriteGlobal(JsonWriter& json, const skin::TsSkinData& d) {
    json.Key("global").BeginObject();
    json.Key("SkinFolder").String(d.SkinFolder);
    json.Key("Active").Boolean(d.Active);
    for (const skin::TsGlobalInfoValue& value : skin::GlobalInfoValues()) {
        json.Key(value.Name);
        std::visit(Overloaded{
                       [&](double skin::TsSkinData::*field) { json.Real(d.*field); },
                       [&](std::string skin::TsSkinData::*field) { json.String(d.*field); },
                       [&](TColor skin::TsSkinData::*field) { json.Unsigned(skin::ColorBits(d.*field)); },
                       [&](std::int16_t skin::TsSkinData::*field) { json.Integer(d.*field); },
                       [&](bool skin::TsSkinData::*field) { json.Boolean(d.*field); },
                   },
                   value.Field);
    }
    json.EndObject();
}

// The values of a look, each under prefix + its name; a look inside Props also shows the
// texture index found for it.
enum class LookDump { Props, SectionWide };
void WriteLookValues(JsonWriter& json, const skin::TsGenState& s, std::string_view prefix, LookDump dump) {
    const auto key = [&](std::string_view name) -> JsonWriter& { return json.Key(std::string(prefix) + std::string(name)); };
    for (const skin::TsLookField& field : skin::LookFields()) {
        switch (field.Kind) {
        case skin::LookValueKind::Colour: Colour(json, std::string(prefix) + "Color", s.Color); break;
        case skin::LookValueKind::FontColours: FontColours(json, std::string(prefix) + "FontColor", s.FontColor); break;
        case skin::LookValueKind::Number: key(field.Name).Integer(s.*field.Number); break;
        case skin::LookValueKind::Gradient:
            key(field.Name).String(s.GradientData);
            Gradient(json, std::string(prefix) + "GradientArray", s.GradientArray);
            break;
        case skin::LookValueKind::GlowColour: Colour(json, std::string(prefix) + "GlowColor", s.GlowColor); break;
        case skin::LookValueKind::GlowSize: key(field.Name).Integer(s.GlowSize); break;
        case skin::LookValueKind::TextureIndex:
            if (dump == LookDump::Props)
                key(field.Name).Integer(s.TextureIndex);
            break;
        }
    }
}

void WriteSection(JsonWriter& json, const skin::TsGeneralData& g) {
    using skin::TsLook;
    json.BeginObject();
    json.Key("ParentClass").String(g.ParentClass);
    json.Key("ClassName").String(g.ClassName);
    for (const skin::TsSectionValue& value : skin::SectionValues()) {
        json.Key(value.Name);
        std::visit(Overloaded{
                       [&](std::int32_t skin::TsGeneralData::*field) { json.Integer(g.*field); },
                       [&](bool skin::TsGeneralData::*field) { json.Boolean(g.*field); },
                   },
                   value.Field);
    }
    json.Key("Props").BeginArray();
    for (TsLook look : {TsLook::Normal, TsLook::Hot}) {
        json.BeginObject();
        WriteLookValues(json, g.Props[look], "", LookDump::Props);
        json.EndObject();
    }
    json.EndArray();
    json.Key("BorderIndex").Integer(g.BorderIndex);
    json.Key("ImgTopLeft").Integer(g.ImgTopLeft);
    json.Key("ImgTopRight").Integer(g.ImgTopRight);
    json.Key("ImgBottomLeft").Integer(g.ImgBottomLeft);
    json.Key("ImgBottomRight").Integer(g.ImgBottomRight);
    json.Key("TextureIndex").Integer(g.TextureIndex);
    // The section-wide values are its looks again, the hot one under "Hot" names.
    WriteLookValues(json, g.Props[TsLook::Normal], "", LookDump::SectionWide);
    WriteLookValues(json, g.Props[TsLook::Hot], "Hot", LookDump::SectionWide);
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
    json.Key("MaskKind").Integer(int(m.MaskKind));
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
        json.Unsigned(skin::ColorBits(colour));
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

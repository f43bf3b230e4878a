// "GLOBALINFO", the section records with their two looks, the common sections, the per-section
// indexes and the palette, each read through the key tables of sSkinKeys.h.
#include "skin/data/sSkinOptionsLoad.h"

#include "skin/data/sParentChain.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ColorOps.h"

namespace skin {
namespace {

constexpr std::size_t kShortestGradient = 2;

std::int16_t To16(int value) { return static_cast<std::int16_t>(value); }
TColor ColourOf(std::int32_t value) { return TColor{static_cast<std::uint32_t>(value)}; }
std::int32_t NumberOf(TColor colour) { return static_cast<std::int32_t>(ColorBits(colour)); }

// Overloaded lambdas for std::visit.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

} // namespace

template <class Accept>
const std::string* TsOptionsReader::FindInChain(std::string_view section, std::string_view key, Accept accept,
                                                bool& fromParent) const {
    const std::string* found = nullptr;
    bool first = true;
    WalkParentChain(section, [&](std::string_view current) -> const std::string* {
        fromParent = !first;
        first = false;
        if (const std::string* value = ini_.Find(current, key); value != nullptr && accept(*value)) {
            found = value;
            return nullptr;
        }
        return ini_.Find(current, kParentClassKey);
    });
    if (found == nullptr)
        fromParent = false;
    return found;
}

std::int32_t TsOptionsReader::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
    bool fromParent = false;
    const auto accept = [](const std::string& text) {
        std::int32_t value = 0;
        return ParseOptionInteger(text, value) && value != -1;
    };
    const std::string* text = FindInChain(section, key, accept, fromParent);
    if (text == nullptr)
        return fallback;
    const std::int32_t value = OptionIntegerOr(*text, fallback);
    return fromParent ? NumberOf(ResolveSkinColor(ColourOf(value))) : value;
}

std::string TsOptionsReader::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    bool fromParent = false;
    const std::string* text = FindInChain(section, key, [](const std::string& t) { return t != "?"; }, fromParent);
    return text ? *text : std::string(fallback);
}

bool TsOptionsReader::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    bool fromParent = false;
    const std::string* text = FindInChain(section, key, [](const std::string& t) { return t != "?"; }, fromParent);
    return text ? OptionBoolean(*text) : fallback;
}

void ReadSkinData(TsSkinData& data, const TsSkinIni& ini, TsSkinDiagnostics* diagnostics) {
    for (const TsGlobalInfoValue& value : GlobalInfoValues()) {
        // A strict value that is missing reads as its default; one that is there must be an integer.
        const bool strict = value.Rule == NumberRule::Strict;
        const std::string text = ini.ReadString(kGlobalInfo, value.Key, strict ? std::to_string(value.Default) : "");
        const auto number = [&]() -> std::int32_t {
            if (!strict)
                return OptionIntegerOr(text, value.Default);
            try {
                return framework::StrToInt(text);
            } catch (const std::exception& failure) {
                const TsSkinIni::Key* key = ini.FindKey(kGlobalInfo, value.Key);
                ReportLoadFailure(diagnostics, failure,
                                  TsSkinPlace{kOptionsFileName, std::string(kGlobalInfo), std::string(value.Key),
                                              key ? key->Line : 0});
                return value.Default;
            }
        };
        std::visit(Overloaded{
                       [&](double TsSkinData::*field) { data.*field = OptionReal(text); },
                       [&](std::string TsSkinData::*field) { data.*field = text; },
                       [&](TColor TsSkinData::*field) { data.*field = ColourOf(number()); },
                       [&](std::int16_t TsSkinData::*field) { data.*field = To16(number()); },
                       [&](bool TsSkinData::*field) { data.*field = number() != 0; },
                   },
                   value.Field);
    }
    // Values that stand for another: a title height of 0, a button height of 0, an unset side offset.
    constexpr std::int16_t kDefaultTitleHeight = 30, kNoAlignOffset = -1;
    if (data.TitleHeight == 0)
        data.TitleHeight = kDefaultTitleHeight;
    if (data.MaxHeight == 0)
        data.MaxHeight = data.TitleHeight;
    for (std::int16_t* side : {&data.AlignOffsetR, &data.AlignOffsetT, &data.AlignOffsetB})
        if (*side == kNoAlignOffset)
            *side = data.AlignOffset;
}

double ReadSkinVersion(const TsSkinIni& ini) {
    TsSkinData data;
    for (const TsGlobalInfoValue& value : GlobalInfoValues())
        if (std::holds_alternative<double TsSkinData::*>(value.Field) &&
            std::get<double TsSkinData::*>(value.Field) == &TsSkinData::Version)
            data.Version = OptionReal(ini.ReadString(kGlobalInfo, value.Key, ""));
    return data.Version;
}

namespace {

std::string KeyOf(const TsLookField& field, TsLook look, std::size_t index = 0) {
    return look == TsLook::Hot ? std::string(field.HotPrefix) + std::string(field.Keys[index])
                               : std::string(field.Keys[index]);
}

void SetGradient(TsGenState& state, std::string data) {
    state.GradientData = std::move(data);
    state.GradientArray.clear();
    if (state.GradientData.size() < kShortestGradient)
        state.GradientPercent = 0;
    else
        state.GradientArray = ParseGradient(state.GradientData);
}

TColor ResolvedIn(TsLook look, TColor colour) { return look == TsLook::Normal ? ResolveSkinColor(colour) : colour; }

// One value of a look from a number (or, for gradients, the text) found for its key.
void StoreLookValue(TsGenState& state, const TsLookField& field, TsLook look, std::size_t index, std::int32_t number,
                    const std::string& text) {
    switch (field.Kind) {
    case LookValueKind::Colour: state.Color = ResolvedIn(look, ColourOf(number)); break;
    case LookValueKind::FontColours: state.FontColor[index] = ColourOf(number); break;
    case LookValueKind::Number: state.*field.Number = number; break;
    case LookValueKind::Gradient: SetGradient(state, text); break;
    case LookValueKind::GlowColour: state.GlowColor = ResolveSkinColor(ColourOf(number)); break;
    case LookValueKind::GlowSize: state.GlowSize = static_cast<std::uint8_t>(number); break;
    case LookValueKind::TextureIndex: break;
    }
}

// The number a look holds for a value now (the default of a key that is missing).
std::int32_t CurrentNumber(const TsGenState& state, const TsLookField& field, std::size_t index) {
    switch (field.Kind) {
    case LookValueKind::Colour: return NumberOf(state.Color);
    case LookValueKind::FontColours: return NumberOf(state.FontColor[index]);
    case LookValueKind::Number: return state.*field.Number;
    case LookValueKind::GlowColour: return NumberOf(state.GlowColor);
    case LookValueKind::GlowSize: return state.GlowSize;
    case LookValueKind::Gradient:
    case LookValueKind::TextureIndex: return 0;
    }
    return 0;
}

std::size_t KeyCount(const TsLookField& field) {
    switch (field.Kind) {
    case LookValueKind::FontColours: return kFontColorCount;
    case LookValueKind::TextureIndex: return 0;
    default: return 1;
    }
}

TsGenState ReadLook(const TsOptionsReader& reader, const std::string& section, TsLook look) {
    TsGenState state; // holds every default but the gradient text's
    for (const TsLookField& field : LookFields()) {
        for (std::size_t i = 0; i < KeyCount(field); ++i) {
            const std::string key = KeyOf(field, look, i);
            if (field.Kind == LookValueKind::Gradient) {
                const std::string_view fallback = look == TsLook::Normal ? kNormalGradientDefault : kHotGradientDefault;
                StoreLookValue(state, field, look, i, 0, reader.ReadString(section, key, fallback));
                continue;
            }
            const std::int32_t number = reader.ReadInteger(section, key, CurrentNumber(state, field, i));
            StoreLookValue(state, field, look, i, number, {});
        }
    }
    return state;
}

TsGeneralData ReadSection(const TsOptionsReader& reader, const std::string& section) {
    TsGeneralData data;
    data.ClassName = section;
    data.ParentClass = reader.Ini().ReadString(section, kParentClassKey, "");
    for (const TsSectionValue& value : SectionValues()) {
        if (!value.FromOptionsText)
            continue;
        std::visit(Overloaded{
                       [&](std::int32_t TsGeneralData::*field) {
                           data.*field = reader.ReadInteger(section, value.Key, value.Default);
                       },
                       [&](bool TsGeneralData::*field) {
                           data.*field = reader.ReadBool(section, value.Key, value.Default != 0);
                       },
                   },
                   value.Field);
    }
    data.Props[TsLook::Normal] = ReadLook(reader, section, TsLook::Normal);
    data.Props[TsLook::Hot] = data.States < 2 ? data.Props[TsLook::Normal] : ReadLook(reader, section, TsLook::Hot);
    return data;
}

// One key of a common section applied to a section record; the record's value is the default.
void ApplyCommonKey(TsGeneralData& data, const std::string& key, const std::string& value) {
    for (TsLook look : {TsLook::Normal, TsLook::Hot}) {
        TsGenState& state = data.Props[look];
        for (const TsLookField& field : LookFields())
            for (std::size_t i = 0; i < KeyCount(field); ++i)
                if (key == KeyOf(field, look, i))
                    StoreLookValue(state, field, look, i, OptionIntegerOr(value, CurrentNumber(state, field, i)),
                                   value);
    }
    if (key == kParentClassKey) {
        data.ParentClass = value;
        return;
    }
    for (const TsSectionValue& entry : SectionValues()) {
        if (key != entry.Key)
            continue;
        std::visit(Overloaded{
                       [&](std::int32_t TsGeneralData::*field) { data.*field = OptionIntegerOr(value, data.*field); },
                       [&](bool TsGeneralData::*field) { data.*field = OptionBoolean(value); },
                   },
                   entry.Field);
    }
}

void ApplyCommonSections(TsSkinModel& model, const TsSkinIni& common) {
    for (const TsSkinIni::Section& section : common.Sections()) {
        const int existing = GetSkinIndex(model, section.Name);
        if (existing >= 0) {
            TsGeneralData& data = model.gd[existing];
            for (const TsSkinIni::Key& key : section.Keys)
                ApplyCommonKey(data, key.Name, key.Value);
            continue;
        }
        const std::string* parentName = common.Find(section.Name, kParentClassKey);
        TsGeneralData data;
        bool fromParent = false;
        if (parentName != nullptr) {
            const std::string upperParent = UpperCase(*parentName);
            for (const TsGeneralData& candidate : model.gd)
                if (UpperCase(candidate.ClassName) == upperParent) {
                    data = candidate;
                    fromParent = true;
                    break;
                }
        }
        if (!fromParent) {
            // New sections start without contours and without a fading count.
            for (TsGenState& state : data.Props)
                state.FontColor = kDefaultFontColors;
            data.FadingIterations = -1;
        }
        data.ClassName = section.Name;
        data.BorderIndex = data.ImgTopLeft = data.ImgTopRight = data.ImgBottomLeft = data.ImgBottomRight = -1;
        for (const TsSkinIni::Key& key : section.Keys)
            ApplyCommonKey(data, key.Name, key.Value);
        model.gd.push_back(std::move(data));
    }
}

TColor PaletteDefaultOf(const TsPaletteSource& source, const TsPalette& palette) {
    using enum PaletteEntry;
    switch (source.Default) {
    case PaletteDefault::Colour: return source.DefaultColour;
    case PaletteDefault::Entry: return palette[source.DefaultEntry];
    case PaletteDefault::EditEvenRows: return LerpColor(palette[pcEditText], palette[pcEditBG], 0.05);
    }
    return source.DefaultColour;
}

void FillPaletteFromGlobalInfo(TsPalette& palette, const TsSkinIni& ini, PaletteEntry first, PaletteEntry last) {
    for (const TsPaletteSource& source : PaletteSources()) {
        if (source.Entry < first || source.Entry > last)
            continue;
        const TColor fallback = PaletteDefaultOf(source, palette);
        const TColor read = ColourOf(OptionIntegerOr(ini.ReadString(kGlobalInfo, source.Key, ""), NumberOf(fallback)));
        palette[source.Entry] = source.ResolveValue ? ResolveSkinColor(read) : read;
    }
}

// Entries 4 to 9: the edit and selection colours of the skin's sections.
void FillPaletteFromSections(TsPalette& p, const TsSkinModel& model) {
    using enum PaletteEntry;
    using enum FontColorEntry;
    const int edit = GetSkinIndex(model, kEditSection);
    const TsGenState* editLook = edit >= 0 ? &model.gd[edit].Props[TsLook::Normal] : nullptr;
    p[pcEditText] = ResolveSkinColor(editLook ? editLook->FontColor[fcText] : clWindowText);
    p[pcEditBG] = ResolveSkinColor(editLook ? editLook->Color : clWindow);
    const int selection = GetSkinIndex(model, kSelectionSection);
    if (selection >= 0) {
        const TsGeneralData& s = model.gd[selection];
        const TsLook hot = s.States < 2 ? TsLook::Normal : TsLook::Hot;
        p[pcSelectionBG] = s.Props[TsLook::Normal].Color;
        p[pcSelectionText] = s.Props[TsLook::Normal].FontColor[fcText];
        p[pcSelectionBGHot] = s.Props[hot].Color;
        p[pcSelectionTextHot] = s.Props[hot].FontColor[fcText];
    } else {
        p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBGHot] = p[pcSelectionTextHot] = kNoColor;
    }
    if (p[pcSelectionText] != kNoColor && p[pcSelectionText] != kTransparentKey)
        return;
    const int menuItem = GetSkinIndex(model, kMenuItemSection);
    if (menuItem >= 0) {
        const TsGenState& hot = model.gd[menuItem].Props[TsLook::Hot];
        const TColor hotText = hot.FontColor[fcText];
        p[pcSelectionText] =
            hotText == kNoColor || hotText == kTransparentKey ? clHighlightText : ResolveSkinColor(hotText);
        p[pcSelectionBG] = p[pcSelectionBGHot] = hot.Color;
        p[pcSelectionTextHot] = p[pcSelectionText];
    } else {
        p[pcSelectionText] = p[pcSelectionTextHot] = ResolveSkinColor(clHighlightText);
        p[pcSelectionBG] = p[pcSelectionBGHot] = ResolveSkinColor(clHighlight);
    }
}

void FillPalette(TsSkinModel& model, const TsSkinIni& ini) {
    using enum PaletteEntry;
    FillPaletteFromGlobalInfo(model.Palette, ini, pcMainColor, pcWebTextHot);
    FillPaletteFromSections(model.Palette, model);
    FillPaletteFromGlobalInfo(model.Palette, ini, pcEditBGInverted, pcBorder);
}

} // namespace

void ResolveSectionIndexes(TsSkinModel& model) {
    for (int i = 0; i < int(model.gd.size()); ++i) {
        TsGeneralData& data = model.gd[i];
        const std::string& name = data.ClassName;
        data.BorderIndex = GetMaskIndex(model, i, name, kBordersMaskKey);
        data.ImgTopLeft = GetMaskIndex(model, i, name, kImgTopLeftKey);
        data.ImgTopRight = GetMaskIndex(model, i, name, kImgTopRightKey);
        data.ImgBottomLeft = GetMaskIndex(model, i, name, kImgBottomLeftKey);
        data.ImgBottomRight = GetMaskIndex(model, i, name, kImgBottomRightKey);
        data.TextureIndex = GetTextureIndex(model, i, name, kPatternKey);
        data.Props[TsLook::Normal].TextureIndex = data.TextureIndex;
        if (data.States > 1)
            data.Props[TsLook::Hot].TextureIndex = GetTextureIndex(model, i, name, kHotPatternKey);
    }
}

void LoadSections(TsSkinModel& model, const TsLoadContext& context) {
    ReadSkinData(model.SkinData, context.Ini, context.Diagnostics);
    if (context.VersionCheck)
        context.VersionCheck(model.SkinData);
    model.gd.clear();
    const TsOptionsReader reader(context.Ini);
    for (const TsSkinIni::Section& section : context.Ini.Sections())
        model.gd.push_back(ReadSection(reader, section.Name));
    if (context.CommonSections != nullptr)
        ApplyCommonSections(model, *context.CommonSections);
    ResolveSectionIndexes(model);
    FillPalette(model, context.Ini);
}

} // namespace skin

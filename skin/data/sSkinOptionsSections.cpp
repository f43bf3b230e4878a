// "GLOBALINFO", the section records with their two looks, the common sections, the per-section
// indexes and the palette.
#include "skin/data/sSkinOptionsLoad.h"

#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ColorOps.h"

#include <unordered_set>

namespace skin {
namespace {

constexpr std::string_view kParentClass = "PARENTCLASS";
constexpr std::size_t kShortestGradient = 2;

std::int16_t To16(int value) { return static_cast<std::int16_t>(value); }

} // namespace

template <class Accept>
const std::string* TsOptionsReader::FindInChain(std::string_view section, std::string_view key, Accept accept,
                                                bool& fromParent) const {
    std::unordered_set<std::string> visited;
    std::string current(section);
    fromParent = false;
    for (;;) {
        if (const std::string* value = ini_.Find(current, key); value != nullptr && accept(*value))
            return value;
        visited.insert(current);
        const std::string* parent = ini_.Find(current, kParentClass);
        if (parent == nullptr || parent->empty() || *parent == "?" || *parent == current)
            return nullptr;
        if (visited.count(*parent) != 0)
            return nullptr; // the chain loops: the key counts as missing
        current = *parent;
        fromParent = true;
    }
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
    return fromParent ? static_cast<std::int32_t>(ResolveSkinColor(static_cast<TColor>(value))) : value;
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

void ReadSkinData(TsSkinData& data, const TsSkinIni& ini) {
    const auto integer = [&](std::string_view key, int fallback) {
        return OptionIntegerOr(ini.ReadString(kGlobalInfo, key, ""), fallback);
    };
    const auto strict = [&](std::string_view key, std::string_view fallback) {
        return To16(framework::StrToInt(ini.ReadString(kGlobalInfo, key, fallback)));
    };
    data.Version = OptionReal(ini.ReadString(kGlobalInfo, "VERSION", "0"));
    data.Author = ini.ReadString(kGlobalInfo, "AUTHOR", "");
    data.Description = ini.ReadString(kGlobalInfo, "DESCRIPTION", "");
    data.Shadow1Color = static_cast<TColor>(integer("SHADOW1COLOR", 0));
    data.Shadow1Offset = strict("SHADOW1OFFSET", "0");
    data.Shadow1Blur = strict("SHADOW1BLUR", "-1");
    data.Shadow1Transparency = strict("SHADOW1TRANSPARENCY", "0");
    data.BorderWidth = To16(integer("BORDERWIDTH", 4));
    constexpr int kDefaultTitleHeight = 30;
    data.TitleHeight = To16(integer("TITLEHEIGHT", kDefaultTitleHeight));
    if (data.TitleHeight == 0)
        data.TitleHeight = kDefaultTitleHeight;
    data.MaxHeight = To16(integer("MAXHEIGHT", 0));
    if (data.MaxHeight == 0)
        data.MaxHeight = data.TitleHeight;
    data.FormOffset = To16(integer("FORMOFFSET", kSizingFrameWidth));
    data.CenterOffset = To16(integer("CENTEROFFSET", 0));
    data.BorderMode = To16(integer("BORDERMODE", 0));
    data.AlignOffset = To16(integer("ALIGNOFFSET", 0));
    const auto alignOffset = [&](std::string_view key) {
        const std::int16_t value = To16(integer(key, -1));
        return value == -1 ? data.AlignOffset : value;
    };
    data.AlignOffsetR = alignOffset("ALIGNOFFSETR");
    data.AlignOffsetT = alignOffset("ALIGNOFFSETT");
    data.AlignOffsetB = alignOffset("ALIGNOFFSETB");
    data.BISpace = To16(integer("BISPACE", 0));
    data.BIVAlign = To16(integer("BIVALIGN", 0));
    data.BIRight = To16(integer("BIRIGHT", 0));
    data.BILeft = To16(integer("BILEFT", 0));
    data.BITop = To16(integer("BITOP", 0));
    data.BIKeepHue = To16(integer("BIKEEPHUE", 0));
    data.BIconCloseGlow = strict("BICONCLOSEGLOW", "0");
    data.BIconCloseGlowMargin = strict("BICONCLOSEGLOWMARGIN", "0");
    data.BIconMaxGlow = strict("BICONMAXGLOW", "0");
    data.BIconMaxGlowMargin = strict("BICONMAXGLOWMARGIN", "0");
    data.BIconMinGlow = strict("BICONMINGLOW", "0");
    data.BIconMinGlowMargin = strict("BICONMINGLOWMARGIN", "0");
    data.AeroBlur = integer("AEROBLUR", 0) != 0;
}

namespace {

enum class Look { Normal = 0, Hot = 1 };

std::string LookKey(Look look, std::string_view key) {
    return look == Look::Hot ? "HOT" + std::string(key) : std::string(key);
}

void SetGradient(TsGenState& state, std::string data) {
    state.GradientData = std::move(data);
    state.GradientArray.clear();
    if (state.GradientData.size() < kShortestGradient)
        state.GradientPercent = 0;
    else
        state.GradientArray = ParseGradient(state.GradientData);
}

TsGenState ReadLook(const TsOptionsReader& reader, const std::string& section, Look look) {
    TsGenState state;
    const auto integer = [&](std::string_view key, int fallback) { return reader.ReadInteger(section, key, fallback); };
    const TColor colour = static_cast<TColor>(integer(LookKey(look, "COLOR"), kWhite));
    state.Color = look == Look::Normal ? ResolveSkinColor(colour) : colour;
    state.FontColor[fcText] = static_cast<TColor>(integer(LookKey(look, "FONTCOLOR"), 0));
    state.FontColor[fcLeft] = static_cast<TColor>(integer(LookKey(look, "TCLEFT"), -1));
    state.FontColor[fcTop] = static_cast<TColor>(integer(LookKey(look, "TCTOP"), -1));
    state.FontColor[fcRight] = static_cast<TColor>(integer(LookKey(look, "TCRIGHT"), -1));
    state.FontColor[fcBottom] = static_cast<TColor>(integer(LookKey(look, "TCBOTTOM"), -1));
    state.GradientPercent = integer(LookKey(look, "GRADIENTPERCENT"), 0);
    SetGradient(state, reader.ReadString(section, LookKey(look, "GRADIENTDATA"), look == Look::Normal ? " " : ""));
    state.ImagePercent = integer(LookKey(look, "IMAGEPERCENT"), 0);
    state.GlowColor = ResolveSkinColor(static_cast<TColor>(integer(look == Look::Hot ? "HGCOL" : "GCOL", kWhite)));
    state.GlowSize = static_cast<std::uint8_t>(integer(look == Look::Hot ? "HGSIZE" : "GSIZE", 0));
    state.Transparency = integer(LookKey(look, "TRANSPARENCY"), 0);
    return state;
}

// The section-wide copies follow the looks.
void CopyLooksToSection(TsGeneralData& data) {
    const TsGenState& normal = data.Props[0];
    const TsGenState& hot = data.Props[1];
    data.Color = normal.Color;
    data.Transparency = normal.Transparency;
    data.GradientPercent = normal.GradientPercent;
    data.GradientData = normal.GradientData;
    data.GradientArray = normal.GradientArray;
    data.ImagePercent = normal.ImagePercent;
    data.FontColor = normal.FontColor;
    data.GlowColor = normal.GlowColor;
    data.GlowSize = normal.GlowSize;
    data.HotColor = hot.Color;
    data.HotTransparency = hot.Transparency;
    data.HotGradientPercent = hot.GradientPercent;
    data.HotGradientData = hot.GradientData;
    data.HotGradientArray = hot.GradientArray;
    data.HotImagePercent = hot.ImagePercent;
    data.HotFontColor = hot.FontColor;
    data.HotGlowColor = hot.GlowColor;
    data.HotGlowSize = hot.GlowSize;
}

TsGeneralData ReadSection(const TsOptionsReader& reader, const std::string& section) {
    TsGeneralData data;
    data.ClassName = section;
    data.ParentClass = reader.Ini().ReadString(section, kParentClass, "");
    data.States = reader.ReadInteger(section, "STATES", 3);
    data.GiveOwnFont = reader.ReadBool(section, "GIVEOWNFONT", false);
    data.ReservedBoolean = reader.ReadBool(section, "RESERVEDBOOLEAN", false);
    data.ShowFocus = true;
    data.GlowCount = reader.ReadInteger(section, "GLOW", 0);
    data.GlowMargin = reader.ReadInteger(section, "GLOWMARGIN", 0);
    data.FadingEnabled = reader.ReadBool(section, "FADINGENABLED", false);
    data.FadingIterations = reader.ReadInteger(section, "FADINGITERATIONS", 5);
    data.Props[0] = ReadLook(reader, section, Look::Normal);
    data.Props[1] = data.States < 2 ? data.Props[0] : ReadLook(reader, section, Look::Hot);
    CopyLooksToSection(data);
    return data;
}

// One key of a common section applied to a section record.
void ApplyCommonKey(TsGeneralData& data, const std::string& key, const std::string& value) {
    const auto integer = [&](int fallback) { return OptionIntegerOr(value, fallback); };
    const auto colour = [&](TColor current) { return static_cast<TColor>(integer(static_cast<int>(current))); };
    for (int look = 0; look < 2; ++look) {
        TsGenState& state = data.Props[look];
        const std::string prefix = look == 1 ? "HOT" : "";
        if (key == prefix + "COLOR")
            state.Color = look == 0 ? ResolveSkinColor(colour(state.Color)) : colour(state.Color);
        else if (key == prefix + "FONTCOLOR")
            state.FontColor[fcText] = colour(state.FontColor[fcText]);
        else if (key == prefix + "TCLEFT")
            state.FontColor[fcLeft] = colour(state.FontColor[fcLeft]);
        else if (key == prefix + "TCTOP")
            state.FontColor[fcTop] = colour(state.FontColor[fcTop]);
        else if (key == prefix + "TCRIGHT")
            state.FontColor[fcRight] = colour(state.FontColor[fcRight]);
        else if (key == prefix + "TCBOTTOM")
            state.FontColor[fcBottom] = colour(state.FontColor[fcBottom]);
        else if (key == prefix + "GRADIENTPERCENT")
            state.GradientPercent = integer(state.GradientPercent);
        else if (key == prefix + "GRADIENTDATA")
            SetGradient(state, value);
        else if (key == prefix + "IMAGEPERCENT")
            state.ImagePercent = integer(state.ImagePercent);
        else if (key == prefix + "TRANSPARENCY")
            state.Transparency = integer(state.Transparency);
    }
    if (key == "PARENTCLASS")
        data.ParentClass = value;
    else if (key == "STATES")
        data.States = integer(data.States);
    else if (key == "GIVEOWNFONT")
        data.GiveOwnFont = OptionBoolean(value);
    else if (key == "RESERVEDBOOLEAN")
        data.ReservedBoolean = OptionBoolean(value);
    else if (key == "SHOWFOCUS")
        data.ShowFocus = OptionBoolean(value);
    else if (key == "GLOW")
        data.GlowCount = integer(data.GlowCount);
    else if (key == "GLOWMARGIN")
        data.GlowMargin = integer(data.GlowMargin);
    else if (key == "FADINGENABLED")
        data.FadingEnabled = OptionBoolean(value);
    else if (key == "FADINGITERATIONS")
        data.FadingIterations = integer(data.FadingIterations);
    else if (key == "GCOL")
        data.Props[0].GlowColor = ResolveSkinColor(colour(data.Props[0].GlowColor));
    else if (key == "HGCOL")
        data.Props[1].GlowColor = ResolveSkinColor(colour(data.Props[1].GlowColor));
    else if (key == "GSIZE")
        data.Props[0].GlowSize = static_cast<std::uint8_t>(integer(data.Props[0].GlowSize));
    else if (key == "HGSIZE")
        data.Props[1].GlowSize = static_cast<std::uint8_t>(integer(data.Props[1].GlowSize));
}

void ApplyCommonSections(TsSkinModel& model, const TsSkinIni& common) {
    for (const TsSkinIni::Section& section : common.Sections()) {
        const int existing = GetSkinIndex(model, section.Name);
        if (existing >= 0) {
            TsGeneralData& data = model.gd[existing];
            for (const TsSkinIni::Key& key : section.Keys)
                ApplyCommonKey(data, key.Name, key.Value);
            CopyLooksToSection(data);
            continue;
        }
        const std::string* parentName = common.Find(section.Name, kParentClass);
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
                state.FontColor = {0, kNoColor, kNoColor, kNoColor, kNoColor};
            data.FadingIterations = -1;
        }
        data.ClassName = section.Name;
        data.BorderIndex = data.ImgTopLeft = data.ImgTopRight = data.ImgBottomLeft = data.ImgBottomRight = -1;
        for (const TsSkinIni::Key& key : section.Keys)
            ApplyCommonKey(data, key.Name, key.Value);
        CopyLooksToSection(data);
        model.gd.push_back(std::move(data));
    }
}

TColor GlobalColour(const TsSkinIni& ini, std::string_view key, TColor fallback) {
    return static_cast<TColor>(OptionIntegerOr(ini.ReadString(kGlobalInfo, key, ""), static_cast<int>(fallback)));
}

void FillPalette(TsSkinModel& model, const TsSkinIni& ini) {
    TsPalette& p = model.Palette;
    p[0] = ResolveSkinColor(GlobalColour(ini, "COLOR", clBtnFace));
    p[1] = GlobalColour(ini, "FONTCOLOR", 0);
    p[2] = ResolveSkinColor(GlobalColour(ini, "TCBOTTOM", 0xFF0000));
    p[3] = ResolveSkinColor(GlobalColour(ini, "TCTOP", 0x0000FF));
    const int edit = GetSkinIndex(model, "EDIT");
    p[4] = edit >= 0 ? ResolveSkinColor(model.gd[edit].Props[0].FontColor[fcText]) : ResolveSkinColor(clWindowText);
    p[5] = edit >= 0 ? ResolveSkinColor(model.gd[edit].Props[0].Color) : ResolveSkinColor(clWindow);
    const int selection = GetSkinIndex(model, "SELECTION");
    if (selection >= 0) {
        const TsGeneralData& s = model.gd[selection];
        const int hot = s.States < 2 ? 0 : 1;
        p[6] = s.Props[0].Color;
        p[7] = s.Props[0].FontColor[fcText];
        p[8] = s.Props[hot].Color;
        p[9] = s.Props[hot].FontColor[fcText];
    } else {
        p[6] = p[7] = p[8] = p[9] = kNoColor;
    }
    if (p[7] == kNoColor || p[7] == kTransparentKey) {
        const int menuItem = GetSkinIndex(model, "MENUITEM");
        if (menuItem >= 0) {
            const TsGeneralData& m = model.gd[menuItem];
            const TColor hotText = m.Props[1].FontColor[fcText];
            p[7] = hotText == kNoColor || hotText == kTransparentKey ? clHighlightText : ResolveSkinColor(hotText);
            p[6] = p[8] = m.Props[1].Color;
            p[9] = p[7];
        } else {
            p[7] = p[9] = ResolveSkinColor(clHighlightText);
            p[6] = p[8] = ResolveSkinColor(clHighlight);
        }
    }
    p[10] = GlobalColour(ini, "EDITBG_INV", p[4]);
    p[11] = GlobalColour(ini, "EDITTEXT_INV", p[5]);
    p[12] = GlobalColour(ini, "EDITBG_ODD", p[5]);
    p[13] = GlobalColour(ini, "EDITBG_EVEN", LerpColor(p[4], p[5], 0.05));
    p[14] = GlobalColour(ini, "EDITTEXT_OK", 0x008000);
    p[15] = GlobalColour(ini, "EDITTEXT_WARN", 0x008484);
    p[16] = GlobalColour(ini, "EDITTEXT_ALERT", 0x0000FF);
    p[17] = GlobalColour(ini, "EDITTEXT_ALERT", 0x8597D9);
    p[18] = GlobalColour(ini, "EDITTEXT_ALERT", 0x4AB28F);
    p[19] = GlobalColour(ini, "EDITBG_OK", 0x6CC2A5);
    p[20] = GlobalColour(ini, "EDITBG_WARN", 0x40FFFF);
    p[21] = GlobalColour(ini, "EDITBG_ALERT", 0x95A7E9);
    p[22] = GlobalColour(ini, "EDITBG_ALERT", 0x8597D9);
    p[23] = GlobalColour(ini, "EDITBG_ALERT", 0x4AB28F);
    p[24] = GlobalColour(ini, "EDITTEXT_H1", 0);
    p[25] = GlobalColour(ini, "EDITTEXT_H2", 0);
    p[26] = GlobalColour(ini, "EDITTEXT_H3", 0);
    p[27] = GlobalColour(ini, "BORDERCOLOR", 0);
}

} // namespace

void ResolveSectionIndexes(TsSkinModel& model) {
    for (int i = 0; i < int(model.gd.size()); ++i) {
        TsGeneralData& data = model.gd[i];
        if (data.ClassName == kGlobalInfo)
            continue;
        const std::string& name = data.ClassName;
        data.BorderIndex = GetMaskIndex(model, i, name, "BORDERSMASK");
        data.ImgTopLeft = GetMaskIndex(model, i, name, "IMGTOPLEFT");
        data.ImgTopRight = GetMaskIndex(model, i, name, "IMGTOPRIGHT");
        data.ImgBottomLeft = GetMaskIndex(model, i, name, "IMGBTMLEFT");
        data.ImgBottomRight = GetMaskIndex(model, i, name, "IMGBTMRIGHT");
        data.TextureIndex = GetTextureIndex(model, i, name, "PATTERN");
        data.Props[0].TextureIndex = data.TextureIndex;
        if (data.States > 1)
            data.Props[1].TextureIndex = GetTextureIndex(model, i, name, "HOTPATTERN");
    }
}

void LoadSections(TsSkinModel& model, const TsLoadContext& context) {
    ReadSkinData(model.SkinData, context.Ini);
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

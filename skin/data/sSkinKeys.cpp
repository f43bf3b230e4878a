// The key tables.
#include "skin/data/sSkinKeys.h"

#include "skin/data/sSystemColors.h"

namespace skin {
namespace {

using D = TsSkinData;
constexpr auto kStrict = NumberRule::Strict;
constexpr auto kLenient = NumberRule::Lenient;
constexpr std::int32_t kDefaultTitleHeight = 30;
constexpr std::int32_t kNoAlignOffset = -1;

const TsGlobalInfoValue kGlobalInfoValues[] = {
    {"VERSION", "Version", &D::Version},
    {"AUTHOR", "Author", &D::Author},
    {"DESCRIPTION", "Description", &D::Description},
    {"SHADOW1COLOR", "Shadow1Color", &D::Shadow1Color, kLenient, 0},
    {"SHADOW1OFFSET", "Shadow1Offset", &D::Shadow1Offset, kStrict, 0},
    {"SHADOW1BLUR", "Shadow1Blur", &D::Shadow1Blur, kStrict, -1},
    {"SHADOW1TRANSPARENCY", "Shadow1Transparency", &D::Shadow1Transparency, kStrict, 0},
    {"BORDERWIDTH", "BorderWidth", &D::BorderWidth, kLenient, 4},
    {"TITLEHEIGHT", "TitleHeight", &D::TitleHeight, kLenient, kDefaultTitleHeight},
    {"MAXHEIGHT", "MaxHeight", &D::MaxHeight, kLenient, 0},
    {"FORMOFFSET", "FormOffset", &D::FormOffset, kLenient, kSizingFrameWidth},
    {"CENTEROFFSET", "CenterOffset", &D::CenterOffset, kLenient, 0},
    {"BORDERMODE", "BorderMode", &D::BorderMode, kLenient, 0},
    {"ALIGNOFFSET", "AlignOffset", &D::AlignOffset, kLenient, 0},
    {"ALIGNOFFSETR", "AlignOffsetR", &D::AlignOffsetR, kLenient, kNoAlignOffset},
    {"ALIGNOFFSETT", "AlignOffsetT", &D::AlignOffsetT, kLenient, kNoAlignOffset},
    {"ALIGNOFFSETB", "AlignOffsetB", &D::AlignOffsetB, kLenient, kNoAlignOffset},
    {"BISPACE", "BISpace", &D::BISpace, kLenient, 0},
    {"BIVALIGN", "BIVAlign", &D::BIVAlign, kLenient, 0},
    {"BIRIGHT", "BIRight", &D::BIRight, kLenient, 0},
    {"BILEFT", "BILeft", &D::BILeft, kLenient, 0},
    {"BITOP", "BITop", &D::BITop, kLenient, 0},
    {"BIKEEPHUE", "BIKeepHue", &D::BIKeepHue, kLenient, 0},
    {"BICONCLOSEGLOW", "BIconCloseGlow", &D::BIconCloseGlow, kStrict, 0},
    {"BICONCLOSEGLOWMARGIN", "BIconCloseGlowMargin", &D::BIconCloseGlowMargin, kStrict, 0},
    {"BICONMAXGLOW", "BIconMaxGlow", &D::BIconMaxGlow, kStrict, 0},
    {"BICONMAXGLOWMARGIN", "BIconMaxGlowMargin", &D::BIconMaxGlowMargin, kStrict, 0},
    {"BICONMINGLOW", "BIconMinGlow", &D::BIconMinGlow, kStrict, 0},
    {"BICONMINGLOWMARGIN", "BIconMinGlowMargin", &D::BIconMinGlowMargin, kStrict, 0},
    {"AEROBLUR", "AeroBlur", &D::AeroBlur, kLenient, 0},
};

using G = TsGeneralData;
const TsSectionValue kSectionValues[] = {
    {"STATES", "States", &G::States, 3},
    {"GIVEOWNFONT", "GiveOwnFont", &G::GiveOwnFont, 0},
    {"RESERVEDBOOLEAN", "ReservedBoolean", &G::ReservedBoolean, 0},
    {"SHOWFOCUS", "ShowFocus", &G::ShowFocus, 1, false},
    {kGlowKey, "GlowCount", &G::GlowCount, 0},
    {"GLOWMARGIN", "GlowMargin", &G::GlowMargin, 0},
    {"FADINGENABLED", "FadingEnabled", &G::FadingEnabled, 0},
    {"FADINGITERATIONS", "FadingIterations", &G::FadingIterations, 5},
};

constexpr std::string_view kHot = "HOT";
constexpr std::string_view kHotGlow = "H";
const TsLookField kLookFields[] = {
    {"Color", LookValueKind::Colour, kHot, {kColorKey}},
    {"FontColor", LookValueKind::FontColours, kHot,
     {kFontColorKey, kContourLeftKey, kContourTopKey, kContourRightKey, kContourBottomKey}},
    {"GradientPercent", LookValueKind::Number, kHot, {"GRADIENTPERCENT"}, &TsGenState::GradientPercent},
    {"GradientData", LookValueKind::Gradient, kHot, {"GRADIENTDATA"}},
    {"ImagePercent", LookValueKind::Number, kHot, {"IMAGEPERCENT"}, &TsGenState::ImagePercent},
    {"TextureIndex", LookValueKind::TextureIndex, {}, {}},
    {"GlowColor", LookValueKind::GlowColour, kHotGlow, {"GCOL"}},
    {"GlowSize", LookValueKind::GlowSize, kHotGlow, {"GSIZE"}},
    {"Transparency", LookValueKind::Number, kHot, {"TRANSPARENCY"}, &TsGenState::Transparency},
};

using P = PaletteEntry;
const TsPaletteSource kPaletteSources[] = {
    {P::pcMainColor, kColorKey, PaletteDefault::Colour, clBtnFace, P::pcMainColor, true},
    {P::pcLabelText, kFontColorKey, PaletteDefault::Colour, TColor{0}},
    {P::pcWebText, kContourBottomKey, PaletteDefault::Colour, TColor{0xFF0000}, P::pcMainColor, true},
    {P::pcWebTextHot, kContourTopKey, PaletteDefault::Colour, TColor{0x0000FF}, P::pcMainColor, true},
    {P::pcEditBGInverted, "EDITBG_INV", PaletteDefault::Entry, {}, P::pcEditText},
    {P::pcEditTextInverted, "EDITTEXT_INV", PaletteDefault::Entry, {}, P::pcEditBG},
    {P::pcEditBGOdd, "EDITBG_ODD", PaletteDefault::Entry, {}, P::pcEditBG},
    {P::pcEditBGEven, "EDITBG_EVEN", PaletteDefault::EditEvenRows},
    {P::pcEditTextOk, "EDITTEXT_OK", PaletteDefault::Colour, TColor{0x008000}},
    {P::pcEditTextWarning, "EDITTEXT_WARN", PaletteDefault::Colour, TColor{0x008484}},
    // Three entries each read the same alert key; only their defaults differ.
    {P::pcEditTextAlert, "EDITTEXT_ALERT", PaletteDefault::Colour, TColor{0x0000FF}},
    {P::pcEditTextAlert2, "EDITTEXT_ALERT", PaletteDefault::Colour, TColor{0x8597D9}},
    {P::pcEditTextAlert3, "EDITTEXT_ALERT", PaletteDefault::Colour, TColor{0x4AB28F}},
    {P::pcEditBGOk, "EDITBG_OK", PaletteDefault::Colour, TColor{0x6CC2A5}},
    {P::pcEditBGWarning, "EDITBG_WARN", PaletteDefault::Colour, TColor{0x40FFFF}},
    {P::pcEditBGAlert, "EDITBG_ALERT", PaletteDefault::Colour, TColor{0x95A7E9}},
    {P::pcEditBGAlert2, "EDITBG_ALERT", PaletteDefault::Colour, TColor{0x8597D9}},
    {P::pcEditBGAlert3, "EDITBG_ALERT", PaletteDefault::Colour, TColor{0x4AB28F}},
    {P::pcEditTextHighlight1, "EDITTEXT_H1", PaletteDefault::Colour, TColor{0}},
    {P::pcEditTextHighlight2, "EDITTEXT_H2", PaletteDefault::Colour, TColor{0}},
    {P::pcEditTextHighlight3, "EDITTEXT_H3", PaletteDefault::Colour, TColor{0}},
    {P::pcBorder, "BORDERCOLOR", PaletteDefault::Colour, TColor{0}},
};

// With kCheckMarkKeys and kTitleButtonKeys, which are masks of "GLOBALINFO" too.
const TsMaskKey kMaskKeys[] = {
    {kBordersMaskKey, KeyScope::AnySection},     {kGlyphMaskKey, KeyScope::AnySection},
    {kPatternKey, KeyScope::AnySection},         {kHotPatternKey, KeyScope::AnySection},
    {kImgTopLeftKey, KeyScope::AnySection},      {kImgTopRightKey, KeyScope::AnySection},
    {kImgBottomLeftKey, KeyScope::AnySection},   {kImgBottomRightKey, KeyScope::AnySection},
    {kStatusPanelMaskKey, KeyScope::AnySection}, {kLightShapeKey, KeyScope::AnySection},
    {kExBorderKey, KeyScope::GlobalInfo},        {kGripImageKey, KeyScope::GlobalInfo},
    {kGripHorzKey, KeyScope::GlobalInfo},        {kGripVertKey, KeyScope::GlobalInfo},
    {kTitleButtonKey, KeyScope::GlobalInfo},     {kMenuCheckKey, KeyScope::GlobalInfo},
};

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

KeyValueKind KindOfGlobalInfoValue(const TsGlobalInfoValue& value) {
    if (std::holds_alternative<double TsSkinData::*>(value.Field))
        return KeyValueKind::Real;
    if (std::holds_alternative<std::string TsSkinData::*>(value.Field))
        return KeyValueKind::Text;
    if (std::holds_alternative<TColor TsSkinData::*>(value.Field))
        return KeyValueKind::Colour;
    return value.Rule == NumberRule::Strict ? KeyValueKind::Strict : KeyValueKind::Number;
}

KeyValueKind KindOfLookValue(LookValueKind kind, std::size_t keyIndex) {
    switch (kind) {
    case LookValueKind::Colour:
    case LookValueKind::GlowColour: return KeyValueKind::Colour;
    case LookValueKind::FontColours: return keyIndex == 0 ? KeyValueKind::Colour : KeyValueKind::Contour;
    case LookValueKind::Gradient: return KeyValueKind::Gradient;
    default: return KeyValueKind::Number;
    }
}

// The keys every section reads, "GLOBALINFO" included (it is a section too).
std::optional<KeyValueKind> SectionKeyUse(std::string_view key) {
    if (key == kParentClassKey)
        return KeyValueKind::Section;
    for (const TsSectionValue& value : kSectionValues)
        if (value.FromOptionsText && key == value.Key)
            return std::holds_alternative<bool TsGeneralData::*>(value.Field) ? KeyValueKind::Boolean
                                                                              : KeyValueKind::Number;
    for (const TsLookField& field : kLookFields)
        for (std::size_t i = 0; i < field.Keys.size(); ++i) {
            const std::string_view normal = field.Keys[i];
            if (normal.empty())
                continue;
            const bool hot = key.size() == field.HotPrefix.size() + normal.size() && key.starts_with(field.HotPrefix) &&
                             key.ends_with(normal);
            if (key == normal || hot)
                return KindOfLookValue(field.Kind, i);
        }
    for (const TsMaskKey& mask : kMaskKeys)
        if (mask.Scope == KeyScope::AnySection && key == mask.Key)
            return KeyValueKind::Mask;
    // Halo masks: "GLOW0", "GLOW1" ...
    if (key.starts_with(kGlowKey) && IsDigits(key.substr(kGlowKey.size())))
        return KeyValueKind::Mask;
    return std::nullopt;
}

std::optional<KeyValueKind> GlobalInfoKeyUse(std::string_view key) {
    if (key == kMasterBitmapKey)
        return KeyValueKind::Picture;
    for (const TsGlobalInfoValue& value : kGlobalInfoValues)
        if (key == value.Key)
            return KindOfGlobalInfoValue(value);
    for (const TsPaletteSource& source : kPaletteSources)
        if (key == source.Key)
            return KeyValueKind::Colour;
    for (const TsMaskKey& mask : kMaskKeys)
        if (mask.Scope == KeyScope::GlobalInfo && key == mask.Key)
            return KeyValueKind::Mask;
    for (std::string_view mask : kCheckMarkKeys)
        if (key == mask)
            return KeyValueKind::Mask;
    for (std::string_view mask : kTitleButtonKeys)
        if (key == mask)
            return KeyValueKind::Mask;
    if (key.ends_with(kTitleGlowSuffix))
        for (std::string_view button : kTitleButtonKeys)
            if (key.substr(0, key.size() - kTitleGlowSuffix.size()) == button)
                return KeyValueKind::Mask;
    return std::nullopt;
}

} // namespace

std::span<const TsGlobalInfoValue> GlobalInfoValues() { return kGlobalInfoValues; }
std::span<const TsSectionValue> SectionValues() { return kSectionValues; }
std::span<const TsLookField> LookFields() { return kLookFields; }
std::span<const TsPaletteSource> PaletteSources() { return kPaletteSources; }
std::span<const TsMaskKey> MaskKeys() { return kMaskKeys; }

std::optional<KeyValueKind> KeyUseOf(std::string_view section, std::string_view key) {
    if (section == kGlobalInfo)
        if (const std::optional<KeyValueKind> use = GlobalInfoKeyUse(key))
            return use;
    return SectionKeyUse(key);
}

} // namespace skin

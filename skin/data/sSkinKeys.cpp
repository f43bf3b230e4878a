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

} // namespace

std::span<const TsGlobalInfoValue> GlobalInfoValues() { return kGlobalInfoValues; }
std::span<const TsSectionValue> SectionValues() { return kSectionValues; }
std::span<const TsLookField> LookFields() { return kLookFields; }
std::span<const TsPaletteSource> PaletteSources() { return kPaletteSources; }

} // namespace skin

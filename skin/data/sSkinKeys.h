// Every section and key name the engine reads from a skin's options text, each written once:
// the names painters and loaders look up, and the tables the loader, the common index table and
// the model's dump (tovrin-skin info) all work from.
#pragma once

#include "skin/data/sSkinOptions.h"

#include <span>
#include <string_view>
#include <variant>

namespace skin {

// ---------------------------------------------------------------- names

inline constexpr std::string_view kGlobalInfo = "GLOBALINFO";
inline constexpr std::string_view kParentClassKey = "PARENTCLASS";
inline constexpr std::string_view kMasterBitmapKey = "MASTERBITMAP";

// Values of a section's look that other tables read too (the palette reads them in "GLOBALINFO").
inline constexpr std::string_view kColorKey = "COLOR";
inline constexpr std::string_view kFontColorKey = "FONTCOLOR";
inline constexpr std::string_view kContourLeftKey = "TCLEFT";
inline constexpr std::string_view kContourTopKey = "TCTOP";
inline constexpr std::string_view kContourRightKey = "TCRIGHT";
inline constexpr std::string_view kContourBottomKey = "TCBOTTOM";

// Masks and textures of a section.
inline constexpr std::string_view kBordersMaskKey = "BORDERSMASK";
inline constexpr std::string_view kGlyphMaskKey = "GLYPHMASK";
inline constexpr std::string_view kPatternKey = "PATTERN";
inline constexpr std::string_view kHotPatternKey = "HOTPATTERN";
inline constexpr std::string_view kImgTopLeftKey = "IMGTOPLEFT";
inline constexpr std::string_view kImgTopRightKey = "IMGTOPRIGHT";
inline constexpr std::string_view kImgBottomLeftKey = "IMGBTMLEFT";
inline constexpr std::string_view kImgBottomRightKey = "IMGBTMRIGHT";
// The halo masks of a section are this key followed by a number ("GLOW0"); the same key gives
// the section's glow count.
inline constexpr std::string_view kGlowKey = "GLOW";
// A mask of "GLOBALINFO": the extended border picture.
inline constexpr std::string_view kExBorderKey = "EXBORDER";

// Sections the engine asks for by name.
inline constexpr std::string_view kEditSection = "EDIT";
inline constexpr std::string_view kSelectionSection = "SELECTION";
inline constexpr std::string_view kMenuItemSection = "MENUITEM";
// The default section of a menu's icon line.
inline constexpr std::string_view kIcoLineSection = "ICOLINE";
// Its border mask always cuts the window region of a button (corner kind 2).
inline constexpr std::string_view kHugeButtonSection = "BUTTON_HUGE";

// ---------------------------------------------------------------- "GLOBALINFO"

// How a number is read: lenient (not an integer gives the default) or strict (fails the load).
enum class NumberRule { Lenient, Strict };

// One value of "GLOBALINFO" (read without inheritance) and the TsSkinData field it fills.
struct TsGlobalInfoValue {
    std::string_view Key;
    std::string_view Name; // the field, as the model's dump names it
    std::variant<double TsSkinData::*, std::string TsSkinData::*, TColor TsSkinData::*, std::int16_t TsSkinData::*,
                 bool TsSkinData::*>
        Field;
    NumberRule Rule = NumberRule::Lenient;
    std::int32_t Default = 0; // booleans: true when the number read is not 0
};
// In the order of TsSkinData; TITLEHEIGHT 0, MAXHEIGHT 0 and ALIGNOFFSETR/T/B -1 are then
// replaced by their defaults (ReadSkinData).
std::span<const TsGlobalInfoValue> GlobalInfoValues();

// ---------------------------------------------------------------- sections

// One section-wide value of TsGeneralData, read with inheritance.
struct TsSectionValue {
    std::string_view Key;
    std::string_view Name;
    std::variant<std::int32_t TsGeneralData::*, bool TsGeneralData::*> Field;
    std::int32_t Default = 0;
    bool FromOptionsText = true; // false: only the common sections set it
};
std::span<const TsSectionValue> SectionValues();

// What a value of a look holds and how it is read.
enum class LookValueKind {
    Colour,      // resolved in the normal look, as read in the hot one
    FontColours, // text colour and the four contours, one key each
    Number,
    Gradient,    // the text and its segments (a short text forces the gradient percent to 0)
    GlowColour,  // resolved in both looks
    GlowSize,
    TextureIndex // no key: found among the section's textures after loading
};

// One value of TsGenState. The hot look's key is HotPrefix followed by the normal look's key.
struct TsLookField {
    std::string_view Name;
    LookValueKind Kind;
    std::string_view HotPrefix;
    std::array<std::string_view, kFontColorCount> Keys{}; // one key, or five for FontColours
    std::int32_t TsGenState::*Number = nullptr;            // for Number
};
// In the order of TsGenState.
std::span<const TsLookField> LookFields();
// The defaults of a look's values.
inline constexpr std::string_view kNormalGradientDefault = " ";
inline constexpr std::string_view kHotGradientDefault = "";

// ---------------------------------------------------------------- palette

// Where a palette entry comes from when "GLOBALINFO" has no such key.
enum class PaletteDefault { Colour, Entry, EditEvenRows };
struct TsPaletteSource {
    PaletteEntry Entry;
    std::string_view Key; // in "GLOBALINFO"
    PaletteDefault Default;
    TColor DefaultColour{};
    PaletteEntry DefaultEntry = PaletteEntry::pcMainColor;
    bool ResolveValue = false; // the value read (or the default) is resolved
};
// The entries read from "GLOBALINFO", in entry order; entries 4 to 9 come from the sections
// kEditSection, kSelectionSection and kMenuItemSection (FillPalette).
std::span<const TsPaletteSource> PaletteSources();

} // namespace skin

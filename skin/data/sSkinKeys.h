// Every section and key name the engine reads from a skin's options text, each written once:
// the names painters and loaders look up, and the tables the loader, the common index table and
// the model's dump (tovrin-skin info) all work from.
#pragma once

#include "skin/data/sSkinOptions.h"

#include <array>
#include <optional>
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
// A status bar's panels, and the shape of a gauge bar's light strip.
inline constexpr std::string_view kStatusPanelMaskKey = "STATUSPANELMASK";
inline constexpr std::string_view kLightShapeKey = "LRGN";
// Masks of "GLOBALINFO": check marks and title buttons (in the order of the common index
// table's enums), the size grips, the user title button and the menus' check mark.
inline constexpr std::array<std::string_view, 9> kCheckMarkKeys = {
    "BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED",
    "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
inline constexpr std::array<std::string_view, 11> kTitleButtonKeys = {
    "BICONCLOSE", "BICLOSEALONE", "BICONMAX", "BICONNORM", "BICONMIN", "BICONHELP",
    "SICONCLOSE", "SICONMAX", "SICONNORM", "SICONMIN", "SICONHELP"};
inline constexpr std::string_view kGripImageKey = "GRIPIMAGE";
inline constexpr std::string_view kGripHorzKey = "GRIPHORZ";
inline constexpr std::string_view kGripVertKey = "GRIPVERT";
inline constexpr std::string_view kTitleButtonKey = "TITLEBUTTON";
inline constexpr std::string_view kMenuCheckKey = "CHECK";
// A title button's glow picture is its key followed by this ("BICONCLOSEGLOW0").
inline constexpr std::string_view kTitleGlowSuffix = "GLOW0";

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

// ---------------------------------------------------------------- masks and textures

// Where painters look a mask up: in any section (and its parents), or in "GLOBALINFO" alone.
enum class KeyScope { AnySection, GlobalInfo };
struct TsMaskKey {
    std::string_view Key;
    KeyScope Scope;
};
// The mask and texture keys painters ask for besides kCheckMarkKeys and kTitleButtonKeys; halo
// masks ("GLOW0", "GLOW1" ...) and the title buttons' glow pictures are told by KeyUseOf.
std::span<const TsMaskKey> MaskKeys();

// ---------------------------------------------------------------- every key

// How a value is read.
enum class KeyValueKind {
    Number,    // an integer; anything else counts as missing
    Strict,    // an integer; anything else fails the load
    Real,      // "." as decimal separator
    Boolean,   // "1" or "TRUE" in any letter case; anything else is false
    Colour,    // 0x00BBGGRR, or a system colour (sign bit and an index in the low byte)
    Contour,   // a colour, or -1 for no contour on that side
    Text,
    Section,   // the name of a section
    Gradient,  // numbers in groups of five
    Picture,   // a picture file of the skin
    Mask,      // a mask form, or a picture file
};
// What reads key in section and how, or nothing when no unit of the engine reads it there (a key
// that is misspelt, or in a section where no one looks for it).
std::optional<KeyValueKind> KeyUseOf(std::string_view section, std::string_view key);

} // namespace skin

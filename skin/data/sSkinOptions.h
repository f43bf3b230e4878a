// The skin model built from a skin's options text and pictures: the skin-wide values
// (TsSkinData), one record per section (TsGeneralData with a normal and a hot TsGenState), the
// masks (TsMaskData), the JPEG textures (TsPatternData), the master bitmap and the palette.
// Records are found by index; an index is 32-bit and -1 means none.
#pragma once

#include "framework/base/EnumArray.h"
#include "skin/pixels/Bitmap32.h"
#include "skin/pixels/SkinTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

inline constexpr TColor kWhite{16777215};
inline constexpr TColor kNoColor{0xFFFFFFFF}; // -1: no contour, no entry

// How a gradient runs (the first segment decides); a skin may give any other number, which
// paints nothing.
enum class TsGradientKind : std::int32_t { gkVertical = 0, gkHorizontal = 1, gkFourCorner = 2 };

// One segment of a section gradient.
struct TsGradientSegment {
    TColor Color1{};
    TColor Color2{};
    std::int32_t Percent = 0; // 0..100
    TsGradientKind GradientKind = TsGradientKind::gkVertical;
    bool operator==(const TsGradientSegment&) const = default;
};
using TsGradArray = std::vector<TsGradientSegment>;

// Decimal numbers separated by ";" in groups of five (colour 1, colour 2, percent, kind, one more).
TsGradArray ParseGradient(std::string_view text);

// Text colour and the four contour colours (-1 = no contour on that side).
enum class FontColorEntry { fcText, fcLeft, fcTop, fcRight, fcBottom };
inline constexpr int kFontColorCount = 5;
using TsFontColors = framework::EnumArray<FontColorEntry, TColor, kFontColorCount>;
inline constexpr TsFontColors kDefaultFontColors = {{TColor{0}, kNoColor, kNoColor, kNoColor, kNoColor}};

// One look of a section: [0] normal, [1] hot.
struct TsGenState {
    TColor Color = kWhite;
    TsFontColors FontColor = kDefaultFontColors;
    std::int32_t GradientPercent = 0;
    std::string GradientData;
    TsGradArray GradientArray;
    std::int32_t ImagePercent = 0;
    std::int32_t TextureIndex = -1;
    TColor GlowColor = kWhite;
    std::uint8_t GlowSize = 0;
    std::int32_t Transparency = 0;
};
enum class TsLook { Normal = 0, Hot = 1 };
using TsProps = framework::EnumArray<TsLook, TsGenState, 2>;

struct TsGeneralData {
    std::string ParentClass;
    std::string ClassName;
    std::int32_t States = 3;
    TsProps Props;
    bool GiveOwnFont = false;
    bool ReservedBoolean = false;
    bool ShowFocus = true;
    std::int32_t GlowCount = 0;
    std::int32_t GlowMargin = 0;
    std::int32_t BorderIndex = -1;
    std::int32_t ImgTopLeft = -1;
    std::int32_t ImgTopRight = -1;
    std::int32_t ImgBottomLeft = -1;
    std::int32_t ImgBottomRight = -1;
    std::int32_t TextureIndex = -1;
    bool FadingEnabled = false;
    std::int32_t FadingIterations = 5;
    // The section-wide look values (Color, HotColor, GlowSize ...) that the scroll-bar painters
    // and the model's dump read are the two looks themselves: Props[TsLook::Normal] and
    // Props[TsLook::Hot].
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

enum class TsMaskKind : std::uint8_t { mkBorder = 0, mkTexture = 1, mkGlyph = 2, mkAlphaPicture = 3, mkAlphaPicture2 = 4 };
inline constexpr int kMaxMaskKind = 4;
// FillFlags bits.
inline constexpr int kFillStretch = 1, kFillHiddenInNormal = 2, kFillPaintCentre = 4;

struct TsMaskData {
    std::shared_ptr<Bitmap32> Image; // the mask's own picture; null = the model's master bitmap
    std::string SectionName;
    std::string PropertyName;
    TRect Area;
    std::int16_t CellCount = 1;
    std::int16_t MaskLayout = 0;
    std::int16_t BorderWidth = 0;
    std::int16_t FillFlags = 0;
    TsMaskKind MaskKind = TsMaskKind::mkBorder;
    std::int16_t BorderLeft = 0;
    std::int16_t BorderTop = 0;
    std::int16_t BorderRight = 0;
    std::int16_t BorderBottom = 0;
    std::int16_t CornerKind = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

struct TsPatternData {
    std::shared_ptr<Bitmap32> Image; // the decoded JPEG, alpha 255
    std::string SectionName; // upper-cased
    std::string PropertyName; // upper-cased
};
using TsPatternArray = std::vector<TsPatternData>;

// The skin-wide values of "GLOBALINFO".
struct TsSkinData {
    std::string SkinFolder; // with trailing "/"; empty for a packed skin
    bool Active = false;
    double Version = 0;
    std::string Author;
    std::string Description;
    TColor Shadow1Color{};
    std::int16_t Shadow1Offset = 0;
    std::int16_t Shadow1Blur = -1;
    std::int16_t Shadow1Transparency = 0;
    std::int16_t BorderWidth = 4;
    std::int16_t TitleHeight = 30;
    std::int16_t MaxHeight = 0;
    std::int16_t FormOffset = 0;
    std::int16_t CenterOffset = 0;
    std::int16_t BorderMode = 0;
    std::int16_t AlignOffset = 0;
    std::int16_t AlignOffsetR = -1;
    std::int16_t AlignOffsetT = -1;
    std::int16_t AlignOffsetB = -1;
    std::int16_t BISpace = 0;
    std::int16_t BIVAlign = 0;
    std::int16_t BIRight = 0;
    std::int16_t BILeft = 0;
    std::int16_t BITop = 0;
    std::int16_t BIKeepHue = 0;
    std::int16_t BIconCloseGlow = 0;
    std::int16_t BIconCloseGlowMargin = 0;
    std::int16_t BIconMaxGlow = 0;
    std::int16_t BIconMaxGlowMargin = 0;
    std::int16_t BIconMinGlow = 0;
    std::int16_t BIconMinGlowMargin = 0;
    bool AeroBlur = false;
};

// The 28 colours derived from a skin at every load (their sources: kPaletteSources, sSkinKeys.h).
enum class PaletteEntry {
    pcMainColor, pcLabelText, pcWebText, pcWebTextHot, pcEditText, pcEditBG, pcSelectionBG, pcSelectionText,
    pcSelectionBGHot, pcSelectionTextHot, pcEditBGInverted, pcEditTextInverted, pcEditBGOdd, pcEditBGEven,
    pcEditTextOk, pcEditTextWarning, pcEditTextAlert, pcEditTextAlert2, pcEditTextAlert3, pcEditBGOk,
    pcEditBGWarning, pcEditBGAlert, pcEditBGAlert2, pcEditBGAlert3, pcEditTextHighlight1, pcEditTextHighlight2,
    pcEditTextHighlight3, pcBorder
};
inline constexpr int kPaletteSize = 28;
using TsPalette = framework::EnumArray<PaletteEntry, TColor, kPaletteSize>;

// The whole model of one loaded skin.
struct TsSkinModel {
    TsSkinData SkinData;
    TsGeneralDataArray gd;
    TsMaskArray ma;
    TsPatternArray pa;
    Bitmap32 MasterBitmap;
    TsPalette Palette{};
    void Clear();
};

// Value conventions of the options text.
// Decimal, or hexadecimal after "$" or "0x"/"0X", optionally signed; false for anything else.
bool ParseOptionInteger(std::string_view text, std::int32_t& value);
std::int32_t OptionIntegerOr(std::string_view text, std::int32_t fallback);
bool OptionBoolean(std::string_view text); // "1" or "TRUE" in any letter case
double OptionReal(std::string_view text); // "." as decimal separator; 0 when not a number
// The version written with "." as decimal separator and no trailing zeros ("8", "8.5").
std::string VersionText(double version);

} // namespace skin

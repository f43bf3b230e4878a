// The published sub-objects of the skin manager (effects, animations, menus, scroll bars,
// buttons, labels, the third-party class lists), its stored skins and its common index table.
#pragma once

#include "framework/base/EnumArray.h"
#include "skin/data/sCommonIndexes.h"
#include "skin/data/sSystemColors.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/Bitmap32.h"
#include "skin/pixels/SkinTypes.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace skin {

// A skin stored inside the component; Data is the package, byte for byte.
struct TsStoredSkin {
    std::string Name;
    Bitmap32 MasterBitmap;
    TColor Shadow1Color{};
    int Shadow1Offset = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    TColor BorderColor = kTransparentKey;
    double Version = 0;
    std::string Author;
    std::string Description;
    ByteArray Data;
};
using TsStoredSkins = std::vector<TsStoredSkin>;

enum class TvlSkinningRule { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
struct TvlSkinningRules {
    unsigned Bits = 7;
    bool Has(TvlSkinningRule rule) const { return (Bits & unsigned(rule)) != 0; }
    void Include(TvlSkinningRule rule) { Bits |= unsigned(rule); }
    void Exclude(TvlSkinningRule rule) { Bits &= ~unsigned(rule); }
};

struct TvlSkinEffects {
    bool AllowGlowing = true;
    bool AllowAeroBluring = true;
};

enum class TvlAnimType { atFading, atAero };
// Bits of TvlAnimEffects::ButtonsEvents.
enum TvlBtnEvent : unsigned { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };
struct TvlAnimEffect {
    bool Active = true;
    int Time = 0;
};
struct TvlAnimEffects {
    unsigned ButtonsEvents = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
    TvlAnimEffect DialogShow{true, 0};
    TvlAnimType DialogShowMode = TvlAnimType::atAero;
    TvlAnimEffect FormShow{true, 0};
    TvlAnimEffect FormHide{true, 0};
    TvlAnimEffect DialogHide{true, 0};
    TvlAnimEffect Minimizing{true, 200};
    TvlAnimEffect PageChange{true, 0};
    TvlAnimEffect SkinChanging{true, 100};
    TvlAnimType SkinChangingMode = TvlAnimType::atFading;
    TvlAnimEffect BlendOnMoving{false, 1000};
    int BlendValue = 170;
};

// A font as a component stores it: the face, the height (negative: the character height in
// pixels, without the internal leading), the colour (system colours allowed) and the style.
struct TvlFontDescription {
    std::string Name = "Tahoma";
    int Height = -11;
    TColor Color = clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TvlFontDescription&) const = default;
};

struct TvlMenuSupport {
    std::string IcoLineSkin; // kIcoLineSection put in place after loading when empty
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
    // The font of the text on a menu's extra line.
    TvlFontDescription ExtraLineFont;
    int AlphaBlend = 255;
};

struct TvlScrollBarsSupport {
    int ScrollSize = -1; // -1: the platform's vertical scroll-bar width
};
struct TvlButtonsSupport {
    bool ShowFocusRect = true;
};
struct TvlLabelsSupport {
    bool TransparentAlways = true;
};

// Index order of the 22 third-party class lists.
enum class ThirdPartyListIndex {
    tpEdits, tpButtons, tpBitBtns, tpCheckBoxes, tpComboBoxes, tpGrids, tpGroupBoxes, tpListViews, tpPanels,
    tpTreeViews, tpWWEdits, tpGridEh, tpVirtualTrees, tpPageControl, tpTabControl, tpToolBar, tpStatusBar,
    tpSpeedButton, tpScrollControl, tpUpDown, tpScrollBar, tpStaticText
};
inline constexpr int kThirdPartyListCount = 22;
// Each text is a list of class names, one per line.
using ThirdPartyList = framework::EnumArray<ThirdPartyListIndex, std::string, kThirdPartyListCount>;
ThirdPartyList DefaultThirdParty();

// The skin commands the manager sends and asks (argument 0, lParam the manager).
enum class TsManagerCommand : int {
    SkinLoaded = 1, SkinRemoved = 2, SkinRefresh = 3, IsSkinned = 7, StopFading = 16, MouseEntered = 29,
    MouseLeft = 30, GetSkinData = 37
};

} // namespace skin

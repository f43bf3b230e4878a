// The skin manager's table of frequently used section and mask indexes, rebuilt after every
// load and before every announcement, and the one list of names it is built and shown from.
#pragma once

#include "framework/base/EnumArray.h"
#include "skin/data/sSkinOptions.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

// Indexes of a part with a section and its masks.
struct TsPartIndexes {
    int Section = -1;
    int Border = -1;
    int Glyph = -1;
    int Pattern = -1;
    int HotPattern = -1;
};

enum class CheckMarkIndex {
    cmBoxChecked, cmBoxUnchecked, cmBoxGrayed, cmRadioChecked, cmRadioUnchecked, cmRadioGrayed, cmSmallChecked,
    cmSmallUnchecked, cmSmallGrayed
};
enum class TabSide { tsTop, tsBottom, tsLeft, tsRight };
enum class ScrollButtonSide { sbTop, sbBottom, sbLeft, sbRight };
enum class ScrollSliderKind { ssVertical, ssHorizontal };
enum class TitleButtonIndex {
    tbBigClose, tbBigCloseAlone, tbBigMax, tbBigNorm, tbBigMin, tbBigHelp, tbSmallClose, tbSmallMax, tbSmallNorm,
    tbSmallMin, tbSmallHelp
};
enum class ScrollBarKind { sb1H, sb1V, sb2H, sb2V };
inline constexpr int kCheckMarkCount = 9, kTabSideCount = 4, kScrollButtonCount = 4, kScrollSliderCount = 2,
                     kTitleButtonCount = 11, kScrollBarCount = 4;

struct TsCommonIndexes {
    template <class Enum, class T, int N>
    using Table = framework::EnumArray<Enum, T, std::size_t(N)>;

    int GlobalInfo = -1;
    Table<CheckMarkIndex, int, kCheckMarkCount> CheckMarks;
    int ExBorder = -1;
    int GripImage = -1;
    int GripHorz = -1;
    int GripVert = -1;
    TsPartIndexes ComboBtn;
    int ComboGlyph = -1;
    Table<TabSide, TsPartIndexes, kTabSideCount> Tabs;
    Table<ScrollButtonSide, TsPartIndexes, kScrollButtonCount> ScrollButtons;
    Table<ScrollSliderKind, TsPartIndexes, kScrollSliderCount> ScrollSliders;
    Table<TitleButtonIndex, int, kTitleButtonCount> TitleButtons;
    Table<ScrollBarKind, TsPartIndexes, kScrollBarCount> ScrollBars;
    int WebButton = -1;

    TsCommonIndexes() {
        CheckMarks.fill(-1);
        TitleButtons.fill(-1);
    }
};

// The mask key of a title button in "GLOBALINFO" ("BICONCLOSE" ...).
std::string_view TitleButtonKey(TitleButtonIndex button);

// The indexes of the model (without the per-section indexes, which the caller refreshes).
TsCommonIndexes FindCommonIndexes(const TsSkinModel& model);

// The entries of the table in order, with their values ("COMBOBTN.BORDERSMASK" for a part's mask).
std::vector<std::pair<std::string, int>> ListCommonIndexes(const TsCommonIndexes& indexes);

} // namespace skin

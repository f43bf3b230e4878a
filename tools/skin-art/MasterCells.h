// The master-bitmap masks an options text declares ("^" border masks and "@" glyph pictures), and
// the writing of one drawn cell into its place: picture above, mask picture below, or a keyed
// opaque cell.
//
//   Area.Left                     cell = CellWidth × CellHeight, one per state
//   +---------+---------+---------+
//   | state 0 | state 1 | state 2 |   picture (0xFF00FF = transparent key)
//   +---------+---------+---------+   <- Area.Top + HeightOf(Area) div 2 (MaskLayout 1 only)
//   | mask 0  | mask 1  | mask 2  |   grey: 0 shows the picture, 255 keeps what lies beneath
//   +---------+---------+---------+
#pragma once

#include <string>
#include <vector>

#include "skin/data/sSkinIni.h"
#include "skin/pixels/Bitmap32.h"
#include "tools/skin-art/ArtLayer.h"

namespace skinart {

struct MasterMask {
    std::string Section;
    std::string Key;
    char Form = '^'; // '^' border mask, '@' glyph picture
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int CellCount = 1;
    int MaskLayout = 0;
    int BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
    int FillFlags = 0;

    int CellWidth() const { return (Right - Left) / CellCount; }
    int CellHeight() const { return MaskLayout == 1 ? (Bottom - Top) / 2 : Bottom - Top; }
    std::string Name() const { return Section + "/" + Key; }
};

// Every "^" and "@" value of the text, in text order. Throws std::runtime_error for a value whose
// fixed-position fields are not numbers.
std::vector<MasterMask> MasterMasksOf(const skin::TsSkinIni& ini);
// Fails (std::runtime_error) when two areas overlap or a layout is not 0 or 1.
void CheckMasterLayout(const std::vector<MasterMask>& masks);

// One state's drawing: the ink, and the pixels that become the transparent key.
struct CellArt {
    CellArt(int width, int height) : Ink(width, height), Key(width, height) {}
    ArtLayer Ink;
    ArtLayer Key; // alpha 1 marks a key pixel
    // Marks every pixel the shape covers less than kKeyCoverage of: those show the parent
    // through the key, so rounded corners are cut (and the mask's CornerKind is found).
    void KeyOutside(const Shape& shape);
    static constexpr double kKeyCoverage = 0.3;
    CellArt FlippedVertically() const;
    CellArt FlippedHorizontally() const;
    CellArt Transposed() const;
};

inline constexpr skin::Pixel kMasterKey = 0xFFFF00FF;

// MaskLayout 1: the ink's colour above, 255 − its coverage below; key pixels and untouched
// pixels keep what lies beneath (white picture pixels, so a merge changes nothing there).
void PutMaskedCell(skin::Bitmap32& master, const MasterMask& mask, int state, const CellArt& art,
                   bool keyUntouched);
// MaskLayout 0: the ink laid over an opaque backing colour; key pixels keyed.
void PutOpaqueCell(skin::Bitmap32& master, const MasterMask& mask, int state, const CellArt& art, Rgb backing);

} // namespace skinart

// Reading the mask areas of the options text and writing cells into the master bitmap.
#include "tools/skin-art/MasterCells.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skinart {
namespace {

// A field at 1-based character positions [first, first + length) of the value.
int FieldAt(const std::string& value, std::size_t first, std::size_t length, const std::string& where) {
    if (value.size() < first - 1 + length)
        throw std::runtime_error(where + ": value too short: " + value);
    const std::string text = value.substr(first - 1, length);
    std::size_t used = 0;
    int number = 0;
    try {
        number = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size())
        throw std::runtime_error(where + ": '" + text + "' is not a number");
    return number;
}

skin::Pixel Opaque(Rgb colour) { return 0xFF000000u | colour; }

skin::Pixel Grey(double coverage) {
    const auto m = static_cast<skin::Pixel>(std::lround(255.0 * (1.0 - coverage)));
    return 0xFF000000u | m << 16 | m << 8 | m;
}

Rgb OverBacking(const Ink& ink, Rgb backing) {
    auto channel = [&](double premultiplied, int shift) {
        const double value = premultiplied + double((backing >> shift) & 0xFF) / 255.0 * (1.0 - ink.A);
        return Rgb(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)) << shift;
    };
    return channel(ink.R, 16) | channel(ink.G, 8) | channel(ink.B, 0);
}

void CheckCellFits(const skin::Bitmap32& master, const MasterMask& mask, int state, const CellArt& art) {
    if (art.Ink.Width() != mask.CellWidth() || art.Ink.Height() != mask.CellHeight())
        throw std::runtime_error(mask.Name() + ": drawn cell has the wrong size");
    if (state < 0 || state >= mask.CellCount || mask.Bottom > master.Height() || mask.Right > master.Width())
        throw std::runtime_error(mask.Name() + ": cell outside the master bitmap");
}

} // namespace

std::vector<MasterMask> MasterMasksOf(const skin::TsSkinIni& ini) {
    std::vector<MasterMask> masks;
    for (const auto& section : ini.Sections())
        for (const auto& key : section.Keys) {
            const std::string& v = key.Value;
            if (v.empty() || (v[0] != '^' && v[0] != '@'))
                continue;
            MasterMask mask;
            mask.Section = section.Name;
            mask.Key = key.Name;
            mask.Form = v[0];
            const std::string where = mask.Name();
            mask.Left = FieldAt(v, 2, 4, where);
            mask.Top = FieldAt(v, 7, 4, where);
            mask.Right = FieldAt(v, 12, 4, where);
            mask.Bottom = FieldAt(v, 17, 4, where);
            if (mask.Form == '@') {
                mask.CellCount = FieldAt(v, 22, 1, where);
                mask.MaskLayout = FieldAt(v, 24, 1, where);
            } else {
                mask.BorderLeft = FieldAt(v, 22, 4, where);
                mask.BorderTop = FieldAt(v, 27, 4, where);
                mask.BorderRight = FieldAt(v, 32, 4, where);
                mask.BorderBottom = FieldAt(v, 37, 4, where);
                mask.CellCount = FieldAt(v, 42, 1, where);
                mask.MaskLayout = FieldAt(v, 44, 1, where);
                mask.FillFlags = FieldAt(v, 46, 1, where);
            }
            if (mask.CellCount < 1 || mask.Right <= mask.Left || mask.Bottom <= mask.Top)
                throw std::runtime_error(where + ": empty area or no cells");
            masks.push_back(mask);
        }
    return masks;
}

void CheckMasterLayout(const std::vector<MasterMask>& masks) {
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const MasterMask& a = masks[i];
        if (a.MaskLayout != 0 && a.MaskLayout != 1)
            throw std::runtime_error(a.Name() + ": mask layout must be 0 or 1");
        if ((a.Right - a.Left) % a.CellCount != 0 || (a.MaskLayout == 1 && (a.Bottom - a.Top) % 2 != 0))
            throw std::runtime_error(a.Name() + ": area does not divide into whole cells");
        for (std::size_t j = i + 1; j < masks.size(); ++j) {
            const MasterMask& b = masks[j];
            if (a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
                throw std::runtime_error(a.Name() + " overlaps " + b.Name());
        }
    }
}

void CellArt::KeyOutside(const Shape& shape) {
    for (int y = 0; y < Ink.Height(); ++y)
        for (int x = 0; x < Ink.Width(); ++x)
            if (ArtLayer::Coverage(shape, x, y) < kKeyCoverage)
                Key.At(x, y) = {1, 1, 1, 1};
}

CellArt CellArt::FlippedVertically() const {
    CellArt flipped(Ink.Width(), Ink.Height());
    flipped.Ink = Ink.FlippedVertically();
    flipped.Key = Key.FlippedVertically();
    return flipped;
}

CellArt CellArt::FlippedHorizontally() const {
    CellArt flipped(Ink.Width(), Ink.Height());
    flipped.Ink = Ink.FlippedHorizontally();
    flipped.Key = Key.FlippedHorizontally();
    return flipped;
}

CellArt CellArt::Transposed() const {
    CellArt turned(Ink.Height(), Ink.Width());
    turned.Ink = Ink.Transposed();
    turned.Key = Key.Transposed();
    return turned;
}

void PutMaskedCell(skin::Bitmap32& master, const MasterMask& mask, int state, const CellArt& art, bool keyUntouched) {
    CheckCellFits(master, mask, state, art);
    const int x0 = mask.Left + mask.CellWidth() * state;
    const int maskOffset = (mask.Bottom - mask.Top) / 2;
    for (int y = 0; y < mask.CellHeight(); ++y)
        for (int x = 0; x < mask.CellWidth(); ++x) {
            const Ink& ink = art.Ink.At(x, y);
            skin::Pixel& picture = master.At(x0 + x, mask.Top + y);
            skin::Pixel& below = master.At(x0 + x, mask.Top + maskOffset + y);
            const bool key = art.Key.At(x, y).A > 0 || (keyUntouched && ink.A <= 0.0);
            if (key) {
                picture = kMasterKey;
                below = Grey(0.0);
            } else if (ink.A <= 0.0) {
                picture = Opaque(0xFFFFFF);
                below = Grey(0.0);
            } else {
                picture = Opaque(StraightColour(ink));
                below = Grey(ink.A);
            }
        }
}

void PutOpaqueCell(skin::Bitmap32& master, const MasterMask& mask, int state, const CellArt& art, Rgb backing) {
    CheckCellFits(master, mask, state, art);
    const int x0 = mask.Left + mask.CellWidth() * state;
    for (int y = 0; y < mask.CellHeight(); ++y)
        for (int x = 0; x < mask.CellWidth(); ++x)
            master.At(x0 + x, mask.Top + y) =
                art.Key.At(x, y).A > 0 ? kMasterKey : Opaque(OverBacking(art.Ink.At(x, y), backing));
}

} // namespace skinart

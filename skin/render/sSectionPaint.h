// Whole section pictures without a control's skin record: the background, the four corner
// images and the border mask of a section for a state; into a bitmap, a target bitmap at a
// rect, over a picture taken from a source; and the alpha form for layered windows.
#pragma once

#include "skin/data/sSkinOptions.h"
#include "skin/render/sBackgrounds.h"

namespace skin {

// Background, corner images and border mask of section.SectionIndex for section.State into rect
// of bitmap. Nothing when the bitmap is empty, the section invalid, or rect does not lie inside
// the bitmap. Corners always let the backdrop show through; the custom colour is not used.
void PaintSectionByIndex(const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect, const TsSectionPaint& section);

// Paints into a bitmap of rect's size and copies it to target at rect (the device context).
void PaintSectionToDC(const TsSkinModel& skin, Bitmap32& target, const TRect& rect, const TsSectionPaint& section);

// A section found by name over a whole bitmap.
struct TsSectionOnBitmap {
    std::string_view SectionName;
    std::string_view FallbackName;      // used when SectionName names no section
    const Bitmap32* Source = nullptr;   // the picture under the bitmap, or null for FillColor
    TPoint SourceOrigin;                // where the bitmap's origin lies in Source
    TColor FillColor{};
    int State = 0;
};
// Nothing when neither name names a section. With a source the bitmap first receives the
// source's pixels and is its own backdrop; otherwise the backdrop is the fill colour.
void PaintSectionOnBitmap(const TsSkinModel& skin, Bitmap32& bitmap, const TsSectionOnBitmap& section);

// For images that become layered windows: the background with transparency as alpha, the
// border mask through the alpha painter over a copy of the area, premultiplied when rect is the
// whole bitmap.
void PaintSectionAlpha(const TsSkinModel& skin, int sectionIndex, Bitmap32& bitmap, const TRect& rect, int state);

} // namespace skin

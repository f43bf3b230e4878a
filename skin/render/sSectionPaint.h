// Whole section pictures without a control's skin record: the background, the four corner
// images and the border mask of a section for a state; into a bitmap, a target bitmap at a
// rect, over a picture taken from a source; and the alpha form for layered windows.
#pragma once

#include "skin/data/sSkinOptions.h"
#include "skin/pixels/BlendOps.h"

namespace skin {

// Nothing when the bitmap is empty, the section invalid, or rect does not lie inside the bitmap.
// Corners always let the backdrop show through. point is where rect lies in the backdrop.
void PaintSectionByIndex(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                         int hotTextureIndex, int textureIndex, const TsSkinModel& skin, Bitmap32& bitmap,
                         TPoint point, const TRect& rect, int state);
void PaintSectionByIndex(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                         int hotTextureIndex, int textureIndex, const TsSkinManager& manager, Bitmap32& bitmap,
                         TPoint point, const TRect& rect, int state);

// Paints into a bitmap of rect's size and copies it to target at rect (the device context).
void PaintSectionToDC(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                      const TsSkinModel& skin, Bitmap32& target, TPoint point, const TRect& rect, int state);
void PaintSectionToDC(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                      const TsSkinManager& manager, Bitmap32& target, TPoint point, const TRect& rect, int state);

// The section named (or the fallback when the first names none; nothing when neither does)
// over the whole bitmap. With a source the bitmap first receives the source's pixels from
// rect's origin and is its own backdrop; otherwise the backdrop is the fill colour.
void PaintSectionOnBitmap(Bitmap32& bitmap, std::string_view sectionName, std::string_view fallbackName,
                          const Bitmap32* source, TColor fillColor, const TRect& rect, const TsSkinModel& skin,
                          int state);
void PaintSectionOnBitmap(Bitmap32& bitmap, std::string_view sectionName, std::string_view fallbackName,
                          const Bitmap32* source, TColor fillColor, const TRect& rect, const TsSkinManager& manager,
                          int state);

// For images that become layered windows: the background with transparency as alpha, the
// border mask through the alpha painter over a copy of the area, premultiplied when rect is the
// whole bitmap.
void PaintSectionAlpha(int sectionIndex, const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect, int state);
void PaintSectionAlpha(int sectionIndex, const TsSkinManager& manager, Bitmap32& bitmap, const TRect& rect,
                       int state);

} // namespace skin

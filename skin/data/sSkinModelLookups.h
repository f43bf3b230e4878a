// Look-ups over a skin model: exact, case-sensitive, linear, in array order; -1 when nothing is
// found. The skin manager answers its look-ups through these.
#pragma once

#include "skin/data/sSkinOptions.h"

namespace skin {

int GetSkinIndex(const TsSkinModel& model, std::string_view name);
// Follows the section's "PARENTCLASS" chain when the section itself has no such mask.
int GetMaskIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property);
// As GetMaskIndex, counting only textures (MaskKind 1).
int GetTextureIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property);
// As GetMaskIndex, over the pattern array.
int GetPatternIndex(const TsSkinModel& model, int sectionIndex, std::string_view section, std::string_view property);
// The first mask with both names, no inheritance.
int FindMask(const TsSkinModel& model, std::string_view section, std::string_view property);

// The picture a mask is cut from: its own image, else the model's master bitmap.
inline const Bitmap32& MaskPicture(const TsSkinModel& model, const TsMaskData& mask) {
    return mask.Image ? *mask.Image : model.MasterBitmap;
}

inline bool IsValidSkinIndex(const TsSkinModel& model, int index) { return index >= 0 && index < int(model.gd.size()); }
inline bool IsValidImgIndex(const TsSkinModel& model, int index) { return index >= 0 && index < int(model.ma.size()); }

} // namespace skin

// Section backgrounds: the own background of a look (colour, gradient, texture and their
// percentages), laid over what the backdrop shows according to the look's transparency; the
// scroll-bar part variant; and the alpha form for images that become layered windows.
#pragma once

#include "skin/data/sSkinOptions.h"
#include "skin/pixels/BlendOps.h"

namespace skin {

// The texture of a look: a texture mask of the skin (with the picture it is cut from), or an
// image of the skin's pattern list, or nothing.
struct TsTexture {
    const TsMaskData* Mask = nullptr;
    const Bitmap32* MaskPicture = nullptr;
    const Bitmap32* Pattern = nullptr;
};

// What a look paints: colour c, transparency t, gradient percent G, image percent I.
struct TsLookValues {
    TColor Color = 0;
    int Transparency = 0;
    int GradientPercent = 0;
    int ImagePercent = 0;
    TsTexture Texture;
    const TsGradArray* Segments = nullptr;
};

// The layers of a look into rect, with the backdrop for textures that have a mask picture.
void PaintOwnBackground(Bitmap32& bitmap, const TRect& rect, const TsLookValues& look, const TsBackdrop& backdrop);
// The same, but a plain-colour background turns the transparency into alpha, judged by the
// pixel already at the rect's top-left.
void PaintOwnBackgroundAlpha(Bitmap32& bitmap, const TRect& rect, const TsLookValues& look,
                             const TsBackdrop& backdrop);

// The look's values of a section for a state; customColor kTransparentKey means none.
TsLookValues SectionLook(const TsSkinModel& skin, int sectionIndex, std::string_view sectionName, TColor customColor,
                         int hotTextureIndex, int textureIndex, int state);

// The background alone. point is where the rect lies in the backdrop's bitmap.
void PaintSectionBackground(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                            TColor customColor, int hotTextureIndex, int textureIndex, const TsSkinModel& skin,
                            Bitmap32& bitmap, TPoint point, const TRect& rect, int state);
void PaintSectionBackground(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                            TColor customColor, int hotTextureIndex, int textureIndex, const TsSkinManager& manager,
                            Bitmap32& bitmap, TPoint point, const TRect& rect, int state);

// Scroll-bar parts: the section-wide normal or hot values instead of the looks.
void PaintPartBackground(int sectionIndex, const TsBackdrop& backdrop, const TsSkinModel& skin, Bitmap32& bitmap,
                         TPoint point, const TRect& rect, int state);
void PaintPartBackground(int sectionIndex, const TsBackdrop& backdrop, const TsSkinManager& manager,
                         Bitmap32& bitmap, TPoint point, const TRect& rect, int state);

} // namespace skin

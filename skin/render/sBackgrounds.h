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
    TColor Color{};
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

// One section as a painter is asked to paint it: the section, the texture indexes a control's
// skin record resolved for it (-1: looked up in the section), a colour that replaces the look's
// own (kTransparentKey: none), the painting state, and what lies behind the painted rect with
// the point where that rect lies in the backdrop's bitmap.
struct TsSectionPaint {
    int SectionIndex = -1;
    std::string_view SectionName;
    int TextureIndex = -1;
    int HotTextureIndex = -1;
    TColor CustomColor = kTransparentKey;
    int State = 0;
    TsBackdrop Backdrop;
    TPoint BackdropPoint;
};

// The look's values of the section for the state.
TsLookValues SectionLook(const TsSkinModel& skin, const TsSectionPaint& section);

// The background alone.
void PaintSectionBackground(const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect,
                            const TsSectionPaint& section);

// Scroll-bar parts: the section-wide normal or hot values instead of the looks (the texture
// indexes and custom colour of section are not used).
void PaintPartBackground(const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect, const TsSectionPaint& section);

} // namespace skin

// Section pictures: background, corner images and border mask in that order.
#include "skin/render/sSectionPaint.h"

#include <algorithm>

#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/PixelOps.h"
#include "skin/render/sBackgrounds.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/render/sMaskGeometry.h"
#include "skin/render/sMaskPaint.h"

namespace skin {

namespace {

constexpr int kNoIndex = -1;

const Bitmap32& PictureIn(const TsSkinModel& skin, const TsMaskData& mask) {
    return mask.Image ? *mask.Image : skin.MasterBitmap;
}

bool LiesInside(const TRect& rect, const Bitmap32& bitmap) {
    return rect.Left >= 0 && rect.Top >= 0 && rect.Right <= bitmap.Width() && rect.Bottom <= bitmap.Height();
}

int SectionState(const TsGeneralData& section, int state) { return std::max(0, std::min(state, section.States - 1)); }

enum class CornerPlace { TopLeft, TopRight, BottomLeft, BottomRight };

void PaintCornerImage(const TsSkinModel& skin, int maskIndex, CornerPlace place, Bitmap32& bitmap, const TRect& rect,
                      int state) {
    if (!IsValidImgIndex(skin, maskIndex))
        return;
    const TsMaskData& mask = skin.ma[std::size_t(maskIndex)];
    const bool right = place == CornerPlace::TopRight || place == CornerPlace::BottomRight;
    const bool bottom = place == CornerPlace::BottomLeft || place == CornerPlace::BottomRight;
    const TPoint at{right ? EdgePlus(rect.Right, -std::int64_t{CellWidth(mask)}) : rect.Left,
                    bottom ? EdgePlus(rect.Bottom, -std::int64_t{CellHeight(mask)}) : rect.Top};
    // The corner image lets the picture under it show through its key pixels.
    TsBackdrop itself;
    itself.Bitmap = &bitmap;
    itself.HasBitmap = true;
    PaintSkinGlyph(bitmap, at, state, itself, mask, GlyphMode::Normal, PictureIn(skin, mask));
}

const TsMaskData* BorderMask(const TsSkinModel& skin, const TsGeneralData& section) {
    return IsValidImgIndex(skin, section.BorderIndex) ? &skin.ma[std::size_t(section.BorderIndex)] : nullptr;
}

bool HiddenInState(const TsMaskData& mask, int state) { return state == 0 && (mask.FillFlags & kFillHiddenInNormal); }

} // namespace

void PaintSectionByIndex(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                         int hotTextureIndex, int textureIndex, const TsSkinModel& skin, Bitmap32& bitmap,
                         TPoint point, const TRect& rect, int state) {
    if (bitmap.Empty() || !IsValidSkinIndex(skin, sectionIndex) || !LiesInside(rect, bitmap))
        return;
    const TsGeneralData& section = skin.gd[std::size_t(sectionIndex)];
    const int s = SectionState(section, state);
    PaintSectionBackground(sectionIndex, sectionName, backdrop, kTransparentKey, hotTextureIndex, textureIndex, skin,
                           bitmap, point, rect, s);
    PaintCornerImage(skin, section.ImgTopLeft, CornerPlace::TopLeft, bitmap, rect, s);
    PaintCornerImage(skin, section.ImgTopRight, CornerPlace::TopRight, bitmap, rect, s);
    PaintCornerImage(skin, section.ImgBottomLeft, CornerPlace::BottomLeft, bitmap, rect, s);
    PaintCornerImage(skin, section.ImgBottomRight, CornerPlace::BottomRight, bitmap, rect, s);
    if (const TsMaskData* border = BorderMask(skin, section); border && !HiddenInState(*border, s)) {
        TsBackdrop moved = backdrop;
        moved.OffsetX += point.X;
        moved.OffsetY += point.Y;
        PaintSkinMask(bitmap, rect, moved, UseBackdrop::Yes, s, *border, PictureIn(skin, *border));
    }
}

void PaintSectionByIndex(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                         int hotTextureIndex, int textureIndex, const TsSkinManager& manager, Bitmap32& bitmap,
                         TPoint point, const TRect& rect, int state) {
    PaintSectionByIndex(sectionIndex, sectionName, backdrop, hotTextureIndex, textureIndex, manager.Model(), bitmap,
                        point, rect, state);
}

void PaintSectionToDC(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                      const TsSkinModel& skin, Bitmap32& target, TPoint point, const TRect& rect, int state) {
    if (RectIsEmpty(rect))
        return;
    Bitmap32 image(WidthOf(rect), HeightOf(rect));
    if (image.Empty())
        return;
    PaintSectionByIndex(sectionIndex, sectionName, backdrop, kNoIndex, kNoIndex, skin, image, point, RectOf(image),
                        state);
    CopyBlock(target, rect.Left, rect.Top, image, RectOf(image));
}

void PaintSectionToDC(int sectionIndex, std::string_view sectionName, const TsBackdrop& backdrop,
                      const TsSkinManager& manager, Bitmap32& target, TPoint point, const TRect& rect, int state) {
    PaintSectionToDC(sectionIndex, sectionName, backdrop, manager.Model(), target, point, rect, state);
}

void PaintSectionOnBitmap(Bitmap32& bitmap, std::string_view sectionName, std::string_view fallbackName,
                          const Bitmap32* source, TColor fillColor, const TRect& rect, const TsSkinModel& skin,
                          int state) {
    std::string_view name = sectionName;
    int index = GetSkinIndex(skin, name);
    if (index < 0) {
        name = fallbackName;
        index = GetSkinIndex(skin, name);
    }
    if (index < 0 || bitmap.Empty())
        return;
    TsBackdrop backdrop;
    if (source) {
        CopyBlock(bitmap, 0, 0, *source, RectAt(rect.Left, rect.Top, bitmap.Width(), bitmap.Height()));
        backdrop.Bitmap = &bitmap;
        backdrop.HasBitmap = true;
    } else {
        backdrop.FillColor = fillColor;
    }
    PaintSectionByIndex(index, name, backdrop, kNoIndex, kNoIndex, skin, bitmap, {0, 0}, RectOf(bitmap), state);
}

void PaintSectionOnBitmap(Bitmap32& bitmap, std::string_view sectionName, std::string_view fallbackName,
                          const Bitmap32* source, TColor fillColor, const TRect& rect, const TsSkinManager& manager,
                          int state) {
    PaintSectionOnBitmap(bitmap, sectionName, fallbackName, source, fillColor, rect, manager.Model(), state);
}

void PaintSectionAlpha(int sectionIndex, const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect, int state) {
    if (bitmap.Empty() || !IsValidSkinIndex(skin, sectionIndex) || !LiesInside(rect, bitmap) || RectIsEmpty(rect))
        return;
    const TsGeneralData& section = skin.gd[std::size_t(sectionIndex)];
    const int s = SectionState(section, state);
    const TsLookValues look = SectionLook(skin, sectionIndex, section.ClassName, kTransparentKey, kNoIndex, kNoIndex, s);
    PaintOwnBackgroundAlpha(bitmap, rect, look, TsBackdrop{});
    if (const TsMaskData* border = BorderMask(skin, section); border && !HiddenInState(*border, s)) {
        // Key pixels of the mask show the background just painted.
        Bitmap32 area(WidthOf(rect), HeightOf(rect));
        CopyBlock(area, 0, 0, bitmap, rect);
        TsBackdrop underneath;
        underneath.Bitmap = &area;
        underneath.HasBitmap = true;
        underneath.OffsetX = -rect.Left;
        underneath.OffsetY = -rect.Top;
        PaintSkinMaskAlpha(bitmap, rect, underneath, s, *border, PictureIn(skin, *border));
    }
    if (rect == RectOf(bitmap))
        Premultiply(bitmap);
}

void PaintSectionAlpha(int sectionIndex, const TsSkinManager& manager, Bitmap32& bitmap, const TRect& rect,
                       int state) {
    PaintSectionAlpha(sectionIndex, manager.Model(), bitmap, rect, state);
}

} // namespace skin

// Section pictures: background, corner images and border mask in that order.
#include "skin/render/sSectionPaint.h"

#include <algorithm>

#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/PixelOps.h"
#include "skin/render/sBackgrounds.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sMaskPaint.h"

namespace skin {

namespace {

constexpr int kNoIndex = -1;

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
    PaintSkinGlyph(bitmap, at, state, itself, mask, GlyphMode::Normal, MaskPicture(skin, mask));
}

const TsMaskData* BorderMask(const TsSkinModel& skin, const TsGeneralData& section) {
    return IsValidImgIndex(skin, section.BorderIndex) ? &skin.ma[std::size_t(section.BorderIndex)] : nullptr;
}

bool HiddenInState(const TsMaskData& mask, int state) { return state == 0 && (mask.FillFlags & kFillHiddenInNormal); }

} // namespace

void PaintSectionByIndex(const TsSkinModel& skin, Bitmap32& bitmap, const TRect& rect, const TsSectionPaint& paint) {
    if (bitmap.Empty() || !IsValidSkinIndex(skin, paint.SectionIndex) || !LiesInside(rect, bitmap))
        return;
    const TsGeneralData& section = skin.gd[std::size_t(paint.SectionIndex)];
    const int s = SectionState(section, paint.State);
    TsSectionPaint background = paint;
    background.CustomColor = kTransparentKey;
    background.State = s;
    PaintSectionBackground(skin, bitmap, rect, background);
    PaintCornerImage(skin, section.ImgTopLeft, CornerPlace::TopLeft, bitmap, rect, s);
    PaintCornerImage(skin, section.ImgTopRight, CornerPlace::TopRight, bitmap, rect, s);
    PaintCornerImage(skin, section.ImgBottomLeft, CornerPlace::BottomLeft, bitmap, rect, s);
    PaintCornerImage(skin, section.ImgBottomRight, CornerPlace::BottomRight, bitmap, rect, s);
    if (const TsMaskData* border = BorderMask(skin, section); border && !HiddenInState(*border, s)) {
        TsBackdrop moved = paint.Backdrop;
        moved.OffsetX += paint.BackdropPoint.X;
        moved.OffsetY += paint.BackdropPoint.Y;
        PaintSkinMask(bitmap, rect, moved, UseBackdrop::Yes, s, *border, MaskPicture(skin, *border));
    }
}

void PaintSectionToDC(const TsSkinModel& skin, Bitmap32& target, const TRect& rect, const TsSectionPaint& paint) {
    if (RectIsEmpty(rect))
        return;
    Bitmap32 image(WidthOf(rect), HeightOf(rect));
    if (image.Empty())
        return;
    TsSectionPaint whole = paint;
    whole.TextureIndex = whole.HotTextureIndex = kNoIndex;
    PaintSectionByIndex(skin, image, RectOf(image), whole);
    CopyBlock(target, rect.Left, rect.Top, image, RectOf(image));
}

void PaintSectionOnBitmap(const TsSkinModel& skin, Bitmap32& bitmap, const TsSectionOnBitmap& args) {
    std::string_view name = args.SectionName;
    int index = GetSkinIndex(skin, name);
    if (index < 0) {
        name = args.FallbackName;
        index = GetSkinIndex(skin, name);
    }
    if (index < 0 || bitmap.Empty())
        return;
    TsSectionPaint paint;
    paint.SectionIndex = index;
    paint.SectionName = name;
    paint.State = args.State;
    if (args.Source) {
        CopyBlock(bitmap, 0, 0, *args.Source,
                  RectAt(args.SourceOrigin.X, args.SourceOrigin.Y, bitmap.Width(), bitmap.Height()));
        paint.Backdrop.Bitmap = &bitmap;
        paint.Backdrop.HasBitmap = true;
    } else {
        paint.Backdrop.FillColor = args.FillColor;
    }
    PaintSectionByIndex(skin, bitmap, RectOf(bitmap), paint);
}

void PaintSectionAlpha(const TsSkinModel& skin, int sectionIndex, Bitmap32& bitmap, const TRect& rect, int state) {
    if (bitmap.Empty() || !IsValidSkinIndex(skin, sectionIndex) || !LiesInside(rect, bitmap) || RectIsEmpty(rect))
        return;
    const TsGeneralData& section = skin.gd[std::size_t(sectionIndex)];
    const int s = SectionState(section, state);
    TsSectionPaint paint;
    paint.SectionIndex = sectionIndex;
    paint.SectionName = section.ClassName;
    paint.State = s;
    const TsLookValues look = SectionLook(skin, paint);
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
        PaintSkinMaskAlpha(bitmap, rect, underneath, s, *border, MaskPicture(skin, *border));
    }
    if (rect == RectOf(bitmap))
        Premultiply(bitmap);
}

} // namespace skin

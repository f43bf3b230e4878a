// Section pictures, corner refreshes and borders of a control's skin record.
#include "skin/render/sRecordPaint.h"

#include <algorithm>

#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sBackgrounds.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sParentBackground.h"

namespace skin {

namespace {

bool LiesInside(const TRect& rect, const Bitmap32& bitmap) {
    return rect.Left >= 0 && rect.Top >= 0 && rect.Right <= bitmap.Width() && rect.Bottom <= bitmap.Height();
}

int LimitedState(const TsGeneralData& section, int state) { return std::max(0, std::min(state, section.States - 1)); }

// One corner image, its key pixels showing the picture under it.
void PaintCornerImage(const TsSkinModel& model, int maskIndex, bool right, bool bottom, Bitmap32& bitmap,
                      const TRect& rect, int state) {
    if (!IsValidImgIndex(model, maskIndex))
        return;
    const TsMaskData& mask = model.ma[std::size_t(maskIndex)];
    const TPoint at{right ? rect.Right - CellWidth(mask) : rect.Left,
                    bottom ? rect.Bottom - CellHeight(mask) : rect.Top};
    TsBackdrop itself;
    itself.Bitmap = &bitmap;
    itself.HasBitmap = true;
    PaintSkinGlyph(bitmap, at, state, itself, mask, GlyphMode::Normal, MaskPicture(model, mask));
}

QObject* Host(const TsCommonData& record) {
    return record.HostControl() ? record.HostControl() : record.ProviderForm();
}

} // namespace

void PaintSection(const TsCommonData& record, const TsBackdrop& backdrop, int state, UseBackdrop use,
                  Bitmap32& bitmap, TPoint point, const TRect& rect) {
    const TsSkinModel* model = record.Model();
    const TsGeneralData* section = record.Section();
    if (bitmap.Empty() || model == nullptr || section == nullptr || !LiesInside(rect, bitmap))
        return;
    const int s = LimitedState(*section, state);
    const TColor custom =
        record.CustomColor() ? ResolveSkinColor(ControlAccess().Color(Host(record))) : kTransparentKey;
    TsSectionPaint paint;
    paint.SectionIndex = record.SectionIndex;
    paint.SectionName = record.SkinSection();
    paint.TextureIndex = record.TextureIndex;
    paint.HotTextureIndex = record.HotTextureIndex;
    paint.CustomColor = custom;
    paint.State = s;
    paint.Backdrop = backdrop;
    paint.BackdropPoint = point;
    PaintSectionBackground(*model, bitmap, rect, paint);
    PaintCornerImage(*model, section->ImgTopLeft, false, false, bitmap, rect, s);
    PaintCornerImage(*model, section->ImgTopRight, true, false, bitmap, rect, s);
    PaintCornerImage(*model, section->ImgBottomLeft, false, true, bitmap, rect, s);
    PaintCornerImage(*model, section->ImgBottomRight, true, true, bitmap, rect, s);
    const TsMaskData* border = record.BorderMask();
    if (border && !(s == 0 && (border->FillFlags & kFillHiddenInNormal))) {
        // The mask reads the backdrop at its destination coordinates: rect's top-left must land
        // where the background found it.
        TsBackdrop moved = backdrop;
        moved.OffsetX = EdgePlus(moved.OffsetX, std::int64_t{point.X} - rect.Left);
        moved.OffsetY = EdgePlus(moved.OffsetY, std::int64_t{point.Y} - rect.Top);
        PaintSkinMask(bitmap, rect, moved, use, s, *border, MaskPicture(*model, *border));
    } else if (section->Props[std::size_t(std::min(s, 1))].Transparency != 0) {
        return;
    }
    if (record.HUEOffset() != 0)
        ShiftHueOfBitmap(bitmap, record.HUEOffset(), kKeyPixel);
    if (record.Saturation() != 0)
        ShiftSaturationOfBitmap(bitmap, record.Saturation(), kKeyPixel);
}

void RefreshCorners(TsCommonData& record, int state, int corners) {
    const TsSkinModel* model = record.Model();
    const TsMaskData* border = record.BorderMask();
    QObject* host = record.HostControl();
    if (model == nullptr || border == nullptr || !record.CacheBitmap || record.CacheBitmap->Empty() || !host)
        return;
    TsControlAccess& access = ControlAccess();
    TsBackgroundInfo info;
    ParentBackground(info, access.Parent(host), false);
    if (info.Kind == TsBgKind::Bitmap) {
        const TRect bounds = access.Bounds(host);
        info.OffsetX += bounds.Left;
        info.OffsetY += bounds.Top;
    }
    const Bitmap32& picture = MaskPicture(*model, *border);
    TsMaskData mask = *border;
    if (border->Image && border->CellCount == 0) {
        // A picture of its own without a cell count holds three cells with their mask pictures.
        mask.CellCount = 3;
        mask.MaskLayout = 1;
        mask.Area = RectOf(picture);
    }
    const bool maskPicture = HasMaskPicture(mask);
    if (!maskPicture && info.Kind != TsBgKind::Bitmap && ResolveSkinColor(info.Color) == kTransparentKey)
        return;
    const BorderWidths b = MaskBorders(mask);
    const TRect cell = CellRect(mask, state);
    Bitmap32& cache = *record.CacheBitmap;
    const int w = cache.Width();
    const int h = cache.Height();
    const int cellWidth = WidthOf(cell);
    const int cellHeight = CellHeight(mask);
    struct Corner {
        int Flag;
        TRect Source; // in the picture
        TPoint Target; // in the cache
    };
    const Corner all[] = {
        {kCornerTopLeft, RectAt(cell.Left, cell.Top, b.Left, b.Top), {0, 0}},
        {kCornerBottomLeft, RectAt(cell.Left, cell.Top + cellHeight - b.Bottom, b.Left, b.Bottom), {0, h - b.Bottom}},
        {kCornerBottomRight,
         RectAt(cell.Left + cellWidth - b.Right, cell.Top + cellHeight - b.Bottom, b.Right, b.Bottom),
         {w - b.Right, h - b.Bottom}},
        {kCornerTopRight, RectAt(cell.Left + cellWidth - b.Right, cell.Top, b.Right, b.Top), {w - b.Right, 0}},
    };
    const Pixel colourPixel = PixelOfColor(ResolveSkinColor(info.Color));
    for (const Corner& corner : all) {
        if (!(corners & corner.Flag))
            continue;
        const BlitArea area = ClipBlit({corner.Target.X, corner.Target.Y, corner.Source.Left, corner.Source.Top,
                                        WidthOf(corner.Source), HeightOf(corner.Source)},
                                       cache, picture);
        for (int row = 0; row < area.Height; ++row) {
            const Pixel* source = picture.Row(area.SrcY + row).data() + area.SrcX;
            Pixel* target = cache.Row(area.DstY + row).data() + area.DstX;
            const int y = area.DstY + row;
            for (int col = 0; col < area.Width; ++col) {
                if (source[col] != kKeyPixel)
                    continue;
                Pixel& pixel = target[col];
                if (info.Kind == TsBgKind::Bitmap) {
                    const int px = area.DstX + col + info.OffsetX;
                    const int py = y + info.OffsetY;
                    if (info.Bitmap == nullptr || !info.Bitmap->Contains(px, py))
                        continue;
                    const Pixel parent = info.Bitmap->At(px, py) & 0x00FFFFFFu;
                    pixel = maskPicture ? (pixel & 0xFF000000u) | parent : parent;
                } else {
                    pixel = colourPixel;
                }
            }
        }
    }
}

void PaintControlBorder(Bitmap32* target, const TRect& rect, int borderWidth, TRect& clientRect, int state,
                        TsCommonData& record) {
    const TsGeneralData* section = record.Section();
    const TsSkinModel* model = record.Model();
    clientRect = rect;
    if (section == nullptr || model == nullptr)
        return;
    const int s = LimitedState(*section, state);
    record.EnsureCacheBitmap();
    Bitmap32& cache = *record.CacheBitmap;
    const TColor background = ResolveSkinColor(BackgroundColor(record, s));
    const TsParentBackdrop parent = ParentBackdrop(record);
    const TsMaskData* border = record.BorderMask();
    if (border == nullptr) {
        FillFrame(cache, rect, {borderWidth, borderWidth, borderWidth, borderWidth}, background);
        clientRect = {rect.Left + borderWidth, rect.Top + borderWidth, rect.Right - borderWidth,
                      rect.Bottom - borderWidth};
        return;
    }
    const BorderWidths b = MaskBorders(*border);
    if (border->MaskLayout == 1) {
        if (parent.Backdrop.UsableBitmap())
            CopyFrame(cache, rect, std::max({b.Left, b.Top, b.Right, b.Bottom}), *parent.Backdrop.Bitmap,
                      parent.Backdrop.OffsetX + rect.Left, parent.Backdrop.OffsetY + rect.Top);
        else
            FillFrame(cache, rect, {b.Left, b.Top, b.Right, b.Bottom}, background);
    }
    PaintSkinMask(cache, rect, parent.Backdrop, UseBackdrop::Yes, s, *border, MaskPicture(*model, *border));
    clientRect = {rect.Left + b.Left, rect.Top + b.Top, rect.Right - b.Right, rect.Bottom - b.Bottom};
    if (borderWidth <= 0)
        return;
    const auto ring = [](int width) { return std::max(0, width); };
    FillFrame(cache, clientRect,
              {ring(borderWidth - b.Left), ring(borderWidth - b.Top), ring(borderWidth - b.Right),
               ring(borderWidth - b.Bottom)},
              background);
    clientRect = {rect.Left + borderWidth, rect.Top + borderWidth, rect.Right - borderWidth, rect.Bottom - borderWidth};
    if (target != nullptr && target != &cache) {
        const TRect strips[] = {{rect.Left, rect.Top, rect.Right, rect.Top + borderWidth},
                                {rect.Left, rect.Bottom - borderWidth, rect.Right, rect.Bottom},
                                {rect.Left, rect.Top, rect.Left + borderWidth, rect.Bottom},
                                {rect.Right - borderWidth, rect.Top, rect.Right, rect.Bottom}};
        for (const TRect& strip : strips)
            CopyBlock(*target, strip.Left, strip.Top, cache, strip);
    }
}

} // namespace skin

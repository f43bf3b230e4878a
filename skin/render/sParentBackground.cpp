// The background protocol between parents and children, cache copies onto windows, windowless
// children and broadcasts.
#include "skin/render/sParentBackground.h"

#include <QPainter>

#include <algorithm>
#include <vector>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sImageView.h"
#include "skin/render/sRecordPaint.h"
#include "skin/data/sSkinCommands.h"

namespace skin {

namespace {

constexpr int kWholeTransparency = 100;
constexpr double kPerPercent = 0.01;
constexpr std::uint8_t kOpaque = 255;

std::intptr_t AsLParam(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

TColor MainPaletteColour(const TsCommonData& record) {
    const TsSkinModel* model = record.Model();
    return model ? model->Palette[PaletteEntry::pcMainColor] : clBtnFace;
}

// The host's own colour; a provider's is its form's.
TColor HostColour(const TsCommonData& record) {
    QObject* host = record.HostControl() ? record.HostControl() : record.ProviderForm();
    return host ? ControlAccess().Color(host) : clBtnFace;
}

QObject* HostParent(const TsCommonData& record) {
    QObject* host = record.HostControl() ? record.HostControl() : record.ProviderForm();
    return host ? ControlAccess().Parent(host) : nullptr;
}

TPoint HostPosition(const TsCommonData& record) {
    QObject* host = record.HostControl() ? record.HostControl() : record.ProviderForm();
    const TRect bounds = ControlAccess().Bounds(host);
    return {bounds.Left, bounds.Top};
}

// The colour of the record's parent as BackgroundColor sees it.
TColor ParentColour(const TsCommonData& record) {
    QObject* parent = HostParent(record);
    return parent ? AnsweredColor(parent) : clBtnFace;
}

TRect MovedRect(const TRect& rect, int dx, int dy) {
    return {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
}

void FillColourNow(TsBackgroundInfo& info) {
    if (info.PaintNow && info.DC)
        FillSolid(*info.DC, info.DrawRect, ResolveSkinColor(info.Color), kOpaque);
}

bool CacheFitsHost(const TsCommonData& record) {
    if (!record.CacheBitmap || record.CacheBitmap->Empty())
        return false;
    QObject* host = record.HostControl() ? record.HostControl() : record.ProviderForm();
    const TRect bounds = ControlAccess().Bounds(host);
    return record.CacheBitmap->Width() == WidthOf(bounds) && record.CacheBitmap->Height() == HeightOf(bounds);
}

// The record's cache as the answer (step "bitmap").
void AnswerWithCache(TsCommonData& record, TsBackgroundInfo& info) {
    info.Kind = TsBgKind::Bitmap;
    if (info.PaintNow) {
        if (info.DC && record.CacheBitmap)
            CopyBlock(*info.DC, info.DrawRect.Left, info.DrawRect.Top, *record.CacheBitmap,
                      MovedRect(info.DrawRect, info.OffsetX, info.OffsetY));
        return;
    }
    info.Bitmap = record.CacheBitmap.get();
    info.OffsetX = 0;
    info.OffsetY = 0;
}

// A fully transparent record lets its own parent answer, as seen from the record's origin.
void PassToParent(TsCommonData& record, TsBackgroundInfo& info) {
    QObject* parent = HostParent(record);
    if (parent == nullptr) {
        info.Kind = TsBgKind::Colour;
        info.Color = MainPaletteColour(record);
        FillColourNow(info);
        return;
    }
    const TPoint position = HostPosition(record);
    // Painting now, the parent paints the asked area from its own origin.
    if (info.PaintNow) {
        info.OffsetX += position.X;
        info.OffsetY += position.Y;
    }
    ParentBackground(info, parent, info.PaintNow);
    if (!info.PaintNow && (info.Kind == TsBgKind::Colour || info.Kind == TsBgKind::Bitmap)) {
        info.OffsetX += position.X;
        info.OffsetY += position.Y;
    }
}

bool HasCornerImages(const TsGeneralData& section) {
    return section.ImgTopLeft >= 0 || section.ImgTopRight >= 0 || section.ImgBottomLeft >= 0 ||
           section.ImgBottomRight >= 0;
}

// The parts of the margins strips of an answer's bitmap that lie inside area.
void CopyMarginStrips(Bitmap32& dst, const TRect& area, const TsBackgroundInfo& info, int width, int height) {
    if (info.Bitmap == nullptr)
        return;
    const TRect& m = info.Margins;
    const TRect strips[] = {{0, 0, m.Left, height}, {0, 0, width, m.Top}, {width - m.Right, 0, width, height},
                            {0, height - m.Bottom, width, height}};
    for (const TRect& strip : strips) {
        const TRect part = IntersectRects(strip, area);
        if (!RectIsEmpty(part))
            CopyBlock(dst, part.Left, part.Top, *info.Bitmap, MovedRect(part, info.OffsetX, info.OffsetY));
    }
}

struct PaintingGuard {
    static bool& Running() {
        static bool running = false;
        return running;
    }
    PaintingGuard() { Running() = true; }
    ~PaintingGuard() { Running() = false; }
};

TsBroadcastFilter& BroadcastFilter() {
    static TsBroadcastFilter filter;
    return filter;
}

QRegion RegionOf(const TRect& rect) { return QRegion(rect.Left, rect.Top, WidthOf(rect), HeightOf(rect)); }

void CopyCacheClipped(TsCommonData& record, const TRect& srcRect, QPainter& dc, const TRect& clipRect,
                      const QRegion& region) {
    dc.save();
    dc.setClipRegion(region);
    const TRect source{srcRect.Left, srcRect.Top, srcRect.Left + WidthOf(clipRect), srcRect.Top + HeightOf(clipRect)};
    DrawOpaque(dc, {clipRect.Left, clipRect.Top}, *record.CacheBitmap, source);
    dc.restore();
}

} // namespace

TColor AnsweredColor(QObject* control) {
    const std::intptr_t answer = framework::SendSkinCommand(control, SKC_GET_CONTROL_COLOR);
    return answer != 0 ? TColor(answer) : ResolveSkinColor(ControlAccess().Color(control));
}

void FillBackgroundInfo(TsCommonData& record, TsBackgroundInfo& info, int state) {
    info.Bitmap = nullptr;
    const TsGeneralData* section = record.Section();
    if (!record.IsSkinned() || record.CustomColor() || section == nullptr) {
        info.Kind = TsBgKind::Colour;
        info.Color = HostColour(record);
        FillColourNow(info);
        return;
    }
    const int s = std::max(0, std::min(state, section->States - 1));
    const TsGenState& look = section->Props[std::size_t(std::min(s, 1))];
    const int t = look.Transparency;
    if (t == 0 && look.GradientPercent <= 0 && look.ImagePercent < 1 && !HasCornerImages(*section)) {
        info.Kind = TsBgKind::Colour;
        info.Color = BackgroundColor(record, state);
        if (const TsMaskData* border = record.BorderMask(); border && !(border->FillFlags & kFillHiddenInNormal)) {
            const BorderWidths b = MaskBorders(*border);
            info.Bitmap = record.CacheBitmap.get();
            info.OffsetX = 0;
            info.OffsetY = 0;
            info.Margins = {b.Left, b.Top, b.Right, b.Bottom};
        }
        FillColourNow(info);
        return;
    }
    if (t == 0) {
        info.Color = MainPaletteColour(record);
        if (!CacheFitsHost(record)) {
            info.Kind = TsBgKind::NotReady;
            return;
        }
    } else if (t == kWholeTransparency) {
        if ((record.ParentBgFlags & pbFlatColour) || !record.CacheBitmap) {
            PassToParent(record, info);
            return;
        }
        if (record.BackgroundStale && record.HostControl())
            framework::SendSkinCommand(record.HostControl(), SKC_CLEAR_BG_CHANGED);
    } else {
        if (!record.CacheBitmap) {
            info.Kind = TsBgKind::Colour;
            info.Color = kTransparentKey;
            return;
        }
        if (record.CacheBitmap->Empty()) {
            record.UpdateLock = true;
            info.Kind = TsBgKind::NotReady;
            return;
        }
    }
    AnswerWithCache(record, info);
}

TColor BackgroundColor(const TsCommonData& record, int state) {
    const TsGeneralData* section = record.Section();
    if (record.IsSkinned() && section != nullptr) {
        const int look = state > 0 && section->States > 1 ? 1 : 0;
        const TsGenState& values = section->Props[std::size_t(look)];
        const int t = values.Transparency;
        if (t == kWholeTransparency)
            return ParentColour(record);
        if (t > 0 && t < kWholeTransparency)
            return LerpColor(ParentColour(record), values.Color, t * kPerPercent);
        if (t == 0 && !record.CustomColor())
            return values.Color;
    }
    return HostColour(record);
}

TColor ControlColorAnswer(const TsCommonData& record) {
    TsControlAccess& access = ControlAccess();
    QObject* host = record.HostControl();
    const TsGeneralData* section = record.Section();
    if (!record.IsSkinned() || section == nullptr)
        return ResolveSkinColor(access.Color(host));
    const int t = section->Props[TsLook::Normal].Transparency;
    if (t <= 0)
        return section->Props[TsLook::Normal].Color;
    QObject* parent = access.Parent(host);
    if (parent == nullptr)
        return ResolveSkinColor(access.Color(host));
    const TColor parentColour = AnsweredColor(parent);
    if (t >= kWholeTransparency)
        return parentColour;
    return LerpColor(parentColour, section->Props[TsLook::Normal].Color, t * kPerPercent);
}

void ParentBackground(TsBackgroundInfo& info, QObject* parent, bool paintNow) {
    info.Bitmap = nullptr;
    info.Kind = TsBgKind::None;
    info.Margins = {};
    info.PaintNow = paintNow;
    framework::SendSkinCommand(parent, SKC_GET_BACKGROUND, 0, AsLParam(&info));
    if (info.Kind != TsBgKind::None || parent == nullptr)
        return;
    TsControlAccess& access = ControlAccess();
    if (paintNow) {
        // The parent paints itself into the child's image, shifted so that the child's origin
        // in the parent lands on the image's origin.
        if (info.DC && access.IsControl(parent)) {
            const TRect area = IntersectRects(info.DrawRect, RectOf(*info.DC));
            access.Render(parent, *info.DC, {-info.OffsetX, -info.OffsetY}, area);
        }
        return;
    }
    info.Kind = TsBgKind::Colour;
    if (access.IsControl(parent)) {
        info.Color = AnsweredColor(parent);
    } else {
        const TsSkinModel* model = DefaultSkinModel();
        info.Color = model ? model->Palette[PaletteEntry::pcMainColor] : clBtnFace;
    }
}

TsParentBackdrop ParentBackdrop(const TsCommonData& record) {
    TsParentBackdrop result;
    QObject* host = record.HostControl();
    QObject* parent = host ? ControlAccess().Parent(host) : nullptr;
    if (!record.IsSkinned() || host == nullptr || parent == nullptr) {
        result.Backdrop.FillColor = BackgroundColor(record, 0);
        return result;
    }
    ParentBackground(result.Info, parent, false);
    if (result.Info.Kind == TsBgKind::NotReady) {
        result.Backdrop.FillColor = kTransparentKey;
        return result;
    }
    const TRect bounds = ControlAccess().Bounds(host);
    result.Info.OffsetX += bounds.Left;
    result.Info.OffsetY += bounds.Top;
    result.Backdrop = BackdropOf(result.Info);
    return result;
}

void CopyCacheToDC(QObject* host, TsCommonData& record, const TRect& srcRect, bool refreshCorners, QPainter& dc,
                   const TRect& clipRect) {
    if (!record.CacheBitmap || host == nullptr)
        return;
    if (refreshCorners)
        RefreshCorners(record, 0, kAllCorners);
    TsControlAccess& access = ControlAccess();
    QRegion region = RegionOf(clipRect);
    for (QObject* child : access.Children(host)) {
        if (!access.IsControl(child) || !access.IsVisible(child))
            continue;
        const TRect bounds = access.Bounds(child);
        if (RectIsEmpty(IntersectRects(bounds, clipRect)))
            continue;
        if (access.IsOpaque(child) || access.IsWindowless(child))
            region -= RegionOf(bounds);
    }
    CopyCacheClipped(record, srcRect, dc, clipRect, region);
}

void CopyCacheToDCOfWindow(QObject* hostWindow, TsCommonData& record, const TRect& srcRect, bool refreshCorners,
                           QPainter& dc, const TRect& clipRect) {
    if (!record.CacheBitmap || hostWindow == nullptr)
        return;
    if (refreshCorners)
        RefreshCorners(record, 0, kAllCorners);
    TsControlAccess& access = ControlAccess();
    // The skin's group-box frame widths; without a group-box mask only the caption band.
    BorderWidths frame;
    if (const TsSkinModel* model = record.Model()) {
        const int section = GetSkinIndex(*model, "GROUPBOX");
        const int mask = GetMaskIndex(*model, section, "GROUPBOX", "BORDERSMASK");
        if (IsValidImgIndex(*model, mask))
            frame = {MaskBorderWidth(model->ma[std::size_t(mask)], MaskSide::Left), 0,
                     MaskBorderWidth(model->ma[std::size_t(mask)], MaskSide::Right),
                     MaskBorderWidth(model->ma[std::size_t(mask)], MaskSide::Bottom)};
    }
    QRegion region = RegionOf(clipRect);
    const std::vector<QObject*> children = access.Children(hostWindow);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        QObject* child = *it;
        if (!access.IsControl(child) || access.IsWindowless(child) || !access.IsShowing(child))
            continue;
        const TRect b = access.Bounds(child);
        if (!access.IsGroupBoxWindow(child)) {
            region -= RegionOf(b);
            continue;
        }
        const int band = int(framework::SendSkinCommand(child, SKC_GET_CAPTION_BAND));
        region -= RegionOf({b.Left, b.Top, b.Right, b.Top + band});
        region -= RegionOf({b.Left, b.Top + band, b.Left + frame.Left, b.Bottom});
        region -= RegionOf({b.Right - frame.Right, b.Top + band, b.Right, b.Bottom});
        region -= RegionOf({b.Left, b.Bottom - frame.Bottom, b.Right, b.Bottom});
    }
    CopyCacheClipped(record, srcRect, dc, clipRect, region);
}

void PaintWindowlessChildren(QPainter& dc, const QRegion& visible, QObject* container, TsVisibility visibility,
                             TPoint offset) {
    if (PaintingGuard::Running() || container == nullptr)
        return;
    PaintingGuard guard;
    TsControlAccess& access = ControlAccess();
    if (visibility == TsVisibility::Required && !access.IsShowing(container))
        return;
    const std::vector<QObject*> children = access.Children(container);
    if (children.empty())
        return;
    if (visible.isEmpty()) {
        framework::SendSkinCommand(container, SKC_SET_HALF_VISIBLE);
        return;
    }
    TsBackgroundInfo info;
    framework::SendSkinCommand(container, SKC_GET_BACKGROUND, 0, AsLParam(&info));
    const TRect containerBounds = access.Bounds(container);
    const int width = WidthOf(containerBounds, Clamp::Yes);
    const int height = HeightOf(containerBounds, Clamp::Yes);

    Bitmap32 offscreen;
    std::vector<std::pair<QObject*, TRect>> taking;
    for (QObject* child : children) {
        if (!access.IsControl(child) || !access.IsWindowless(child) || !access.IsVisible(child) ||
            access.IsDestroying(child))
            continue;
        const TRect b = access.Bounds(child);
        if (WidthOf(b) <= 0 || HeightOf(b) <= 0 || !visible.intersects(RegionOf(MovedRect(b, offset.X, offset.Y))))
            continue;
        if (offscreen.Empty() && !offscreen.SetSize(width, height))
            return;
        if (access.IsOpaque(child))
            FillSolid(offscreen, b, AnsweredColor(child), kOpaque);
        else if (info.Kind == TsBgKind::Bitmap && info.Bitmap)
            CopyBlock(offscreen, b.Left, b.Top, *info.Bitmap, MovedRect(b, info.OffsetX, info.OffsetY));
        else {
            FillSolid(offscreen, b, ResolveSkinColor(info.Color), kOpaque);
            CopyMarginStrips(offscreen, b, info, width, height);
        }
        taking.emplace_back(child, b);
    }
    if (taking.empty())
        return;
    for (const auto& [child, b] : taking) {
        const QRegion place = RegionOf(MovedRect(b, offset.X, offset.Y));
        if (visible.intersected(place) != place)
            framework::SendSkinCommand(child, SKC_SET_HALF_VISIBLE);
        access.Render(child, offscreen, {b.Left, b.Top}, b);
    }
    for (const auto& [child, b] : taking) {
        const int x = b.Left + offset.X;
        const int y = b.Top + offset.Y;
        const bool keyed = offscreen.Contains(x, y) && (offscreen.At(x, y) & 0x00FFFFFFu) == kKeyPixel;
        if (!keyed)
            DrawOpaque(dc, {b.Left + offset.X, b.Top + offset.Y}, offscreen, b);
    }
}

void SetBroadcastFilter(TsBroadcastFilter filter) { BroadcastFilter() = std::move(filter); }

void BroadcastToControls(QObject* control, int command, int argument, std::intptr_t lParam) {
    TsControlAccess& access = ControlAccess();
    for (QObject* child : access.Children(control)) {
        if (access.IsDestroying(child))
            return;
        if (!access.IsControl(child))
            continue;
        if (access.IsWindowless(child) || framework::SendSkinCommand(child, SKC_IS_SKINNED) == 1)
            framework::SendSkinCommand(child, command, argument, lParam);
        else if (!BroadcastFilter() || !BroadcastFilter()(child))
            BroadcastToControls(child, command, argument, lParam);
    }
}

void BroadcastToChildWindows(QObject* window, int command, int argument, std::intptr_t lParam) {
    TsControlAccess& access = ControlAccess();
    for (QObject* child : access.Children(window))
        if (access.IsControl(child) && !access.IsWindowless(child))
            framework::SendSkinCommand(child, command, argument, lParam);
}

} // namespace skin

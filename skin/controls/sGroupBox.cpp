// The group box's caption band, cache, painting and commands.
#include "skin/controls/sGroupBox.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sAnimationFlag.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sRecordPaint.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

namespace {

constexpr int kMinLetterHeight = 4;
constexpr int kBandAir = 2;
constexpr int kCaptionIndent = 6;
constexpr std::string_view kCaptionGapSection = "CHECKBOX";

TRect Shrunk(const TRect& rect, const TsMargin& margin) {
    return {rect.Left + margin.Left, rect.Top + margin.Top, rect.Right - margin.Right, rect.Bottom - margin.Bottom};
}

} // namespace

TRect GroupCaptionRect(const TsGroupCaptionInput& in) {
    const int h = std::max(kMinLetterHeight, in.LetterHeight) + kBandAir;
    const TsMargin& m = in.Margin;
    TRect r;
    r.Top = 0;
    if (in.Skinned) {
        r.Bottom = h + in.YOffset + m.Top + m.Bottom;
        if (in.YOffset < 0)
            r.Top = in.YOffset;
    } else {
        r.Bottom = h + m.Top + m.Bottom;
    }
    // Left-hand layouts read from the other side in right-to-left boxes.
    const bool atLeft = (in.Layout == clTopLeft && !in.RightToLeft) || (in.Layout == clTopRight && in.RightToLeft);
    if (in.CaptionWidth != 0) {
        const int cw = in.CaptionWidth;
        if (in.Layout == clTopCenter)
            r.Left = (in.Width - cw - kCaptionIndent) / 2;
        else if (atLeft)
            r.Left = m.Left + kCaptionIndent;
        else
            r.Left = in.Width - cw - m.Right - kCaptionIndent;
        r.Right = r.Left + cw + m.Left;
    } else {
        const int tw = in.TextWidth;
        const int twice = 2 * (m.Left + m.Right);
        if (in.Layout == clTopCenter)
            r.Left = (in.Width - tw - m.Left - m.Right - kCaptionIndent) / 2;
        else if (atLeft)
            r.Left = kCaptionIndent;
        else
            r.Left = in.Width - tw - twice - kCaptionIndent;
        r.Right = r.Left + tw + twice;
    }
    r.Left = std::max(r.Left, 0);
    r.Right = std::min(r.Right, in.Width);
    if (WidthOf(r) < 2 * in.BevelWidth) {
        r.Left -= in.BevelWidth;
        r.Right += in.BevelWidth;
    }
    return r;
}

TsGroupBox::TsGroupBox(QWidget* parent) : framework::TGroupBox(parent), SkinData(this, TsRecordCache::With) {
    SkinData.ControlKind = kKindGroupBox;
    SkinData.AfterPropertiesLoaded();
}

TsGroupBox::~TsGroupBox() { MarkDestroying(this); }

void TsGroupBox::Invalidate() {
    SkinData.BackgroundStale = true;
    update();
}

void TsGroupBox::SetCaptionLayout(TsCaptionLayout layout) {
    if (layout == captionLayout_)
        return;
    captionLayout_ = layout;
    if (!title().isEmpty())
        Invalidate();
}

void TsGroupBox::SetCaptionMargin(const TsMargin& margin) {
    if (margin == captionMargin_)
        return;
    captionMargin_ = margin;
    Invalidate();
}

void TsGroupBox::SetCaptionYOffset(int offset) {
    if (offset == captionYOffset_)
        return;
    captionYOffset_ = offset;
    Invalidate();
}

void TsGroupBox::SetCaptionSkin(const std::string& section) {
    if (section == captionSkin_)
        return;
    captionSkin_ = section;
    Invalidate();
}

void TsGroupBox::SetCaptionWidth(int width) {
    if (width == captionWidth_)
        return;
    captionWidth_ = width;
    Invalidate();
}

TRect TsGroupBox::CaptionRect() const {
    TsGroupCaptionInput in;
    in.Width = width();
    in.TextWidth = TextWidth(font(), title());
    in.LetterHeight = TextExtent(font(), QStringLiteral("W")).height();
    in.Skinned = SkinData.IsSkinned();
    in.Layout = captionLayout_;
    in.Margin = captionMargin_;
    in.YOffset = captionYOffset_;
    in.CaptionWidth = captionWidth_;
    in.RightToLeft = layoutDirection() == Qt::RightToLeft;
    return GroupCaptionRect(in);
}

bool TsGroupBox::PrepareCache() {
    if (!SkinData.IsSkinned())
        return false;
    SkinData.EnsureCacheBitmap();
    Bitmap32& cache = *SkinData.CacheBitmap;
    const TsParentBackdrop parent = ParentBackdrop(SkinData);
    if (parent.Info.Kind == TsBgKind::NotReady) {
        SkinData.UpdateLock = true;
        return false;
    }
    if (cache.Empty())
        return false;
    const TRect band = CaptionRect();
    const int bandHeight = HeightOf(band);
    const TsBackdrop& backdrop = parent.Backdrop;
    if (backdrop.UsableBitmap())
        CopyBlock(cache, 0, 0, *backdrop.Bitmap, RectAt(backdrop.OffsetX, backdrop.OffsetY, cache.Width(), bandHeight));
    else
        FillSolid(cache, {0, 0, cache.Width(), band.Bottom}, ResolveSkinColor(backdrop.FillColor));
    const int frameTop = captionYOffset_ < 0 ? 0 : bandHeight / 2;
    PaintSection(SkinData, backdrop, 0, UseBackdrop::Yes, cache, {0, frameTop},
                 {0, frameTop, cache.Width(), cache.Height()});
    if (!title().isEmpty())
        PaintCaption(cache, band, parent);
    SkinData.BackgroundStale = false;
    cachedTitle_ = title();
    return true;
}

void TsGroupBox::PaintCaption(Bitmap32& cache, const TRect& band, const TsParentBackdrop& parent) {
    const TsSkinModel& model = *SkinData.Model();
    TsTextFormat format = captionWidth_ != 0 ? DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER
                                             : DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    if (layoutDirection() == Qt::RightToLeft)
        format |= DT_RTLREADING;
    const int state = hasFocus() ? 1 : 0;
    const int captionSection = captionSkin_.empty() ? -1 : GetSkinIndex(model, captionSkin_);
    if (IsValidSkinIndex(model, captionSection)) {
        Bitmap32 image;
        if (!image.SetSize(WidthOf(band), HeightOf(band)))
            return;
        CopyBlock(image, 0, 0, cache, band);
        TsSectionPaint paint;
        paint.SectionIndex = captionSection;
        paint.SectionName = captionSkin_;
        paint.State = state;
        paint.Backdrop.Bitmap = &cache;
        paint.Backdrop.HasBitmap = true;
        paint.Backdrop.OffsetX = band.Left;
        paint.Backdrop.OffsetY = band.Top;
        PaintSectionByIndex(model, image, RectOf(image), paint);
        const TRect textRect = Shrunk(RectOf(image), captionMargin_);
        TsCanvas canvas{image, font(), ControlAccess().FontColor(this)};
        if (SkinData.CustomFont())
            DrawPlainText(canvas, title(), format, textRect);
        else
            WriteSectionText(canvas, title(), isEnabled(), model, 0, captionSection, format, textRect);
        CopyBlock(cache, band.Left, band.Top, image, RectOf(image));
        return;
    }
    // The gap: what the parent shows, through the fully transparent caption section.
    const int gapSection = GetSkinIndex(model, kCaptionGapSection);
    if (parent.Backdrop.UsableBitmap() && IsValidSkinIndex(model, gapSection)) {
        TsSectionPaint paint;
        paint.SectionIndex = gapSection;
        paint.SectionName = kCaptionGapSection;
        paint.State = state;
        paint.Backdrop = parent.Backdrop;
        paint.BackdropPoint = {band.Left, band.Top};
        PaintSectionByIndex(model, cache, band, paint);
    } else {
        FillSolid(cache, band, ResolveSkinColor(parent.Backdrop.FillColor));
    }
    const TsGeneralData& section = *SkinData.Section();
    TsCanvas canvas{cache, font(), section.Props[TsLook::Normal].FontColor[FontColorEntry::fcText]};
    WriteSkinnedText(canvas, title(), isEnabled(), 0, SkinData, format, Shrunk(band, captionMargin_));
}

void TsGroupBox::paintEvent(QPaintEvent* event) {
    if (!SkinData.IsSkinned()) {
        framework::TGroupBox::paintEvent(event);
        return;
    }
    if (ScreenPaintingHeld() || !isVisible())
        return;
    if (!SkinData.RefreshUpdateLock(false)) {
        if (SkinData.DependsOnParent()) {
            const QRect inParent = geometry();
            const QRect parentRect = parentWidget() ? parentWidget()->rect() : inParent;
            SkinData.HalfVisible = !parentRect.contains(inParent.topLeft() + QPoint(1, 1)) ||
                                   !parentRect.contains(inParent.bottomRight());
        } else {
            SkinData.HalfVisible = false;
        }
        const Bitmap32& cache = *SkinData.CacheBitmap;
        if ((SkinData.BackgroundStale || cachedTitle_ != title() || cache.Width() != width() ||
             cache.Height() != height()) &&
            !SkinData.FollowParent)
            PrepareCache();
    }
    const Bitmap32& cache = *SkinData.CacheBitmap;
    if (cache.Empty())
        return;
    QPainter painter(this);
    CopyCacheToDC(this, SkinData, RectOf(cache), false, painter, RectOf(cache));
    PaintWindowlessChildren(painter, event->region(), this, TsVisibility::Required, {0, 0});
}

bool TsGroupBox::HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result) {
    const bool own = SkinData.FromOwnManager(lParam);
    switch (command) {
    case SKC_SKIN_LOADED:
        // The manager passes its announcements on to the children itself.
        if (own)
            SkinData.HandleSkinCommand(command, argument, lParam, result);
        Invalidate();
        return true;
    case SKC_SKIN_REMOVED:
    case SKC_SKIN_REFRESH:
        if (own) {
            SkinData.HandleSkinCommand(command, argument, lParam, result);
            Invalidate();
        }
        return true;
    case SKC_IS_SKINNED:
        result = 1;
        return true;
    case SKC_CLEAR_BG_CHANGED:
        if (!SkinData.RefreshUpdateLock(false) && !PrepareCache())
            SkinData.UpdateLock = true;
        return true;
    case SKC_GET_BACKGROUND:
        if (!captionSkin_.empty() && lParam != 0 && SkinData.CacheBitmap) {
            auto& info = *reinterpret_cast<TsBackgroundInfo*>(lParam);
            if (SkinData.BackgroundStale)
                PrepareCache();
            info.Kind = TsBgKind::Bitmap;
            info.Bitmap = SkinData.CacheBitmap.get();
            info.OffsetX = 0;
            info.OffsetY = 0;
            return true;
        }
        return false;
    case SKC_PARENT_UPDATED:
        if (SkinData.UpdateLock && isVisible() && !SkinData.RefreshUpdateLock(true)) {
            Invalidate();
            repaint();
        }
        return true;
    case SKC_SET_TRANSPARENT_LOCK:
        SkinData.HandleSkinCommand(command, argument, lParam, result);
        if (SkinData.FollowParent)
            PrepareCache();
        return true;
    case SKC_IS_PREPARING:
        result = SkinData.BackgroundStale || SkinData.IsUpdating() ? 1 : 0;
        return true;
    default:
        return false;
    }
}

bool TsGroupBox::event(QEvent* event) {
    if (framework::AnswerSkinCommand(event, this, &TsGroupBox::HandleCommand))
        return true;
    switch (event->type()) {
    case QEvent::Move:
        SkinData.BackgroundStale = SkinData.BackgroundStale || SkinData.DependsOnParent();
        break;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::FontChange:
        SkinData.BackgroundStale = true;
        break;
    default:
        break;
    }
    if (SkinData.HandleSkinMessage(event))
        return true;
    return framework::TGroupBox::event(event);
}

} // namespace skin

// The status bar's cache (section, dividers, panel texts, grip), painting and commands.
#include "skin/controls/sStatusBar.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "framework/core/SkinCommand.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sAnimationFlag.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

namespace {

constexpr int kGripRoom = 18;
constexpr int kMinDividerWidth = 2;
constexpr std::string_view kDividerSection = "DIVIDER";
constexpr std::string_view kBorderKey = "BORDERSMASK";

} // namespace

TsStatusBar::TsStatusBar(QWidget* parent) : framework::TStatusBar(parent), SkinData(this, TsRecordCache::With) {
    SkinData.ControlKind = 151;
    SkinData.AfterPropertiesLoaded();
}

TsStatusBar::~TsStatusBar() { MarkDestroying(this); }

int TsStatusBar::PaintedWidth() const { return SizeGrip() ? width() - kGripRoom : width(); }

TRect TsStatusBar::PanelPaintRect(int index) const {
    const QRect place = PanelRect(index);
    const int right = index == PanelCount() - 1 ? PaintedWidth() : place.left() + place.width();
    return {place.left() + 1, 1, right - 1, height() - 1};
}

TRect TsStatusBar::PanelTextRect(const TRect& panel) {
    return {panel.Left + 1 + 2, panel.Top + 1, panel.Right - 1 - 4, panel.Bottom - 1 - 1};
}

void TsStatusBar::PanelsChanged() {
    SkinData.BackgroundStale = true;
    update();
}

void TsStatusBar::PrepareCache() {
    QWidget* parent = parentWidget();
    const bool stale = SkinData.BackgroundStale || SkinData.HalfVisible ||
                       (parent && framework::SendSkinCommand(parent, SKC_GET_HALF_VISIBLE) != 0);
    if (parent) {
        const QRect area = parent->rect();
        SkinData.HalfVisible = !area.contains(geometry().topLeft()) || !area.contains(geometry().bottomRight());
    }
    if (!stale || SkinData.FollowParent || !SkinData.IsSkinned())
        return;
    const TsParentBackdrop backdrop = ParentBackdrop(SkinData);
    SkinData.EnsureCacheBitmap();
    Bitmap32& cache = *SkinData.CacheBitmap;
    if (cache.Empty())
        return;
    PaintSection(SkinData, backdrop.Backdrop, 0, UseBackdrop::Yes, cache, {0, 0}, RectOf(cache));
    if (PanelCount() == 0)
        PaintPanel(cache, {0, 1, PaintedWidth() - 1, height() - 1}, QString(), true);
    for (int i = 0; i < PanelCount(); ++i)
        PaintPanel(cache, PanelPaintRect(i), PanelText(i), i == PanelCount() - 1);
    if (SizeGrip()) {
        const TsSkinModel& model = *SkinData.Model();
        const TsCommonIndexes* indexes = SkinData.CommonIndexes();
        if (indexes && IsValidImgIndex(model, indexes->GripImage)) {
            const TsMaskData& grip = model.ma[std::size_t(indexes->GripImage)];
            TsBackdrop itself;
            itself.Bitmap = &cache;
            itself.HasBitmap = true;
            PaintSkinGlyph(cache, {cache.Width() - CellWidth(grip), cache.Height() - CellHeight(grip)}, 0, itself,
                           grip, GlyphMode::Normal, MaskPicture(model, grip));
        }
    }
    SkinData.BackgroundStale = false;
}

void TsStatusBar::PaintPanel(Bitmap32& cache, const TRect& r, const QString& text, bool last) {
    const TsSkinModel& model = *SkinData.Model();
    const int section = SkinData.SectionIndex;
    const int panelMask = GetMaskIndex(model, section, SkinData.SkinSection(), kStatusPanelMaskKey);
    if (IsValidImgIndex(model, panelMask)) {
        const TsMaskData& mask = model.ma[std::size_t(panelMask)];
        TsBackdrop itself;
        itself.Bitmap = &cache;
        itself.HasBitmap = true;
        PaintSkinMask(cache, r, itself, UseBackdrop::Yes, 0, mask, MaskPicture(model, mask));
    } else if (!last) {
        const int divider = GetSkinIndex(model, kDividerSection);
        const int dividerMask = GetMaskIndex(model, divider, kDividerSection, kBorderKey);
        if (IsValidSkinIndex(model, divider) && IsValidImgIndex(model, dividerMask)) {
            const TsMaskData& mask = model.ma[std::size_t(dividerMask)];
            // The mask's own widths: a divider is as wide as its lines, at least 2.
            const BorderWidths borders = MaskBorders(mask);
            const int w = std::max(kMinDividerWidth, borders.Left + borders.Right);
            const TPoint at{r.Right - w / 2 - 1, 1};
            Bitmap32 image;
            if (image.SetSize(w, cache.Height() - 2)) {
                TsSectionPaint paint;
                paint.SectionIndex = divider;
                paint.SectionName = kDividerSection;
                paint.Backdrop.Bitmap = &cache;
                paint.Backdrop.HasBitmap = true;
                paint.Backdrop.OffsetX = at.X;
                paint.Backdrop.OffsetY = at.Y;
                PaintSectionByIndex(model, image, RectOf(image), paint);
                CopyBlock(cache, at.X, at.Y, image, RectOf(image));
            }
        }
    }
    TsTextFormat format = DT_LEFT | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    if (layoutDirection() == Qt::RightToLeft)
        format |= DT_RTLREADING | DT_RIGHT;
    const TsGeneralData& own = *SkinData.Section();
    const int state = SkinData.IsActive() ? 1 : 0;
    TsCanvas canvas{cache, font(), own.Props[std::size_t(state)].FontColor[FontColorEntry::fcText]};
    WriteSkinnedText(canvas, text, true, state, SkinData, format, PanelTextRect(r));
}

void TsStatusBar::paintEvent(QPaintEvent* event) {
    if (!SkinData.IsSkinned()) {
        framework::TStatusBar::paintEvent(event);
        return;
    }
    if (ScreenPaintingHeld())
        return;
    if (!SkinData.RefreshUpdateLock(false)) {
        PrepareCache();
        RefreshCorners(SkinData, 0, kAllCorners);
    }
    const Bitmap32& cache = *SkinData.CacheBitmap;
    if (cache.Empty())
        return;
    QPainter painter(this);
    CopyCacheToDC(this, SkinData, RectOf(cache), false, painter, RectOf(cache));
    PaintWindowlessChildren(painter, event->region(), this, TsVisibility::Required, {0, 0});
}

bool TsStatusBar::HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result) {
    const bool own = SkinData.FromOwnManager(lParam);
    switch (command) {
    case SKC_SKIN_LOADED:
    case SKC_SKIN_REFRESH:
    case SKC_SKIN_REMOVED:
        // The manager passes its announcements on to the children itself.
        SkinData.HandleSkinCommand(command, argument, lParam, result);
        if (own) {
            SkinData.BackgroundStale = true;
            update();
        }
        return true;
    case SKC_PARENT_UPDATED:
        if (SkinData.UpdateLock) {
            SkinData.UpdateLock = false;
            SkinData.BackgroundStale = true;
            update();
        }
        return true;
    case SKC_IS_SKINNED:
        result = 1;
        return true;
    default:
        return false;
    }
}

bool TsStatusBar::event(QEvent* event) {
    if (framework::AnswerSkinCommand(event, this, &TsStatusBar::HandleCommand))
        return true;
    switch (event->type()) {
    case QEvent::Move: {
        const TsGeneralData* section = SkinData.Section();
        if (section && (section->Props[TsLook::Normal].Transparency > 0 || section->Props[TsLook::Hot].Transparency > 0))
            SkinData.BackgroundStale = true;
        break;
    }
    case QEvent::Resize:
    case QEvent::FontChange:
        SkinData.BackgroundStale = true;
        break;
    default:
        break;
    }
    if (SkinData.HandleSkinMessage(event))
        return true;
    return framework::TStatusBar::event(event);
}

} // namespace skin

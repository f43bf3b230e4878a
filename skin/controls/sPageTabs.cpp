// The page control's image: the page frame over the parent's image, the pages' own backgrounds,
// the tab strip, and each tab (its section, state, caption, focus rectangle, disabled look).
#include "skin/controls/sPageControl.h"

#include <QTabBar>

#include <algorithm>

#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/BlendOps.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"

namespace skin {

namespace {

constexpr double kDisabledTabShare = 0.4; // of the tab; the rest is the control under it
constexpr int kFocusGrow = 3;
constexpr TsTextFormat kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

// The platform's focus rectangle: every second pixel of the outline inverted.
void DrawFocusRect(Bitmap32& bitmap, const TRect& rect) {
    const auto invert = [&](int x, int y) {
        if (bitmap.Contains(x, y))
            bitmap.At(x, y) ^= 0x00FFFFFFu;
    };
    for (int x = rect.Left; x < rect.Right; x += 2) {
        invert(x, rect.Top);
        invert(x, rect.Bottom - 1);
    }
    for (int y = rect.Top + 2; y < rect.Bottom - 1; y += 2) {
        invert(rect.Left, y);
        invert(rect.Right - 1, y);
    }
}

} // namespace

int TsPageControl::TabSection(int index, int& state) const {
    const TsSkinModel& model = *SkinData.Model();
    const TsTabSheet* page = SkinnedPage(index);
    std::string name;
    if (page && page->IsButtonTab()) {
        name = !page->TabSkin.empty() ? page->TabSkin : "MENUBTN";
        if (GetSkinIndex(model, name) < 0)
            name = page->TabType() == ttMenu ? "MENUITEM" : "SPEEDBUTTON";
    } else if (page && !page->TabSkin.empty()) {
        name = page->TabSkin;
    } else {
        name = style_ == tsButtons ? "BUTTON" : style_ == tsFlatButtons ? "TOOLBUTTON" : "TABTOP";
    }
    const int section = GetSkinIndex(model, name);
    if (IsValidSkinIndex(model, section))
        state = std::max(0, std::min(state, model.gd[std::size_t(section)].States - 1));
    return section;
}

TRect TsPageControl::TabCaptionRect(int index, int state) const {
    const TRect draw = TabDrawRect(index, state);
    const TsTabSheet* page = SkinnedPage(index);
    const bool active = index == ActivePageIndex() && state == 2;
    TRect r = RectAt(0, 0, WidthOf(draw), HeightOf(draw));
    r.Bottom -= 2; // tabs on top
    if (page && !page->IsButtonTab()) {
        if (style_ != tsTabs) {
            ++r.Top;
            ++r.Bottom;
        } else {
            r.Top += 2;
            if (active) {
                r = {r.Left - 1, r.Top - 2, r.Right - 1, r.Bottom - 2};
            } else {
                ++r.Top;
                ++r.Bottom;
            }
        }
    }
    QFont font = this->font();
    if (activeIsBold_ && index == ActivePageIndex())
        font.setBold(true);
    const QSize text = TextExtent(font, page ? page->Caption() : QString());
    TRect caption;
    caption.Left = r.Left + (WidthOf(r) - text.width()) / 2;
    caption.Right = std::min(caption.Left + text.width() + 2, r.Right - 3);
    caption.Top = r.Top + (HeightOf(r) - text.height()) / 2;
    caption.Bottom = caption.Top + text.height();
    if (active)
        caption = {caption.Left + 1, caption.Top + 1, caption.Right + 1, caption.Bottom + 1};
    return caption;
}

void TsPageControl::DrawTab(Bitmap32& target, int index, int state) {
    TsTabSheet* page = SkinnedPage(index);
    if (SkinData.UpdateLock || page == nullptr || !TabBar()->isTabVisible(index))
        return;
    const TRect rect = TabDrawRect(index, state);
    if (state != 0 && rect.Left < 0)
        return;
    const TsSkinModel& model = *SkinData.Model();
    int sectionState = state;
    const int section = TabSection(index, sectionState);
    Bitmap32 image;
    if (!IsValidSkinIndex(model, section) || !image.SetSize(WidthOf(rect), HeightOf(rect)))
        return;
    const TsGeneralData& look = model.gd[std::size_t(section)];
    QFont font = this->font();
    if (activeIsBold_ && index == ActivePageIndex())
        font.setBold(true);
    TsSectionPaint paint;
    paint.SectionIndex = section;
    paint.SectionName = look.ClassName;
    paint.State = sectionState;
    paint.Backdrop.Bitmap = SkinData.CacheBitmap.get();
    paint.Backdrop.HasBitmap = true;
    paint.Backdrop.OffsetX = rect.Left;
    paint.Backdrop.OffsetY = rect.Top;
    CopyBlock(image, 0, 0, *SkinData.CacheBitmap, rect);
    PaintSectionByIndex(model, image, RectOf(image), paint);
    TsCanvas canvas{image, font, look.Props[std::size_t(state != 0 ? 1 : 0)].FontColor[FontColorEntry::fcText]};
    const TRect caption = TabCaptionRect(index, state);
    TsTextFormat format = kCaptionFormat;
    if (layoutDirection() == Qt::RightToLeft)
        format |= DT_RTLREADING | DT_NOCLIP;
    WriteAlphaText(canvas, page->Caption(), true, model, false, -1, format, caption);
    if (showFocus_ && TabFocused() && index == ActivePageIndex() && !page->Caption().isEmpty() &&
        !page->IsButtonTab())
        DrawFocusRect(image, {caption.Left - kFocusGrow, caption.Top, caption.Right + kFocusGrow,
                              caption.Bottom + kFocusGrow});
    if (!page->isEnabled() || !isEnabled())
        BlendKeyed(image, 0, 0, kKeyPixel, kDisabledTabShare, rect, *SkinData.CacheBitmap);
    CopyBlock(target, rect.Left, rect.Top, image, RectOf(image));
}

void TsPageControl::BuildCache(Bitmap32& cache) {
    const TsSkinModel& model = *SkinData.Model();
    const TsParentBackdrop parent = ParentBackdrop(SkinData);
    const TRect frame = PageFrameRect();
    PaintSection(SkinData, parent.Backdrop, 0, UseBackdrop::Yes, cache, {frame.Left, frame.Top}, frame);
    if (const TsTabSheet* page = SkinnedPage(ActivePageIndex()); page && !page->SkinData.SkinSection.empty()) {
        const int own = GetSkinIndex(model, page->SkinData.SkinSection);
        if (IsValidSkinIndex(model, own)) {
            TsSectionPaint paint;
            paint.SectionIndex = own;
            paint.SectionName = page->SkinData.SkinSection;
            paint.Backdrop.Bitmap = &cache;
            paint.Backdrop.HasBitmap = true;
            PaintSectionByIndex(model, cache, RectAt(page->x(), page->y(), page->width(), page->height()), paint);
        }
    }
    const TRect strip = TabStripRect();
    if (!RectIsEmpty(strip)) {
        if (parent.Backdrop.UsableBitmap())
            CopyBlock(cache, strip.Left, strip.Top, *parent.Backdrop.Bitmap,
                      RectAt(parent.Backdrop.OffsetX + strip.Left, parent.Backdrop.OffsetY + strip.Top, WidthOf(strip),
                             HeightOf(strip)));
        else
            FillSolid(cache, strip, ResolveSkinColor(parent.Backdrop.FillColor));
    }
    int visible = 0;
    const int active = ActivePageIndex();
    const TsTabSheet* activePage = SkinnedPage(active);
    for (int i = 0; i < PageCount(); ++i) {
        if (!TabBar()->isTabVisible(i))
            continue;
        ++visible;
        if (i == active && activePage && !activePage->IsButtonTab())
            continue;
        DrawTab(cache, i, i == droppedTab_ ? 2 : i == hotTab_ ? 1 : 0);
    }
    if (activePage && !activePage->IsButtonTab())
        DrawTab(cache, active, 2);
    visibleTabCount_ = visible;
}

} // namespace skin

// The page control's behaviour: tab hit tests and the change test, hover, presses and keys on
// the tab bar, page changes and their reveal, the commands it answers; and its pages.
#include "skin/controls/sPageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTabBar>

#include "framework/core/SkinCommand.h"
#include "skin/controls/sPageReveal.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sAnimationFlag.h"
#include "skin/render/sImageView.h"
#include "skin/render/sManagerAccess.h"
#include "skin/render/sParentBackground.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

namespace {
constexpr const char* kButtonTabSection = "SPEEDBUTTON";
constexpr const char* kMenuTabSection = "MENUBTN";
} // namespace

// ---------------------------------------------------------------- TsTabSheet

TsTabSheet::TsTabSheet(TsPageControl* pageControl) : framework::TTabSheet(pageControl) {
    // The page paints all of itself from the page control's image.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TsTabSheet::SetTabType(TsTabType type) {
    if (type == tabType_)
        return;
    tabType_ = type;
    if (type == ttTab)
        TabSkin.clear();
    else if (TabSkin.empty())
        TabSkin = type == ttButton ? kButtonTabSection : kMenuTabSection;
    if (TsPageControl* control = SkinnedControl()) {
        control->SkinData.BackgroundStale = true;
        control->update();
    }
}

TsPageControl* TsTabSheet::SkinnedControl() const { return qobject_cast<TsPageControl*>(PageControl()); }

void TsTabSheet::paintEvent(QPaintEvent* event) {
    TsPageControl* control = SkinnedControl();
    if (control == nullptr || !control->Skinned()) {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(backgroundRole()));
        return;
    }
    if (ScreenPaintingHeld())
        return;
    control->PrepareCache();
    const Bitmap32& cache = *control->SkinData.CacheBitmap;
    QPainter painter(this);
    DrawOpaque(painter, {0, 0}, cache, RectAt(x(), y(), width(), height()));
    PaintWindowlessChildren(painter, event->region(), this, TsVisibility::Required, {0, 0});
}

bool TsTabSheet::event(QEvent* event) {
    TsPageControl* control = SkinnedControl();
    if (event->type() != framework::kSkinCommandEventType || control == nullptr || !control->Skinned())
        return framework::TTabSheet::event(event);
    auto* command = static_cast<framework::SkinCommandEvent*>(event);
    TsCommonData& record = control->SkinData;
    const TsSkinModel& model = *record.Model();
    const int ownSection = SkinData.SkinSection.empty() ? -1 : GetSkinIndex(model, SkinData.SkinSection);
    switch (command->Command()) {
    case SKC_IS_SKINNED:
        command->SetResult(1);
        return true;
    case SKC_GET_BACKGROUND: {
        if (command->LParam() == 0)
            return true;
        auto& info = *reinterpret_cast<TsBackgroundInfo*>(command->LParam());
        control->PrepareCache();
        info.Kind = TsBgKind::Bitmap;
        info.Margins = {};
        if (info.PaintNow) {
            if (info.DC)
                CopyBlock(*info.DC, info.DrawRect.Left, info.DrawRect.Top, *record.CacheBitmap,
                          RectAt(info.DrawRect.Left + info.OffsetX + x(), info.DrawRect.Top + info.OffsetY + y(),
                                 WidthOf(info.DrawRect), HeightOf(info.DrawRect)));
            return true;
        }
        info.Bitmap = record.CacheBitmap.get();
        info.OffsetX = x();
        info.OffsetY = y();
        return true;
    }
    case SKC_IS_PREPARING:
        command->SetResult(record.UpdateLock ? 1 : 0);
        return true;
    case SKC_GET_CONTROL_COLOR:
        command->SetResult(std::intptr_t(AnsweredColor(control)));
        return true;
    case SKC_GET_SECTION_INDEX:
        if (command->LParam() != 0)
            *reinterpret_cast<std::int32_t*>(command->LParam()) = ownSection >= 0 ? ownSection : record.SectionIndex;
        return true;
    case SKC_CHILD_CHANGED: {
        const TsGeneralData* section = record.Section();
        const bool varies = section && (section->Props[TsLook::Normal].GradientPercent > 0 ||
                                        section->Props[TsLook::Normal].Transparency > 0);
        command->SetResult(varies || record.DependsOnParent() ? 1 : 0);
        return true;
    }
    case SKC_PARENT_UPDATED:
        update();
        return true;
    default:
        return framework::TTabSheet::event(event);
    }
}

// ---------------------------------------------------------------- TsPageControl

TsPageControl::TsPageControl(QWidget* parent) : framework::TPageControl(parent), SkinData(this, TsRecordCache::With) {
    SkinData.ControlKind = kKindPageControl;
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The tab bar keeps the tabs; the control draws them, and follows the pointer over them.
    TabBar()->installEventFilter(this);
    TabBar()->setMouseTracking(true);
    SkinData.AfterPropertiesLoaded();
}

TsPageControl::~TsPageControl() {
    MarkDestroying(this);
    TabBar()->removeEventFilter(this);
}

void TsPageControl::SetStyle(TsTabStyle style) {
    if (style == style_)
        return;
    style_ = style;
    SkinData.InvalidateSkin(false);
}

void TsPageControl::SetActiveIsBold(bool bold) {
    if (bold == activeIsBold_)
        return;
    activeIsBold_ = bold;
    SkinData.InvalidateSkin(false);
}

void TsPageControl::SetShowFocus(bool show) {
    if (show == showFocus_)
        return;
    showFocus_ = show;
    SkinData.InvalidateSkin(false);
}

void TsPageControl::SetTabPadding(int padding) {
    if (padding == tabPadding_)
        return;
    tabPadding_ = padding;
    SkinData.InvalidateSkin(false);
}

TsTabSheet* TsPageControl::SkinnedPage(int index) const { return qobject_cast<TsTabSheet*>(Page(index)); }

TRect TsPageControl::PageFrameRect() const {
    if (PageCount() == 0)
        return RectAt(0, 0, width(), height());
    const QRect pages = PageRect();
    return {0, pages.top() - 4, width(), height()};
}

TRect TsPageControl::TabStripRect() const {
    if (PageCount() == 0)
        return {};
    return {0, 0, width(), PageFrameRect().Top};
}

TRect TsPageControl::TabRect(int index) const {
    if (index < 0 || index >= PageCount() || !TabBar()->isTabVisible(index))
        return {};
    const QRect tab = TabBar()->tabRect(index).translated(TabBar()->pos());
    // The tabs stand on the page frame: from the tab bar's top to the frame's top edge.
    return {tab.left(), TabBar()->y(), tab.left() + tab.width(), PageFrameRect().Top};
}

TRect TsPageControl::TabDrawRect(int index, int state) const {
    TRect rect = TabRect(index);
    const TsTabSheet* page = SkinnedPage(index);
    const bool buttonTab = page && page->IsButtonTab();
    if (state == 2 && !buttonTab && style_ == tsTabs && index == ActivePageIndex())
        rect = {rect.Left - 2, rect.Top - 2, rect.Right + 2, rect.Bottom + 2};
    if (buttonTab)
        rect = {rect.Left + 3, rect.Top + 1, rect.Right - 3, rect.Bottom - 1};
    return rect;
}

int TsPageControl::TabAt(QPoint point) const {
    for (int i = 0; i < PageCount(); ++i) {
        const TRect r = TabRect(i);
        if (point.x() >= r.Left && point.x() < r.Right && point.y() >= r.Top && point.y() < r.Bottom)
            return i;
    }
    return -1;
}

bool TsPageControl::CanChangeTo(int index) {
    TsTabSheet* page = SkinnedPage(index);
    if (page == nullptr || page->IsButtonTab() || (!page->isEnabled() && !AccessibleDisabledPages))
        return false;
    bool allow = true;
    if (OnPageChanging)
        OnPageChanging(this, page, allow);
    return allow;
}

bool TsPageControl::TabFocused() const { return hasFocus() || TabBar()->hasFocus() || SkinData.Focused; }

// ---------------------------------------------------------------- hover

void TsPageControl::RedrawTab(int index, int state) {
    if (!Skinned() || index < 0 || SkinData.BackgroundStale || !SkinData.CacheBitmap || SkinData.CacheBitmap->Empty())
        return;
    DrawTab(*SkinData.CacheBitmap, index, state);
    const TRect r = TabDrawRect(index, state);
    update(QRect(r.Left, r.Top, WidthOf(r), HeightOf(r)));
}

void TsPageControl::PointerMoved(QPoint point) {
    if (!Skinned())
        return;
    ManagerAccess().SetHotWindow(this);
    const int i = TabAt(point);
    const TsTabSheet* page = SkinnedPage(i);
    if (i >= 0 && page && page->isEnabled()) {
        if (i == hotTab_)
            return;
        if (hotTab_ >= 0 && hotTab_ < PageCount()) {
            if (OnTabMouseLeave)
                OnTabMouseLeave(this, hotTab_);
            if (hotTab_ != ActivePageIndex())
                RedrawTab(hotTab_, 0);
        }
        if (OnTabMouseEnter)
            OnTabMouseEnter(this, i);
        hotTab_ = i;
        if (i != ActivePageIndex())
            RedrawTab(i, 1);
        return;
    }
    if (hotTab_ != -1 && hotTab_ != ActivePageIndex()) {
        RedrawTab(hotTab_, 0);
        hotTab_ = -1;
    }
}

void TsPageControl::PointerLeft() {
    if (hotTab_ >= 0 && hotTab_ < PageCount()) {
        if (OnTabMouseLeave)
            OnTabMouseLeave(this, hotTab_);
        if (hotTab_ != ActivePageIndex())
            RedrawTab(hotTab_, 0);
    }
    hotTab_ = -1;
}

// ---------------------------------------------------------------- presses and keys

bool TsPageControl::TabBarPress(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return false;
    const int i = TabAt(event->position().toPoint() + TabBar()->pos());
    TsTabSheet* page = SkinnedPage(i);
    if (page == nullptr || (!page->isEnabled() && !AccessibleDisabledPages))
        return page != nullptr;
    if (page->IsButtonTab()) {
        pressedButtonTab_ = i;
        RedrawTab(i, 2);
        return true;
    }
    // The platform selects the page only when the change test allows it.
    return i != ActivePageIndex() && !CanChangeTo(i);
}

bool TsPageControl::TabBarRelease(QMouseEvent* event) {
    if (pressedButtonTab_ < 0)
        return false;
    const int i = pressedButtonTab_;
    pressedButtonTab_ = -1;
    RedrawTab(i, 1);
    TsTabSheet* page = SkinnedPage(i);
    if (page && page->OnClickBtn && TabAt(event->position().toPoint() + TabBar()->pos()) == i)
        page->OnClickBtn(page);
    return true;
}

int TsPageControl::NeighbourTab(int from, int step) const {
    for (int i = from + step; i >= 0 && i < PageCount(); i += step)
        if (TabBar()->isTabVisible(i))
            return i;
    return -1;
}

bool TsPageControl::TabBarKey(QKeyEvent* event) {
    int target = -2;
    if (event->key() == Qt::Key_Left)
        target = NeighbourTab(ActivePageIndex(), -1);
    else if (event->key() == Qt::Key_Right)
        target = NeighbourTab(ActivePageIndex(), 1);
    else if (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ControlModifier)) {
        target = NeighbourTab(ActivePageIndex(), 1);
        if (target < 0)
            target = NeighbourTab(-1, 1);
        if (target >= 0 && CanChangeTo(target))
            SetActivePageIndex(target);
        return true;
    }
    if (target == -2)
        return false;
    // Refused, or no page there: the key goes no further.
    return target < 0 || !CanChangeTo(target);
}

bool TsPageControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != TabBar() || !Skinned())
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        return true; // the control draws the tabs
    case QEvent::MouseMove:
        PointerMoved(static_cast<QMouseEvent*>(event)->position().toPoint() + TabBar()->pos());
        return false;
    case QEvent::Leave:
        PointerLeft();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return TabBarPress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return TabBarRelease(static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
        return TabBarKey(static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        SkinData.BackgroundStale = true;
        update();
        return false;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- page changes

bool TsPageControl::PageChangeRevealed() const {
    const auto* manager = qobject_cast<const TsSkinManager*>(SkinData.Manager());
    return Skinned() && isVisible() && manager && manager->AnimEffects.PageChange.Active &&
           manager->AnimEffects.PageChange.Time >= kRevealFrameInterval;
}

void TsPageControl::ActivePageChanging(int) {
    // The look the reveal starts from: the old page, still shown.
    if (PageChangeRevealed())
        revealStart_ = CaptureWidget(this);
}

void TsPageControl::ActivePageChanged() {
    SkinData.BackgroundStale = true;
    if (!revealStart_.Empty()) {
        const auto* manager = qobject_cast<const TsSkinManager*>(SkinData.Manager());
        const Bitmap32 start = std::move(revealStart_);
        revealStart_ = Bitmap32{};
        RevealControl(this, start, manager ? manager->AnimEffects.PageChange.Time : 0);
    }
    update();
    if (framework::TTabSheet* page = ActivePage())
        page->update();
}

// ---------------------------------------------------------------- painting

void TsPageControl::paintEvent(QPaintEvent* event) {
    if (!Skinned()) {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(backgroundRole()));
        return;
    }
    if (ScreenPaintingHeld())
        return;
    if (!SkinData.RefreshUpdateLock(false)) {
        QWidget* parent = parentWidget();
        SkinData.BackgroundStale = SkinData.BackgroundStale || SkinData.HalfVisible ||
                                   (parent && framework::SendSkinCommand(parent, SKC_GET_HALF_VISIBLE) != 0);
        SkinData.HalfVisible = !event->region().contains(rect());
        PrepareCache();
    }
    const Bitmap32& cache = *SkinData.CacheBitmap;
    if (cache.Empty())
        return;
    QPainter painter(this);
    CopyCacheToDC(this, SkinData, RectOf(cache), false, painter, RectOf(cache));
    PaintWindowlessChildren(painter, event->region(), this, TsVisibility::Required, {0, 0});
}

void TsPageControl::PrepareCache() {
    if (!Skinned())
        return;
    SkinData.EnsureCacheBitmap();
    if (!SkinData.BackgroundStale || SkinData.CacheBitmap->Empty())
        return;
    BuildCache(*SkinData.CacheBitmap);
    SkinData.BackgroundStale = false;
}

// ---------------------------------------------------------------- commands

bool TsPageControl::HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result) {
    const bool own = SkinData.FromOwnManager(lParam);
    switch (command) {
    case SKC_SKIN_LOADED:
    case SKC_SKIN_REMOVED:
    case SKC_SKIN_REFRESH:
        // The manager passes its announcements on to the children itself.
        SkinData.HandleSkinCommand(command, argument, lParam, result);
        if (own) {
            SkinData.BackgroundStale = true;
            update();
            if (framework::TTabSheet* page = ActivePage())
                page->update();
        }
        return true;
    case SKC_IS_SKINNED:
        result = 1;
        return true;
    case SKC_PARENT_UPDATED:
        if (!SkinData.UpdateLock || !SkinData.RefreshUpdateLock(true)) {
            SkinData.BackgroundStale = true;
            update();
        }
        return true;
    case SKC_IS_PREPARING:
        if (SkinData.ParentBgFlags & pbSuspended)
            result = 1;
        else if (SkinData.CacheBitmap && SkinData.CacheBitmap->Width() == width() &&
                 SkinData.CacheBitmap->Height() == height())
            result = 0;
        else
            result = SkinData.DependsOnParent() && !SkinData.CustomColor() ? 1 : 0;
        return true;
    case SKC_CLEAR_BG_CHANGED:
        if (!(SkinData.ParentBgFlags & pbSuspended)) {
            SkinData.BackgroundStale = true;
            PrepareCache();
        }
        return true;
    case SKC_MOUSE_LEFT:
        PointerLeft();
        return true;
    case SKC_PAINT_RESUMED:
        SkinData.BackgroundStale = true;
        update();
        return false;
    case SKC_GET_BACKGROUND:
        if (SkinData.HandleSkinCommand(command, argument, lParam, result) && lParam != 0)
            reinterpret_cast<TsBackgroundInfo*>(lParam)->DrawRect = {};
        return true;
    default:
        return false;
    }
}

bool TsPageControl::event(QEvent* event) {
    if (framework::AnswerSkinCommand(event, this, &TsPageControl::HandleCommand))
        return true;
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
        SkinData.BackgroundStale = true;
        break;
    case QEvent::Leave:
        PointerLeft();
        break;
    default:
        break;
    }
    if (SkinData.HandleSkinMessage(event))
        return true;
    return framework::TPageControl::event(event);
}

} // namespace skin

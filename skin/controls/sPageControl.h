// TsPageControl and TsTabSheet: the skinned page control and its pages. The framework's control
// keeps the tab list (a QTabBar that here paints nothing), the tab sizes and the page area; the
// skin paints the page frame, the tabs with their hover and active looks and captions, and the
// pages' background, all in the control's cache. A page change is revealed by a cross-fade over
// the control (TsRevealCover). Unskinned, they are the framework's page control and pages.
#pragma once

#include <QPointer>

#include <functional>
#include <string>

#include "framework/widgets/ComCtrls.h"
#include "skin/render/sCommonData.h"

class QMenu;

namespace skin {

enum TsTabStyle { tsTabs, tsButtons, tsFlatButtons };
enum TsTabType { ttButton, ttMenu, ttTab };

class TsPageControl;

// A page's own skin settings (TsTabSkinData): a non-empty section gives the page its own
// background.
struct TsTabSkinData {
    bool CustomColor = false;
    bool CustomFont = false;
    std::string SkinSection;
};

class TsTabSheet : public framework::TTabSheet {
    Q_OBJECT
public:
    explicit TsTabSheet(TsPageControl* pageControl);

    TsTabSkinData SkinData;
    TsTabType TabType() const { return tabType_; }
    // A button or menu tab without a TabSkin gets "SPEEDBUTTON" or "MENUBTN"; ttTab clears it.
    void SetTabType(TsTabType type);
    std::string TabSkin;
    std::string ButtonSkin;
    QPointer<QMenu> TabMenu;
    bool UseCloseBtn = true;
    framework::TNotifyEvent OnClickBtn;
    bool IsButtonTab() const { return tabType_ != ttTab; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TsPageControl* SkinnedControl() const;
    TsTabType tabType_ = ttTab;
};

class TsPageControl : public framework::TPageControl {
    Q_OBJECT
public:
    explicit TsPageControl(QWidget* parent = nullptr);
    ~TsPageControl() override;

    TsCommonData SkinData;

    // --- Published properties.
    unsigned AnimatEvents = 16; // aeGlobalDef
    bool AccessibleDisabledPages = true;
    TsTabStyle Style() const { return style_; }
    void SetStyle(TsTabStyle style);
    bool ActiveIsBold() const { return activeIsBold_; }
    void SetActiveIsBold(bool bold);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);
    int TabPadding() const { return tabPadding_; }
    void SetTabPadding(int padding);
    // Asked before a page change by key or mouse; clearing allow refuses it.
    std::function<void(QObject* sender, TsTabSheet* page, bool& allow)> OnPageChanging;
    std::function<void(QObject* sender, int pageIndex)> OnTabMouseEnter;
    std::function<void(QObject* sender, int pageIndex)> OnTabMouseLeave;

    // --- State.
    int HotTab() const { return hotTab_; }
    int DroppedTab() const { return droppedTab_; }
    int VisibleTabCount() const { return visibleTabCount_; }
    TsTabSheet* SkinnedPage(int index) const;
    // The page frame and the tab strip above it; a tab's platform rectangle and the one it is
    // drawn in (the active tab grown by 2 on every side).
    TRect PageFrameRect() const;
    TRect TabStripRect() const;
    TRect TabRect(int index) const;
    TRect TabDrawRect(int index, int state) const;
    // The page whose tab holds the point (control coordinates), or -1.
    int TabAt(QPoint point) const;
    // The caption rectangle of a tab drawn in state in an image of its draw rectangle's size.
    TRect TabCaptionRect(int index, int state) const;
    // Whether the page may become the active one (exists, is a ttTab page, enabled or
    // accessible, and OnPageChanging allows it).
    bool CanChangeTo(int index);
    // Rebuilds the cache when it is stale.
    void PrepareCache();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void ActivePageChanging(int newIndex) override;
    void ActivePageChanged() override;

private:
    friend class TsTabSheet;
    bool Skinned() const { return SkinData.IsSkinned(); }
    bool HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result);
    void BuildCache(Bitmap32& cache);
    void DrawTab(Bitmap32& target, int index, int state);
    void RedrawTab(int index, int state);
    int TabSection(int index, int& state) const;
    bool TabFocused() const;
    void PointerMoved(QPoint point);
    void PointerLeft();
    bool TabBarPress(QMouseEvent* event);
    bool TabBarRelease(QMouseEvent* event);
    bool TabBarKey(QKeyEvent* event);
    int NeighbourTab(int from, int step) const;
    bool PageChangeRevealed() const;

    TsTabStyle style_ = tsTabs;
    bool activeIsBold_ = false;
    bool showFocus_ = true;
    int tabPadding_ = 0;
    int hotTab_ = -1;
    int droppedTab_ = -1;
    int pressedButtonTab_ = -1;
    int visibleTabCount_ = 0;
    Bitmap32 revealStart_; // the control's look before a page change, while it is revealed
};

} // namespace skin

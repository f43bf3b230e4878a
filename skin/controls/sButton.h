// TsButton: the skinned push button. It paints itself from its skin section into its record's
// cache (background, border mask, glyph, caption, focus frame, disabled look) and copies the
// cache to the screen; state changes cross-fade (TsFadeTimer); a mask whose corners are cut
// (CornerKind 2) also cuts the button's window region. Unskinned, it is the framework's button.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QRegion>

#include <optional>

#include "framework/widgets/ImgList.h"
#include "framework/widgets/StdCtrls.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sFade.h"
#include "skin/render/sCommonData.h"

namespace skin {

// ButtonVisualState.
enum TsButtonVisual { bvNormal = 0, bvHot = 1, bvPressed = 2, bvActiveDefault = 3 };

// DisabledKind flags (the flags of PaintDisabledLook).
enum TsDisabledKind : int { dkBlended = 1, dkGrayed = 2 };

class TsButton : public framework::TButton {
    Q_OBJECT
public:
    explicit TsButton(QWidget* parent = nullptr);
    ~TsButton() override;

    TsCtrlSkinData SkinData;

    // --- Published properties; setters store a changed value and repaint.
    unsigned AnimatEvents() const { return animatEvents_; }
    void SetAnimatEvents(unsigned events) { animatEvents_ = events; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);
    int FocusMargin() const { return focusMargin_; }
    void SetFocusMargin(int margin) { focusMargin_ = margin; } // no repaint, as the framework has it
    int DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(int kind);
    bool Down() const { return down_; }
    void SetDown(bool down);
    int ContentMargin() const { return contentMargin_; }
    void SetContentMargin(int margin);
    TsButtonStyle Style() const { return style_; }
    void SetStyle(TsButtonStyle style);
    QString CommandLinkHint() const { return commandLinkHint_; }
    void SetCommandLinkHint(const QString& hint);
    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu* menu) { dropDownMenu_ = menu; }
    framework::TCustomImageList* Images() const { return images_; }
    void SetImages(framework::TCustomImageList* images);
    enum class TsGlyphRole { Normal, Hot, Pressed, Selected, Disabled };
    int ImageIndexOf(TsGlyphRole role) const;
    void SetImageIndexOf(TsGlyphRole role, int index);
    TsImageAlignment ImageAlignment() const { return imageAlignment_; }
    void SetImageAlignment(TsImageAlignment alignment);
    TsImageMargins ImageMargins() const { return imageMargins_; }
    void SetImageMargins(const TsImageMargins& margins);
    bool Reflected() const { return reflected_; }
    void SetReflected(bool reflected);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    framework::TNotifyEvent OnMouseEnter;
    framework::TNotifyEvent OnMouseLeave;

    // --- State.
    // The form's active default button: a default button while the form's focus is not on
    // another push button (which would take Enter).
    bool IsActiveDefault() const;
    int VisualState() const;
    // The skin image painted: a default button in a section of fewer than 4 states uses image 1.
    int RenderState() const;
    bool MenuDropped() const { return menuDropped_; }
    bool RegionStale() const { return regionStale_; }
    TsFadeTimer* Fader() const { return fader_; }
    // The caption and glyph rectangles of the current state.
    TRect CaptionRect() const;
    TRect FocusRect() const;
    bool FocusFrameShown() const;
    // Rebuilds the cache for the current state; false when the parent's image is not ready.
    bool PrepareCache();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // What the cache was painted for: a paint that would paint something else rebuilds it.
    struct TsLookKey {
        int RenderState = -1;
        bool FocusFrame = false;
        bool Enabled = true;
        QString Caption;
        bool operator==(const TsLookKey&) const = default;
    };
    TsLookKey CurrentLook() const;
    bool Skinned() const { return SkinData.IsSkinned(); }
    bool HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result);
    void Repaint();
    void StopFade();
    void Fade(bool fast, TsAnimatEvent event);
    void MouseEntered();
    void MouseLeft();
    bool InSplitPart(const QPoint& point) const;
    void DropMenu();
    TsButtonLayoutInput LayoutInput() const;
    QSize CaptionExtent() const;
    bool HasGlyph() const;
    int GlyphIndex() const;
    void PaintContent(Bitmap32& cache);
    void PaintFocusFrame(Bitmap32& cache, const TRect& frame) const;
    void ApplyRegion();
    void ImagesChanged();

    unsigned animatEvents_ = aeGlobalDef;
    bool showFocus_ = true;
    int focusMargin_ = 1;
    int disabledKind_ = dkBlended;
    bool down_ = false;
    int contentMargin_ = 6;
    TsButtonStyle style_ = bsPushButton;
    QString commandLinkHint_;
    QPointer<QMenu> dropDownMenu_;
    QPointer<framework::TCustomImageList> images_;
    int imageIndexes_[5] = {-1, -1, -1, -1, -1};
    TsImageAlignment imageAlignment_ = iaLeft;
    TsImageMargins imageMargins_;
    bool reflected_ = false;
    bool wordWrap_ = true;

    bool regionStale_ = true;
    std::optional<QRegion> pendingRegion_; // built with the cache, applied by the next paint
    bool regionApplied_ = false;
    bool menuDropped_ = false;
    bool pressStarted_ = false;
    // Stands for the platform's pushed state while the button prepares the look of a press or a
    // release before Qt itself changes isDown().
    std::optional<bool> pushedOverride_;
    QPointer<TsFadeTimer> fader_;
    TsLookKey cachedLook_;
};

// The library-wide paint-pressed-now flag: while set, a button pushed by the platform paints its
// pressed look even when the pointer is elsewhere.
bool PaintPressedNow();

} // namespace skin

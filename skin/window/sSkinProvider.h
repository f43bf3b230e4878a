// TsSkinProvider: the skinned frame of one form. It renders the whole frame (title strip with
// the icon, the caption and the caption buttons, the edges, and with extended borders the soft
// margin around them) into one image, the FrameBitmap, paints the form's non-client area and
// client background from it, and drives the frame: hit tests, hover, press and release of the
// caption buttons with their fades, the system menu, moving, activation, showing and hiding.
//
// On this platform the non-client area is part of the form's own top-level window: the provider
// makes it frameless, grows it by the frame and moves the client widget inside (TForm's
// TakeOverFrame). Mouse input over the frame arrives as the top-level's own mouse events, which
// the provider hit-tests and handles as the non-client messages of the frame.
#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QPointer>
#include <QRegion>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/widgets/Controls.h"
#include "framework/widgets/Forms.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/render/sCommonData.h"
#include "skin/window/sNonClient.h"

class QTimer;

namespace skin {

class TvlBorderForm;
class TvlSBAnimation;
class TsSystemMenu;
class TsSkinManager;

inline constexpr int kProviderKind = 224;
// The cursor the frame last set was for no hit code yet.
inline constexpr int kNoCursorHit = -1000;

enum class TsGripMode { gmNone, gmRightBottom };
enum class TsResizeMode { rmStandard, rmBorder };

// Text drawn after the caption.
struct TvlAddedTitle {
    QString Text;
    QFont Font;
    TColor FontColor = clNone; // clNone or clWindowText: the title section's colour
    bool ShowMainCaption = true;
};

// An icon in place of the form's own.
struct TsTitleIcon {
    QImage Glyph; // empty: the form's icon
    int Width = 0;
    int Height = 0;
    bool Visible = true;
};

// A caption button of the program's own, placed left of the standard ones.
struct TsTitleButton {
    QString Name;
    QString Hint;
    QImage Glyph;
    bool Enabled = true;
    bool UseSkinData = true;
    bool Visible = true;
    std::function<void(TsTitleButton& button, QPoint screenPoint)> OnMouseDown;
    std::function<void(TsTitleButton& button, QPoint screenPoint)> OnMouseUp;
};

// One button of the title. Rect is in FrameBitmap coordinates; a button not shown has
// Right == Left.
struct TsCaptionButton {
    int HitCode = 0;
    int State = 0; // 0 normal, 1 hot, 2 pressed
    int ImageIndex = -1;
    TRect Rect;
    bool BigImage = false;
    int GlowId = -1;
    std::unique_ptr<TvlSBAnimation> Animation;
    bool Shown() const { return Rect.Right > Rect.Left; }
};

// What runs besides the normal frame (RenderFrame and the fades are held while any of the
// first four runs).
enum TsProviderMode : unsigned {
    pmTranslucentDrag = 0x1,
    pmHideAnimation = 0x2,
    pmMinimizeAnimation = 0x4,
    pmRestoreAnimation = 0x8,
    pmActivating = 0x10,
};

// Who made the provider: a form's own component, or the window hook (which finishes its
// set-up later and leaves UseGlobalColor off).
enum class TsProviderOrigin { Component, Hook };

class TsSkinProvider : public QObject {
    Q_OBJECT
public:
    explicit TsSkinProvider(framework::TForm* form, TsProviderOrigin origin = TsProviderOrigin::Component);
    ~TsSkinProvider() override;

    framework::TForm* Form() const { return form_; }
    TsCommonData& SkinData() { return record_; }
    const TsCommonData& SkinData() const { return record_; }
    // False for a provider made for a form that had one already: it never acts.
    bool Serving() const { return serving_; }
    // The frame is the provider's: a skin is in force and the form's non-client area was taken.
    bool FrameTaken() const { return frameTaken_; }

    // --- Published properties.
    TvlAddedTitle AddedTitle;
    bool AllowAnimation = true;
    bool AllowBlendOnMoving = true;
    bool DrawClientArea = true;
    bool MakeSkinMenu = false;
    std::string MenuLineSkin;
    TsResizeMode ResizeMode = TsResizeMode::rmStandard;
    bool ScreenSnap = false;
    int SnapBuffer = 10;
    bool UseGlobalColor = true;
    TsTitleIcon TitleIcon;
    std::vector<TsTitleButton> TitleButtons;
    // Asked first by the extended border's hit test; a non-zero answer is the hit code.
    std::function<int(QPoint screenPoint)> OnExtHitTest;

    bool AllowExtBorders() const { return allowExtBorders_; }
    void SetAllowExtBorders(bool allow);
    framework::TAlignment CaptionAlignment() const { return captionAlignment_; }
    void SetCaptionAlignment(framework::TAlignment alignment);
    bool DrawNonClientArea() const { return drawNonClientArea_; }
    void SetDrawNonClientArea(bool draw);
    TsGripMode GripMode() const { return gripMode_; }
    void SetGripMode(TsGripMode mode);
    bool ShowAppIcon() const { return showAppIcon_; }
    void SetShowAppIcon(bool show);
    const std::string& TitleSkin() const { return titleSkin_; }
    void SetTitleSkin(const std::string& section);
    // Apply a change of AddedTitle, TitleIcon or TitleButtons.
    void TitleChanged();

    // --- Metrics (pixels; see the frame's formulas in sSkinProviderLayout.cpp).
    bool HasFrame() const;
    bool HasTitle() const;
    bool BigForm() const;
    int SysBorder() const;
    int SysTitleHeight() const;
    int FormWidth() const;  // the form's own window with its system frame
    int FormHeight() const;
    int FrameBorder() const;
    int TopBorder() const;
    int TitleHeight() const;
    FrameWidths ExtMargins() const;
    int FrameWidth() const;
    int FrameHeight() const;
    int ClientOffsetX() const;
    int ClientOffsetY() const;
    int ButtonsWidth() const;

    // --- Layout (results of LayoutTitle).
    void ChooseButtonImages();
    void LayoutTitle();
    TRect IconRect() const { return iconRect_; }
    int CaptionVCenter() const { return captionVCenter_; }
    int CaptionBottom() const { return captionBottom_; }
    bool IconShown() const;
    int IconWidth() const;
    int IconHeight() const;
    // The standard buttons by hit code (HTMINBUTTON, HTMAXBUTTON, HTCLOSE, HTHELP), user buttons
    // by 1000 + index; nullptr for any other code.
    TsCaptionButton* CaptionButton(int hitCode);
    const TsCaptionButton* CaptionButton(int hitCode) const;
    int HotHitCode() const { return hotHitCode_; }
    // The caption text's rect of the last render.
    TRect CaptionTextRect() const { return captionTextRect_; }

    // --- Painting.
    // Renders the FrameBitmap when it is stale; false when nothing could be drawn.
    bool RenderFrame();
    const Bitmap32* FrameBitmap() const { return record_.CacheBitmap.get(); }
    void InvalidateFrame(); // marks the FrameBitmap stale and repaints the frame
    void RedrawCaptionButton(int hitCode);
    void BuildWindowRegion(bool redraw);
    // Key-colour pixels of the frame's corners cut out of a form without extended borders.
    const std::vector<TRect>& RegionRects() const { return regionRects_; }
    // The region given to the window (empty: none).
    QRegion WindowRegion() const { return windowRegion_; }
    // How often the FrameBitmap has been rendered (for the benchmarks and tests).
    int RenderCount() const { return renderCount_; }

    // --- Behaviour.
    bool FormActive() const { return formActive_; }
    TvlBorderForm* BorderForm() const { return borderForm_.get(); }
    TsSystemMenu& SystemMenu();
    // The hit code of a point in the top-level's coordinates: the extended border's hit test
    // with a TvlBorderForm, FrameHitTest without.
    int HitTest(QPoint point) const;
    int FrameHitTest(QPoint point) const;
    void SetHotButton(int hitCode, bool repaint);
    void PressButton(int hitCode);
    // A release with its hit code (-1: hit-test the point again) at a point of the top-level.
    void ReleaseButton(int hitCode, QPoint point);
    void ShowSystemMenu(QPoint screenPoint);
    // WM_SYSCOMMAND: SC_CLOSE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_SIZE,
    // SC_CONTEXTHELP, SC_KEYMENU (argument: the key), and the program's own menu commands.
    void SystemCommand(int command, int argument = 0);
    // WM_NCACTIVATE.
    void Activate(bool active);
    unsigned Modes() const { return modes_; }
    // The set-up a hook-made provider finishes once its form is complete: the system menu, the
    // button images, and the frame taken over when a skin is in force. Runs once.
    void Start();
    // True from the press of a caption button until its release or until the pointer leaves;
    // shared by every provider.
    static bool ButtonPressed();
    // Where the form's own window (with its system frame) lies in the top-level's coordinates:
    // (OffsetX, OffsetY) of the extended border, or the origin.
    QPoint FormWindowOrigin() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TvlBorderForm;
    friend class TvlSBAnimation;

    // Life (sSkinProvider.cpp).
    void SkinLoaded();
    void SkinRemoved();
    void SkinRefreshed();
    bool SkinInForce() const;
    void TakeFrame();
    void GiveFrameBack();
    void SwitchExtendedBorder(bool on);
    bool ExtendedBorderAllowed() const;
    void Relayout();
    void DropButtonAnimations();
    // After a skin change: the hot or pressed caption button shows that look in the new skin.
    void ReshowHotButton();
    TsSkinManager* Manager() const;
    const TsSkinModel* Model() const;

    // Painting (sSkinProviderPaint.cpp).
    void DrawTitle();
    void PaintCaptionIcon();
    void DrawCaptionText();
    void DrawCaptionButtons();
    void DrawOneButton(Bitmap32& target, const TsCaptionButton& button, int state, bool enabled, TPoint at) const;
    void PaintNonClient(QEvent* event);
    void PaintClient(QEvent* event);
    void ComputeRegionRects();
    bool ButtonEnabled(const TsCaptionButton& button) const;
    int StateIndex(int stateCount) const;
    bool PictureIsFrame() const;

    // Events (sSkinProviderEvents.cpp).
    bool FormEvent(QEvent* event);
    bool ClientEvent(QEvent* event);
    bool SkinCommand(QObject* target, QEvent* event);
    void MouseMoved(QPoint point, Qt::MouseButtons buttons, QPoint screenPoint);
    void MousePressed(QPoint point, Qt::MouseButton button, QPoint screenPoint);
    void MouseReleased(QPoint point, Qt::MouseButton button, QPoint screenPoint);
    void MouseDoubleClicked(QPoint point, Qt::MouseButton button);
    void PointerLeft();
    void UpdateCursor(int hitCode);
    void StartMove(QPoint screenPoint);
    void FormResized();
    void FormStateChanged();
    void BlockedChanged(bool blocked);
    void ShowHook();
    void HideHook();
    void ShowSystemMenuBelowIcon(int left);

    QPointer<framework::TForm> form_;
    TsCommonData record_;
    bool serving_ = false;
    bool started_ = false;
    bool hookMade_ = false;
    bool frameTaken_ = false;
    bool formActive_ = true;
    bool blocked_ = false;
    unsigned modes_ = 0;
    int renderCount_ = 0;

    bool allowExtBorders_ = true;
    framework::TAlignment captionAlignment_ = framework::taLeftJustify;
    bool drawNonClientArea_ = true;
    TsGripMode gripMode_ = TsGripMode::gmNone;
    bool showAppIcon_ = true;
    std::string titleSkin_;

    // Layout.
    std::array<TsCaptionButton, 4> buttons_; // Minimize, Maximize, Close, Help
    std::vector<TsCaptionButton> userButtons_;
    TRect iconRect_;
    int captionVCenter_ = 0;
    int captionBottom_ = 0;
    TRect captionTextRect_;
    int hotHitCode_ = 0;
    int titleSectionIndex_ = -1;
    int captionSectionIndex_ = -1;
    int userButtonsImage_ = -1;
    Bitmap32 buttonsBackground_;
    TPoint buttonsBackgroundAt_;

    // Window region (forms without extended borders).
    std::vector<TRect> regionRects_;
    bool regionStale_ = true;
    QRegion windowRegion_;

    std::unique_ptr<TvlBorderForm> borderForm_;
    std::unique_ptr<TsSystemMenu> systemMenu_;
    QTimer* systemMenuDelay_ = nullptr;
    QPoint systemMenuDelayAt_;

    // A title drag: where it was pressed, and whether the window follows the pointer itself
    // (no window manager to move it).
    bool dragPending_ = false;
    bool dragByHand_ = false;
    QPoint dragPressScreen_;
    QPoint dragWindowStart_;
    int cursorHit_ = kNoCursorHit;
    // The geometry a double click on a side edge stretched the form from.
    QRect stretchedFrom_;
    static bool buttonPressed_;
    bool clientAutoFill_ = true;
    bool formTracking_ = false;
};

// The provider of a form (the one that answers SKC_GET_PROVIDER), or nullptr.
TsSkinProvider* ProviderOf(QObject* form);

} // namespace skin

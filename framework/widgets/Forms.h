// TForm: a top-level window whose client widget holds every control in client coordinates.
// Unskinned, the window manager draws the frame and the client widget fills the window; a skin
// provider may take over the non-client area (the window turns frameless, grows by the frame
// margins and the client widget moves inside them).
#pragma once

#include "framework/widgets/Controls.h"
#include "framework/widgets/Graphics.h"

#include <QFlags>
#include <QFont>
#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QEventLoop;

namespace framework {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// Controls use the first two values (bsNone, bsSingle).
using TBorderStyle = TFormBorderStyle;

enum TBorderIcon { biSystemMenu = 0x1, biMinimize = 0x2, biMaximize = 0x4, biHelp = 0x8 };
Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)

enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

// How a skin provider holds the non-client area it took over.
enum class FrameTakeOver { Opaque, Translucent };

using TCloseQueryEvent = std::function<void(QObject* sender, bool& canClose)>;

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    // Parent of every control of the form; its origin is the client area's top-left corner.
    QWidget* client() const { return client_; }

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }

    // The component's free number; the skin engine never skins a form whose tag and -98 equal -98.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // True from construction until OnCreate runs or the form is first shown (the framework's
    // loading state: a form being built is not complete yet).
    bool Loading() const { return loading_; }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The form's font; controls without a font of their own inherit it.
    void SetFormFont(const QFont& font) { setFont(font); }

    int ClientWidth() const { return clientSize_.width(); }
    int ClientHeight() const { return clientSize_.height(); }
    void SetClientSize(int width, int height);

    // The non-client area around the client widget: zero unless a skin provider took it over.
    // TakeOverFrame makes the window frameless (translucent on request), sizes it to the client
    // area plus margins and moves the client widget to (margins.left, margins.top);
    // GiveBackFrame returns the frame to the window manager.
    QMargins NonClientMargins() const { return nonClient_; }
    bool FrameTakenOver() const { return frameTakenOver_; }
    void TakeOverFrame(QMargins margins, FrameTakeOver mode);
    void GiveBackFrame();

    // Events. OnCreate runs once, after the controls exist and before the form is shown
    // (TApplication::CreateForm calls DoCreate). OnCloseQuery may refuse a close.
    TNotifyEvent OnCreate;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnClose;
    void DoCreate();

    // Shows the form application-modal and returns its modal result once it is hidden;
    // setting a modal result other than mrNone during ShowModal closes the form. The form is
    // then a dialog owned by the active form (else the main form): window managers keep it above
    // its owner and group the two.
    int ShowModal();
    // The window this form belongs to while shown modally (its transient parent), or nullptr.
    QWidget* OwnerWindow() const { return owner_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);

    // Every live form in creation order.
    static std::vector<TForm*> Forms();

    void setVisible(bool visible) override;

signals:
    void Closed();
    // The first thing the form's destructor does: what hangs on the form lets go of it.
    void Destroying();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void ApplyWindowFlags();
    void ApplyGeometry();
    void PlaceOnFirstShow();
    bool HasAlphaChannel() const;
    void RemakeWithAlpha();

    QWidget* client_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = TBorderIcons(biSystemMenu) | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    int tag_ = 0;
    bool loading_ = true;
    TColor color_ = clBtnFace;
    static constexpr int kDefaultClientWidth = 320;
    static constexpr int kDefaultClientHeight = 240;
    QSize clientSize_{kDefaultClientWidth, kDefaultClientHeight};
    QMargins nonClient_;
    bool frameTakenOver_ = false;
    bool placed_ = false;
    int modalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
    QPointer<QWidget> owner_;
};

// The form a widget belongs to (the nearest TForm among its ancestors), or nullptr.
TForm* GetParentForm(const QWidget* widget);

} // namespace framework

Q_DECLARE_OPERATORS_FOR_FLAGS(framework::TBorderIcons)

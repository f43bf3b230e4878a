// Window flags from the border style and icons, the client widget's geometry, placement on
// first show, the modal loop, and the list of live forms.
#include "framework/widgets/Forms.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/StdCtrls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace framework {
namespace {

std::vector<TForm*>& LiveForms() {
    static std::vector<TForm*> forms;
    return forms;
}

bool IsSizeable(TFormBorderStyle style) { return style == bsSizeable || style == bsSizeToolWin; }

// The owner of a form about to be shown modally: the active form, else the main form; only a
// form that is shown can own another.
QWidget* ModalOwner(const QWidget* form) {
    QWidget* candidates[] = {QApplication::activeWindow(), Application() ? Application()->MainForm() : nullptr};
    for (QWidget* candidate : candidates)
        if (candidate != nullptr && candidate != form && candidate->isVisible() && candidate->windowHandle() != nullptr)
            return candidate;
    return nullptr;
}

} // namespace

TForm::TForm(QWidget* owner) : QWidget(owner, Qt::Window), client_(new QWidget(this)) {
    LiveForms().push_back(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    SetColor(color_);
    ApplyWindowFlags();
    ApplyGeometry();
}

TForm::~TForm() {
    emit Destroying();
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (modalLoop_ != nullptr)
        modalLoop_->quit();
}

std::vector<TForm*> TForm::Forms() { return LiveForms(); }

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    ApplyWindowFlags();
    ApplyGeometry();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    ApplyWindowFlags();
}

void TForm::SetColor(TColor color) {
    color_ = color;
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    client_->setPalette(palette);
}

void TForm::SetClientSize(int width, int height) {
    clientSize_ = QSize(width, height);
    ApplyGeometry();
}

void TForm::TakeOverFrame(QMargins margins, FrameTakeOver mode) {
    nonClient_ = margins;
    frameTakenOver_ = true;
    setAttribute(Qt::WA_TranslucentBackground, mode == FrameTakeOver::Translucent);
    ApplyWindowFlags();
    ApplyGeometry();
    // A window keeps the pixel format it was made with: one made opaque is made again to gain
    // an alpha channel. Later, from the loop: the take-over may come while Qt is still handling
    // an event of the window (its activation).
    if (mode == FrameTakeOver::Translucent && !HasAlphaChannel())
        QMetaObject::invokeMethod(this, [this] { RemakeWithAlpha(); }, Qt::QueuedConnection);
}

// What the window was made with: a window made again keeps its first pixel format, whatever is
// asked of it later. The offscreen platform has no pixel formats: there what was asked stands.
bool TForm::HasAlphaChannel() const {
    const QWindow* window = windowHandle();
    if (!testAttribute(Qt::WA_WState_Created) || window == nullptr)
        return true;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return window->requestedFormat().hasAlpha();
    return window->format().hasAlpha();
}

void TForm::RemakeWithAlpha() {
    // Not while a modal loop runs: hiding the form would end it.
    if (!frameTakenOver_ || !testAttribute(Qt::WA_TranslucentBackground) || HasAlphaChannel() || modalLoop_ != nullptr)
        return;
    const bool shown = isVisible();
    hide();
    destroy(true, true);
    if (shown)
        show();
}

void TForm::GiveBackFrame() {
    nonClient_ = QMargins();
    frameTakenOver_ = false;
    setAttribute(Qt::WA_TranslucentBackground, false);
    ApplyWindowFlags();
    ApplyGeometry();
}

void TForm::ApplyWindowFlags() {
    // A dialog (and any form that has an owner) is a dialog window: on X11 only those carry the
    // owner as their transient parent (WM_TRANSIENT_FOR).
    Qt::WindowFlags flags = borderStyle_ == bsDialog || owner_ ? Qt::Dialog : Qt::Window;
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        flags = Qt::Tool;
    if (borderStyle_ == bsNone || frameTakenOver_) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (borderIcons_ & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const bool dialogLike = borderStyle_ == bsDialog || flags.testFlag(Qt::Tool);
        if (!dialogLike && (borderIcons_ & biMinimize))
            flags |= Qt::WindowMinimizeButtonHint;
        if (!dialogLike && (borderIcons_ & biMaximize))
            flags |= Qt::WindowMaximizeButtonHint;
        if (borderIcons_ & biHelp)
            flags |= Qt::WindowContextHelpButtonHint;
        if (!IsSizeable(borderStyle_))
            flags |= Qt::MSWindowsFixedSizeDialogHint;
    }
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible)
        show();
}

void TForm::ApplyGeometry() {
    const QSize total = clientSize_.grownBy(nonClient_);
    client_->setGeometry(QRect(QPoint(nonClient_.left(), nonClient_.top()), clientSize_));
    if (IsSizeable(borderStyle_)) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(total);
    } else {
        setFixedSize(total);
    }
}

void TForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize inner = size().shrunkBy(nonClient_);
    if (inner != clientSize_ && IsSizeable(borderStyle_)) {
        clientSize_ = inner;
        client_->setGeometry(QRect(QPoint(nonClient_.left(), nonClient_.top()), clientSize_));
    }
}

void TForm::PlaceOnFirstShow() {
    placed_ = true;
    if (position_ != poScreenCenter && position_ != poDesktopCenter)
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = position_ == poDesktopCenter ? screen->virtualGeometry() : screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TForm::setVisible(bool visible) {
    if (visible && !placed_) {
        loading_ = false;
        // The window hook sees the form complete but before its window exists: a skin provider
        // that takes the frame over decides the window's size and translucency here, and the
        // form is then placed with its final size.
        ensurePolished();
        PlaceOnFirstShow();
    }
    if (visible && owner_) {
        create();
        windowHandle()->setTransientParent(owner_->windowHandle());
    }
    QWidget::setVisible(visible);
}

void TForm::DoCreate() {
    loading_ = false;
    if (OnCreate)
        CallSafely([this] { OnCreate(this); });
}

bool TForm::focusNextPrevChild(bool next) {
    // Qt passes the focus of a control that is being disabled on to the next one in the chain,
    // which wraps round to the first edit of the form: clicking Start, which disables itself,
    // would put the focus into an edit that clamps its value when it loses the focus again. As
    // on the platform the program was made for, the focus goes nowhere instead: the form holds
    // it, so that activating the form again does not pick the first control either.
    if (QWidget* focused = focusWidget(); focused != nullptr && focused != this && !focused->isEnabled()) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TForm::keyPressEvent(QKeyEvent* event) {
    // Escape, which no control took, presses the form's cancel button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        for (TButton* button : client_->findChildren<TButton*>())
            if (button->Cancel() && button->isVisible() && button->isEnabled()) {
                button->Click();
                return;
            }
    }
    QWidget::keyPressEvent(event);
}

void TForm::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    if (OnCloseQuery)
        CallSafely([&] { OnCloseQuery(this, canClose); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    if (modalLoop_ != nullptr && modalResult_ == mrNone)
        modalResult_ = mrCancel;
    if (OnClose)
        CallSafely([this] { OnClose(this); });
    emit Closed();
}

void TForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (modalLoop_ != nullptr)
        modalLoop_->quit();
}

void TForm::SetModalResult(int result) {
    modalResult_ = result;
    if (modalLoop_ != nullptr && result != mrNone)
        close();
}

int TForm::ShowModal() {
    modalResult_ = mrNone;
    owner_ = ModalOwner(this);
    if (owner_ && windowType() == Qt::Window && !isVisible())
        ApplyWindowFlags(); // a dialog window from now on
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    modalLoop_ = &loop;
    show();
    activateWindow();
    const QPointer<TForm> alive(this);
    loop.exec(QEventLoop::DialogExec);
    if (!alive)
        return mrCancel;
    modalLoop_ = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

TForm* GetParentForm(const QWidget* widget) {
    for (QWidget* w = const_cast<QWidget*>(widget); w != nullptr; w = w->parentWidget())
        if (auto* form = qobject_cast<TForm*>(w))
            return form;
    return nullptr;
}

} // namespace framework

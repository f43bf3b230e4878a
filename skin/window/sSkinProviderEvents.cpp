// The provider's message table on Qt's events: the form's own events stand for the platform's
// non-client messages (mouse over the frame, activation, size, text, icon, showing), the client
// widget's paint and background questions are answered from the FrameBitmap; then the hit test
// of a form without extended borders, the caption buttons' hover, press and release, the
// system menu, system commands, moving and activation.
#include "skin/window/sSkinProvider.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWhatsThis>
#include <QWindow>

#include "framework/core/SkinCommand.h"
#include "framework/widgets/Application.h"
#include "framework/widgets/InputShape.h"
#include "framework/widgets/SystemMetrics.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sGlow.h"
#include "skin/window/sSkinProviderBorder.h"
#include "skin/window/sSkinProviderFade.h"
#include "skin/window/sSkinProviderSysMenu.h"

namespace skin {
namespace {

constexpr int kIconicMenuLift = 16;
constexpr int kPressed = 2;
constexpr int kHot = 1;

bool Contains(const TRect& r, QPoint p) { return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom; }

std::intptr_t AsLParam(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

} // namespace

// ---------------------------------------------------------------- events

bool TsSkinProvider::eventFilter(QObject* watched, QEvent* event) {
    if (!serving_ || !form_)
        return false;
    if (watched == form_)
        return FormEvent(event);
    if (watched == form_->client())
        return ClientEvent(event);
    return false;
}

bool TsSkinProvider::FormEvent(QEvent* event) {
    if (event->type() == framework::kSkinCommandEventType)
        return SkinCommand(form_, event);
    switch (event->type()) {
    case QEvent::Show: ShowHook(); break;
    case QEvent::Hide: HideHook(); break;
    case QEvent::WindowBlocked: BlockedChanged(true); break;
    case QEvent::WindowUnblocked: BlockedChanged(false); break;
    case QEvent::EnabledChange: BlockedChanged(!form_->isEnabled()); break;
    default: break;
    }
    if (!frameTaken_)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        PaintNonClient(event);
        return true;
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        MouseMoved(mouse->position().toPoint(), mouse->buttons(), mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        MousePressed(mouse->position().toPoint(), mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        MouseReleased(mouse->position().toPoint(), mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        MouseDoubleClicked(mouse->position().toPoint(), mouse->button());
        return true;
    }
    case QEvent::ContextMenu: {
        // The right button's release over the title shows the system menu; nothing else may.
        const int code = HitTest(static_cast<QContextMenuEvent*>(event)->pos());
        return code == HTCAPTION || code == HTSYSMENU || code == HTTRANSPARENT;
    }
    case QEvent::Leave:
        PointerLeft();
        UpdateCursor(HTNOWHERE);
        break;
    case QEvent::Resize: FormResized(); break;
    case QEvent::Move:
        // Fade images are placed in the window; a moved window shows them afresh.
        DropButtonAnimations();
        break;
    case QEvent::WindowActivate: Activate(true); break;
    case QEvent::WindowDeactivate: Activate(false); break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange: InvalidateFrame(); break;
    case QEvent::WindowStateChange: FormStateChanged(); break;
    default: break;
    }
    return false;
}

bool TsSkinProvider::ClientEvent(QEvent* event) {
    if (event->type() == framework::kSkinCommandEventType && frameTaken_) {
        auto* command = static_cast<framework::SkinCommandEvent*>(event);
        switch (command->Command()) {
        case SKC_IS_SKINNED:
        case SKC_GET_BACKGROUND:
        case SKC_GET_CONTROL_COLOR:
        case SKC_GET_PARENT_BG_FLAGS:
        case SKC_GET_SKIN_DATA:
        case SKC_GET_PROVIDER:
        case SKC_IS_PREPARING: return SkinCommand(form_->client(), event);
        default: return false;
        }
    }
    if (event->type() == QEvent::Paint && frameTaken_ && DrawClientArea) {
        PaintClient(event);
        return true;
    }
    if (event->type() == QEvent::Enter && frameTaken_) {
        // The pointer went from the frame into the client area.
        PointerLeft();
        UpdateCursor(HTCLIENT);
    }
    return false;
}

bool TsSkinProvider::SkinCommand(QObject* target, QEvent* event) {
    auto* command = static_cast<framework::SkinCommandEvent*>(event);
    const bool fromOwnManager = record_.FromOwnManager(command->LParam());
    std::intptr_t result = 0;
    switch (command->Command()) {
    case SKC_SKIN_LOADED:
        record_.HandleSkinCommand(SKC_SKIN_LOADED, 0, command->LParam(), result);
        if (fromOwnManager)
            SkinLoaded();
        return false;
    case SKC_SKIN_REMOVED:
        if (fromOwnManager)
            SkinRemoved();
        record_.HandleSkinCommand(SKC_SKIN_REMOVED, 0, command->LParam(), result);
        return false;
    case SKC_SKIN_REFRESH:
        record_.HandleSkinCommand(SKC_SKIN_REFRESH, 0, command->LParam(), result);
        if (fromOwnManager)
            SkinRefreshed();
        return false;
    case SKC_STOP_FADING:
        DropButtonAnimations();
        return false;
    case SKC_IS_SKINNED:
        command->SetResult(1);
        return true;
    case SKC_GET_PROVIDER:
        command->SetResult(AsLParam(this));
        return true;
    case SKC_GET_CLIENT_OFFSET:
        command->SetResult((ClientOffsetY() << 16) | (ClientOffsetX() & 0xFFFF));
        return true;
    case SKC_GET_APPLICATION:
        command->SetResult(AsLParam(QCoreApplication::instance()));
        return true;
    case SKC_GET_SKIN_DATA:
        command->SetResult(AsLParam(&record_));
        return true;
    case SKC_GET_CONTROL_COLOR:
        if (const TsGeneralData* section = record_.Section(); section && frameTaken_) {
            command->SetResult(std::intptr_t(framework::ColorBits(section->Props[TsLook::Normal].Color)));
            return true;
        }
        return false;
    case SKC_GET_BACKGROUND: {
        if (command->LParam() == 0 || !frameTaken_)
            return false;
        RenderFrame();
        auto& info = *reinterpret_cast<TsBackgroundInfo*>(command->LParam());
        const Bitmap32* frame = FrameBitmap();
        if (frame == nullptr || frame->Empty()) {
            info.Kind = TsBgKind::NotReady;
            return true;
        }
        // The client's children see the FrameBitmap from the client's origin.
        const TPoint origin = target == form_->client() ? TPoint{ClientOffsetX(), ClientOffsetY()} : TPoint{};
        info.Kind = TsBgKind::Bitmap;
        if (info.PaintNow) {
            if (info.DC != nullptr) {
                const TRect source{info.DrawRect.Left + info.OffsetX + origin.X, info.DrawRect.Top + info.OffsetY + origin.Y,
                                   info.DrawRect.Right + info.OffsetX + origin.X,
                                   info.DrawRect.Bottom + info.OffsetY + origin.Y};
                CopyBlock(*info.DC, info.DrawRect.Left, info.DrawRect.Top, *frame, source);
            }
            return true;
        }
        info.Bitmap = frame;
        info.OffsetX = origin.X;
        info.OffsetY = origin.Y;
        return true;
    }
    case SKC_GET_PARENT_BG_FLAGS:
    case SKC_IS_PREPARING:
        if (!record_.HandleSkinCommand(command->Command(), command->Argument(), command->LParam(), result))
            return false;
        command->SetResult(result);
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- hit testing

int TsSkinProvider::HitTest(QPoint point) const {
    if (borderForm_)
        return borderForm_->BorderHitTest(point);
    return FrameHitTest(point);
}

int TsSkinProvider::FrameHitTest(QPoint point) const {
    if (!form_ || TitleHeight() <= 0 || !drawNonClientArea_)
        return HTCLIENT;
    if (blocked_ || !form_->isEnabled())
        return HTNOWHERE;
    const TsSystemMenu& menu = *systemMenu_;
    const bool systemMenu = form_->BorderIcons().testFlag(framework::biSystemMenu);
    int code = HTCLIENT;
    if (Contains(buttons_[2].Rect, point))
        code = !systemMenu ? HTCLIENT : menu.EnabledClose() ? HTCLOSE : HTCAPTION;
    else if (menu.VisibleMax() && Contains(buttons_[1].Rect, point))
        code = menu.EnabledMax() || (menu.EnabledRestore() && !form_->isMinimized()) ? HTMAXBUTTON : HTCAPTION;
    else if (menu.VisibleMin() && Contains(buttons_[0].Rect, point))
        code = menu.EnabledMin() || form_->isMinimized() ? HTMINBUTTON : HTCAPTION;
    else if (form_->BorderIcons().testFlag(framework::biHelp) && Contains(buttons_[3].Rect, point))
        code = HTHELP;
    else
        for (std::size_t i = 0; i < userButtons_.size() && i < TitleButtons.size(); ++i)
            if (userButtons_[i].Shown() && Contains(userButtons_[i].Rect, point)) {
                code = TitleButtons[i].Enabled ? kUserButtonHitBase + int(i) : HTCLIENT;
                break;
            }
    if (code != HTCLIENT)
        return code;
    const framework::TFormBorderStyle style = form_->BorderStyle();
    const bool sizeable = style == framework::bsSizeable || style == framework::bsSizeToolWin;
    if (sizeable && !form_->isMaximized()) {
        const int edge = FrameBorder();
        const bool top = point.y() < TopBorder();
        const bool bottom = point.y() >= form_->height() - edge;
        const bool left = point.x() < edge;
        const bool right = point.x() >= form_->width() - edge;
        if ((top || bottom) && (left || right))
            return top ? (left ? HTTOPLEFT : HTTOPRIGHT) : (left ? HTBOTTOMLEFT : HTBOTTOMRIGHT);
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    const bool tool = style == framework::bsToolWindow || style == framework::bsSizeToolWin;
    const int captionHeight = framework::GetSystemMetrics(tool ? framework::SM_CYSMCAPTION : framework::SM_CYCAPTION);
    if (point.y() >= 0 && point.y() <= TopBorder() + captionHeight)
        return Contains(iconRect_, point) ? HTSYSMENU : HTCAPTION;
    return HTCLIENT;
}

void TsSkinProvider::UpdateCursor(int hitCode) {
    if (!form_ || hitCode == cursorHit_)
        return;
    cursorHit_ = hitCode;
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (TvlBorderForm::CursorFor(hitCode, shape))
        form_->setCursor(shape);
    else
        form_->unsetCursor();
}

// ---------------------------------------------------------------- the mouse over the frame

void TsSkinProvider::MouseMoved(QPoint point, Qt::MouseButtons buttons, QPoint screenPoint) {
    if (dragByHand_) {
        form_->move(dragWindowStart_ + screenPoint - dragPressScreen_);
        return;
    }
    if (dragPending_ && (buttons & Qt::LeftButton)) {
        if ((screenPoint - dragPressScreen_).manhattanLength() >= QApplication::startDragDistance()) {
            dragPending_ = false;
            // The window catches up with the pointer, then the window manager (or the pointer
            // itself) moves it on.
            form_->move(dragWindowStart_ + screenPoint - dragPressScreen_);
            StartMove(screenPoint);
        }
        return;
    }
    const int code = HitTest(point);
    UpdateCursor(code);
    if (code == HTTRANSPARENT && borderForm_) {
        // In the margin: nothing of the frame is under the pointer.
        SetHotButton(0, true);
        return;
    }
    if (form_->isEnabled() && !blocked_)
        if (TsSkinManager* manager = Manager())
            manager->SetHotWindow(form_);
    SetHotButton(IsCaptionButtonHit(code) ? code : 0, true);
}

void TsSkinProvider::MousePressed(QPoint point, Qt::MouseButton button, QPoint screenPoint) {
    int code = HitTest(point);
    if (code == HTTRANSPARENT && borderForm_)
        return;
    if (button != Qt::LeftButton)
        return;
    if (!drawNonClientArea_) {
        if (code == HTSYSMENU)
            ShowSystemMenuBelowIcon(SysBorder());
        return;
    }
    switch (code) {
    case HTSYSMENU:
        SetHotButton(0, true);
        buttonPressed_ = false;
        // The menu waits a moment: a double click on the icon closes the form instead.
        systemMenuDelayAt_ = form_->mapToGlobal(FormWindowOrigin() +
                                                QPoint(SysBorder(), 2 * TopBorder() + HeightOf(iconRect_)));
        systemMenuDelay_->start();
        return;
    case HTMENU: return;
    default: break;
    }
    if (IsCaptionButtonHit(code)) {
        PressButton(code);
        const int index = code - kUserButtonHitBase;
        if (index >= 0 && index < int(TitleButtons.size()) && TitleButtons[std::size_t(index)].OnMouseDown)
            TitleButtons[std::size_t(index)].OnMouseDown(TitleButtons[std::size_t(index)], screenPoint);
        return;
    }
    if (form_->isMinimized()) {
        SystemCommand(SC_DRAGMOVE);
        return;
    }
    SetHotButton(0, true);
    if (code == HTCAPTION && !form_->isMaximized()) {
        // The move starts once the pointer has gone the drag distance, so that a double click
        // stays a double click.
        dragPending_ = true;
        dragPressScreen_ = screenPoint;
        dragWindowStart_ = form_->pos();
        return;
    }
    if (IsSizingHit(code) && form_->windowHandle()) {
        static constexpr std::pair<int, Qt::Edges> kEdges[] = {
            {HTLEFT, Qt::LeftEdge},
            {HTRIGHT, Qt::RightEdge},
            {HTTOP, Qt::TopEdge},
            {HTBOTTOM, Qt::BottomEdge},
            {HTTOPLEFT, Qt::TopEdge | Qt::LeftEdge},
            {HTTOPRIGHT, Qt::TopEdge | Qt::RightEdge},
            {HTBOTTOMLEFT, Qt::BottomEdge | Qt::LeftEdge},
            {HTBOTTOMRIGHT, Qt::BottomEdge | Qt::RightEdge},
        };
        for (const auto& [hit, edges] : kEdges)
            if (hit == code)
                form_->windowHandle()->startSystemResize(edges);
    }
}

void TsSkinProvider::MouseReleased(QPoint point, Qt::MouseButton button, QPoint screenPoint) {
    dragPending_ = false;
    if (dragByHand_) {
        dragByHand_ = false;
        form_->move(dragWindowStart_ + screenPoint - dragPressScreen_);
        form_->releaseMouse();
        return;
    }
    const int code = HitTest(point);
    if (code == HTTRANSPARENT && borderForm_)
        return;
    if (button == Qt::LeftButton) {
        ReleaseButton(code, point);
        return;
    }
    if (button == Qt::RightButton && (code == HTCAPTION || code == HTSYSMENU)) {
        SetHotButton(0, true);
        buttonPressed_ = false;
        ShowSystemMenu(screenPoint);
    }
}

void TsSkinProvider::MouseDoubleClicked(QPoint point, Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    const int code = HitTest(point);
    const TsSystemMenu& menu = *systemMenu_;
    switch (code) {
    case HTCAPTION:
        if ((form_->BorderIcons().testFlag(framework::biSystemMenu) && (menu.EnabledMax() || menu.EnabledRestore())) ||
            (!HasFrame() && form_->isMinimized()))
            SystemCommand(form_->isMaximized() || form_->isMinimized() ? SC_RESTORE : SC_MAXIMIZE);
        else if (form_->isMinimized())
            SystemCommand(SC_RESTORE);
        return;
    case HTSYSMENU:
        systemMenuDelay_->stop();
        form_->close();
        return;
    default: break;
    }
    // The second click of a double click on a button is a press like the first.
    if (IsCaptionButtonHit(code)) {
        MousePressed(point, button, form_->mapToGlobal(point));
        return;
    }
    // A sizeable form's side edges stretch it over its work area and back.
    if ((code == HTLEFT || code == HTRIGHT || code == HTTOP || code == HTBOTTOM) &&
        form_->BorderStyle() == framework::bsSizeable) {
        QRect& before = stretchedFrom_;
        const QRect area = form_->screen() ? form_->screen()->availableGeometry() : QRect();
        QRect now = form_->geometry();
        const bool horizontal = code == HTLEFT || code == HTRIGHT;
        const bool stretched = horizontal ? now.width() >= area.width() : now.height() >= area.height();
        if (stretched && before.isValid()) {
            now = horizontal ? QRect(before.left(), now.top(), before.width(), now.height())
                             : QRect(now.left(), before.top(), now.width(), before.height());
        } else {
            before = now;
            now = horizontal ? QRect(area.left(), now.top(), area.width(), now.height())
                             : QRect(now.left(), area.top(), now.width(), area.height());
        }
        form_->setGeometry(now);
    }
}

void TsSkinProvider::PointerLeft() {
    SetHotButton(-1, true);
    buttonPressed_ = false;
}

void TsSkinProvider::StartMove(QPoint screenPoint) {
    if (!form_)
        return;
    if (form_->windowHandle() && form_->windowHandle()->startSystemMove())
        return;
    // No window manager moves the window: it follows the pointer until the button goes up.
    dragByHand_ = true;
    dragPressScreen_ = screenPoint;
    dragWindowStart_ = form_->pos();
    if (!(QApplication::mouseButtons() & Qt::LeftButton))
        form_->grabMouse();
}

// ---------------------------------------------------------------- caption buttons

void TsSkinProvider::SetHotButton(int hitCode, bool repaint) {
    if (hitCode == hotHitCode_ || !drawNonClientArea_)
        return;
    if (TsCaptionButton* old = CaptionButton(hotHitCode_)) {
        old->State = 0;
        if (repaint)
            RedrawCaptionButton(hotHitCode_);
    }
    hotHitCode_ = hitCode;
    if (buttonPressed_ || hitCode < 1)
        return;
    if (TsCaptionButton* button = CaptionButton(hitCode)) {
        button->State = kHot;
        if (repaint)
            RedrawCaptionButton(hitCode);
    }
}

void TsSkinProvider::PressButton(int hitCode) {
    if (hitCode != hotHitCode_)
        if (TsCaptionButton* old = CaptionButton(hotHitCode_)) {
            old->State = 0;
            RedrawCaptionButton(hotHitCode_);
        }
    hotHitCode_ = hitCode;
    TsCaptionButton* button = CaptionButton(hitCode);
    const TsSystemMenu& menu = *systemMenu_;
    bool allowed = button != nullptr;
    if (hitCode == HTMAXBUTTON)
        allowed = menu.EnabledMax() || (form_->isMaximized() && menu.EnabledRestore());
    else if (hitCode == HTCLOSE)
        allowed = menu.EnabledClose();
    else if (hitCode >= kUserButtonHitBase)
        allowed = allowed && TitleButtons[std::size_t(hitCode - kUserButtonHitBase)].Enabled;
    if (!allowed) {
        hotHitCode_ = 0;
        return;
    }
    button->State = kPressed;
    buttonPressed_ = true;
    RedrawCaptionButton(hitCode);
}

void TsSkinProvider::ReleaseButton(int hitCode, QPoint point) {
    if (!drawNonClientArea_ || !form_->isEnabled() || blocked_)
        return;
    if (hitCode == -1)
        hitCode = HitTest(point);
    const QPointer<TsSkinProvider> alive(this);
    const bool pressed = buttonPressed_;
    const TsSystemMenu& menu = *systemMenu_;
    switch (hitCode) {
    case HTMINBUTTON:
        if (pressed && Contains(buttons_[0].Rect, point)) {
            SetHotButton(0, true);
            const framework::TApplication* app = framework::Application();
            const bool mainForm = app != nullptr && app->MainForm() == form_;
            SystemCommand(mainForm || !form_->isMinimized() ? SC_MINIMIZE : SC_RESTORE);
            if (alive && form_)
                record_.BackgroundStale = true;
        } else {
            SetHotButton(0, true);
        }
        break;
    case HTMAXBUTTON:
        if (!(menu.EnabledMax() || (form_->isMaximized() && menu.EnabledRestore())))
            break;
        if (pressed) {
            SetHotButton(0, true);
            SystemCommand(form_->isMaximized() ? SC_RESTORE : SC_MAXIMIZE);
            if (alive && form_)
                systemMenu_->UpdateItems();
        }
        break;
    case HTCLOSE:
        if (menu.EnabledClose() && pressed) {
            buttons_[2].State = 0;
            buttonPressed_ = false;
            SystemCommand(SC_CLOSE);
            if (alive && form_ && form_->isVisible()) {
                record_.BackgroundStale = true;
                SetHotButton(0, true);
            }
        }
        break;
    case HTHELP:
        if (pressed) {
            SystemCommand(SC_CONTEXTHELP);
            if (alive && form_) {
                SetHotButton(0, true);
                systemMenu_->UpdateItems();
                InvalidateFrame();
            }
        }
        break;
    default:
        if (hitCode >= kUserButtonHitBase && hitCode <= kUserButtonHitLast) {
            const std::size_t index = std::size_t(hitCode - kUserButtonHitBase);
            if (pressed && index < TitleButtons.size() && TitleButtons[index].OnMouseUp)
                TitleButtons[index].OnMouseUp(TitleButtons[index], form_->mapToGlobal(point));
            buttonPressed_ = false;
            if (alive && form_)
                SetHotButton(0, true);
        } else if (form_->isMinimized()) {
            ShowSystemMenu(QCursor::pos());
        }
        break;
    }
    buttonPressed_ = false;
}

// ---------------------------------------------------------------- system menu and commands

void TsSkinProvider::ShowSystemMenu(QPoint screenPoint) {
    if (!form_ || !form_->isVisible())
        return;
    systemMenu_->MakeSkinMenu = MakeSkinMenu;
    systemMenu_->Rebuild();
    if (systemMenu_->actions().isEmpty())
        return;
    systemMenu_->popup(screenPoint);
}

void TsSkinProvider::ShowSystemMenuBelowIcon(int left) {
    const int lift = form_->isMinimized() ? kIconicMenuLift : 0;
    ShowSystemMenu(form_->mapToGlobal(FormWindowOrigin() + QPoint(left, 2 * TopBorder() + HeightOf(iconRect_) - lift)));
}

void TsSkinProvider::SystemCommand(int command, int argument) {
    if (!form_)
        return;
    const QPointer<TsSkinProvider> alive(this);
    switch (command) {
    case SC_CLOSE: form_->close(); return;
    case SC_DRAGMOVE:
        form_->update();
        StartMove(QCursor::pos());
        return;
    case SC_MOVE: StartMove(QCursor::pos()); return;
    case SC_SIZE:
        if (form_->windowHandle())
            form_->windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
        return;
    case SC_MINIMIZE:
        form_->showMinimized();
        if (alive && borderForm_)
            borderForm_->FreeWindow();
        return;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        if (command == SC_MAXIMIZE)
            form_->showMaximized();
        else
            form_->showNormal();
        if (!alive || !form_)
            return;
        if (systemMenu_->VisibleMax())
            hotHitCode_ = HTMAXBUTTON;
        SetHotButton(0, true);
        if (command == SC_RESTORE) {
            record_.BackgroundStale = true;
            if (frameTaken_)
                SwitchExtendedBorder(ExtendedBorderAllowed());
        }
        return;
    case SC_CONTEXTHELP: QWhatsThis::enterWhatsThisMode(); return;
    case SC_KEYMENU:
        if (argument == kSpaceKey && form_->BorderIcons().testFlag(framework::biSystemMenu) && HasFrame())
            ShowSystemMenuBelowIcon(FrameBorder());
        return;
    default: return;
    }
}

// ---------------------------------------------------------------- activation, size, state

void TsSkinProvider::Activate(bool active) {
    if (!drawNonClientArea_ || !form_ || !frameTaken_)
        return;
    modes_ |= pmActivating;
    if (!(modes_ & pmTranslucentDrag))
        formActive_ = active;
    const TsGeneralData* section = record_.Section();
    const TsMaskData* border = record_.BorderMask();
    const bool looksDiffer = section == nullptr || (border == nullptr && section->States > 1) ||
                             (border != nullptr && (border->CellCount > 1 || section->States > 1));
    if (looksDiffer || borderForm_)
        record_.BackgroundStale = true;
    modes_ &= ~unsigned(pmActivating);
    if (active)
        systemMenu_->UpdateItems();
    InvalidateFrame();
}

void TsSkinProvider::FormResized() {
    const Bitmap32* frame = FrameBitmap();
    if (!form_->isVisible() || (frame != nullptr && frame->Width() == FrameWidth() && frame->Height() == FrameHeight()))
        return;
    regionStale_ = true;
    record_.BackgroundStale = true;
    BuildWindowRegion(false);
    InvalidateFrame();
    for (QObject* child : form_->client()->children())
        framework::SendSkinCommand(child, SKC_BG_CHANGED_IF_NEEDED, 1);
}

void TsSkinProvider::FormStateChanged() {
    record_.BackgroundStale = true;
    regionStale_ = true;
    if (form_->isMinimized()) {
        if (borderForm_)
            borderForm_->FreeWindow();
        return;
    }
    BuildWindowRegion(false);
    InvalidateFrame();
}

void TsSkinProvider::BlockedChanged(bool blocked) {
    if (blocked == blocked_)
        return;
    blocked_ = blocked;
    if (borderForm_)
        borderForm_->SetOwnerEnabled(!blocked);
    if (blocked) {
        SetHotButton(-1, true);
        buttonPressed_ = false;
        UpdateCursor(HTNOWHERE);
    }
}

// The show and hide effects of this program take no time: the frame appears and goes with
// the form.
void TsSkinProvider::ShowHook() {
    if (!started_)
        Start();
    if (!frameTaken_)
        return;
    if (borderForm_)
        borderForm_->Update(true);
    BuildWindowRegion(false);
}

void TsSkinProvider::HideHook() {
    DropButtonAnimations();
    hotHitCode_ = 0;
    for (TsCaptionButton& button : buttons_)
        button.State = 0;
    systemMenuDelay_->stop();
    if (borderForm_)
        borderForm_->FreeWindow();
}

} // namespace skin

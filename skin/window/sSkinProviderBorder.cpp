// The extended border: updates of the frame, its offsets, hit test, cursors and input region.
#include "skin/window/sSkinProviderBorder.h"

#include <QCoreApplication>

#include "framework/widgets/InputShape.h"
#include "skin/data/sSkinManager.h"
#include "skin/window/sNonClient.h"
#include "skin/window/sSkinProvider.h"
#include "skin/window/sSkinProviderSysMenu.h"

namespace skin {
namespace {

constexpr int kTopSizingRows = 4;

bool Contains(const TRect& r, QPoint p) { return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom; }

} // namespace

TvlBorderForm::TvlBorderForm(TsSkinProvider& owner) : owner_(owner) { owner_.record_.BackgroundStale = true; }

TvlBorderForm::~TvlBorderForm() = default;

int TvlBorderForm::OffsetX() const {
    const TsSkinModel* model = owner_.Model();
    const int border = model ? model->SkinData.BorderWidth : 0;
    return border - owner_.SysBorder() + owner_.ExtMargins().Left;
}

int TvlBorderForm::OffsetY() const {
    const TsSkinModel* model = owner_.Model();
    const int title = model ? model->SkinData.TitleHeight : 0;
    return owner_.ExtMargins().Top + title - owner_.SysBorder() - owner_.SysTitleHeight();
}

QRegion TvlBorderForm::InputRegion() const {
    const FrameWidths m = owner_.ExtMargins();
    return QRegion(m.Left, m.Top, owner_.FrameWidth() - m.Left - m.Right, owner_.FrameHeight() - m.Top - m.Bottom);
}

void TvlBorderForm::FreeWindow() {
    windowShown_ = false;
    owner_.record_.BackgroundStale = true;
}

void TvlBorderForm::Update(bool repaint, int alpha) {
    framework::TForm* form = owner_.Form();
    constexpr unsigned kAnimations = pmHideAnimation | pmMinimizeAnimation | pmRestoreAnimation;
    if (updating_ || form == nullptr || QCoreApplication::closingDown() || (owner_.Modes() & kAnimations) ||
        (owner_.record_.ParentBgFlags & pbPrinting) || !owner_.drawNonClientArea_ || owner_.record_.UpdateLock)
        return;
    if (!form->isVisible() && (owner_.Modes() & ~unsigned(pmActivating)) == 0) {
        FreeWindow();
        return;
    }
    updating_ = true;
    const bool made = !windowShown_;
    windowShown_ = true;
    alpha_ = alpha;
    const bool stale = owner_.record_.BackgroundStale || owner_.FrameBitmap() == nullptr || owner_.FrameBitmap()->Empty();
    if (stale)
        owner_.RenderFrame();
    if (repaint || stale || made)
        form->update(QRegion(form->rect()) - form->client()->geometry());
    const QRegion input = InputRegion();
    if (input != inputRegion_ || made || framework::InputRegion(form) != input) {
        inputRegion_ = input;
        framework::SetInputRegion(form, input);
    }
    updating_ = false;
}

bool TvlBorderForm::CursorFor(int hitCode, Qt::CursorShape& shape) {
    switch (hitCode) {
    case HTCAPTION:
    case HTMENU: shape = Qt::ArrowCursor; return true;
    case HTLEFT:
    case HTRIGHT: shape = Qt::SizeHorCursor; return true;
    case HTTOP:
    case HTBOTTOM: shape = Qt::SizeVerCursor; return true;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = Qt::SizeFDiagCursor; return true;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = Qt::SizeBDiagCursor; return true;
    default: return false;
    }
}

int TvlBorderForm::BorderHitTest(QPoint point) const {
    framework::TForm* form = owner_.Form();
    if (form == nullptr)
        return HTTRANSPARENT;
    if (owner_.OnExtHitTest)
        if (const int answer = owner_.OnExtHitTest(form->mapToGlobal(point)); answer != 0)
            return answer;
    if (!ownerEnabled_ || !form->isEnabled())
        return HTTRANSPARENT;
    // The margins belong to the windows beneath.
    const FrameWidths m = owner_.ExtMargins();
    const int width = owner_.FrameWidth();
    const int height = owner_.FrameHeight();
    const TRect frame{m.Left, m.Top, width - m.Right, height - m.Bottom};
    if (!Contains(frame, point))
        return HTTRANSPARENT;

    // Caption buttons.
    const TsSystemMenu& menu = owner_.SystemMenu();
    const bool systemMenu = form->BorderIcons().testFlag(framework::biSystemMenu);
    if (const TsCaptionButton* close = owner_.CaptionButton(HTCLOSE); systemMenu && Contains(close->Rect, point)) {
        if (!menu.VisibleClose())
            return HTNOWHERE;
        return menu.EnabledClose() ? HTCLOSE : HTCAPTION;
    }
    if (const TsCaptionButton* max = owner_.CaptionButton(HTMAXBUTTON); menu.VisibleMax() && Contains(max->Rect, point)) {
        if (menu.EnabledMax())
            return HTMAXBUTTON;
        return !menu.EnabledRestore() || form->isMinimized() ? HTCAPTION : HTMAXBUTTON;
    }
    if (const TsCaptionButton* min = owner_.CaptionButton(HTMINBUTTON);
        (menu.VisibleMin() || form->isMinimized()) && Contains(min->Rect, point))
        return form->isMinimized() || menu.EnabledMin() ? HTMINBUTTON : HTCAPTION;
    if (const TsCaptionButton* help = owner_.CaptionButton(HTHELP);
        form->BorderIcons().testFlag(framework::biHelp) && Contains(help->Rect, point))
        return HTHELP;
    for (std::size_t i = 0; i < owner_.TitleButtons.size(); ++i) {
        const TsCaptionButton* user = owner_.CaptionButton(kUserButtonHitBase + int(i));
        if (user && user->Shown() && owner_.TitleButtons[i].Visible && owner_.TitleButtons[i].Enabled &&
            Contains(user->Rect, point))
            return kUserButtonHitBase + int(i);
    }

    // Sizing edges of a sizeable form, the skin's align offsets widening the frame.
    const framework::TFormBorderStyle style = form->BorderStyle();
    const bool thick = style == framework::bsSizeable || style == framework::bsSizeToolWin;
    if (thick && !form->isMaximized()) {
        const TsSkinModel* model = owner_.Model();
        const TsSkinData* d = model ? &model->SkinData : nullptr;
        auto offset = [](std::int16_t value) { return value < 0 ? 0 : int(value); };
        const TRect sizing{frame.Left - (d ? offset(d->AlignOffset) : 0), frame.Top - (d ? offset(d->AlignOffsetT) : 0),
                           frame.Right + (d ? offset(d->AlignOffsetR) : 0),
                           frame.Bottom + (d ? offset(d->AlignOffsetB) : 0)};
        const int edge = owner_.SysBorder();
        const bool top = point.y() < sizing.Top + kTopSizingRows;
        const bool bottom = point.y() >= sizing.Bottom - edge;
        const bool left = point.x() < sizing.Left + edge;
        const bool right = point.x() >= sizing.Right - edge;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }

    // The title strip.
    if (point.y() <= owner_.TopBorder() + owner_.TitleHeight() + m.Top)
        return Contains(owner_.IconRect(), point) ? HTSYSMENU : HTCAPTION;

    // The rest of the frame: the size grip of a gripped form.
    if (owner_.GripMode() == TsGripMode::gmRightBottom && thick && !form->isMaximized()) {
        const int right = owner_.ClientOffsetX() + form->ClientWidth();
        const int bottom = owner_.ClientOffsetY() + form->ClientHeight();
        constexpr int kGripSide = 16;
        if (point.x() >= right - kGripSide && point.x() < right && point.y() >= bottom - kGripSide && point.y() < bottom)
            return HTBOTTOMRIGHT;
    }
    return HTTRANSPARENT;
}

} // namespace skin

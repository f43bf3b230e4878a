// Controls as QWidgets for the skin records and painters, and halo overlays.
#include "skin/window/sWidgetAccess.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QVariant>

#include <cstring>

#include "framework/core/SkinCommand.h"
#include "framework/widgets/ControlClasses.h"
#include "framework/widgets/Graphics.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sGlow.h"
#include "skin/render/sImageView.h"
#include "skin/render/sManagerAccess.h"
#include "skin/data/sSkinCommands.h"

namespace skin {

namespace {

constexpr const char* kDestroyingProperty = "tovrinDestroying";
constexpr const char* kEngineWindowProperty = "tovrinEngineWindow";
constexpr const char* kPaintCopyProperty = "tovrinPaintCopy";

const QWidget* AsWidget(const QObject* object) {
    return object != nullptr && object->isWidgetType() ? static_cast<const QWidget*>(object) : nullptr;
}
QWidget* AsWidget(QObject* object) {
    return object != nullptr && object->isWidgetType() ? static_cast<QWidget*>(object) : nullptr;
}

TRect RectOfQt(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
QRect QtRect(const TRect& rect) { return QRect(rect.Left, rect.Top, WidthOf(rect), HeightOf(rect)); }

// The skin manager as the records see it.
class TsSkinManagerAccess : public TsManagerAccess {
public:
    QObject* DefaultManager() const override { return TsSkinManager::DefaultManager(); }
    const TsSkinModel* Model(const QObject* manager) const override {
        const TsSkinManager* serving = Of(manager);
        return serving ? &serving->Model() : nullptr;
    }
    const TsCommonIndexes* CommonIndexes(const QObject* manager) const override {
        const TsSkinManager* serving = Of(manager);
        return serving ? &serving->CommonIndexes() : nullptr;
    }
    bool SkinningOn(const QObject* manager) const override {
        const TsSkinManager* serving = Of(manager);
        return serving && serving->Active();
    }
    bool AllowsGlowing(const QObject* manager) const override {
        const TsSkinManager* serving = Of(manager);
        return serving && serving->Effects.AllowGlowing;
    }
    void SetHotWindow(QObject* window) override {
        if (TsSkinManager* manager = TsSkinManager::DefaultManager())
            manager->SetHotWindow(window);
    }

private:
    static const TsSkinManager* Of(const QObject* manager) { return qobject_cast<const TsSkinManager*>(manager); }
};

class OverlayCarrier : public TvlGlowCarrier {
public:
    explicit OverlayCarrier(TvlGlowOverlay* overlay) : overlay_(overlay) {}
    ~OverlayCarrier() override {
        if (overlay_ && !left_) {
            overlay_->hide();
            overlay_->deleteLater();
        }
    }
    void LeaveToOwner() override { left_ = true; }

private:
    QPointer<TvlGlowOverlay> overlay_;
    bool left_ = false;
};

} // namespace

void MarkDestroying(QWidget* control) {
    if (control != nullptr)
        control->setProperty(kDestroyingProperty, true);
}

void MarkEngineWindow(QWidget* window) {
    if (window != nullptr)
        window->setProperty(kEngineWindowProperty, true);
}

bool IsEngineWindow(const QObject* object) {
    return object != nullptr && object->property(kEngineWindowProperty).toBool();
}

bool IsPaintingCopy(const QWidget* control) {
    return control != nullptr && control->property(kPaintCopyProperty).toBool();
}

// ---------------------------------------------------------------- halo overlays

TvlGlowOverlay::TvlGlowOverlay(QWidget* owner, const Bitmap32& image, TPoint position) : QWidget(owner) {
    MarkEngineWindow(this);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    image_ = QImage(image.Width(), image.Height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(image_.scanLine(y), image.Row(y).data(), image.BytesPerLine());
    setGeometry(position.X, position.Y, image.Width(), image.Height());
    raise();
    show();
}

void TvlGlowOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

// ---------------------------------------------------------------- the answers

bool TsWidgetAccess::IsControl(const QObject* object) const { return AsWidget(object) && !IsEngineWindow(object); }

QObject* TsWidgetAccess::Parent(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    if (widget == nullptr)
        return control ? control->parent() : nullptr;
    return widget->isWindow() ? nullptr : widget->parentWidget();
}

std::vector<QObject*> TsWidgetAccess::Children(const QObject* control) const {
    std::vector<QObject*> children;
    if (control == nullptr)
        return children;
    for (QObject* child : control->children())
        if (const QWidget* widget = AsWidget(child); widget && !widget->isWindow() && !IsEngineWindow(child))
            children.push_back(child);
    return children;
}

TRect TsWidgetAccess::Bounds(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    if (widget == nullptr)
        return {};
    return widget->isWindow() ? RectAt(0, 0, widget->width(), widget->height()) : RectOfQt(widget->geometry());
}

QObject* TsWidgetAccess::TopLevel(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget ? widget->window() : nullptr;
}

TPoint TsWidgetAccess::OriginInTopLevel(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    if (widget == nullptr)
        return {};
    const QPoint origin = widget->mapTo(widget->window(), QPoint(0, 0));
    return {origin.x(), origin.y()};
}

TRect TsWidgetAccess::VisiblePart(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    if (widget == nullptr || !widget->isVisible())
        return {};
    QRect visible = widget->rect();
    QPoint origin(0, 0); // the control's origin in the ancestor examined
    for (const QWidget* inner = widget; !inner->isWindow() && inner->parentWidget(); inner = inner->parentWidget()) {
        origin += inner->pos();
        visible &= inner->parentWidget()->rect().translated(-origin);
    }
    return visible.isEmpty() ? TRect{} : RectOfQt(visible);
}

bool TsWidgetAccess::IsVisible(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && !widget->isHidden();
}

bool TsWidgetAccess::IsShowing(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && widget->isVisible();
}

bool TsWidgetAccess::IsEnabled(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget == nullptr || widget->isEnabled();
}

bool TsWidgetAccess::IsBlocked(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    const QWidget* modal = QApplication::activeModalWidget();
    if (widget == nullptr || modal == nullptr)
        return false;
    const QWidget* window = widget->window();
    if (window == modal)
        return false;
    if (modal->windowModality() == Qt::ApplicationModal)
        return true;
    // A window-modal dialog blocks the windows it belongs to.
    for (const QWidget* owner = modal->parentWidget(); owner; owner = owner->parentWidget())
        if (owner->window() == window)
            return true;
    return false;
}

bool TsWidgetAccess::IsWindowless(const QObject* control) const { return framework::IsWindowless(AsWidget(control)); }

bool TsWidgetAccess::IsDestroying(const QObject* control) const {
    return control != nullptr && control->property(kDestroyingProperty).toBool();
}

bool TsWidgetAccess::HasFocus(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && widget->hasFocus();
}

bool TsWidgetAccess::CanFocus(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && (widget->focusPolicy() & Qt::TabFocus);
}

bool TsWidgetAccess::IsOpaque(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && (widget->testAttribute(Qt::WA_OpaquePaintEvent) || widget->autoFillBackground());
}

bool TsWidgetAccess::IsLabel(const QObject* control) const { return qobject_cast<const QLabel*>(control) != nullptr; }

bool TsWidgetAccess::IsScrollingWindow(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && (widget->isWindow() || qobject_cast<const QAbstractScrollArea*>(widget) != nullptr);
}

bool TsWidgetAccess::IsGroupBoxWindow(const QObject* control) const {
    return qobject_cast<const QGroupBox*>(control) != nullptr &&
           framework::SendSkinCommand(const_cast<QObject*>(control), SKC_IS_SKINNED) != 1;
}

bool TsWidgetAccess::IsRightToLeft(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget && widget->layoutDirection() == Qt::RightToLeft;
}

std::string TsWidgetAccess::ClassName(const QObject* object) const {
    return framework::ClassName(object).toStdString();
}

TColor TsWidgetAccess::Color(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget ? framework::FromQColor(widget->palette().color(widget->backgroundRole())) : clBtnFace;
}

void TsWidgetAccess::SetColor(QObject* control, TColor colour) {
    QWidget* widget = AsWidget(control);
    if (widget == nullptr)
        return;
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), framework::ToQColor(colour));
    widget->setPalette(palette);
}

TColor TsWidgetAccess::FontColor(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget ? framework::FromQColor(widget->palette().color(widget->foregroundRole())) : clWindowText;
}

void TsWidgetAccess::SetFontColor(QObject* control, TColor colour) {
    QWidget* widget = AsWidget(control);
    if (widget == nullptr)
        return;
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), framework::ToQColor(colour));
    widget->setPalette(palette);
}

QFont TsWidgetAccess::Font(const QObject* control) const {
    const QWidget* widget = AsWidget(control);
    return widget ? widget->font() : QFont();
}

void TsWidgetAccess::Invalidate(QObject* control, TsRedraw redraw) {
    QWidget* widget = AsWidget(control);
    if (widget == nullptr)
        return;
    if (redraw == TsRedraw::Now)
        widget->repaint();
    else
        widget->update();
}

void TsWidgetAccess::InvalidateRect(QObject* control, const TRect& rect) {
    if (QWidget* widget = AsWidget(control))
        widget->update(QtRect(rect));
}

bool TsWidgetAccess::Render(QObject* control, Bitmap32& target, TPoint origin, const TRect& clip) {
    QWidget* widget = AsWidget(control);
    QImage image = ImageView(target);
    if (widget == nullptr || image.isNull() || RectIsEmpty(clip))
        return false;
    widget->setProperty(kPaintCopyProperty, true);
    {
        QPainter painter(&image);
        painter.setClipRect(QtRect(clip));
        widget->render(&painter, QPoint(origin.X, origin.Y), QRegion(), QWidget::DrawWindowBackground);
    }
    widget->setProperty(kPaintCopyProperty, false);
    return true;
}

// ---------------------------------------------------------------- installation

void InstallWidgetAccess() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    SetControlAccess(std::make_unique<TsWidgetAccess>());
    SetManagerAccess(std::make_unique<TsSkinManagerAccess>());
    SetGlowCarrierFactory([](QObject* ownerWindow, const Bitmap32& image, TPoint position)
                              -> std::unique_ptr<TvlGlowCarrier> {
        QWidget* owner = AsWidget(ownerWindow);
        if (owner == nullptr || image.Empty())
            return nullptr;
        return std::make_unique<OverlayCarrier>(new TvlGlowOverlay(owner, image, position));
    });
}

} // namespace skin

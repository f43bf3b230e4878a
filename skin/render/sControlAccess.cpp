// The QObject-only answers, in force until the widget layer installs its own.
#include "skin/render/sControlAccess.h"

#include <QMetaObject>

#include "skin/data/sSystemColors.h"

namespace skin {

bool TsControlAccess::IsControl(const QObject*) const { return false; }
QObject* TsControlAccess::Parent(const QObject* control) const { return control ? control->parent() : nullptr; }
std::vector<QObject*> TsControlAccess::Children(const QObject* control) const {
    if (control == nullptr)
        return {};
    const QObjectList& children = control->children();
    return {children.begin(), children.end()};
}
TRect TsControlAccess::Bounds(const QObject*) const { return {}; }
QObject* TsControlAccess::TopLevel(const QObject* control) const {
    QObject* top = const_cast<QObject*>(control);
    while (top != nullptr && Parent(top) != nullptr)
        top = Parent(top);
    return top;
}
TPoint TsControlAccess::OriginInTopLevel(const QObject*) const { return {}; }
TRect TsControlAccess::VisiblePart(const QObject*) const { return {}; }
bool TsControlAccess::IsVisible(const QObject*) const { return false; }
bool TsControlAccess::IsShowing(const QObject*) const { return false; }
bool TsControlAccess::IsEnabled(const QObject*) const { return true; }
bool TsControlAccess::IsBlocked(const QObject*) const { return false; }
bool TsControlAccess::IsWindowless(const QObject*) const { return false; }
bool TsControlAccess::IsDestroying(const QObject*) const { return false; }
bool TsControlAccess::HasFocus(const QObject*) const { return false; }
bool TsControlAccess::CanFocus(const QObject*) const { return false; }
bool TsControlAccess::IsOpaque(const QObject*) const { return false; }
bool TsControlAccess::IsLabel(const QObject*) const { return false; }
bool TsControlAccess::IsScrollingWindow(const QObject*) const { return false; }
bool TsControlAccess::IsGroupBoxWindow(const QObject*) const { return false; }
bool TsControlAccess::IsRightToLeft(const QObject*) const { return false; }

std::string TsControlAccess::ClassName(const QObject* object) const {
    if (object == nullptr)
        return {};
    const std::string qualified = object->metaObject()->className();
    const std::size_t colon = qualified.rfind("::");
    return colon == std::string::npos ? qualified : qualified.substr(colon + 2);
}

TColor TsControlAccess::Color(const QObject*) const { return clBtnFace; }
void TsControlAccess::SetColor(QObject*, TColor) {}
TColor TsControlAccess::FontColor(const QObject*) const { return clWindowText; }
void TsControlAccess::SetFontColor(QObject*, TColor) {}
QFont TsControlAccess::Font(const QObject*) const { return QFont(); }
void TsControlAccess::Invalidate(QObject*, TsRedraw) {}
void TsControlAccess::InvalidateRect(QObject*, const TRect&) {}
bool TsControlAccess::Render(QObject*, Bitmap32&, TPoint, const TRect&) { return false; }

namespace {
std::unique_ptr<TsControlAccess>& Installed() {
    static std::unique_ptr<TsControlAccess> access = std::make_unique<TsControlAccess>();
    return access;
}
} // namespace

TsControlAccess& ControlAccess() { return *Installed(); }

std::unique_ptr<TsControlAccess> SetControlAccess(std::unique_ptr<TsControlAccess> access) {
    std::unique_ptr<TsControlAccess> previous = std::move(Installed());
    Installed() = access ? std::move(access) : std::make_unique<TsControlAccess>();
    return previous;
}

} // namespace skin

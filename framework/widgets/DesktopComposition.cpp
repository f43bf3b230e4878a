// The platform's answer to "are windows composited?", asked of the X server where there is one.
#include "framework/widgets/DesktopComposition.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef TOVRIN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#endif

namespace framework {
namespace {

#ifdef TOVRIN_HAVE_XCB
// A compositing manager announces itself by owning the selection "_NET_WM_CM_S<screen>".
bool X11CompositorRunning() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr)
        return false;
    int screen = 0;
    if (const char* display = std::getenv("DISPLAY")) {
        const std::string name(display);
        if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > name.rfind(':'))
            screen = std::atoi(name.c_str() + dot + 1);
    }
    const std::string selection = "_NET_WM_CM_S" + std::to_string(screen);
    const xcb_intern_atom_cookie_t atomCookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(selection.size()), selection.c_str());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}
#endif

} // namespace

bool DesktopComposites() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform.startsWith(QLatin1String("wayland")))
        return true;
#ifdef TOVRIN_HAVE_XCB
    if (platform == QLatin1String("xcb"))
        return X11CompositorRunning();
#endif
    return false;
}

} // namespace framework

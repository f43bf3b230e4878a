// The platform's answer to "are windows composited?", asked of the X server where there is one,
// and the watch on the compositing manager's selection.
#include "framework/widgets/DesktopComposition.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <map>

#ifdef TOVRIN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#endif

namespace framework {
namespace {

#ifdef TOVRIN_HAVE_XCB
template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The atom of "_NET_WM_CM_S<screen>", the selection a compositing manager owns.
xcb_atom_t CompositorSelection(xcb_connection_t* connection) {
    int screen = 0;
    if (const char* display = std::getenv("DISPLAY")) {
        const std::string name(display);
        if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > name.rfind(':'))
            screen = std::atoi(name.c_str() + dot + 1);
    }
    const std::string selection = "_NET_WM_CM_S" + std::to_string(screen);
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(selection.size()), selection.c_str());
    XcbReply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool X11CompositorRunning() {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr)
        return false;
    const xcb_atom_t atom = CompositorSelection(connection);
    if (atom == XCB_ATOM_NONE)
        return false;
    XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom), nullptr), &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

// The XFixes SelectionNotify event as the X protocol lays it out (the event Qt's own selection
// watch on _NET_WM_CM_S<n> brings in; its subtype 0 is "owner set", 1 and 2 "owner gone").
struct SelectionNotifyEvent {
    std::uint8_t ResponseType;
    std::uint8_t Subtype;
    std::uint16_t Sequence;
    xcb_window_t Window;
    xcb_window_t Owner;
    xcb_atom_t Selection;
    xcb_timestamp_t Timestamp;
    xcb_timestamp_t SelectionTimestamp;
};
constexpr std::uint8_t kXFixesSelectionNotify = 0;
constexpr std::uint8_t kSentEventBit = 0x80;
#endif

class CompositionWatch : public QAbstractNativeEventFilter {
public:
    std::map<int, CompositionListener> listeners;
    int nextId = 1;

    CompositionWatch() {
#ifdef TOVRIN_HAVE_XCB
        if (xcb_connection_t* connection = X11Connection()) {
            selection_ = CompositorSelection(connection);
            const char* name = "XFIXES";
            XcbReply<xcb_query_extension_reply_t> xfixes(
                xcb_query_extension_reply(connection,
                                          xcb_query_extension(connection, std::uint16_t(std::strlen(name)), name),
                                          nullptr),
                &std::free);
            if (xfixes && xfixes->present)
                selectionNotify_ = std::uint8_t(xfixes->first_event + kXFixesSelectionNotify);
        }
#endif
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
#ifdef TOVRIN_HAVE_XCB
        if (selectionNotify_ == 0 || eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~kSentEventBit) != selectionNotify_)
            return false;
        if (reinterpret_cast<const SelectionNotifyEvent*>(event)->Selection != selection_)
            return false;
        // Told after Qt has handled the event, from the loop, so that listeners may open windows.
        QTimer::singleShot(0, qApp, [] { Notify(); });
#else
        Q_UNUSED(eventType);
        Q_UNUSED(message);
#endif
        return false;
    }

    static void Notify();

private:
#ifdef TOVRIN_HAVE_XCB
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    std::uint8_t selectionNotify_ = 0;
#endif
};

CompositionWatch*& Watch() {
    static CompositionWatch* watch = nullptr;
    return watch;
}

void CompositionWatch::Notify() {
    CompositionWatch* watch = Watch();
    if (watch == nullptr)
        return;
    // A listener may register or remove listeners while it runs.
    const auto snapshot = watch->listeners;
    for (const auto& [id, listener] : snapshot)
        listener();
}

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

int AddCompositionListener(CompositionListener listener) {
    CompositionWatch*& watch = Watch();
    if (watch == nullptr) {
        watch = new CompositionWatch;
        if (QCoreApplication* app = QCoreApplication::instance()) {
            app->installNativeEventFilter(watch);
            // The watch goes with the application.
            QObject::connect(app, &QObject::destroyed, [] {
                delete Watch();
                Watch() = nullptr;
            });
        }
    }
    const int id = watch->nextId++;
    watch->listeners.emplace(id, std::move(listener));
    return id;
}

void RemoveCompositionListener(int id) {
    if (CompositionWatch* watch = Watch())
        watch->listeners.erase(id);
}

} // namespace framework

// The X11 input shape of a window and of its window manager's frame, kept across reparenting.
#include "framework/widgets/InputShape.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <cmath>

#ifdef TOVRIN_HAVE_XCB_SHAPE
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>
#endif

namespace framework {
namespace {

constexpr const char* kInputRegionProperty = "tovrinInputRegion";

#ifdef TOVRIN_HAVE_XCB_SHAPE
template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t* X11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::vector<xcb_rectangle_t> DeviceRects(const QRegion& region, qreal ratio, QPoint offset) {
    std::vector<xcb_rectangle_t> rects;
    for (const QRect& r : region) {
        const int left = int(std::floor(r.left() * ratio)) + offset.x();
        const int top = int(std::floor(r.top() * ratio)) + offset.y();
        const int right = int(std::ceil((r.right() + 1) * ratio)) + offset.x();
        const int bottom = int(std::ceil((r.bottom() + 1) * ratio)) + offset.y();
        rects.push_back({std::int16_t(left), std::int16_t(top), std::uint16_t(right - left), std::uint16_t(bottom - top)});
    }
    return rects;
}

void ShapeInput(xcb_connection_t* connection, xcb_window_t window, const QRegion& region, qreal ratio, QPoint offset) {
    if (region.isEmpty()) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, window, 0, 0, XCB_PIXMAP_NONE);
        return;
    }
    const std::vector<xcb_rectangle_t> rects = DeviceRects(region, ratio, offset);
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, window, 0, 0,
                         std::uint32_t(rects.size()), rects.data());
}

// The window and every ancestor below the root (a window manager's frame, and the windows it
// nests in that frame) get the shape, each in its own coordinates.
void ApplyShape(QWidget* widget) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !widget->testAttribute(Qt::WA_WState_Created))
        return;
    const QRegion region = InputRegion(widget);
    const qreal ratio = widget->devicePixelRatioF();
    const auto window = xcb_window_t(widget->winId());
    ShapeInput(connection, window, region, ratio, {});
    xcb_window_t child = window;
    for (int depth = 0; depth < 8; ++depth) {
        XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, child), nullptr),
                                              &std::free);
        if (!tree || tree->parent == XCB_WINDOW_NONE || tree->parent == tree->root)
            break;
        XcbReply<xcb_translate_coordinates_reply_t> at(
            xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, window, tree->parent, 0, 0),
                                            nullptr),
            &std::free);
        if (!at)
            break;
        ShapeInput(connection, tree->parent, region, ratio, {at->dst_x, at->dst_y});
        child = tree->parent;
    }
    xcb_flush(connection);
}

// Windows with a shape, by X window id; a reparenting gives the new frame the shape too.
class ReparentWatch : public QAbstractNativeEventFilter {
public:
    std::map<xcb_window_t, QPointer<QWidget>> windows;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        constexpr std::uint8_t kSentEventBit = 0x80;
        if ((event->response_type & ~kSentEventBit) != XCB_REPARENT_NOTIFY)
            return false;
        const auto* reparent = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        const auto found = windows.find(reparent->window);
        if (found == windows.end() || found->second.isNull())
            return false;
        QPointer<QWidget> widget = found->second;
        QTimer::singleShot(0, qApp, [widget] {
            if (widget)
                ApplyShape(widget);
        });
        return false;
    }
};

ReparentWatch& Watch() {
    static ReparentWatch* watch = [] {
        auto* created = new ReparentWatch;
        QCoreApplication::instance()->installNativeEventFilter(created);
        return created;
    }();
    return *watch;
}
#endif

} // namespace

void SetInputRegion(QWidget* window, const QRegion& region) {
    if (window == nullptr)
        return;
    window->setProperty(kInputRegionProperty, region.isEmpty() ? QVariant() : QVariant::fromValue(region));
#ifdef TOVRIN_HAVE_XCB_SHAPE
    if (X11Connection() == nullptr)
        return;
    if (window->testAttribute(Qt::WA_WState_Created))
        Watch().windows[xcb_window_t(window->winId())] = window;
    ApplyShape(window);
#endif
}

QRegion InputRegion(const QWidget* window) {
    if (window == nullptr)
        return {};
    return window->property(kInputRegionProperty).value<QRegion>();
}

} // namespace framework

// The event filter behind the window-creation notification.
#include "framework/widgets/WindowHook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

#include <map>

namespace framework {
namespace {

constexpr const char* kShownOnceProperty = "tovrinHookShown";

class WindowHookFilter : public QObject {
public:
    std::map<int, WindowHookListener> listeners;
    int nextId = 1;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Polish && type != QEvent::Show && type != QEvent::WindowActivate)
            return false;
        if (!watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const bool topLevel = widget->isWindow();
        if (type == QEvent::Polish) {
            Notify(widget, topLevel ? WindowHookCode::TopLevelCreated : WindowHookCode::ChildCreated);
        } else if (topLevel && type == QEvent::Show) {
            if (!widget->property(kShownOnceProperty).toBool()) {
                widget->setProperty(kShownOnceProperty, true);
                Notify(widget, WindowHookCode::TopLevelShown);
            }
        } else if (topLevel && type == QEvent::WindowActivate) {
            Notify(widget, WindowHookCode::TopLevelActivated);
        }
        return false;
    }

private:
    void Notify(QWidget* widget, WindowHookCode code) {
        // A listener may register or remove listeners while it runs.
        const auto snapshot = listeners;
        for (const auto& [id, listener] : snapshot)
            listener(widget, code);
    }
};

WindowHookFilter*& Filter() {
    static WindowHookFilter* filter = nullptr;
    return filter;
}

} // namespace

int AddWindowHookListener(WindowHookListener listener) {
    WindowHookFilter*& filter = Filter();
    if (filter == nullptr) {
        filter = new WindowHookFilter;
        if (QCoreApplication* app = QCoreApplication::instance()) {
            filter->setParent(app);
            app->installEventFilter(filter);
            QObject::connect(filter, &QObject::destroyed, [] { Filter() = nullptr; });
        }
    }
    const int id = filter->nextId++;
    filter->listeners.emplace(id, std::move(listener));
    return id;
}

void RemoveWindowHookListener(int id) {
    WindowHookFilter*& filter = Filter();
    if (filter == nullptr)
        return;
    filter->listeners.erase(id);
    if (filter->listeners.empty()) {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(filter);
        delete filter;
        filter = nullptr;
    }
}

} // namespace framework

// The thread's window-creation notification: an application-wide event filter that reports
// the first polish, first show and every activation of each top-level widget and the polish
// of every child widget, to the listeners registered here (the skin manager's window hook).
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace framework {

enum class WindowHookCode {
    TopLevelCreated,   // first polish of a top-level widget (before it is first shown)
    TopLevelShown,     // first show of a top-level widget
    TopLevelActivated, // every activation of a top-level widget
    ChildCreated,      // first polish of a child widget
};

using WindowHookListener = std::function<void(QWidget* window, WindowHookCode code)>;

// Returns an id for RemoveWindowHookListener. The filter is installed on the application
// while at least one listener is registered.
int AddWindowHookListener(WindowHookListener listener);
void RemoveWindowHookListener(int id);

} // namespace framework

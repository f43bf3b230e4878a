// Class names as the skin engine tests them: the framework's own class name of a control
// ("TButton", "TsEdit"), the platform window class of any widget ("button", "edit"), and the
// marking of windowless controls.
#pragma once

#include <QString>

class QObject;
class QWidget;

namespace framework {

// The object's most derived class name without its namespace ("framework::TButton" -> "TButton").
QString ClassName(const QObject* object);

// True when the object's class or one of its bases is called className (without namespace).
bool InheritsClass(const QObject* object, const QString& className);

// The platform window class the adapters test, found for the nearest Qt base class in the
// table ("QPushButton" -> "button", "QLineEdit" -> "edit", "QTabBar" -> "systabcontrol32", ...);
// a top-level dialog that is no framework form gives "#32770"; empty when nothing matches.
QString PlatformClassName(const QWidget* widget);

// A windowless control receives its own mouse events but paints nothing itself once a skinned
// container paints it into its own image (PaintWindowlessChildren). The mark is a widget
// property so that any layer can test it.
void MarkWindowless(QWidget* widget);
bool IsWindowless(const QWidget* widget);

} // namespace framework

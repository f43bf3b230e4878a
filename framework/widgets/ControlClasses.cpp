// The Qt-class-name table and the class-name helpers.
#include "framework/widgets/ControlClasses.h"

#include "framework/core/WidgetProperties.h"

#include <QMetaObject>
#include <QVariant>
#include <QWidget>

#include <utility>

namespace framework {
namespace {

QString StripNamespace(const char* qualified) {
    const QString name = QString::fromLatin1(qualified);
    const qsizetype colon = name.lastIndexOf(QLatin1String("::"));
    return colon < 0 ? name : name.mid(colon + 2);
}

// Qt classes and the platform window classes they play; looked up for the most derived Qt
// base first, so a QPlainTextEdit is an "edit" and not a "scrollarea".
constexpr std::pair<const char*, const char*> kPlatformClasses[] = {
    {"QPushButton", "button"},
    {"QToolButton", "button"},
    {"QCheckBox", "button"},
    {"QRadioButton", "button"},
    {"QGroupBox", "button"},
    {"QLineEdit", "edit"},
    {"QPlainTextEdit", "edit"},
    {"QTextEdit", "richedit20w"},
    {"QLabel", "static"},
    {"QComboBox", "combobox"},
    {"QListWidget", "listbox"},
    {"QTreeWidget", "syslistview32"},
    {"QTreeView", "systreeview32"},
    {"QTabBar", "systabcontrol32"},
    {"QTabWidget", "systabcontrol32"},
    {"QScrollBar", "scrollbar"},
    {"QProgressBar", "msctls_progress32"},
    {"QSpinBox", "edit"},
    {"QHeaderView", "sysheader32"},
    {"QStatusBar", "msctls_statusbar32"},
    {"QToolBar", "toolbarwindow32"},
    {"QSlider", "msctls_trackbar32"},
};

const char* PlatformClassOf(const char* qtClass) {
    for (const auto& [qt, platform] : kPlatformClasses)
        if (qstrcmp(qt, qtClass) == 0)
            return platform;
    return nullptr;
}

} // namespace

QString ClassName(const QObject* object) {
    return object == nullptr ? QString() : StripNamespace(object->metaObject()->className());
}

bool InheritsClass(const QObject* object, const QString& className) {
    if (object == nullptr)
        return false;
    for (const QMetaObject* meta = object->metaObject(); meta != nullptr; meta = meta->superClass())
        if (StripNamespace(meta->className()) == className)
            return true;
    return false;
}

QString PlatformClassName(const QWidget* widget) {
    if (widget == nullptr)
        return QString();
    for (const QMetaObject* meta = widget->metaObject(); meta != nullptr; meta = meta->superClass()) {
        if (const char* platform = PlatformClassOf(meta->className()))
            return QString::fromLatin1(platform);
        if (qstrcmp(meta->className(), "QDialog") == 0)
            return QStringLiteral("#32770");
    }
    return QString();
}

void MarkWindowless(QWidget* widget) {
    if (widget != nullptr)
        widget->setProperty(kWindowlessProperty, true);
}

bool IsWindowless(const QWidget* widget) { return IsMarkedWindowless(widget); }

} // namespace framework

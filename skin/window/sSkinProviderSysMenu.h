// The system menu of a skinned form: the window's own system menu as the platform keeps it (its
// commands, captions and which are greyed), the rules that say which commands a form shows and
// allows, and TsSystemMenu, the menu the frame pops up (a plain Qt menu until menus are skinned).
#pragma once

#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

#include "framework/widgets/Forms.h"

namespace skin {

// One command of the window's system menu; the caption carries "\t" and the shortcut's text.
struct TvlWindowMenuItem {
    int Command = 0;
    QString Caption;
    bool Enabled = true;
};

// An extra submenu of the program's in the system menu.
struct TvlSysSubMenu {
    enum Position { ipTop, ipBeforeClose, ipBottom };
    QString Caption;
    std::vector<QPointer<QAction>> Items;
    Position Place = ipBottom;
};

class TsSystemMenu : public QMenu {
    Q_OBJECT
public:
    explicit TsSystemMenu(framework::TForm* form);

    // --- The window's system menu (what GetSystemMenu gives): the standard commands for a form
    // with biSystemMenu, nothing without. Greying a command is the program's to decide.
    const std::vector<TvlWindowMenuItem>& WindowMenu() const { return windowMenu_; }
    void SetCommandEnabled(int command, bool enabled);
    const TvlWindowMenuItem* WindowMenuItem(int command) const;

    // --- Which commands the form shows and allows.
    bool VisibleClose() const;
    bool VisibleMax() const;
    bool VisibleMin() const;
    bool EnabledMax() const;
    bool EnabledMin() const;
    bool EnabledRestore() const;
    bool EnabledClose() const;
    bool VisibleRestore() const;
    bool EnabledMove() const;
    bool VisibleSize() const;
    bool EnabledSize() const;

    // Clears the items and makes them again from the window's system menu (when it is shown and
    // when the form's border icons change); then UpdateItems.
    void Rebuild();
    // Visibility and enabled state of the six standard items, by the rules above.
    void UpdateItems();
    // An item by its name ("vlIR", "vlIM", "vlIS", "vlIN", "vlIX", "vlIC", ...).
    QAction* Item(const QString& name) const;

    TvlSysSubMenu SysSubMenu;
    // A skin-selection submenu first (never for forms the window hook skins).
    bool MakeSkinMenu = false;
    // Sends the form WM_SYSCOMMAND; set by the provider.
    std::function<void(int command)> OnCommand;

private:
    void AddStandardItem(const char* name, int command, const char* fallback);
    void AddSubMenu(const char* dividerName, bool dividerFirst);
    void AddSkinMenu();
    bool Iconic() const;
    bool IsMainForm() const;

    QPointer<framework::TForm> form_;
    std::vector<TvlWindowMenuItem> windowMenu_;
    std::vector<std::pair<int, bool>> greyed_;
};

} // namespace skin

// The window's system menu, the frame's rules over it, and the menu built from it.
#include "skin/window/sSkinProviderSysMenu.h"

#include <QActionGroup>
#include <QDateTime>
#include <QKeySequence>

#include <algorithm>

#include "framework/widgets/Application.h"
#include "skin/data/sSkinManager.h"
#include "skin/window/sNonClient.h"

namespace skin {
namespace {

using framework::TForm;

// The platform's own system menu of a captioned window, in its order.
const std::vector<TvlWindowMenuItem>& StandardWindowMenu() {
    static const std::vector<TvlWindowMenuItem> items = {
        {SC_RESTORE, QStringLiteral("&Restore")},   {SC_MOVE, QStringLiteral("&Move")},
        {SC_SIZE, QStringLiteral("&Size")},         {SC_MINIMIZE, QStringLiteral("Mi&nimize")},
        {SC_MAXIMIZE, QStringLiteral("Ma&ximize")}, {SC_CLOSE, QStringLiteral("&Close\tAlt+F4")},
    };
    return items;
}

bool BigStyle(const TForm& form) {
    return form.BorderStyle() == framework::bsSingle || form.BorderStyle() == framework::bsSizeable;
}

bool Has(const TForm& form, framework::TBorderIcon icon) { return form.BorderIcons().testFlag(icon); }

constexpr int kSkinsPerColumn = 20;

} // namespace

TsSystemMenu::TsSystemMenu(TForm* form) : QMenu(form), form_(form) {
    setObjectName(QStringLiteral("vlSysMenu%1").arg(QDateTime::currentMSecsSinceEpoch()));
    Rebuild();
}

void TsSystemMenu::SetCommandEnabled(int command, bool enabled) {
    auto found = std::find_if(greyed_.begin(), greyed_.end(), [&](const auto& entry) { return entry.first == command; });
    if (found != greyed_.end())
        found->second = !enabled;
    else
        greyed_.emplace_back(command, !enabled);
    for (TvlWindowMenuItem& item : windowMenu_)
        if (item.Command == command)
            item.Enabled = enabled;
}

const TvlWindowMenuItem* TsSystemMenu::WindowMenuItem(int command) const {
    for (const TvlWindowMenuItem& item : windowMenu_)
        if (item.Command == command)
            return &item;
    return nullptr;
}

bool TsSystemMenu::Iconic() const { return form_ && form_->isMinimized(); }

bool TsSystemMenu::IsMainForm() const {
    framework::TApplication* app = framework::Application();
    return app != nullptr && app->MainForm() == form_;
}

// ---------------------------------------------------------------- rules

bool TsSystemMenu::VisibleClose() const {
    return form_ && Has(*form_, framework::biSystemMenu) && WindowMenuItem(SC_CLOSE) != nullptr;
}

bool TsSystemMenu::VisibleMax() const {
    return form_ && Has(*form_, framework::biSystemMenu) &&
           (Iconic() || (BigStyle(*form_) && Has(*form_, framework::biMaximize)));
}

bool TsSystemMenu::VisibleMin() const {
    return form_ && Has(*form_, framework::biSystemMenu) &&
           (Iconic() || (BigStyle(*form_) && Has(*form_, framework::biMinimize)));
}

bool TsSystemMenu::EnabledMax() const { return form_ && Has(*form_, framework::biMaximize) && BigStyle(*form_); }

bool TsSystemMenu::EnabledMin() const {
    return form_ && Has(*form_, framework::biMinimize) && !(Iconic() && !IsMainForm());
}

bool TsSystemMenu::EnabledRestore() const {
    if (!form_)
        return false;
    const bool normal = !form_->isMinimized() && !form_->isMaximized();
    return (Has(*form_, framework::biMaximize) && !normal) || form_->isMinimized();
}

bool TsSystemMenu::EnabledClose() const {
    const TvlWindowMenuItem* close = WindowMenuItem(SC_CLOSE);
    return close != nullptr && close->Enabled;
}

bool TsSystemMenu::VisibleRestore() const {
    return form_ && Has(*form_, framework::biSystemMenu) && BigStyle(*form_);
}

bool TsSystemMenu::EnabledMove() const { return form_ && !form_->isMaximized(); }

bool TsSystemMenu::VisibleSize() const {
    if (!form_)
        return false;
    const framework::TFormBorderStyle style = form_->BorderStyle();
    return style != framework::bsNone && style != framework::bsDialog && style != framework::bsToolWindow;
}

bool TsSystemMenu::EnabledSize() const { return form_ && form_->BorderStyle() != framework::bsSingle && !Iconic(); }

// ---------------------------------------------------------------- the menu

void TsSystemMenu::AddStandardItem(const char* name, int command, const char* fallback) {
    QString caption = QString::fromLatin1(fallback);
    QString shortcut;
    if (const TvlWindowMenuItem* item = WindowMenuItem(command)) {
        const qsizetype tab = item->Caption.indexOf(QLatin1Char('\t'));
        caption = item->Caption.left(tab);
        if (tab >= 0)
            shortcut = item->Caption.mid(tab + 1);
    }
    QAction* action = addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setData(command);
    if (!shortcut.isEmpty())
        action->setShortcut(QKeySequence(shortcut));
    connect(action, &QAction::triggered, this, [this, command] {
        if (OnCommand)
            OnCommand(command);
    });
}

// The program's submenu with copies of its items, and the divider that goes with it.
void TsSystemMenu::AddSubMenu(const char* dividerName, bool dividerFirst) {
    auto divider = [&] { addSeparator()->setObjectName(QString::fromLatin1(dividerName)); };
    if (dividerFirst)
        divider();
    QMenu* sub = addMenu(SysSubMenu.Caption);
    sub->menuAction()->setObjectName(QStringLiteral("vl_SubMenu"));
    for (const QPointer<QAction>& original : SysSubMenu.Items) {
        if (!original)
            continue;
        QAction* copy = sub->addAction(original->text());
        copy->setObjectName(original->objectName() + QStringLiteral("Copy"));
        copy->setEnabled(original->isEnabled());
        copy->setCheckable(original->isCheckable());
        copy->setChecked(original->isChecked());
        connect(copy, &QAction::triggered, original.data(), &QAction::trigger);
    }
    if (!dividerFirst)
        divider();
}

void TsSystemMenu::AddSkinMenu() {
    TsSkinManager* manager = TsSkinManager::DefaultManager();
    if (manager == nullptr)
        return;
    QMenu* skins = addMenu(QStringLiteral("Available skins"));
    skins->menuAction()->setObjectName(QStringLiteral("SkinSelectItem"));
    std::vector<std::string> names;
    manager->GetSkinNames(names);
    for (const TsStoredSkin& internal : manager->InternalSkins())
        if (std::find(names.begin(), names.end(), internal.Name) == names.end())
            names.push_back(internal.Name);
    auto* group = new QActionGroup(skins);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && i % kSkinsPerColumn == 0)
            skins->addSeparator();
        QAction* item = skins->addAction(QString::fromLocal8Bit(names[i].c_str()));
        item->setObjectName(QStringLiteral("SkinSelectItem%1").arg(i));
        item->setCheckable(true);
        item->setChecked(names[i] == manager->SkinName());
        group->addAction(item);
        const std::string name = names[i];
        connect(item, &QAction::triggered, this, [name] {
            if (TsSkinManager* current = TsSkinManager::DefaultManager())
                current->SetSkinName(name);
        });
    }
}

void TsSystemMenu::Rebuild() {
    clear();
    windowMenu_.clear();
    if (!form_ || !Has(*form_, framework::biSystemMenu))
        return;
    windowMenu_ = StandardWindowMenu();
    for (const auto& [command, grey] : greyed_)
        for (TvlWindowMenuItem& item : windowMenu_)
            if (item.Command == command)
                item.Enabled = !grey;
    if (MakeSkinMenu)
        AddSkinMenu();
    const bool sub = !SysSubMenu.Items.empty();
    if (sub && SysSubMenu.Place == TvlSysSubMenu::ipTop)
        AddSubMenu("vl_TopDiv", false);
    AddStandardItem("vlIR", SC_RESTORE, "Restore");
    AddStandardItem("vlIM", SC_MOVE, "Move");
    AddStandardItem("vlIS", SC_SIZE, "Size");
    AddStandardItem("vlIN", SC_MINIMIZE, "Minimize");
    AddStandardItem("vlIX", SC_MAXIMIZE, "Maximize");
    addSeparator();
    bool copied = false;
    for (const TvlWindowMenuItem& item : windowMenu_) {
        if (item.Command >= kFirstSystemCommand && item.Command <= kLastSystemCommand)
            continue;
        const qsizetype tab = item.Caption.indexOf(QLatin1Char('\t'));
        QAction* action = addAction(item.Caption.left(tab));
        action->setData(item.Command);
        action->setEnabled(item.Enabled);
        if (tab >= 0)
            action->setShortcut(QKeySequence(item.Caption.mid(tab + 1)));
        const int command = item.Command;
        // The program's own commands come back to it later, as a posted WM_SYSCOMMAND would.
        connect(action, &QAction::triggered, this, [this, command] {
            QMetaObject::invokeMethod(
                this, [this, command] { if (OnCommand) OnCommand(command); }, Qt::QueuedConnection);
        });
        copied = true;
    }
    if (copied)
        addSeparator();
    if (sub && SysSubMenu.Place == TvlSysSubMenu::ipBeforeClose)
        AddSubMenu("vl_TopDiv", false);
    AddStandardItem("vlIC", SC_CLOSE, "Close");
    if (sub && SysSubMenu.Place == TvlSysSubMenu::ipBottom)
        AddSubMenu("vl_BtmDiv", true);
    UpdateItems();
}

void TsSystemMenu::UpdateItems() {
    struct Rule {
        const char* Name;
        bool Visible;
        bool Enabled;
    };
    const Rule rules[] = {
        {"vlIR", VisibleRestore(), EnabledRestore()}, {"vlIM", true, EnabledMove()},
        {"vlIS", VisibleSize(), EnabledSize()},       {"vlIN", VisibleMin(), EnabledMin()},
        {"vlIX", VisibleMax(), EnabledMax()},         {"vlIC", VisibleClose(), EnabledClose()},
    };
    for (const Rule& rule : rules)
        if (QAction* item = Item(QString::fromLatin1(rule.Name))) {
            item->setVisible(rule.Visible);
            item->setEnabled(rule.Enabled);
        }
}

QAction* TsSystemMenu::Item(const QString& name) const {
    for (QAction* action : actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

} // namespace skin

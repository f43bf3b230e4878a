// The window hook's rules for forms, TvlProvider, and the compositing watch.
#include "skin/window/vlDials.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

#include "framework/core/SkinCommand.h"
#include "framework/widgets/DesktopComposition.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/WindowHook.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sControlAccess.h"
#include "skin/window/sSkinProvider.h"

namespace skin {
namespace {

struct HookState {
    int listener = 0;
    int composition = 0;
    std::vector<QPointer<TvlProvider>> providers;
};

HookState& Hook() {
    static HookState state;
    return state;
}

// Menus, tool tips and splash screens are never forms to skin.
bool IsPopupWindow(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen || type == Qt::Desktop;
}

void OnWindow(QWidget* window, framework::WindowHookCode code) {
    if (QCoreApplication::closingDown() || window == nullptr)
        return;
    switch (code) {
    case framework::WindowHookCode::TopLevelCreated:
        // Forms are taken at their first show, just before their window is made; the other
        // top-level windows (standard dialogs) have handlers of their own.
        if (qobject_cast<framework::TForm*>(window) != nullptr)
            AddToAdapter(window);
        break;
    case framework::WindowHookCode::TopLevelActivated: AddToAdapter(window); break;
    default: break;
    }
}

} // namespace

TvlProvider::TvlProvider(QObject* owner) : QObject(owner) { setObjectName(QStringLiteral("TvlProvider")); }

TvlProvider::~TvlProvider() {
    auto& providers = Hook().providers;
    providers.erase(std::remove(providers.begin(), providers.end(), this), providers.end());
}

void TvlProvider::AttachForm(framework::TForm* form) {
    auto* provider = new TsSkinProvider(form, TsProviderOrigin::Hook);
    formProvider_ = provider;
    provider->UseGlobalColor = false;
    // The form is complete: the provider finishes its set-up at once, so that the frame is in
    // place before the form's window is made (or at once for a form already on the screen).
    provider->Start();
    provider->MakeSkinMenu = false;
}

void InstallWindowHook() {
    HookState& hook = Hook();
    if (hook.listener != 0)
        return;
    hook.listener = framework::AddWindowHookListener(OnWindow);
    hook.composition = framework::AddCompositionListener(CompositionChanged);
}

void RemoveWindowHook() {
    HookState& hook = Hook();
    if (hook.listener == 0)
        return;
    framework::RemoveWindowHookListener(hook.listener);
    framework::RemoveCompositionListener(hook.composition);
    hook.listener = hook.composition = 0;
    const std::vector<QPointer<TvlProvider>> providers = hook.providers;
    hook.providers.clear();
    for (const QPointer<TvlProvider>& provider : providers)
        delete provider.data();
}

bool WindowHookInstalled() { return Hook().listener != 0; }

const std::vector<std::string>& ExclusionList() {
    static const std::vector<std::string> names = {"TApplication",          "TcxComboBoxPopupWindow",
                                                   "TcxCustomPopupWindow",  "TcxDateEditPopupWindow",
                                                   "TcxGridFilterPopup",    "TfcPopup"};
    return names;
}

std::vector<TvlProvider*> ProviderList() {
    std::vector<TvlProvider*> list;
    for (const QPointer<TvlProvider>& provider : Hook().providers)
        if (provider)
            list.push_back(provider);
    return list;
}

bool AddToAdapter(QWidget* window) {
    TsSkinManager* manager = TsSkinManager::DefaultManager();
    if (manager == nullptr || QCoreApplication::closingDown() || window == nullptr ||
        framework::SendSkinCommand(window, SKC_IS_SKINNED) == 1)
        return false;
    if (!window->isWindow() || IsPopupWindow(window))
        return false;
    auto* form = qobject_cast<framework::TForm*>(window);
    if (form == nullptr)
        return false;
    if (IsEngineTag(form->Tag()))
        return false;
    if (form->Loading())
        return true;
    const std::string className = ControlAccess().ClassName(form);
    const std::vector<std::string>& excluded = ExclusionList();
    if (std::find(excluded.begin(), excluded.end(), className) != excluded.end())
        return false;
    const TvlSkinningRule rule =
        className == "TMessageForm" ? TvlSkinningRule::srStdDialogs : TvlSkinningRule::srStdForms;
    if (!manager->SkinningRules.Has(rule))
        return false;
    auto* provider = new TvlProvider(form);
    Hook().providers.push_back(provider);
    provider->AttachForm(form);
    return true;
}

void CompositionChanged() {
    TsSkinManager* manager = TsSkinManager::DefaultManager();
    if (manager == nullptr || !manager->Active())
        return;
    manager->PrepareExtendedBorderPictures();
    manager->RefreshAll();
}

} // namespace skin

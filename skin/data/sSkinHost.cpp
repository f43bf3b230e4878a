// The default answers of the skin host and the process's installed host.
#include "skin/data/sSkinHost.h"

#include "framework/core/SkinCommand.h"
#include "framework/core/WidgetProperties.h"

#include <QObject>
#include <QVariant>

namespace skin {
namespace {

std::unique_ptr<TsSkinHost>& Installed() {
    static std::unique_ptr<TsSkinHost> host;
    return host;
}

} // namespace

bool TsSkinHost::LayeredWindowsAvailable() const { return true; }

bool TsSkinHost::HasPointer(QObject* control) const {
    return control != nullptr && control->property(framework::kMouseOverProperty).toBool();
}

std::vector<QObject*> TsSkinHost::TopLevelWindows() const { return framework::TopLevelWindows(); }

std::optional<std::vector<QObject*>> TsSkinHost::ProviderForms() const { return std::nullopt; }

framework::DialogAnswer TsSkinHost::ShowMessage(framework::MessageKind kind, const std::string& text) const {
    return framework::ShowMessageDialog(kind, text);
}

const TsSkinHost& SkinHost() {
    static const TsSkinHost defaults;
    const std::unique_ptr<TsSkinHost>& host = Installed();
    return host ? *host : defaults;
}

void InstallSkinHost(std::unique_ptr<TsSkinHost> host) { Installed() = std::move(host); }

} // namespace skin

// The "no manager" answers, in force until the control layer installs its own.
#include "skin/render/sManagerAccess.h"

namespace skin {

QObject* TsManagerAccess::DefaultManager() const { return nullptr; }
const TsSkinModel* TsManagerAccess::Model(const QObject*) const { return nullptr; }
const TsCommonIndexes* TsManagerAccess::CommonIndexes(const QObject*) const { return nullptr; }
bool TsManagerAccess::SkinningOn(const QObject*) const { return false; }
bool TsManagerAccess::AllowsGlowing(const QObject*) const { return false; }
void TsManagerAccess::SetHotWindow(QObject*) {}

namespace {
std::unique_ptr<TsManagerAccess>& Installed() {
    static std::unique_ptr<TsManagerAccess> access = std::make_unique<TsManagerAccess>();
    return access;
}
} // namespace

TsManagerAccess& ManagerAccess() { return *Installed(); }

std::unique_ptr<TsManagerAccess> SetManagerAccess(std::unique_ptr<TsManagerAccess> access) {
    std::unique_ptr<TsManagerAccess> previous = std::move(Installed());
    Installed() = access ? std::move(access) : std::make_unique<TsManagerAccess>();
    return previous;
}

} // namespace skin

// Delivery of skin commands and the registered list of top-level windows.
#include "framework/core/SkinCommand.h"

#include <QCoreApplication>

namespace framework {
namespace {
TopLevelWindowLister& Lister() {
    static TopLevelWindowLister lister;
    return lister;
}
} // namespace

std::intptr_t SendSkinCommand(QObject* target, int command, int argument, std::intptr_t lParam) {
    if (target == nullptr)
        return 0;
    SkinCommandEvent event(command, argument, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.Result();
}

void SetTopLevelWindowLister(TopLevelWindowLister lister) { Lister() = std::move(lister); }

std::vector<QObject*> TopLevelWindows() { return Lister() ? Lister()() : std::vector<QObject*>{}; }

} // namespace framework

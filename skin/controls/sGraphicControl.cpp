// Who paints a windowless control.
#include "skin/controls/sGraphicControl.h"

#include <QWidget>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinCommands.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

bool PaintsWindowlessChildren(QWidget* container) {
    return container != nullptr && framework::SendSkinCommand(container, SKC_IS_SKINNED) == 1;
}

bool PaintsItselfNow(QWidget* control) {
    return IsPaintingCopy(control) || !PaintsWindowlessChildren(control->parentWidget());
}

} // namespace skin

// Who paints a windowless control.
#include "skin/controls/sGraphicControl.h"

#include <QWidget>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sCommonData.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

bool PaintsWindowlessChildren(QWidget* container) {
    if (container == nullptr || framework::SendSkinCommand(container, SKC_IS_SKINNED) != 1)
        return false;
    // A skinned control class whose record has no skin paints as the framework does.
    const TsCommonData* record = SkinDataOf(container);
    return record == nullptr || record->IsSkinned();
}

bool PaintsItselfNow(QWidget* control) {
    return IsPaintingCopy(control) || !PaintsWindowlessChildren(control->parentWidget());
}

} // namespace skin

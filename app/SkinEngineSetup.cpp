// The skin manager's process-wide hooks, answered by the widget framework, and its default pictures.
#include "app/SkinEngineSetup.h"

#include "framework/widgets/DesktopComposition.h"
#include "resources/DefaultShadowPictures.h"
#include "skin/controls/sWidgetAccess.h"
#include "skin/data/sSkinManager.h"

#include <QVariant>
#include <QWidget>

namespace app {

void SetUpSkinEngine() {
    skin::InstallDefaultShadowPictures();
    // Skin records and painters reach the widgets, and halos appear, through the control layer.
    skin::InstallWidgetAccess();
    skin::TsSkinManager::SetLayeredWindowsAvailable(framework::DesktopComposites());
    // A widget knows whether the pointer is over it; other objects keep their "MouseOver" flag.
    skin::TsSkinManager::SetMouseOverTest([](QObject* control) {
        if (auto* widget = qobject_cast<QWidget*>(control))
            return widget->underMouse();
        return control->property("MouseOver").toBool();
    });
    // The forms with a skin provider are not registered yet: the manager's own rule (the
    // top-level windows that say they are skinned) stays in force.
}

} // namespace app

// The skin engine's host as the program answers it, and the pictures it carries.
#include "app/SkinEngineSetup.h"

#include "framework/core/WidgetProperties.h"
#include "framework/widgets/DesktopComposition.h"
#include "resources/DefaultShadowPictures.h"
#include "resources/TovrinResources.h"
#include "skin/controls/sGauge.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/window/sWidgetAccess.h"
#include "skin/window/vlDials.h"
#include "skin/data/sSkinHost.h"

#include <QVariant>
#include <QWidget>

namespace app {
namespace {

class ProgramSkinHost : public skin::TsSkinHost {
public:
    // Asked each time, so that a compositing manager that starts or stops is seen.
    bool LayeredWindowsAvailable() const override { return framework::DesktopComposites(); }
    // A widget knows whether the pointer is over it; other objects keep their mouse-over mark.
    bool HasPointer(QObject* control) const override {
        if (auto* widget = qobject_cast<QWidget*>(control))
            return widget->underMouse();
        return TsSkinHost::HasPointer(control);
    }
    // The forms with a skin provider answer that they are skinned, so the manager's own rule
    // (announce to those after the others) finds them without a list of its own.
};

} // namespace

void SetUpSkinEngine() {
    skin::InstallDefaultShadowPictures();
    skin::SetGaugeLightPicture(skin::ReadPng(skin::GaugeLightPng(), "VLGL"));
    skin::InstallSkinHost(std::make_unique<ProgramSkinHost>());
    // Skin records and painters reach the widgets, and halos appear, through the control layer.
    skin::InstallWidgetAccess();
    // Every form gets its skinned frame from the window hook.
    skin::InstallWindowHook();
}

} // namespace app

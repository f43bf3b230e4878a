// Reading the shared marks.
#include "framework/core/WidgetProperties.h"

#include <QObject>
#include <QVariant>

namespace framework {

bool IsMarkedWindowless(const QObject* object) {
    return object != nullptr && object->property(kWindowlessProperty).toBool();
}

} // namespace framework

// Both sizes go into one QIcon, so the window system picks the one it shows.
#include "resources/ProgramIcon.h"

#include <QPixmap>

#include "resources/TovrinResources.h"

namespace skin {

QIcon ProgramIcon() {
    QIcon icon;
    for (const auto png : {ProgramIcon16Png(), ProgramIcon32Png()}) {
        QPixmap pixmap;
        if (pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG"))
            icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace skin

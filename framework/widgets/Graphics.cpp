// Colour values to and from Qt's colours.
#include "framework/widgets/Graphics.h"

namespace framework {

QColor ToQColor(TColor color) {
    const TColor rgb = ResolveColor(color);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TColor FromQColor(const QColor& color) { return RgbColor(color.red(), color.green(), color.blue()); }

} // namespace framework

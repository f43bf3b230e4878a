// Colour values: system colours resolved through the shared table (SystemColors.h), and the
// conversions to and from Qt's colours.
#include "framework/widgets/Graphics.h"

#include "framework/base/SystemColors.h"

namespace framework {
namespace {

constexpr TColor kRgbMask = 0x00FFFFFF;

} // namespace

TColor GetSysColor(int index) { return SystemColorValue(index); }

TColor ResolveColor(TColor color) {
    if ((color & kSystemColorFlag) == kSystemColorFlag)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color & kRgbMask;
}

QColor ToQColor(TColor color) {
    const TColor rgb = ResolveColor(color);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

} // namespace framework

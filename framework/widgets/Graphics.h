// Colour values (framework/base/Colors.h) at the widget boundary: to and from Qt's colours.
#pragma once

#include "framework/base/Colors.h"

#include <QColor>

namespace framework {

// 0x00BBGGRR (system colours resolved) to and from Qt's colour; Qt's alpha is ignored.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

} // namespace framework

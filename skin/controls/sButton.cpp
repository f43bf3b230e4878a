// TsButton construction.
#include "skin/controls/sButton.h"

namespace skin {

TsButton::TsButton(QWidget* parent) : framework::TButton(parent) {}

} // namespace skin

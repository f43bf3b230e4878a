// TsGroupBox construction.
#include "skin/controls/sGroupBox.h"

namespace skin {

TsGroupBox::TsGroupBox(QWidget* parent) : framework::TGroupBox(parent) {}

} // namespace skin

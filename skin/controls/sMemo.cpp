// TsMemo construction.
#include "skin/controls/sMemo.h"

namespace skin {

TsMemo::TsMemo(QWidget* parent) : framework::TMemo(parent) {}

} // namespace skin

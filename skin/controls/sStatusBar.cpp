// TsStatusBar construction.
#include "skin/controls/sStatusBar.h"

namespace skin {

TsStatusBar::TsStatusBar(QWidget* parent) : framework::TStatusBar(parent) {}

} // namespace skin

// TsPageControl and TsTabSheet construction.
#include "skin/controls/sPageControl.h"

namespace skin {

TsPageControl::TsPageControl(QWidget* parent) : framework::TPageControl(parent) {}

TsTabSheet::TsTabSheet(TsPageControl* pageControl) : framework::TTabSheet(pageControl) {}

} // namespace skin

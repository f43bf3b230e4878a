// TsPageControl and TsTabSheet: the skinned page control and its pages; until the skin engine
// paints them they look like the framework's TPageControl and TTabSheet.
#pragma once

#include "framework/widgets/ComCtrls.h"

namespace skin {

class TsPageControl : public framework::TPageControl {
    Q_OBJECT
public:
    explicit TsPageControl(QWidget* parent = nullptr);
};

class TsTabSheet : public framework::TTabSheet {
    Q_OBJECT
public:
    explicit TsTabSheet(TsPageControl* pageControl);
};

} // namespace skin

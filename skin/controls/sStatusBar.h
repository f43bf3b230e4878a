// TsStatusBar: the skinned status bar; until the skin engine paints it, it looks like the framework's TStatusBar.
#pragma once

#include "framework/widgets/ComCtrls.h"

namespace skin {

class TsStatusBar : public framework::TStatusBar {
    Q_OBJECT
public:
    explicit TsStatusBar(QWidget* parent = nullptr);
};

} // namespace skin

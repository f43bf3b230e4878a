// TsButton: the skinned push button; until the skin engine paints it, it looks like the framework's TButton.
#pragma once

#include "framework/widgets/StdCtrls.h"

namespace skin {

class TsButton : public framework::TButton {
    Q_OBJECT
public:
    explicit TsButton(QWidget* parent = nullptr);
};

} // namespace skin

// TsGroupBox: the skinned group box; until the skin engine paints it, it looks like the framework's TGroupBox.
#pragma once

#include "framework/widgets/StdCtrls.h"

namespace skin {

class TsGroupBox : public framework::TGroupBox {
    Q_OBJECT
public:
    explicit TsGroupBox(QWidget* parent = nullptr);
};

} // namespace skin

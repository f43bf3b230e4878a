// TsEdit: the skinned edit; until the skin engine paints it, it looks like the framework's TEdit.
#pragma once

#include "framework/widgets/StdCtrls.h"

namespace skin {

class TsEdit : public framework::TEdit {
    Q_OBJECT
public:
    explicit TsEdit(QWidget* parent = nullptr);
};

} // namespace skin

// TsMemo: the skinned memo; until the skin engine paints it, it looks like the framework's TMemo.
#pragma once

#include "framework/widgets/StdCtrls.h"

namespace skin {

class TsMemo : public framework::TMemo {
    Q_OBJECT
public:
    explicit TsMemo(QWidget* parent = nullptr);
};

} // namespace skin

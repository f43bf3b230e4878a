// TsEdit construction.
#include "skin/controls/sEdit.h"

namespace skin {

TsEdit::TsEdit(QWidget* parent) : framework::TEdit(parent) {}

} // namespace skin

// The program's window icon, made from the two drawn sizes this program carries.
#pragma once

#include <QIcon>

namespace skin {

// 16 × 16 and 32 × 32; an empty icon only if the embedded pictures could not be read.
QIcon ProgramIcon();

} // namespace skin

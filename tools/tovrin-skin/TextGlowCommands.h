// The text and glow commands of tovrin-skin: text written in a section's colours as the engine
// writes it, and the halo image the engine shows around a control.
#pragma once

#include "tools/tovrin-skin/Commands.h"

namespace tools {

int TextCommand(const Arguments& arguments);
int GlowCommand(const Arguments& arguments);

// Whether a command draws text and so needs a GUI application (fonts).
bool CommandNeedsFonts(std::string_view command);

} // namespace tools

// What the widget layer tells the skin engine about itself at start-up: whether windows are
// composited, and how a control's pointer-over state is read.
#pragma once

namespace app {

// Process-wide; calling it again only asks the platform again. Needs the application object.
void ConnectSkinEngineToWidgets();

} // namespace app

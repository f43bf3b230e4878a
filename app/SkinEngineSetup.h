// What the program tells the skin engine at start-up: whether windows are composited, how a
// control's pointer-over state is read, and the pictures it carries (the default form shadows,
// the gauge's light strip).
#pragma once

namespace app {

// Process-wide; calling it again only does the same again. Needs the application object, and
// comes before the first skin manager loads its skin.
void SetUpSkinEngine();

} // namespace app

// The default form shadows "vlSHDA" / "vlSHDI" this program carries, handed to the skin engine.
#pragma once

namespace skin {

// Decodes the embedded pictures and sets them as every skin manager's default shadow pictures.
// Call once at start-up, before a skin is loaded.
void InstallDefaultShadowPictures();

} // namespace skin

// The pictures and the skin package the program carries inside itself, all drawn at build time by
// tools/skin-art (the package is the Pewter folder packed as a VLzf package).
#pragma once

#include <cstdint>
#include <span>

namespace skin {

// The name of the skin the main window stores in its skin manager.
inline constexpr const char* kInternalSkinName = "Pewter (internal)";

// The packed "Pewter (internal)" skin: Options.dat and its nine pictures.
std::span<const std::uint8_t> InternalSkinPackage();
// "VLGL": the gauge's light strip, 60 × 20 PNG, white with alpha.
std::span<const std::uint8_t> GaugeLightPng();
// "vlSHDA" / "vlSHDI": the default form shadows, 33 × 33 PNG with alpha.
std::span<const std::uint8_t> ActiveShadowPng();
std::span<const std::uint8_t> InactiveShadowPng();
// The program icon as PNG, 16 × 16 and 32 × 32.
std::span<const std::uint8_t> ProgramIcon16Png();
std::span<const std::uint8_t> ProgramIcon32Png();

} // namespace skin

// The spans over the bytes that the build embeds (TovrinResourceBytes.cpp, generated).
#include "resources/TovrinResources.h"

#include <cstddef>

namespace skin::embedded {
extern const std::uint8_t InternalSkinPackage[];
extern const std::size_t InternalSkinPackageSize;
extern const std::uint8_t GaugeLight[];
extern const std::size_t GaugeLightSize;
extern const std::uint8_t ActiveShadow[];
extern const std::size_t ActiveShadowSize;
extern const std::uint8_t InactiveShadow[];
extern const std::size_t InactiveShadowSize;
extern const std::uint8_t ProgramIcon16[];
extern const std::size_t ProgramIcon16Size;
extern const std::uint8_t ProgramIcon32[];
extern const std::size_t ProgramIcon32Size;
} // namespace skin::embedded

namespace skin {

std::span<const std::uint8_t> InternalSkinPackage() {
    return {embedded::InternalSkinPackage, embedded::InternalSkinPackageSize};
}
std::span<const std::uint8_t> GaugeLightPng() { return {embedded::GaugeLight, embedded::GaugeLightSize}; }
std::span<const std::uint8_t> ActiveShadowPng() { return {embedded::ActiveShadow, embedded::ActiveShadowSize}; }
std::span<const std::uint8_t> InactiveShadowPng() { return {embedded::InactiveShadow, embedded::InactiveShadowSize}; }
std::span<const std::uint8_t> ProgramIcon16Png() { return {embedded::ProgramIcon16, embedded::ProgramIcon16Size}; }
std::span<const std::uint8_t> ProgramIcon32Png() { return {embedded::ProgramIcon32, embedded::ProgramIcon32Size}; }

} // namespace skin

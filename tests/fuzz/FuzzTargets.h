// The fuzz targets: each takes one input and returns 0, throws nothing it does not expect, and
// stops the program (FUZZ_CHECK) when a result breaks a rule the code promises. The same
// functions run under libFuzzer (-DTOVRIN_FUZZ=ON, clang) and in the plain corpus replay test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tovrin::fuzz {

using Target = int (*)(const std::uint8_t* data, std::size_t size);

int PackageReader(const std::uint8_t* data, std::size_t size);
int OptionsModel(const std::uint8_t* data, std::size_t size);
int PictureReaders(const std::uint8_t* data, std::size_t size);
int MaskPainters(const std::uint8_t* data, std::size_t size);
int ScannerPages(const std::uint8_t* data, std::size_t size);

struct NamedTarget {
    std::string_view Name; // also the folder of its corpus
    Target Run;
};
inline constexpr NamedTarget kTargets[] = {
    {"package", PackageReader}, {"options", OptionsModel},  {"picture", PictureReaders},
    {"mask", MaskPainters},     {"scanner", ScannerPages},
};

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
    std::abort();
}

} // namespace tovrin::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::tovrin::fuzz::CheckFailed(#condition, __FILE__, __LINE__))

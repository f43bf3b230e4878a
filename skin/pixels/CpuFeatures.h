// What the processor offers the vectorised row kernels, asked once per process.
#pragma once

namespace skin {

// True where the AVX2 kernels may run (x86-64 processors that have the instructions).
bool Avx2Available();

// True where the AVX-512 kernels may run: AVX-512 F, BW and VNNI, with the system saving the
// 512-bit registers.
bool Avx512Available();

} // namespace skin

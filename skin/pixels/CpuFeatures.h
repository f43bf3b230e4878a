// What the processor offers the vectorised row kernels, asked once per process.
#pragma once

namespace skin {

// True where the AVX2 kernels may run (x86-64 processors that have the instructions).
bool Avx2Available();

} // namespace skin

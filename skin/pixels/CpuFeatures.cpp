// The processor check, made once.
#include "skin/pixels/CpuFeatures.h"

namespace skin {

bool Avx2Available() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
#else
    return false;
#endif
}

bool Avx512Available() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool available = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                  __builtin_cpu_supports("avx512vnni");
    return available;
#else
    return false;
#endif
}

} // namespace skin

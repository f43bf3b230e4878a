// libFuzzer's entry point for one target, chosen when the target is built
// (TOVRIN_FUZZ_TARGET names one of the functions of FuzzTargets.h).
#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tovrin::fuzz::TOVRIN_FUZZ_TARGET(data, size);
}

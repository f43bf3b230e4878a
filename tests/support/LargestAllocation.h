// The largest single allocation made through operator new while a watch lives: lets a test
// show that nothing was sized from a file's claimed numbers, without a large fixture. Linking
// LargestAllocation.cpp replaces the global operator new of the whole test program.
#pragma once

#include <cstddef>

namespace skin::test {

class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;

    std::size_t Bytes() const;
};

} // namespace skin::test

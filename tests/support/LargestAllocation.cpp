// Global operator new that notes the largest request while a LargestAllocation is alive.
#include "tests/support/LargestAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> gWatching{false};
std::atomic<std::size_t> gLargest{0};

void* Allocate(std::size_t size) {
    if (gWatching.load(std::memory_order_relaxed)) {
        std::size_t seen = gLargest.load(std::memory_order_relaxed);
        while (size > seen && !gLargest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace skin::test {

LargestAllocation::LargestAllocation() {
    gLargest = 0;
    gWatching = true;
}

LargestAllocation::~LargestAllocation() { gWatching = false; }

std::size_t LargestAllocation::Bytes() const { return gLargest.load(); }

} // namespace skin::test

// The test program's own global allocation functions, so that a ceiling can refuse blocks.
#include "allocation_limit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> gCeiling{0};
}

namespace shelltest {
void SetAllocationCeiling(std::size_t bytes) { gCeiling = bytes; }
}  // namespace shelltest

void* operator new(std::size_t size) {
    const std::size_t ceiling = gCeiling;
    if (ceiling != 0 && size > ceiling) throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

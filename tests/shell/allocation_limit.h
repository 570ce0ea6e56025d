// A ceiling on the blocks the program's allocations may take, for runs under a memory limit:
// while it is set, any larger request fails as an exhausted heap's would (std::bad_alloc).
#pragma once
#include <cstddef>

namespace shelltest {

// 0 lifts the ceiling.
void SetAllocationCeiling(std::size_t bytes);

// Holds the ceiling while it lives.
class AllocationCeiling {
public:
    explicit AllocationCeiling(std::size_t bytes) { SetAllocationCeiling(bytes); }
    ~AllocationCeiling() { SetAllocationCeiling(0); }
    AllocationCeiling(const AllocationCeiling&) = delete;
    AllocationCeiling& operator=(const AllocationCeiling&) = delete;
};

}  // namespace shelltest

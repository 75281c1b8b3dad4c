// counting_allocator.h — counts every heap allocation the process makes.
//
// counting_allocator.cpp replaces malloc, calloc, realloc, aligned_alloc,
// posix_memalign, memalign and every form of operator new / new[]; each call bumps a
// counter and forwards to glibc's own allocator. The counters only ever grow: take a
// snapshot before and after the code under audit, and keep anything that allocates
// (test assertions, messages) outside that window.
#pragma once

#include <cstdint>

struct AllocationCounts {
    std::uint64_t mallocCalls;   // malloc, calloc, realloc and the aligned C allocators
    std::uint64_t operatorNews;  // every operator new and new[], plain, nothrow and aligned

    std::uint64_t total() const { return mallocCalls + operatorNews; }
};

AllocationCounts allocationCounts();

// Counts between two snapshots.
AllocationCounts operator-(const AllocationCounts& after, const AllocationCounts& before);

#pragma once

#include <cstddef>

namespace vek {

// Gives the whole memory pages that lie within [begin, end) back to the system, which drops
// them from the process's resident memory at once. The range stays allocated to its owner and
// reads as zeros afterwards: only a range that will not be read again may be given back.
void ReleasePages(char* begin, char* end);

// Memory for a large table that is read at random places (the slots of a hash index). From
// kLargePage bytes on, it is laid on the system's large pages where it offers them: a random
// look-up then rarely misses the address cache, and filling the table takes a page fault per
// 2 MiB rather than per 4 KiB. Smaller tables come from the ordinary heap.
void* AllocateLargeTable(std::size_t bytes);
void FreeLargeTable(void* table, std::size_t bytes);

inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

// A standard allocator over AllocateLargeTable, for a vector that holds such a table.
template <typename T>
struct LargeTableAllocator {
    using value_type = T;

    LargeTableAllocator() = default;
    template <typename U>
    LargeTableAllocator(const LargeTableAllocator<U>&) {} // NOLINT: allocators convert freely

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLargeTable(n * sizeof(T))); }
    void deallocate(T* table, std::size_t n) { FreeLargeTable(table, n * sizeof(T)); }

    template <typename U>
    bool operator==(const LargeTableAllocator<U>&) const {
        return true;
    }
};

} // namespace vek

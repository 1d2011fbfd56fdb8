#include "platform/memory_pages.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace vek {

void ReleasePages(char* begin, char* end) {
    static const auto kPage = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t first =
        (reinterpret_cast<std::uintptr_t>(begin) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(end) & ~(kPage - 1);
    if (first >= last)
        return;
    // Advice only: where the system declines, the pages just stay.
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

void* AllocateLargeTable(std::size_t bytes) {
    if (bytes < kLargePage)
        return ::operator new(bytes);
    // Whole large pages, aligned to one, so that the system can map every part of the table so.
    void* table = std::aligned_alloc(kLargePage, (bytes + kLargePage - 1) & ~(kLargePage - 1));
    if (table == nullptr)
        throw std::bad_alloc();
    // Advice only: where the system declines, the table lies on ordinary pages.
    ::madvise(table, bytes, MADV_HUGEPAGE);
    return table;
}

void FreeLargeTable(void* table, std::size_t bytes) {
    if (bytes < kLargePage)
        ::operator delete(table);
    else
        std::free(table);
}

} // namespace vek

#include "platform/memory_pages.h"

#include <cstdint>
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

} // namespace vek

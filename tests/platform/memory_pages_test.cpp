#include "platform/memory_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unistd.h>
#include <vector>

namespace vek {
namespace {

TEST(MemoryPages, ALargeTableHoldsEveryEntryAcrossGrowthPastALargePage) {
    // Grown one entry at a time from ordinary heap memory to several large pages and back to
    // nothing: every entry survives each move, and a large table starts on a large page.
    std::vector<std::uint64_t, LargeTableAllocator<std::uint64_t>> table;
    const std::size_t count = 3 * kLargePage / sizeof(std::uint64_t) + 5;
    for (std::uint64_t i = 0; i < count; ++i)
        table.push_back(i * 7);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.data()) % kLargePage, 0u);
    EXPECT_EQ(table.front(), 0u);
    EXPECT_EQ(table[count / 2], count / 2 * 7);
    EXPECT_EQ(table.back(), (count - 1) * 7);
    table.assign(10, 1);
    table.shrink_to_fit();
    EXPECT_EQ(std::accumulate(table.begin(), table.end(), std::uint64_t{0}), 10u);
}

TEST(MemoryPages, PagesGivenBackReadAsZerosAndTheirNeighboursKeepTheirText) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::vector<char> text(8 * page, 'x');
    // Only whole pages within the range go: the partial pages at both ends stay as they are.
    ReleasePages(text.data() + 1, text.data() + text.size() - 1);
    EXPECT_EQ(text.front(), 'x');
    EXPECT_EQ(text.back(), 'x');
    const std::size_t zeros = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
    EXPECT_EQ(zeros % page, 0u);
    EXPECT_GE(zeros, 6 * page);
}

} // namespace
} // namespace vek

#include "model/part_index.h"

#include <gtest/gtest.h>

#include <vector>

namespace vek {
namespace {

// The parts at a key, in the order entered: (node, part) as numbers.
std::vector<std::pair<std::size_t, std::uint32_t>> PartsAt(PartIndex& index,
                                                           const PartIndex::Key& key) {
    std::vector<std::pair<std::size_t, std::uint32_t>> parts;
    for (std::uint32_t i = index.First(key); i != PartIndex::kEnd; i = index.At(i).next)
        parts.emplace_back(reinterpret_cast<std::size_t>(index.At(i).node), index.At(i).part);
    return parts;
}

void* Node(std::size_t n) {
    return reinterpret_cast<void*>(n);
}

TEST(PartIndex, PartsAtOneAddressComeInTheOrderEnteredAndKeysAreWhole) {
    PartIndex index;
    EXPECT_EQ(index.First({1, 0x40, 1}), PartIndex::kEnd) << "empty";
    index.Add({1, 0x40, 1}, Node(8), 0);
    index.Add({1, 0x41, 1}, Node(16), 0);
    index.Add({1, 0x40, 1}, Node(24), 1);
    using Parts = std::vector<std::pair<std::size_t, std::uint32_t>>;
    EXPECT_EQ(PartsAt(index, {1, 0x40, 1}), (Parts{{8, 0}, {24, 1}}));
    EXPECT_EQ(PartsAt(index, {1, 0x41, 1}), (Parts{{16, 0}}));
    // Another device, or another address length, is another place.
    EXPECT_TRUE(PartsAt(index, {2, 0x40, 1}).empty());
    EXPECT_TRUE(PartsAt(index, {1, 0x40, 2}).empty());
    index.Clear();
    EXPECT_TRUE(PartsAt(index, {1, 0x40, 1}).empty());
}

TEST(PartIndex, AnAddAfterALookUpGoesWhereItsOwnAddressIs) {
    // The overlap check looks an address up, then adds the register's part there: the place the
    // look-up found is used again unless another address came in between or the table grew.
    PartIndex index;
    using Parts = std::vector<std::pair<std::size_t, std::uint32_t>>;
    EXPECT_EQ(index.First({1, 0x10, 1}), PartIndex::kEnd);
    index.Add({1, 0x20, 1}, Node(8), 0);
    index.Add({1, 0x10, 1}, Node(16), 0);
    EXPECT_EQ(PartsAt(index, {1, 0x20, 1}), (Parts{{8, 0}}));
    EXPECT_EQ(PartsAt(index, {1, 0x10, 1}), (Parts{{16, 0}}));
    for (std::uint64_t address = 0; address < 5000; ++address) {
        index.First({2, address % 700, 1});
        index.Add({2, address % 700, 1}, Node(8 * (address + 1)), 0);
    }
    for (std::uint64_t address = 0; address < 700; address += 99)
        ASSERT_EQ(PartsAt(index, {2, address, 1}).size(), address < 5000 % 700 ? 8u : 7u);
}

TEST(PartIndex, ThousandsOfAddressesInManyDevicesStayFindable) {
    // Enough places to grow the table several times; each device repeats the same addresses.
    PartIndex index;
    for (std::uint32_t group = 1; group <= 20; ++group) {
        for (std::uint64_t address = 0; address < 1000; ++address)
            index.Add({group, address, 2}, Node(group * 8), static_cast<std::size_t>(address));
    }
    for (std::uint32_t group = 1; group <= 20; ++group) {
        for (std::uint64_t address = 0; address < 1000; address += 37) {
            const auto parts = PartsAt(index, {group, address, 2});
            ASSERT_EQ(parts.size(), 1u);
            EXPECT_EQ(parts[0].first, group * 8);
            EXPECT_EQ(parts[0].second, address);
        }
    }
    EXPECT_TRUE(PartsAt(index, {21, 5, 2}).empty());
    EXPECT_TRUE(PartsAt(index, {1, 1000, 2}).empty());
}

TEST(PartIndex, LongRunsOfPartsAtAFewAddressesKeepTheirOrderAfterAClear) {
    // The first part of an address is kept with it, the later ones apart: three addresses take
    // turns, so that their later parts lie interleaved, and each still reads in the order entered.
    PartIndex index;
    for (int round = 0; round < 2; ++round) {
        for (std::size_t part = 0; part < 600; ++part)
            index.Add({3, 0x10 + part % 3, 1}, Node(8 * (part + 1)), part);
        for (std::uint64_t address = 0x10; address < 0x13; ++address) {
            const auto parts = PartsAt(index, {3, address, 1});
            ASSERT_EQ(parts.size(), 200u);
            for (std::size_t i = 0; i < parts.size(); ++i) {
                const std::size_t part = 3 * i + (address - 0x10);
                ASSERT_EQ(parts[i].first, 8 * (part + 1)) << "address " << address << " #" << i;
                ASSERT_EQ(parts[i].second, part);
            }
        }
        index.Clear();
        EXPECT_TRUE(PartsAt(index, {3, 0x10, 1}).empty());
    }
}

} // namespace
} // namespace vek

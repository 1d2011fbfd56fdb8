// The names behind the script constants: replaced by index and never removed, a renewal from the
// first entry keeping what lies beyond it.
#include "scripting/item_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vek {
namespace {

std::vector<std::string> All(const ItemNames& names) {
    std::vector<std::string> all;
    for (std::size_t k = 0; k < names.Count(); ++k)
        all.emplace_back(names.At(k));
    return all;
}

TEST(ItemNames, GrowsByIndexAndReplacesInAnyOrder) {
    ItemNames names;
    EXPECT_EQ(names.Count(), 0u);
    names.Set(0, "CTRL");
    names.Set(2, "STAT"); // entry 1 never set
    EXPECT_EQ(All(names), (std::vector<std::string>{"CTRL", "", "STAT"}));
    names.Set(1, "A_LONGER_NAME_THAN_ITS_NEIGHBOURS");
    names.Set(0, "");
    EXPECT_EQ(All(names),
              (std::vector<std::string>{"", "A_LONGER_NAME_THAN_ITS_NEIGHBOURS", "STAT"}));
}

TEST(ItemNames, ARenewalReplacesFromTheFirstAndKeepsTheRest) {
    ItemNames names;
    names.Renew(4);
    for (const char* name : {"A", "B", "C", "D"})
        names.Set(names.Count(), name);
    // Shorter: the entries beyond the new ones stay, also while the renewal is in progress.
    names.Renew(2);
    EXPECT_EQ(All(names), (std::vector<std::string>{"A", "B", "C", "D"}));
    names.Set(0, "X");
    EXPECT_EQ(All(names), (std::vector<std::string>{"X", "B", "C", "D"}));
    names.Set(1, "Y");
    EXPECT_EQ(All(names), (std::vector<std::string>{"X", "Y", "C", "D"}));
    // Empty: nothing changes. Longer: everything is replaced and more added.
    names.Renew(0);
    EXPECT_EQ(All(names), (std::vector<std::string>{"X", "Y", "C", "D"}));
    names.Renew(5);
    for (const char* name : {"P", "Q", "R", "S", "T"})
        names.Set(static_cast<std::size_t>(name[0] - 'P'), name);
    EXPECT_EQ(All(names), (std::vector<std::string>{"P", "Q", "R", "S", "T"}));
    // A renewal that skips entries keeps the earlier names there.
    names.Renew(3);
    names.Set(2, "Z");
    EXPECT_EQ(All(names), (std::vector<std::string>{"P", "Q", "Z", "S", "T"}));
    names.Renew(1);
    names.Set(0, "F");
    EXPECT_EQ(All(names), (std::vector<std::string>{"F", "Q", "Z", "S", "T"}));
}

} // namespace
} // namespace vek

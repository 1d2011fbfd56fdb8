#include "platform/string_table.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(StringTable, TextsAreLoadedByNumberWithTheirTrailingBlanks) {
    EXPECT_EQ(LoadString(1), "error P00: unexpected end of file ");
    EXPECT_EQ(LoadString(StringId::ErrP07), "error P07: unknown token ");
    EXPECT_EQ(LoadString(38), "error B30: datasize differs from number of bytes in byte order");
    EXPECT_EQ(LoadString(StringId::DrvD00),
              "driver error D00: Not valid driver. Do you want to switch in the simulation mode ?");
    EXPECT_EQ(LoadString(47), "driver error D07: no valid data to write to address ");
}

TEST(StringTable, NumbersOutsideTheTableGiveAnEmptyText) {
    EXPECT_TRUE(LoadString(0).empty());
    EXPECT_TRUE(LoadString(39).empty());
    EXPECT_TRUE(LoadString(49).empty());
    EXPECT_TRUE(LoadString(-1).empty());
}

TEST(StringTable, CompilerCodesAreNumberedWithoutGaps) {
    for (int id = 1; id <= 38; ++id)
        EXPECT_FALSE(LoadString(id).empty()) << id;
    for (int id = 40; id <= 48; ++id)
        EXPECT_EQ(LoadString(id).substr(0, 14), "driver error D") << id;
}

} // namespace
} // namespace vek

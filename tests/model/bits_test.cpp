#include "model/bits.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(BitsTest, ExtractAndDepositMoveBitsBetweenFieldAndMask) {
    EXPECT_EQ(Extract(0xFF, 0x38, 3), 7U);
    EXPECT_EQ(Extract(0b1010'0000, 0xA0, 2), 0b11U);
    EXPECT_EQ(Extract(0x80000001U, 0x80000001U, 2), 0b11U);
    EXPECT_EQ(Deposit(0b101, 0, 0x38, 3), 0b101'000U);
    EXPECT_EQ(Deposit(0xABCD, 8, 0xFF, 8), 0xABU);
    EXPECT_EQ(Deposit(0b11, 0, 0x81, 2), 0x81U);
    EXPECT_EQ(Deposit(0xFFFFFFFFU, 0, 0xFFFFFFFFU, 32), 0xFFFFFFFFU);
    EXPECT_EQ(Deposit(0xFFFFFFFFU, 32, 0xFF, 8), 0U);
    for (uint32_t v : {0U, 1U, 0x5AU, 0x1234U}) {
        EXPECT_EQ(Extract(Deposit(v, 0, 0x0F0F, 8), 0x0F0F, 8), v & 0xFF);
    }
}

TEST(BitsTest, CountsAboveTheMasksBitsEndWithTheLastMaskBit) {
    EXPECT_EQ(Extract(0xFF, 0x0C, 40), 0b11U);
    EXPECT_EQ(Deposit(0xFF, 0, 0x0C, 1000), 0x0CU);
    EXPECT_EQ(Extract(0xFF, 0, 5), 0U);
    EXPECT_EQ(Deposit(0xFF, 0, 0, 5), 0U);
    EXPECT_EQ(Deposit(0xFF, 0, 0xFF, 0), 0U);
}

TEST(BitsTest, FieldMaxCoversAllWidths) {
    EXPECT_EQ(FieldMax(0), 0U);
    EXPECT_EQ(FieldMax(1), 1U);
    EXPECT_EQ(FieldMax(31), 0x7FFFFFFFU);
    EXPECT_EQ(FieldMax(32), 0xFFFFFFFFU);
}

} // namespace
} // namespace vek

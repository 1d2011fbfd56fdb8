#include "platform/result.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

Result<int> Half(int value) {
    if (value % 2 != 0) {
        return Failure{22, "odd"};
    }
    return value / 2;
}

TEST(Result, AValueOrAFailureWithItsCodeAndReason) {
    const Result<int> half = Half(8);
    ASSERT_TRUE(half);
    EXPECT_EQ(half.Value(), 4);
    const Result<int> odd = Half(7);
    ASSERT_FALSE(odd);
    EXPECT_EQ(odd.Error().code, 22);
    EXPECT_EQ(odd.Error().text, "odd");
}

TEST(Result, ASuccessWithoutValueReadsAsCodeZero) {
    const Result<void> done;
    EXPECT_TRUE(done.IsOk());
    EXPECT_EQ(done.Error().code, 0);
    EXPECT_EQ(done.Error().text, "");
    const Result<void> failed = Failure{5, "no acknowledge"};
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.Error().code, 5);
    EXPECT_EQ(failed.Error().text, "no acknowledge");
}

} // namespace
} // namespace vek

#include "process_scan_library.h"
#include "recording_device.h"
#include "tap_back_ends.h"
#include "tap_driver.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using bsx4810::test::TapBackEnd;

// The driver over the process's scan library with a software TAP behind each back end.
class TapDriverSoftTapTest : public testing::TestWithParam<TapBackEnd> {
protected:
    void SetUp() override {
        bsx4810::test::UsePrivateLockFile();
        bsx4810::ResetProcessScanLibrary(target.Factory());
        ASSERT_TRUE(driver.Open());
    }

    uint32_t Read(int addrLen, const unsigned char* addr, int dataLen, uint32_t start = 0) {
        uint32_t data = start;
        EXPECT_TRUE(driver.GetReg(addrLen, dataLen, addr, &data));
        return data;
    }

    bsx4810::test::CTapUnderTest target{GetParam()};
    TapDriver driver;
};

INSTANTIATE_TEST_SUITE_P(BackEnds, TapDriverSoftTapTest,
                         testing::Values(TapBackEnd::Soft, TapBackEnd::Ftdi),
                         bsx4810::test::BackEndName);

TEST_P(TapDriverSoftTapTest, WrittenRegistersReadBack) {
    const unsigned char a[2] = {0x05, 0x01};
    const unsigned char b[2] = {0x06, 0x01};
    EXPECT_TRUE(driver.SetReg(2, 4, a, 0x12345678));
    EXPECT_TRUE(driver.SetReg(2, 4, b, 0x9ABCDEF0));
    EXPECT_EQ(Read(2, a, 4), 0x12345678u);
    EXPECT_EQ(Read(2, b, 4), 0x9ABCDEF0u);
}

TEST_P(TapDriverSoftTapTest, PartialReadsFillOnlyTheirBytes) {
    const unsigned char a[1] = {0x40};
    EXPECT_TRUE(driver.SetReg(1, 1, a, 0xAABBCCDD)); // all 32 bits, whatever dataLen says
    EXPECT_EQ(Read(1, a, 4), 0xAABBCCDDu);
    EXPECT_EQ(Read(1, a, 2, 0x11111111), 0x1111CCDDu);
    EXPECT_EQ(Read(1, a, 1, 0x11111111), 0x111111DDu);
    EXPECT_EQ(Read(1, a, 0, 0x11111111), 0x11111111u);
}

TEST_P(TapDriverSoftTapTest, AddressesOfDifferentLengthsNameOneRegisterByValue) {
    const unsigned char shortAddress[1] = {0x07};
    const unsigned char longAddress[10] = {0x07};
    EXPECT_TRUE(driver.SetReg(1, 4, shortAddress, 77));
    EXPECT_EQ(Read(10, longAddress, 4), 77u);
}

TEST_P(TapDriverSoftTapTest, ReopeningAfterResetKeepsTheRegisters) {
    const unsigned char a[2] = {0x00, 0x02};
    EXPECT_TRUE(driver.SetReg(2, 2, a, 0x4242));
    EXPECT_TRUE(driver.Close());
    EXPECT_TRUE(driver.Open());
    EXPECT_EQ(Read(2, a, 2), 0x4242u);
}

} // namespace
} // namespace vek

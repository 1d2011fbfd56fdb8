#include "process_scan_library.h"
#include "recording_device.h"
#include "tap_back_ends.h"
#include "tap_driver.h"

#include <gtest/gtest.h>

namespace tapdrv32 {
namespace {

using bsx4810::test::TapBackEnd;

// The driver over the process's scan library with a software TAP behind each back end.
class TapDriverSoftTapTest : public testing::TestWithParam<TapBackEnd> {
protected:
    void SetUp() override {
        bsx4810::test::UsePrivateLockFile();
        bsx4810::ResetProcessScanLibrary(target.Factory());
        ASSERT_EQ(driver.Open(), 1);
    }

    uint32_t Read(int addrLen, const unsigned char* addr, int dataLen, uint32_t start = 0) {
        uint32_t data = start;
        EXPECT_EQ(driver.GetReg(addrLen, dataLen, addr, &data), 1);
        return data;
    }

    bsx4810::test::CTapUnderTest target{GetParam()};
    CTapDriver driver;
};

INSTANTIATE_TEST_SUITE_P(BackEnds, TapDriverSoftTapTest,
                         testing::Values(TapBackEnd::Soft, TapBackEnd::Ftdi),
                         bsx4810::test::BackEndName);

TEST_P(TapDriverSoftTapTest, WrittenRegistersReadBack) {
    const unsigned char a[2] = {0x05, 0x01};
    const unsigned char b[2] = {0x06, 0x01};
    EXPECT_EQ(driver.SetReg(2, 4, a, 0x12345678), 1);
    EXPECT_EQ(driver.SetReg(2, 4, b, 0x9ABCDEF0), 1);
    EXPECT_EQ(Read(2, a, 4), 0x12345678u);
    EXPECT_EQ(Read(2, b, 4), 0x9ABCDEF0u);
}

TEST_P(TapDriverSoftTapTest, PartialReadsFillOnlyTheirBytes) {
    const unsigned char a[1] = {0x40};
    EXPECT_EQ(driver.SetReg(1, 1, a, 0xAABBCCDD), 1); // all 32 bits, whatever dataLen says
    EXPECT_EQ(Read(1, a, 4), 0xAABBCCDDu);
    EXPECT_EQ(Read(1, a, 2, 0x11111111), 0x1111CCDDu);
    EXPECT_EQ(Read(1, a, 1, 0x11111111), 0x111111DDu);
    EXPECT_EQ(Read(1, a, 0, 0x11111111), 0x11111111u);
}

TEST_P(TapDriverSoftTapTest, AddressesOfDifferentLengthsNameOneRegisterByValue) {
    const unsigned char shortAddress[1] = {0x07};
    const unsigned char longAddress[10] = {0x07};
    EXPECT_EQ(driver.SetReg(1, 4, shortAddress, 77), 1);
    EXPECT_EQ(Read(10, longAddress, 4), 77u);
}

TEST_P(TapDriverSoftTapTest, ReopeningAfterResetKeepsTheRegisters) {
    const unsigned char a[2] = {0x00, 0x02};
    EXPECT_EQ(driver.SetReg(2, 2, a, 0x4242), 1);
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(driver.Open(), 1);
    EXPECT_EQ(Read(2, a, 2), 0x4242u);
}

} // namespace
} // namespace tapdrv32

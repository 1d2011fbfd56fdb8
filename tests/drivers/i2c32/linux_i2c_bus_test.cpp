#include "linux_i2c_bus.h"

#include "fake_i2c_dev_port.h"
#include "outcome_text.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using test::FakeI2cDevPort;
using test::OutcomeText;
using test::RecordedMessage;
using Bytes = std::vector<uint8_t>;

class LinuxI2cBusTest : public testing::Test {
protected:
    LinuxI2cBus MakeBus() {
        return LinuxI2cBus("/dev/i2c-7", std::make_unique<FakeI2cDevPort>(record_));
    }
    test::I2cDevRecord record_;
};

TEST_F(LinuxI2cBusTest, OpenChecksTheAdapterAndSetsTheTimeout) {
    {
        auto bus = MakeBus();
        EXPECT_EQ(OutcomeText(bus.Open(10)), "");
        EXPECT_EQ(record_.openedPath, "/dev/i2c-7");
        EXPECT_EQ(record_.timeout, 10);
    }
    EXPECT_TRUE(record_.closed);

    record_.functions = I2C_FUNC_SMBUS_BYTE;
    EXPECT_EQ(OutcomeText(MakeBus().Open(0)), "/dev/i2c-7: adapter cannot do combined transfers");
    record_.openError = ENOENT;
    EXPECT_EQ(OutcomeText(MakeBus().Open(0)), "/dev/i2c-7: No such file or directory");
}

TEST_F(LinuxI2cBusTest, AWriteIsOneMessageWithAllBytes) {
    auto bus = MakeBus();
    ASSERT_EQ(OutcomeText(bus.Open(0)), "");
    EXPECT_EQ(record_.timeout, -1);
    EXPECT_EQ(OutcomeText(bus.Write(0x50, Bytes{0x05, 0x34, 0x12})), "");
    ASSERT_EQ(record_.transfers.size(), 1u);
    EXPECT_EQ(record_.transfers[0],
              (std::vector<RecordedMessage>{{0x50, 0, 3, Bytes{0x05, 0x34, 0x12}}}));
}

TEST_F(LinuxI2cBusTest, AReadAfterASubAddressUsesARepeatedStart) {
    auto bus = MakeBus();
    ASSERT_EQ(OutcomeText(bus.Open(0)), "");
    record_.toRead = {0x80, 0x19};
    Bytes read(2);
    EXPECT_EQ(OutcomeText(bus.WriteRead(0x48, Bytes{0x01, 0x00}, read)), "");
    // Both messages in one request: the kernel joins them with a repeated start.
    ASSERT_EQ(record_.transfers.size(), 1u);
    EXPECT_EQ(record_.transfers[0], (std::vector<RecordedMessage>{{0x48, 0, 2, Bytes{0x01, 0x00}},
                                                                  {0x48, I2C_M_RD, 2, Bytes{}}}));
    EXPECT_EQ(read, (Bytes{0x80, 0x19}));

    EXPECT_EQ(OutcomeText(bus.WriteRead(0x48, Bytes{}, read)), "");
    EXPECT_EQ(record_.transfers[1], (std::vector<RecordedMessage>{{0x48, I2C_M_RD, 2, Bytes{}}}));
}

TEST_F(LinuxI2cBusTest, FailedTransfersSayWhy) {
    auto bus = MakeBus();
    EXPECT_EQ(OutcomeText(bus.Write(0x50, Bytes{0})), "/dev/i2c-7 is not open");
    ASSERT_EQ(OutcomeText(bus.Open(0)), "");
    record_.transferError = ENXIO;
    EXPECT_EQ(OutcomeText(bus.Write(0x50, Bytes{0})),
              "no acknowledge from device 0xA0 (7-bit 0x50)");
    record_.transferError = EREMOTEIO;
    Bytes read(1);
    EXPECT_EQ(OutcomeText(bus.WriteRead(0x21, Bytes{0}, read)),
              "no acknowledge from device 0x42 (7-bit 0x21)");
    record_.transferError = ETIMEDOUT;
    EXPECT_EQ(OutcomeText(bus.Write(0x50, Bytes{0})), "I2C transfer: Connection timed out");
}

} // namespace
} // namespace vek

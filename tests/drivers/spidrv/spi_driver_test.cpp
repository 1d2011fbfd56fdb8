// The driver through the seam below the system calls: the exact frames of each convention, the
// open's requests, and every refusal with its status text and its line on standard error.
#include "spi_driver.h"

#include "fake_spidev_port.h"
#include "outcome_text.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using test::OutcomeText;
using test::RecordedSetting;
using test::RecordedTransfer;
using Bytes = std::vector<std::uint8_t>;

class SpiDriverTest : public testing::Test {
protected:
    static Result<ProfileFile> ReadSettings() { return ProfileFile::Parse(settingsText); }

    // A driver whose device files all lead to the fake kernel.
    SpiDriver& Driver(const std::string& settings) {
        settingsText = settings;
        driver_ = std::make_unique<SpiDriver>(&ReadSettings, [this](const SpiDeviceSettings&) {
            return std::make_unique<test::FakeSpidevPort>(record_);
        });
        return *driver_;
    }
    std::string Set(const Bytes& address, int dataLen, uint32_t value) {
        return OutcomeText(
            driver_->SetReg(static_cast<int>(address.size()), dataLen, address.data(), value));
    }
    // Reads into an area whose other bytes show whether they were left alone.
    std::string Get(const Bytes& address, int dataLen, uint32_t& value) {
        value = 0xEEEEEEEE;
        return OutcomeText(
            driver_->GetReg(static_cast<int>(address.size()), dataLen, address.data(), &value));
    }
    Bytes LastTx() const {
        return record_.transfers.empty() ? Bytes{} : record_.transfers.back().tx;
    }

    static inline std::string settingsText;
    test::SpidevRecord record_;
    std::unique_ptr<SpiDriver> driver_;
};

TEST_F(SpiDriverTest, TheOpenSetsModeClockAndWordSizeAndTheLastCloseClosesTheFile) {
    SpiDriver& driver = Driver("[Device0]\nDeviceFile=/dev/spidev1.2\nMode=3\nCsHigh=1\n"
                               "BitOrder=LsbFirst\nSpeedHz=500000\n");
    EXPECT_EQ(OutcomeText(driver.Open()), "");
    EXPECT_EQ(record_.openedPaths, (std::vector<std::string>{"/dev/spidev1.2"}));
    EXPECT_EQ(record_.settings, (std::vector<RecordedSetting>{
                                    {SPI_IOC_WR_MODE, SPI_MODE_3 | SPI_CS_HIGH | SPI_LSB_FIRST},
                                    {SPI_IOC_WR_MAX_SPEED_HZ, 500000},
                                    {SPI_IOC_WR_BITS_PER_WORD, 8}}));
    EXPECT_EQ(OutcomeText(driver.Open()), "");
    EXPECT_EQ(record_.openedPaths.size(), 1u);
    EXPECT_EQ(OutcomeText(driver.Close()), "");
    EXPECT_EQ(record_.closes, 0);
    EXPECT_EQ(OutcomeText(driver.Close()), "");
    EXPECT_EQ(record_.closes, 1);
    EXPECT_EQ(Set({0x00, 0x00}, 1, 0), "driver is not open");
}

TEST_F(SpiDriverTest, AReadFlagInTheAddressByteMarksReads) {
    Driver("[Device0]\nDeviceFile=/dev/spidev0.0\nSpeedHz=0x100000\n"
           "[Device2]\nDeviceFile=/dev/spidev0.1\nReadFlag=0\nWriteFlag=0x20\n")
        .Open();
    EXPECT_EQ(Set({0x21, 0x00}, 1, 0xA5), "");
    EXPECT_EQ(record_.transfers.back(), (RecordedTransfer{{0x21, 0xA5}, 0x100000, 8}));
    record_.toRead = {0xFF, 0x12, 0x34};
    uint32_t value = 0;
    EXPECT_EQ(Get({0x21, 0x00}, 2, value), "");
    EXPECT_EQ(LastTx(), (Bytes{0xA1, 0x00, 0x00}));
    EXPECT_EQ(value, 0xEEEE1234u);
    EXPECT_EQ(driver_->StatusText(), "No error");

    // The other way round: a write flag and a read without one.
    EXPECT_EQ(Set({0x07, 0x02}, 1, 0x3F), "");
    EXPECT_EQ(LastTx(), (Bytes{0x27, 0x3F}));
    EXPECT_EQ(Get({0x07, 0x02}, 1, value), "");
    EXPECT_EQ(LastTx(), (Bytes{0x07, 0x00}));
}

TEST_F(SpiDriverTest, CommandsComeBeforeAMultiByteAddressAndReadsWaitTheDummyBytes) {
    Driver("[Device1]\nDeviceFile=/dev/spidev0.0\nConvention=Command\nReadCommand=0x0B\n"
           "AddressBytes=3\nDummyBytes=1\n"
           "[Device3]\nDeviceFile=/dev/spidev0.1\nConvention=command\nAddressBytes=2\n"
           "ByteOrder=LsbFirst\n"
           "[Device4]\nDeviceFile=/dev/spidev0.2\nConvention=Command\nAddressBytes=0\n"
           "ReadCommand=0x05\nWriteCommand=0x01\n")
        .Open();
    EXPECT_EQ(Set({0x56, 0x34, 0x12, 0x01}, 4, 0x11223344), "");
    EXPECT_EQ(LastTx(), (Bytes{0x02, 0x12, 0x34, 0x56, 0x11, 0x22, 0x33, 0x44}));
    record_.toRead = {0, 0, 0, 0, 0x99, 0xA1, 0xB2, 0xC3, 0xD4};
    uint32_t value = 0;
    EXPECT_EQ(Get({0x56, 0x34, 0x12, 0x01}, 4, value), "");
    EXPECT_EQ(LastTx(), (Bytes{0x0B, 0x12, 0x34, 0x56, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(value, 0xA1B2C3D4u);

    // A shorter register address than the chip's is sent in its full width.
    EXPECT_EQ(Set({0x10, 0x03}, 2, 0x1122), "");
    EXPECT_EQ(LastTx(), (Bytes{0x02, 0x00, 0x10, 0x22, 0x11}));
    record_.toRead = {0, 0, 0, 0x34, 0x12};
    EXPECT_EQ(Get({0x10, 0x03}, 2, value), "");
    EXPECT_EQ(value, 0xEEEE1234u);

    EXPECT_EQ(Set({0x04}, 1, 0x9C), "");
    EXPECT_EQ(LastTx(), (Bytes{0x01, 0x9C}));
    EXPECT_EQ(Get({0x04}, 1, value), "");
    EXPECT_EQ(LastTx(), (Bytes{0x05, 0x00}));
}

TEST_F(SpiDriverTest, RegistersTheChipCannotTakeAreRefusedWithoutATransfer) {
    Driver("[Device0]\nDeviceFile=/dev/spidev0.0\n"
           "[Device1]\nDeviceFile=/dev/spidev0.1\nConvention=Command\nAddressBytes=0\n")
        .Open();
    const auto refusal = [this](const Bytes& address, int dataLen) {
        testing::internal::CaptureStderr();
        const std::string status = Set(address, dataLen, 0);
        return std::pair(status, testing::internal::GetCapturedStderr());
    };
    EXPECT_EQ(refusal({0x10, 0x05}, 1),
              std::pair(std::string("no SPI device for address 0x0510"),
                        std::string("spidrv: no SPI device for address 0x0510: spidrv.ini has "
                                    "no [Device5]\n")));
    EXPECT_EQ(refusal({0x00, 0x01, 0x00}, 1),
              std::pair(std::string("register 0x0100 exceeds 1 address byte"),
                        std::string("spidrv: Device0: register 0x0100 exceeds 1 address byte\n")));
    EXPECT_EQ(refusal({0x80, 0x00}, 1).first, "register 0x80 overlaps flag bits 0x80");
    EXPECT_EQ(refusal({0x01, 0x01}, 1).first, "register 0x01 exceeds 0 address bytes");
    EXPECT_EQ(refusal({0x00, 0x00}, 5).first, "unsupported address or data length");
    EXPECT_EQ(refusal({}, 1).first, "unsupported address or data length");
    EXPECT_EQ(OutcomeText(driver_->GetReg(2, 1, Bytes{0, 0}.data(), nullptr)),
              "unsupported address or data length");
    EXPECT_TRUE(record_.transfers.empty());
    EXPECT_EQ(driver_->StatusText(), "unsupported address or data length");
}

TEST_F(SpiDriverTest, TheKernelsRefusalsSayWhatFailed) {
    const std::string settings = "[Device0]\nDeviceFile=/dev/spidev0.0\n";
    record_.openError = ENOENT;
    testing::internal::CaptureStderr();
    EXPECT_EQ(OutcomeText(Driver(settings).Open()), "/dev/spidev0.0: No such file or directory");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "spidrv: Device0: /dev/spidev0.0: No such file or directory\n");

    record_.openError = 0;
    record_.failRequest = SPI_IOC_WR_MAX_SPEED_HZ;
    record_.requestError = EINVAL;
    testing::internal::CaptureStderr();
    EXPECT_EQ(OutcomeText(Driver(settings).Open()),
              "/dev/spidev0.0: speed 1000000 Hz: Invalid argument");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(record_.closes, 1);
    EXPECT_EQ(Set({0x00, 0x00}, 1, 0), "driver is not open");

    record_.failRequest = SPI_IOC_MESSAGE(1);
    record_.requestError = EIO;
    ASSERT_EQ(OutcomeText(Driver(settings).Open()), "");
    testing::internal::CaptureStderr();
    uint32_t value = 0;
    EXPECT_EQ(Get({0x00, 0x00}, 1, value), "SPI transfer failed: Input/output error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "spidrv: Device0: /dev/spidev0.0: SPI transfer failed: Input/output error\n");
    EXPECT_EQ(value, 0xEEEEEEEEu);
}

TEST_F(SpiDriverTest, ASimulatedChipKeepsWhatIsWrittenUntilTheLastClose) {
    settingsText = "[Device1]\nConvention=Command\nAddressBytes=2\nDummyBytes=1\n";
    SpiDriver driver(&ReadSettings);
    const Bytes cell{0x23, 0x01, 0x01};
    uint32_t value = 0;
    const auto read = [&] { return OutcomeText(driver.GetReg(3, 2, cell.data(), &value)); };
    driver.Open();
    EXPECT_EQ(OutcomeText(driver.SetReg(3, 2, cell.data(), 0xBEEF)), "");
    EXPECT_EQ(read(), "");
    EXPECT_EQ(value, 0xBEEFu);
    driver.Close();
    driver.Open();
    EXPECT_EQ(read(), "");
    EXPECT_EQ(value, 0xFFFFu);
}

} // namespace
} // namespace vek

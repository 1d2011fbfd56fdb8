#include "spi_settings.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vek {
namespace {

SpiSettings Read(const std::string& text) {
    return ReadSpiSettings(ProfileFile::Parse(text));
}

TEST(SpiSettingsTest, AFileWithoutDevicesGivesTheSimulatedDefaultBoard) {
    const SpiSettings settings = Read("; nothing yet\n");
    EXPECT_TRUE(settings.problems.empty());
    ASSERT_EQ(settings.devices.size(), 2u);
    const SpiDeviceSettings& sensor = settings.devices.at(0);
    EXPECT_TRUE(sensor.deviceFile.empty());
    EXPECT_EQ(sensor.convention.kind, SpiConventionKind::ReadFlag);
    EXPECT_EQ(sensor.memory.size(), 128u);
    const SpiDeviceSettings& eeprom = settings.devices.at(1);
    EXPECT_EQ(eeprom.convention.kind, SpiConventionKind::Command);
    EXPECT_EQ(eeprom.convention.addressBytes, 2);
    EXPECT_EQ(eeprom.memory.size(), 4096u);
}

TEST(SpiSettingsTest, EveryKeyIsRead) {
    const SpiSettings settings =
        Read("[device7]\nDeviceFile=/dev/spidev2.1\nMode=2\nCsHigh=1\nBitOrder=lsbfirst\n"
             "SpeedHz=0x1E8480\nBitsPerWord=8\nConvention=Command\nAddressBytes=4\n"
             "ReadFlag=0x40\nWriteFlag=0x01\nReadCommand=0x0B\nWriteCommand=0x12\n"
             "DummyBytes=4\nByteOrder=LsbFirst\nSize=16\nFill=0\nData=1 2\n");
    ASSERT_TRUE(settings.problems.empty()) << settings.problems.front();
    const SpiDeviceSettings& device = settings.devices.at(7);
    EXPECT_EQ(std::tie(device.section, device.deviceFile, device.mode, device.csHigh,
                       device.bitOrder, device.speedHz),
              std::make_tuple("device7", "/dev/spidev2.1", 2, true, WireOrder::LsbFirst, 2000000u));
    const SpiConvention& c = device.convention;
    EXPECT_EQ(std::tie(c.addressBytes, c.readFlag, c.writeFlag, c.readCommand, c.writeCommand,
                       c.dummyBytes, c.byteOrder),
              std::make_tuple(4, 0x40, 0x01, 0x0B, 0x12, 4, WireOrder::LsbFirst));
    EXPECT_EQ(device.memory,
              (std::vector<uint8_t>{1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SpiSettingsTest, EachFaultIsNamed) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"[Device0]\nMode=4\n", "Device0: bad Mode '4'"},
        {"[Device0]\nSpeedHz=0\n", "Device0: bad SpeedHz '0'"},
        {"[Device0]\nSpeedHz=1 MHz\n", "Device0: bad SpeedHz '1 MHz'"},
        {"[Device0]\nBitsPerWord=16\n", "Device0: bad BitsPerWord '16'"},
        {"[Device0]\nConvention=Flag\n", "Device0: bad Convention 'Flag'"},
        {"[Device0]\nByteOrder=BigEndian\n", "Device0: bad ByteOrder 'BigEndian'"},
        {"[Device0]\nAddressBytes=5\n", "Device0: bad AddressBytes '5'"},
        {"[Device0]\nDummyBytes=9\n", "Device0: bad DummyBytes '9'"},
        {"[Device0]\nDeviceFile=\n", "Device0: bad DeviceFile ''"},
        {"[Device0]\nSpead=1000\n", "Device0: unknown key 'Spead'"},
        {"[Device0]\nAddressBytes=0\n", "Device0: ReadFlag needs AddressBytes 1 to 4"},
        {"[Device0]\nWriteFlag=0x80\n", "Device0: ReadFlag and WriteFlag are equal"},
        {"[Device0]\nConvention=Command\nReadCommand=2\n",
         "Device0: ReadCommand and WriteCommand are equal"},
        {"[Device0]\nSize=0\n", "Device0: bad Size '0'"},
        {"[Device256]\n", "unknown section [Device256]"},
        {"[Device01]\n", "unknown section [Device01]"},
        {"[SPI]\n", "unknown section [SPI]"},
        {"[Device0]\nDeviceFile=/dev/spidev0.0\n[Device1]\nDeviceFile=/dev/spidev0.0\nMode=1\n",
         "Device1: other mode than Device0 on /dev/spidev0.0"},
    };
    for (const auto& [text, fault] : faults) {
        SCOPED_TRACE(text);
        const SpiSettings settings = Read(text);
        EXPECT_EQ(settings.problems, std::vector<std::string>{fault});
    }
    // An empty device section is a simulated chip with every default, not the default board.
    EXPECT_EQ(Read("[Device3]\n").devices.size(), 1u);
}

} // namespace
} // namespace vek

#include "simulated_bus_settings.h"
#include "simulated_i2c_bus.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Read(SimulatedI2cDevice& device, size_t count) {
    Bytes bytes(count);
    device.Read(bytes);
    return bytes;
}

TEST(SimulatedI2cDeviceTest, WritesStoreFromTheSubAddressOnAndReadsAutoIncrement) {
    SimulatedI2cDevice device(Bytes(8, 0), 1);
    device.Write(Bytes{0x02, 0x11, 0x22, 0x33});
    device.Write(Bytes{0x03});
    EXPECT_EQ(Read(device, 2), (Bytes{0x22, 0x33}));
    // Without a new sub-address a read goes on where the last transfer stopped.
    EXPECT_EQ(Read(device, 1), (Bytes{0x00}));
    EXPECT_EQ(device.Memory(), (Bytes{0, 0, 0x11, 0x22, 0x33, 0, 0, 0}));
}

TEST(SimulatedI2cDeviceTest, ThePointerWrapsAtTheEndOfMemory) {
    SimulatedI2cDevice device(Bytes(4, 0), 1);
    device.Write(Bytes{0x03, 0xAA, 0xBB});
    EXPECT_EQ(device.Memory(), (Bytes{0xBB, 0, 0, 0xAA}));
    // Address bits above the memory size are ignored, as an EEPROM does.
    device.Write(Bytes{0x07});
    EXPECT_EQ(Read(device, 3), (Bytes{0xAA, 0xBB, 0x00}));
}

TEST(SimulatedI2cDeviceTest, TwoByteSubAddressesAreMostSignificantFirst) {
    SimulatedI2cDevice device(Bytes(512, 0), 2);
    device.Write(Bytes{0x01, 0x02, 0x5A});
    EXPECT_EQ(device.Memory()[0x102], 0x5A);
    device.Write(Bytes{});
    device.Write(Bytes{0x01, 0x02});
    EXPECT_EQ(Read(device, 1), (Bytes{0x5A}));
}

TEST(SimulatedI2cDeviceTest, LiveBytesHoldTheValueOfTheMomentAReadBegins) {
    SimulatedI2cDevice device(Bytes{0x19, 0x80, 0x01}, 1);
    uint32_t now = 0x1a40;
    device.SetLiveBytes(0, 2, [&now] { return now; });
    device.Write(Bytes{0x00});
    EXPECT_EQ(Read(device, 3), (Bytes{0x1a, 0x40, 0x01}));
    now = 0x1b00;
    device.Write(Bytes{0x01});
    EXPECT_EQ(Read(device, 1), (Bytes{0x00}));
    // Bytes past the memory's end are never live.
    device.SetLiveBytes(2, 4, [] { return 0xAABBCCDDU; });
    device.Write(Bytes{0x02});
    EXPECT_EQ(Read(device, 1), (Bytes{0xDD}));
}

TEST(SimulatedI2cBusTest, OnlyDevicesThatExistAcknowledge) {
    SimulatedI2cBus bus;
    bus.AddDevice(0x50, SimulatedI2cDevice(Bytes{1, 2, 3, 4}, 1));
    Bytes read(2, 0xEE);
    EXPECT_TRUE(bus.WriteRead(0x50, Bytes{0x01}, read));
    EXPECT_EQ(read, (Bytes{2, 3}));
    EXPECT_TRUE(bus.WriteRead(0x50, Bytes{}, read));
    EXPECT_EQ(read, (Bytes{4, 1}));
    Bytes untouched(1, 0xEE);
    EXPECT_FALSE(bus.WriteRead(0x51, Bytes{0x00}, untouched));
    EXPECT_FALSE(bus.Write(0x51, Bytes{0x00, 0x01}));
    EXPECT_EQ(untouched, (Bytes{0xEE}));
}

TEST(SimulatedBusSettingsTest, WithoutADeviceListTheDefaultsAreUsed) {
    std::vector<std::string> problems;
    SimulatedDeviceSetup setup;
    setup.address = 0x33;
    const auto devices = ReadSimulatedDevices(ProfileFile::Parse("[SimulatedBus]\nOther=1\n"),
                                              "SimulatedBus", {setup}, problems);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].address, 0x33);
    EXPECT_TRUE(ReadSimulatedDevices(ProfileFile::Parse("[SimulatedBus]\nDevices=\n"),
                                     "SimulatedBus", {setup}, problems)
                    .empty());
    EXPECT_TRUE(problems.empty());
}

TEST(SimulatedBusSettingsTest, DeviceSectionsSetSizeSubAddressFillAndData) {
    std::vector<std::string> problems;
    const auto devices = ReadSimulatedDevices(
        ProfileFile::Parse("[SimulatedBus]\nDevices=0x50, 81\n"
                           "[I2CDevice 0x50]\nSize=4\nSubAddressBytes=2\nFill=0\nData=1,0x02 3\n"),
        "SimulatedBus", {}, problems);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].address, 0x50);
    EXPECT_EQ(devices[0].subAddressBytes, 2);
    EXPECT_EQ(devices[0].memory, (Bytes{1, 2, 3, 0}));
    // A device without its own section is a 256-byte memory, erased to 0xFF.
    EXPECT_EQ(devices[1].address, 81);
    EXPECT_EQ(devices[1].memory, Bytes(256, 0xFF));
    EXPECT_TRUE(problems.empty());

    auto bus = BuildSimulatedBus(devices);
    ASSERT_NE(bus.Find(0x50), nullptr);
    EXPECT_EQ(bus.Find(0x50)->SubAddressBytes(), 2);
}

TEST(SimulatedBusSettingsTest, FaultyEntriesAreReportedAndLeftOut) {
    std::vector<std::string> problems;
    const auto devices =
        ReadSimulatedDevices(ProfileFile::Parse("[SimulatedBus]\nDevices=0x80 zz 0x10\n"
                                                "[I2CDevice 0x10]\nSize=0\nSubAddressBytes=5\n"
                                                "Fill=300\nData=1 x 3 4\n"),
                             "SimulatedBus", {}, problems);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].memory.size(), 256u);
    EXPECT_EQ(devices[0].subAddressBytes, 1);
    EXPECT_EQ(devices[0].memory[0], 1);
    EXPECT_EQ(devices[0].memory[1], 0xFF);
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "bad 7-bit device address '0x80'", "bad 7-bit device address 'zz'",
                  "I2CDevice 0x10: bad Size '0'", "I2CDevice 0x10: bad Fill '300'",
                  "I2CDevice 0x10: bad Data byte 'x'", "I2CDevice 0x10: bad SubAddressBytes '5'"}));
    problems.clear();
    ReadSimulatedDevices(ProfileFile::Parse("[SimulatedBus]\nDevices=1\n[I2CDevice 1]\nSize=2\n"
                                            "Data=1 2 3\n"),
                         "SimulatedBus", {}, problems);
    EXPECT_EQ(problems, (std::vector<std::string>{"I2CDevice 1: Data longer than Size"}));
}

} // namespace
} // namespace vek

#include "i2c_adapter.h"

#include "fake_i2c_dev_port.h"
#include "i2c32.h"
#include "moving_temperature.h"
#include "outcome_text.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using test::OutcomeText;
using Bytes = std::vector<uint8_t>;

TEST(I2cAdapterTest, HardwarelessSelectsTheSimulatedBusWithTheDefaultBoard) {
    AdapterSettings settings;
    settings.simulatedDevices = DefaultSimulatedDevices();
    I2cAdapter adapter(settings);
    EXPECT_EQ(OutcomeText(adapter.CheckSettings()), "no I2C interface type selected");
    adapter.SetInterfaceType(I2C32_INTERFACE_HARDWARELESS);
    EXPECT_EQ(OutcomeText(adapter.CheckSettings()), "");

    adapter.SetDeviceAddress(0x48);
    Bytes temperature(2);
    EXPECT_EQ(OutcomeText(adapter.ReadAfterRestart(temperature, Bytes{0x00})), "");
    EXPECT_EQ(temperature, (Bytes{0x19, 0x80}));

    adapter.SetDeviceAddress(0x50);
    EXPECT_EQ(OutcomeText(adapter.Write(Bytes{0x10, 0xA5})), "");
    Bytes stored(1);
    EXPECT_EQ(OutcomeText(adapter.ReadAfterRestart(stored, Bytes{0x10})), "");
    EXPECT_EQ(stored, (Bytes{0xA5}));

    adapter.SetDeviceAddress(0x51);
    EXPECT_EQ(OutcomeText(adapter.Write(Bytes{0x00})),
              "no acknowledge from device 0xA2 (7-bit 0x51)");
}

TEST(I2cAdapterTest, TheSensorsTemperatureMovesOnlyWhenTheSettingsSaySo) {
    // Off by default: the documented values stay as they are.
    EXPECT_FALSE(ReadAdapterSettings(ProfileFile()).movingTemperature);
    ProfileFile file;
    file.SetString("SimulatedBus", "MovingTemperature", "1");
    AdapterSettings settings = ReadAdapterSettings(file);
    EXPECT_TRUE(settings.movingTemperature);
    EXPECT_TRUE(settings.problems.empty());
    file.SetString("SimulatedBus", "MovingTemperature", "2");
    ASSERT_EQ(ReadAdapterSettings(file).problems.size(), 1U);
    EXPECT_FALSE(ReadAdapterSettings(file).movingTemperature);

    // Around 25.5 degrees, up and down over a minute, in the sensor's 256ths of a degree.
    using std::chrono::seconds;
    EXPECT_EQ(MovingTemperature(seconds(0)), 0x1980);
    EXPECT_EQ(MovingTemperature(seconds(15)), 0x1e00);
    EXPECT_EQ(MovingTemperature(seconds(45)), 0x1500);
    EXPECT_EQ(MovingTemperature(seconds(60)), 0x1980);

    // The adapter's sensor reads it: at first as it starts.
    I2cAdapter adapter(settings);
    adapter.SetInterfaceType(I2C32_INTERFACE_HARDWARELESS);
    adapter.SetDeviceAddress(kSimulatedSensorAddress);
    Bytes temperature(2);
    EXPECT_EQ(OutcomeText(adapter.ReadAfterRestart(temperature, Bytes{0x00})), "");
    const int value = temperature[0] << 8 | temperature[1];
    EXPECT_GE(value, 0x1980);
    EXPECT_LE(value, 0x1e00);
}

TEST(I2cAdapterTest, HardwareTypesUseTheConfiguredLinuxBus) {
    test::I2cDevRecord record;
    AdapterSettings settings;
    settings.linuxDevice = "/dev/i2c-3";
    I2cAdapter adapter(settings,
                       [&record] { return std::make_unique<test::FakeI2cDevPort>(record); });
    adapter.SetTimeout(5);
    adapter.SetInterfaceType(I2C32_INTERFACE_MULTI_MASTER);
    EXPECT_EQ(OutcomeText(adapter.CheckSettings()), "");
    EXPECT_EQ(record.openedPath, "/dev/i2c-3");
    EXPECT_EQ(record.timeout, 5);
    adapter.SetDeviceAddress(0x20 | 0x80); // only seven bits count
    EXPECT_EQ(OutcomeText(adapter.Write(Bytes{0x01, 0xFF})), "");
    ASSERT_EQ(record.transfers.size(), 1u);
    EXPECT_EQ(record.transfers[0][0].address, 0x20);
}

TEST(I2cAdapterTest, WithoutAUsableBusEveryTransferFailsWithTheReason) {
    test::I2cDevRecord record;
    record.openError = EACCES;
    AdapterSettings settings;
    settings.linuxDevice = "/dev/i2c-1";
    I2cAdapter adapter(settings,
                       [&record] { return std::make_unique<test::FakeI2cDevPort>(record); });
    adapter.SetInterfaceType(I2C32_INTERFACE_SINGLE_MASTER);
    EXPECT_EQ(OutcomeText(adapter.CheckSettings()), "/dev/i2c-1: Permission denied");
    EXPECT_EQ(OutcomeText(adapter.Write(Bytes{0})), "/dev/i2c-1: Permission denied");

    adapter.SetInterfaceType(0);
    Bytes read(1);
    EXPECT_EQ(OutcomeText(adapter.ReadAfterRestart(read, Bytes{})), "unknown I2C interface type 0");
}

TEST(I2cAdapterTest, AnImpossibleBitRateIsReported) {
    I2cAdapter adapter(AdapterSettings{});
    adapter.SetInterfaceType(I2C32_INTERFACE_HARDWARELESS);
    adapter.SetBitrate(0);
    EXPECT_EQ(OutcomeText(adapter.CheckSettings()), "bit rate 0 out of range");
}

} // namespace
} // namespace vek

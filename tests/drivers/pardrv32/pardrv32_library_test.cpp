// The built driver, loaded and bound as the program does, over the built adapter library and
// its simulated bus.
#include "loaded_library.h"
#include "temp_folder.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vek {
namespace {

class Pardrv32LibraryTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("VEK_PCALH_IO", folder_.File("pcalh_io.ini").c_str(), 1);
        unsetenv("VEK_I2C32_LIBRARY");
        driver_ = std::make_unique<test::LoadedDriver>("libpardrv32.so");
        ASSERT_TRUE(driver_->Loaded());
    }
    std::string Status() const { return driver_->Status(); }
    uint32_t Read(std::initializer_list<unsigned char> addr, int dataLen) {
        const std::vector<unsigned char> bytes(addr);
        uint32_t data = 0;
        EXPECT_EQ(driver_->getReg(static_cast<int>(bytes.size()), dataLen, bytes.data(), &data), 1)
            << Status();
        return data;
    }

    test::TempFolder folder_;
    std::unique_ptr<test::LoadedDriver> driver_;
};

TEST_F(Pardrv32LibraryTest, WithoutSettingsTheSimulatedBoardAnswers) {
    EXPECT_EQ(driver_->close(), 1); // before any open
    EXPECT_EQ(Status(), "");
    ASSERT_EQ(driver_->open(), 1) << Status();

    const unsigned char eeprom[] = {0x05, 0xA0};
    EXPECT_EQ(driver_->setReg(2, 2, eeprom, 0xBEEF), 1) << Status();
    EXPECT_EQ(Read({0x05, 0xA0}, 2), 0xBEEFu);
    EXPECT_EQ(Read({0x05, 0xA0}, 1), 0xEFu);
    EXPECT_EQ(Read({0x06, 0xA0}, 1), 0xBEu);
    EXPECT_EQ(Read({0x07, 0xA0}, 1), 0xFFu); // erased
    EXPECT_EQ(Status(), "No error");

    EXPECT_EQ(Read({0x00, 0x90}, 2), 0x8019u); // temperature sensor: 0x19 first on the bus
    EXPECT_EQ(Read({0x00, 0x40}, 1), 0x5Au);   // I/O expander input port
    EXPECT_EQ(driver_->close(), 1);
}

TEST_F(Pardrv32LibraryTest, ADeviceThatDoesNotAnswerFailsWithAClearText) {
    ASSERT_EQ(driver_->open(), 1);
    const unsigned char missing[] = {0x00, 0xA2};
    uint32_t data = 0x12345678;
    EXPECT_EQ(driver_->getReg(2, 1, missing, &data), 0);
    EXPECT_EQ(Status(), "no acknowledge from device 0xA2 (7-bit 0x51)");
    EXPECT_EQ(driver_->setReg(2, 1, missing, 1), 0);
    EXPECT_EQ(Status(), "no acknowledge from device 0xA2 (7-bit 0x51)");
    driver_->close();
}

TEST_F(Pardrv32LibraryTest, TheSettingsFileChoosesTheSimulatedDevices) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nInterfaceType=Hardwareless\n"
                                  "[SimulatedBus]\nDevices=0x51\n"
                                  "[I2CDevice 0x51]\nSize=1024\nSubAddressBytes=2\nFill=0\n");
    ASSERT_EQ(driver_->open(), 1);
    const unsigned char wide[] = {0xFF, 0x03, 0xA2}; // sub-address 0x03FF
    EXPECT_EQ(driver_->setReg(3, 1, wide, 0x42), 1) << Status();
    EXPECT_EQ(Read({0xFF, 0x03, 0xA2}, 1), 0x42u);
    EXPECT_EQ(Read({0xFE, 0x03, 0xA2}, 1), 0x00u);
    const unsigned char gone[] = {0x00, 0xA0};
    uint32_t data = 0;
    EXPECT_EQ(driver_->getReg(2, 1, gone, &data), 0);
    driver_->close();
}

TEST_F(Pardrv32LibraryTest, UnusableSettingsShowInTheStatusText) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nInterfaceType=SingleMaster\n"
                                  "LinuxDevice=/nonexistent/i2c-9\n");
    ASSERT_EQ(driver_->open(), 1); // the open itself does not check the settings
    EXPECT_EQ(Status(), "/nonexistent/i2c-9: No such file or directory");
    EXPECT_EQ(driver_->setReg(2, 1, std::vector<unsigned char>{0, 0xA0}.data(), 1), 0);
    EXPECT_EQ(Status(), "/nonexistent/i2c-9: No such file or directory");
    driver_->close();
}

TEST_F(Pardrv32LibraryTest, FaultySettingsEntriesFailTheOpenWithTheFirstFaultAsStatus) {
    folder_.Write("pcalh_io.ini", "[SimulatedBus]\nDevices=0x80\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(driver_->open(), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Status(), "pcalh_io.ini: bad 7-bit device address '0x80'");
    EXPECT_EQ(driver_->close(), 1);

    // The driver's own keys alike: an interface type that names no bus fails here, not at every
    // transfer.
    folder_.Write("pcalh_io.ini", "[I2cBus]\nInterfaceType=hardwareless\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(driver_->open(), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Status(), "pcalh_io.ini: bad InterfaceType 'hardwareless'");
    EXPECT_EQ(driver_->close(), 1);

    // Once the file is right, the next open reads it anew.
    folder_.Write("pcalh_io.ini", "[SimulatedBus]\nDevices=0x50\n");
    EXPECT_EQ(driver_->open(), 1) << Status();
    driver_->close();
}

TEST_F(Pardrv32LibraryTest, AnAdapterLibraryThatIsMissingOrIncompleteFailsTheBind) {
    setenv("VEK_I2C32_LIBRARY", folder_.File("absent.so").c_str(), 1);
    EXPECT_EQ(driver_->open(), 0);
    EXPECT_EQ(Status(), "'I2C32.dll'");
    // A library without the twelve functions: the driver itself.
    setenv("VEK_I2C32_LIBRARY", VEK_BIN_DIR "/libpardrv32.so", 1);
    EXPECT_EQ(driver_->open(), 0);
    EXPECT_EQ(Status(), "'I2C32.dll'");
    EXPECT_EQ(driver_->close(), 1);
    unsetenv("VEK_I2C32_LIBRARY");
    EXPECT_EQ(driver_->open(), 1);
    driver_->close();
}

TEST_F(Pardrv32LibraryTest, NestedOpensKeepTheBusUntilTheLastClose) {
    ASSERT_EQ(driver_->open(), 1);
    ASSERT_EQ(driver_->open(), 1);
    const unsigned char eeprom[] = {0x20, 0xA0};
    EXPECT_EQ(driver_->setReg(2, 1, eeprom, 0x3C), 1);
    EXPECT_EQ(driver_->close(), 1);
    EXPECT_EQ(Read({0x20, 0xA0}, 1), 0x3Cu);
    EXPECT_EQ(driver_->close(), 1);
    EXPECT_EQ(driver_->setReg(2, 1, eeprom, 0x3C), 0);
    EXPECT_EQ(Status(), "driver is not open");
}

// The program frees a driver whose open failed without closing it; the library must then really
// go, so that the next description's open starts anew instead of counting on from the failed one
// (a library holding unique symbols is never unloaded, and kept that count for good).
TEST(Pardrv32Unload, ADriverFreedAfterAFailedOpenIsUnloaded) {
    test::TempFolder folder;
    setenv("VEK_PCALH_IO", folder.Write("pcalh_io.ini", "[SimulatedBus]\nDevices=0x80\n").c_str(),
           1);
    unsetenv("VEK_I2C32_LIBRARY");
    const char* const path = VEK_BIN_DIR "/libpardrv32.so";
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto open = reinterpret_cast<int (*)()>(dlsym(handle, "VekOpen"));
    ASSERT_NE(open, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(open(), 0);
    testing::internal::GetCapturedStderr();
    dlclose(handle);
    EXPECT_EQ(dlopen(path, RTLD_NOW | RTLD_NOLOAD), nullptr);
}

} // namespace
} // namespace vek

// The built driver, loaded and bound as the program does, over the built adapter library and
// its simulated bus.
#include "vekdriver.h"

#include "temp_folder.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class Pardrv32LibraryTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("VEK_PCALH_IO", folder_.File("pcalh_io.ini").c_str(), 1);
        unsetenv("VEK_I2C32_LIBRARY");
        library_ = dlopen(VEK_BIN_DIR "/libpardrv32.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        Bind(open_, "VekOpen");
        Bind(close_, "VekClose");
        Bind(setReg_, "VekSetReg");
        Bind(getReg_, "VekGetReg");
        Bind(getStatus_, "VekGetStatus");
    }
    void TearDown() override {
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    template <class Function>
    void Bind(Function& slot, const char* name) {
        slot = reinterpret_cast<Function>(dlsym(library_, name));
        ASSERT_NE(slot, nullptr) << name;
    }
    std::string Status() {
        char text[VEK_STATUS_TEXT_SIZE] = {};
        getStatus_(text);
        return text;
    }
    uint32_t Read(std::initializer_list<unsigned char> addr, int dataLen) {
        const std::vector<unsigned char> bytes(addr);
        uint32_t data = 0;
        EXPECT_EQ(getReg_(static_cast<int>(bytes.size()), dataLen, bytes.data(), &data), 1)
            << Status();
        return data;
    }

    vektest::TempFolder folder_;
    void* library_ = nullptr;
    VekOpenFn open_{};
    VekCloseFn close_{};
    VekSetRegFn setReg_{};
    VekGetRegFn getReg_{};
    VekGetStatusFn getStatus_{};
};

} // namespace

TEST_F(Pardrv32LibraryTest, WithoutSettingsTheSimulatedBoardAnswers) {
    EXPECT_EQ(close_(), 1); // before any open
    EXPECT_EQ(Status(), "");
    ASSERT_EQ(open_(), 1) << Status();

    const unsigned char eeprom[] = {0x05, 0xA0};
    EXPECT_EQ(setReg_(2, 2, eeprom, 0xBEEF), 1) << Status();
    EXPECT_EQ(Read({0x05, 0xA0}, 2), 0xBEEFu);
    EXPECT_EQ(Read({0x05, 0xA0}, 1), 0xEFu);
    EXPECT_EQ(Read({0x06, 0xA0}, 1), 0xBEu);
    EXPECT_EQ(Read({0x07, 0xA0}, 1), 0xFFu); // erased
    EXPECT_EQ(Status(), "No error");

    EXPECT_EQ(Read({0x00, 0x90}, 2), 0x8019u); // temperature sensor: 0x19 first on the bus
    EXPECT_EQ(Read({0x00, 0x40}, 1), 0x5Au);   // I/O expander input port
    EXPECT_EQ(close_(), 1);
}

TEST_F(Pardrv32LibraryTest, ADeviceThatDoesNotAnswerFailsWithAClearText) {
    ASSERT_EQ(open_(), 1);
    const unsigned char missing[] = {0x00, 0xA2};
    uint32_t data = 0x12345678;
    EXPECT_EQ(getReg_(2, 1, missing, &data), 0);
    EXPECT_EQ(Status(), "no acknowledge from device 0xA2 (7-bit 0x51)");
    EXPECT_EQ(setReg_(2, 1, missing, 1), 0);
    EXPECT_EQ(Status(), "no acknowledge from device 0xA2 (7-bit 0x51)");
    close_();
}

TEST_F(Pardrv32LibraryTest, TheSettingsFileChoosesTheSimulatedDevices) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nInterfaceType=Hardwareless\n"
                                  "[SimulatedBus]\nDevices=0x51\n"
                                  "[I2CDevice 0x51]\nSize=1024\nSubAddressBytes=2\nFill=0\n");
    ASSERT_EQ(open_(), 1);
    const unsigned char wide[] = {0xFF, 0x03, 0xA2}; // sub-address 0x03FF
    EXPECT_EQ(setReg_(3, 1, wide, 0x42), 1) << Status();
    EXPECT_EQ(Read({0xFF, 0x03, 0xA2}, 1), 0x42u);
    EXPECT_EQ(Read({0xFE, 0x03, 0xA2}, 1), 0x00u);
    const unsigned char gone[] = {0x00, 0xA0};
    uint32_t data = 0;
    EXPECT_EQ(getReg_(2, 1, gone, &data), 0);
    close_();
}

TEST_F(Pardrv32LibraryTest, UnusableSettingsShowInTheStatusText) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nInterfaceType=SingleMaster\n"
                                  "LinuxDevice=/nonexistent/i2c-9\n");
    ASSERT_EQ(open_(), 1); // the open itself does not check the settings
    EXPECT_EQ(Status(), "/nonexistent/i2c-9: No such file or directory");
    EXPECT_EQ(setReg_(2, 1, std::vector<unsigned char>{0, 0xA0}.data(), 1), 0);
    EXPECT_EQ(Status(), "/nonexistent/i2c-9: No such file or directory");
    close_();

    folder_.Write("pcalh_io.ini", "[I2cBus]\nInterfaceType=hardwareless\n");
    ASSERT_EQ(open_(), 1);
    EXPECT_EQ(setReg_(2, 1, std::vector<unsigned char>{0, 0xA0}.data(), 1), 0);
    EXPECT_EQ(Status(), "unknown I2C interface type 0");
    close_();
}

TEST_F(Pardrv32LibraryTest, AnAdapterLibraryThatIsMissingOrIncompleteFailsTheBind) {
    setenv("VEK_I2C32_LIBRARY", folder_.File("absent.so").c_str(), 1);
    EXPECT_EQ(open_(), 0);
    EXPECT_EQ(Status(), "'I2C32.dll'");
    // A library without the twelve functions: the driver itself.
    setenv("VEK_I2C32_LIBRARY", VEK_BIN_DIR "/libpardrv32.so", 1);
    EXPECT_EQ(open_(), 0);
    EXPECT_EQ(Status(), "'I2C32.dll'");
    EXPECT_EQ(close_(), 1);
    unsetenv("VEK_I2C32_LIBRARY");
    EXPECT_EQ(open_(), 1);
    close_();
}

TEST_F(Pardrv32LibraryTest, NestedOpensKeepTheBusUntilTheLastClose) {
    ASSERT_EQ(open_(), 1);
    ASSERT_EQ(open_(), 1);
    const unsigned char eeprom[] = {0x20, 0xA0};
    EXPECT_EQ(setReg_(2, 1, eeprom, 0x3C), 1);
    EXPECT_EQ(close_(), 1);
    EXPECT_EQ(Read({0x20, 0xA0}, 1), 0x3Cu);
    EXPECT_EQ(close_(), 1);
    EXPECT_EQ(setReg_(2, 1, eeprom, 0x3C), 0);
    EXPECT_EQ(Status(), "driver is not open");
}

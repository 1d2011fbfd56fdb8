// The exported functions, loaded from the built library as pardrv32 loads them.
#include "i2c32.h"

#include "temp_folder.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class I2c32LibraryTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("VEK_PCALH_IO", folder_.File("pcalh_io.ini").c_str(), 1);
        library_ = dlopen(VEK_BIN_DIR "/libI2C32.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        Bind(open_, "i2cOpen");
        Bind(close_, "i2cClose");
        Bind(setType_, "i2cSetInterfaceType");
        Bind(valid_, "i2cSettingsAreValid");
        Bind(setDevice_, "i2cSetDeviceAddress");
        Bind(errors_, "i2cErrorsOccurred");
        Bind(message_, "i2cGetErrorMessage");
        Bind(read_, "i2cReadAfterRestartEx");
        Bind(write_, "i2cWriteEx");
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

    vektest::TempFolder folder_;
    void* library_ = nullptr;
    I2cOpenFn open_{};
    I2cCloseFn close_{};
    I2cSetInterfaceTypeFn setType_{};
    I2cSettingsAreValidFn valid_{};
    I2cSetDeviceAddressFn setDevice_{};
    I2cErrorsOccurredFn errors_{};
    I2cGetErrorMessageFn message_{};
    I2cReadAfterRestartExFn read_{};
    I2cWriteExFn write_{};
};

} // namespace

TEST_F(I2c32LibraryTest, TransfersReportTheirOutcomeThroughTheErrorFunctions) {
    folder_.Write("pcalh_io.ini", "[SimulatedBus]\nDevices=0x2C\n[I2CDevice 0x2C]\nSize=4\n"
                                  "Data=9 8 7 6\n");
    const uint32_t handle = open_(32);
    ASSERT_NE(handle, 0u);
    setType_(handle, I2C32_INTERFACE_HARDWARELESS);
    uint32_t valid = 7;
    EXPECT_EQ(valid_(handle, &valid), 1);
    EXPECT_EQ(valid, 1u);
    EXPECT_STREQ(message_(), "No error");

    setDevice_(handle, 0x2C);
    unsigned char received[2] = {};
    const unsigned char subAddress[] = {0x02};
    read_(handle, received, 2, subAddress, 1);
    EXPECT_EQ(errors_(), 0);
    EXPECT_EQ(received[0], 7);
    EXPECT_EQ(received[1], 6);

    setDevice_(handle, 0x2D);
    write_(handle, subAddress, 1);
    EXPECT_NE(errors_(), 0);
    EXPECT_STREQ(message_(), "no acknowledge from device 0x5A (7-bit 0x2D)");
    close_(handle);
}

TEST_F(I2c32LibraryTest, BadHandlesAndLengthsAreRefused) {
    const unsigned char byte = 0;
    write_(12345, &byte, 1);
    EXPECT_NE(errors_(), 0);
    EXPECT_STREQ(message_(), "invalid adapter handle");

    const uint32_t handle = open_(32);
    setType_(handle, I2C32_INTERFACE_HARDWARELESS);
    write_(handle, &byte, -1);
    EXPECT_STREQ(message_(), "invalid transfer length");
    read_(handle, nullptr, 1, &byte, 1);
    EXPECT_STREQ(message_(), "invalid transfer length");
    uint32_t valid = 1;
    EXPECT_EQ(valid_(99999, &valid), 0);
    EXPECT_EQ(valid, 0u);
    close_(handle);
}

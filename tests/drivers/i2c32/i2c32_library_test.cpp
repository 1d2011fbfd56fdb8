// The exported functions, loaded from the built library as pardrv32 loads them.
#include "i2c32.h"

#include "loaded_library.h"
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vek {
namespace {

class I2c32LibraryTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("VEK_PCALH_IO", folder_.File("pcalh_io.ini").c_str(), 1);
        library_ = std::make_unique<test::LoadedLibrary>("libI2C32.so");
        ASSERT_TRUE(library_->Loaded());
        library_->Bind(open_, "i2cOpen");
        library_->Bind(close_, "i2cClose");
        library_->Bind(setType_, "i2cSetInterfaceType");
        library_->Bind(valid_, "i2cSettingsAreValid");
        library_->Bind(setDevice_, "i2cSetDeviceAddress");
        library_->Bind(errors_, "i2cErrorsOccurred");
        library_->Bind(message_, "i2cGetErrorMessage");
        library_->Bind(read_, "i2cReadAfterRestartEx");
        library_->Bind(write_, "i2cWriteEx");
    }

    test::TempFolder folder_;
    std::unique_ptr<test::LoadedLibrary> library_;
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

TEST_F(I2c32LibraryTest, SettingsWithFaultsOrThatCannotBeReadRefuseTheOpen) {
    const auto refusal = [this] {
        testing::internal::CaptureStderr();
        EXPECT_EQ(open_(32), 0u);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_NE(errors_(), 0);
        return std::pair<std::string, std::string>(message_(), printed);
    };
    folder_.Write("pcalh_io.ini", "[SimulatedBus]\nDevices=0x80, 0x50\n[I2CDevice 0x50]\nSize=0\n");
    EXPECT_EQ(refusal(), (std::pair<std::string, std::string>(
                             "pcalh_io.ini: bad 7-bit device address '0x80'",
                             "I2C32: pcalh_io.ini: bad 7-bit device address '0x80'\n"
                             "I2C32: pcalh_io.ini: I2CDevice 0x50: bad Size '0'\n")));

    std::filesystem::create_directory(folder_.File("folder.ini"));
    setenv("VEK_PCALH_IO", folder_.File("folder.ini").c_str(), 1);
    EXPECT_EQ(refusal().first, folder_.File("folder.ini") + ": Is a directory");
    setenv("VEK_PCALH_IO", "/dev/zero", 1);
    EXPECT_EQ(refusal().second,
              "I2C32: /dev/zero: larger than 64 MiB, the most a profile file may have\n");
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

} // namespace
} // namespace vek

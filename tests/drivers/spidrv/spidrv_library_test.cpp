// The built library loaded as the program loads a driver, with its settings file in a folder of
// the test's own.
#include "loaded_library.h"
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace vek {
namespace {

class SpidrvLibraryTest : public testing::Test {
protected:
    void SetUp() override { setenv("VEK_SPIDRV", folder_.File("spidrv.ini").c_str(), 1); }

    // The status and standard error of an open that fails.
    std::pair<std::string, std::string> Refusal(test::LoadedDriver& driver) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(driver.open(), 0);
        const std::string printed = testing::internal::GetCapturedStderr();
        return {driver.Status(), printed};
    }

    test::TempFolder folder_;
};

TEST_F(SpidrvLibraryTest, WithoutASettingsFileTheSimulatedBoardAnswers) {
    test::LoadedDriver driver("libspidrv.so");
    ASSERT_TRUE(driver.Loaded());
    ASSERT_EQ(driver.open(), 1);
    const unsigned char timestamp[] = {0x06, 0x00};
    uint32_t value = 0;
    EXPECT_EQ(driver.getReg(2, 4, timestamp, &value), 1);
    EXPECT_EQ(value, 0x12345678u);
    EXPECT_EQ(driver.Status(), "No error");
    const unsigned char nowhere[] = {0x00, 0x09};
    EXPECT_EQ(driver.setReg(2, 1, nowhere, 0), 0);
    EXPECT_EQ(driver.Status(), "no SPI device for address 0x0900");
}

TEST_F(SpidrvLibraryTest, FaultySettingsAndUnusableDeviceFilesRefuseTheOpen) {
    test::LoadedDriver driver("libspidrv.so");
    folder_.Write("spidrv.ini", "[Device0]\nMode=4\nSpeedHz=0\n");
    EXPECT_EQ(Refusal(driver),
              std::pair(std::string("spidrv.ini: Device0: bad Mode '4'"),
                        std::string("spidrv: spidrv.ini: Device0: bad Mode '4'\n"
                                    "spidrv: spidrv.ini: Device0: bad SpeedHz '0'\n")));

    // A folder where the device file should be: the kernel's reason, the path in full on
    // standard error.
    std::filesystem::create_directory(folder_.File("spidev0.0"));
    folder_.Write("spidrv.ini", "[Device0]\nDeviceFile=" + folder_.File("spidev0.0") + "\n");
    const auto [status, printed] = Refusal(driver);
    EXPECT_EQ(status, (folder_.File("spidev0.0") + ": Is a directory").substr(0, 51));
    EXPECT_EQ(printed, "spidrv: Device0: " + folder_.File("spidev0.0") + ": Is a directory\n");

    std::filesystem::create_directory(folder_.File("folder.ini"));
    setenv("VEK_SPIDRV", folder_.File("folder.ini").c_str(), 1);
    EXPECT_EQ(Refusal(driver).second,
              "spidrv: " + folder_.File("folder.ini") + ": Is a directory\n");
}

} // namespace
} // namespace vek

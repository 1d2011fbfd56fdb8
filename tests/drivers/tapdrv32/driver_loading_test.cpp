// The built libraries as the program loads them: by path, functions bound by name.
#include "loaded_library.h"
#include "recording_device.h"

#include <gtest/gtest.h>
#include <string>

namespace vek {
namespace {

using test::LoadedDriver;
using test::LoadedLibrary;

// The back ends that stand in for a board without hardware.
class DriverLoadingOnBackEnd : public testing::TestWithParam<const char*> {
protected:
    void TearDown() override { unsetenv("BSX4810_DEVICE"); }
};

INSTANTIATE_TEST_SUITE_P(BackEnds, DriverLoadingOnBackEnd, testing::Values("soft", "ftdi:emulate"),
                         [](const testing::TestParamInfo<const char*>& param) {
                             return param.index == 0 ? "SoftwareTap" : "EmulatedFtdiCable";
                         });

TEST_P(DriverLoadingOnBackEnd, TapDriverLoadedByPathWritesAndReadsRegisters) {
    bsx4810::test::UsePrivateLockFile();
    setenv("BSX4810_DEVICE", GetParam(), 1);
    unsetenv("BSX4810_TARGET_FILE");
    LoadedDriver driver("libtapdrv32.so");
    ASSERT_TRUE(driver.Loaded());

    ASSERT_EQ(driver.open(), 1);
    const unsigned char registers[3][2] = {{0x00, 0x10}, {0x04, 0x10}, {0x08, 0x10}};
    const uint32_t values[3] = {0x000000A5, 0x0000BEEF, 0xCAFEF00D};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(driver.setReg(2, 4, registers[i], values[i]), 1);
    for (int i = 0; i < 3; ++i) {
        uint32_t data = 0;
        EXPECT_EQ(driver.getReg(2, 4, registers[i], &data), 1);
        EXPECT_EQ(data, values[i]);
    }
    EXPECT_EQ(driver.setReg(11, 4, registers[0], 0), 0);
    EXPECT_EQ(driver.Status(), "Driver supports only 10 address bytes.");
    EXPECT_EQ(driver.close(), 1);
    EXPECT_EQ(driver.close(), 0);
    EXPECT_EQ(driver.Status(), "No open driver.");
    // Asking without a buffer clears the status too.
    EXPECT_EQ(driver.close(), 0);
    driver.getStatus(nullptr);
    EXPECT_EQ(driver.Status(), "No Error");
}

TEST(DriverLoading, WithoutAControllerTheDriverDoesNotOpen) {
    bsx4810::test::UsePrivateLockFile();
    // No controller at all, and a cable that is not plugged in.
    for (const char* device : {"none", "ftdi:vid=0xffff,pid=0xfffe"}) {
        setenv("BSX4810_DEVICE", device, 1);
        LoadedDriver driver("libtapdrv32.so");
        ASSERT_TRUE(driver.Loaded());
        testing::internal::CaptureStderr();
        EXPECT_EQ(driver.open(), 0);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(driver.Status(), "Opening of JTAG device failed.");
    }
    unsetenv("BSX4810_DEVICE");
}

TEST(DriverLoading, TheLibrariesExportTheirOwnFunctionsOnly) {
    LoadedLibrary scanLibrary("libBSX4810.so");
    ASSERT_TRUE(scanLibrary.Loaded());
    for (const char* name :
         {"open_4810", "close_4810", "tms_reset", "trst_reset", "scan_ir", "scan_dr", "scan_tdio",
          "scan_to_pause_ir", "scan_to_pause_dr", "multi_scan_ir", "multi_scan_dr", "move_to_state",
          "scan_set_stop_state"})
        EXPECT_NE(scanLibrary.Find<void*>(name), nullptr) << name;
    // The library's own code stays inside it.
    EXPECT_EQ(scanLibrary.Find<void*>("_ZN7bsx481012CScanLibrary4OpenEv"), nullptr);
    EXPECT_EQ(scanLibrary.Find<void*>("_ZN7bsx481018ProcessScanLibraryEv"), nullptr);
    LoadedLibrary driver("libtapdrv32.so");
    EXPECT_EQ(driver.Find<void*>("_ZN3vek13ProcessDriverEv"), nullptr);
}

} // namespace
} // namespace vek

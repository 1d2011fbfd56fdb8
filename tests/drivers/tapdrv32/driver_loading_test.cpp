// The built libraries as the program loads them: by path, functions bound by name.
#include "recording_device.h"
#include "vekdriver.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& name)
        : handle_(dlopen((std::string(VEK_BIN_DIR) + "/" + name).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedLibrary() {
        if (handle_)
            dlclose(handle_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    template <typename Function>
    Function Bind(const char* name) const {
        return reinterpret_cast<Function>(dlsym(handle_, name));
    }

private:
    void* handle_;
};

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
    LoadedLibrary driver("libtapdrv32.so");
    ASSERT_TRUE(driver.Loaded()) << dlerror();
    const auto open = driver.Bind<VekOpenFn>("VekOpen");
    const auto close = driver.Bind<VekCloseFn>("VekClose");
    const auto setReg = driver.Bind<VekSetRegFn>("VekSetReg");
    const auto getReg = driver.Bind<VekGetRegFn>("VekGetReg");
    const auto getStatus = driver.Bind<VekGetStatusFn>("VekGetStatus");
    ASSERT_TRUE(open && close && setReg && getReg && getStatus);

    ASSERT_EQ(open(), 1);
    const unsigned char registers[3][2] = {{0x00, 0x10}, {0x04, 0x10}, {0x08, 0x10}};
    const uint32_t values[3] = {0x000000A5, 0x0000BEEF, 0xCAFEF00D};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(setReg(2, 4, registers[i], values[i]), 1);
    for (int i = 0; i < 3; ++i) {
        uint32_t data = 0;
        EXPECT_EQ(getReg(2, 4, registers[i], &data), 1);
        EXPECT_EQ(data, values[i]);
    }
    char status[VEK_STATUS_TEXT_SIZE];
    EXPECT_EQ(setReg(11, 4, registers[0], 0), 0);
    getStatus(status);
    EXPECT_STREQ(status, "Driver supports only 10 address bytes.");
    EXPECT_EQ(close(), 1);
    EXPECT_EQ(close(), 0);
    getStatus(status);
    EXPECT_STREQ(status, "No open driver.");
}

TEST(DriverLoading, WithoutAControllerTheDriverDoesNotOpen) {
    bsx4810::test::UsePrivateLockFile();
    // No controller at all, and a cable that is not plugged in.
    for (const char* device : {"none", "ftdi:vid=0xffff,pid=0xfffe"}) {
        setenv("BSX4810_DEVICE", device, 1);
        LoadedLibrary driver("libtapdrv32.so");
        ASSERT_TRUE(driver.Loaded()) << dlerror();
        testing::internal::CaptureStderr();
        EXPECT_EQ(driver.Bind<VekOpenFn>("VekOpen")(), 0);
        testing::internal::GetCapturedStderr();
        char status[VEK_STATUS_TEXT_SIZE];
        driver.Bind<VekGetStatusFn>("VekGetStatus")(status);
        EXPECT_STREQ(status, "Opening of JTAG device failed.");
    }
    unsetenv("BSX4810_DEVICE");
}

TEST(DriverLoading, TheScanLibraryExportsItsThirteenFunctionsOnly) {
    LoadedLibrary library("libBSX4810.so");
    ASSERT_TRUE(library.Loaded()) << dlerror();
    for (const char* name :
         {"open_4810", "close_4810", "tms_reset", "trst_reset", "scan_ir", "scan_dr", "scan_tdio",
          "scan_to_pause_ir", "scan_to_pause_dr", "multi_scan_ir", "multi_scan_dr", "move_to_state",
          "scan_set_stop_state"})
        EXPECT_NE(library.Bind<void*>(name), nullptr) << name;
    // The library's own code stays inside it.
    EXPECT_EQ(library.Bind<void*>("_ZN7bsx481012CScanLibrary4OpenEv"), nullptr);
    EXPECT_EQ(library.Bind<void*>("_ZN7bsx481018ProcessScanLibraryEv"), nullptr);
}

} // namespace

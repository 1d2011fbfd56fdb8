#include "device_lock.h"
#include "device_selection.h"
#include "recording_device.h"
#include "scan_library.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace bsx4810::test {
namespace {

class DeviceClaimTest : public testing::Test {
protected:
    void SetUp() override { UsePrivateLockFile(); }
    std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
};

TEST_F(DeviceClaimTest, ASecondOpenFailsUntilTheHolderCloses) {
    CScanLibrary holder{RecordingFactory(log)};
    CScanLibrary other{RecordingFactory(log)};
    EXPECT_EQ(holder.Open(), 0);
    EXPECT_EQ(holder.Open(), 1);
    EXPECT_EQ(other.Open(), 1);
    EXPECT_EQ(log->opens, 1);
    // A close by someone who does not hold the device leaves the holder's claim alone.
    EXPECT_EQ(other.Close(), 0);
    EXPECT_EQ(other.Open(), 1);
    EXPECT_EQ(holder.Close(), 0);
    EXPECT_EQ(other.Open(), 0);
    EXPECT_EQ(other.Close(), 0);
}

TEST_F(DeviceClaimTest, AMissingDeviceLeavesTheControllerFree) {
    CScanLibrary absent{[] { return std::unique_ptr<CDeviceChannel>(); }};
    EXPECT_EQ(absent.Open(), 1);
    CScanLibrary present{RecordingFactory(log)};
    EXPECT_EQ(present.Open(), 0);
    present.Close();
}

TEST_F(DeviceClaimTest, TheClaimOfACrashedProcessIsReleased) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CScanLibrary holder{RecordingFactory(std::make_shared<DeviceLog>())};
        const char claimed = holder.Open() == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &claimed, 1);
        ::pause();
        ::_exit(0);
    }
    char claimed = 0;
    ASSERT_EQ(::read(ready[0], &claimed, 1), 1);
    ASSERT_EQ(claimed, 'y');
    CScanLibrary library{RecordingFactory(log)};
    EXPECT_EQ(library.Open(), 1);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(library.Open(), 0);
    library.Close();
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(DeviceSelection, TheEnvironmentChoosesTheBackEnd) {
    ::unsetenv("BSX4810_DEVICE");
    EXPECT_NE(OpenDeviceFromEnvironment(), nullptr);
    ::setenv("BSX4810_DEVICE", "soft", 1);
    EXPECT_NE(OpenDeviceFromEnvironment(), nullptr);
    ::setenv("BSX4810_DEVICE", "none", 1);
    EXPECT_EQ(OpenDeviceFromEnvironment(), nullptr);
    ::setenv("BSX4810_DEVICE", "parallel-cable", 1);
    EXPECT_EQ(OpenDeviceFromEnvironment(), nullptr);
    ::setenv("BSX4810_DEVICE", "ftdix", 1);
    EXPECT_EQ(OpenDeviceFromEnvironment(), nullptr);
    ::setenv("BSX4810_DEVICE", "ftdi:emulate", 1);
    EXPECT_NE(OpenDeviceFromEnvironment(), nullptr);
    ::unsetenv("BSX4810_DEVICE");
}

TEST(DeviceSelection, AnFtdiCableThatCannotBeOpenedIsReportedWithItsCause) {
    const std::pair<const char*, const char*> cases[] = {
        {"ftdi:speed=1", "BSX4810 ftdi: unknown option 'speed' in BSX4810_DEVICE\n"},
        // No such chip on this machine's USB, or no USB at all: libftdi's reason follows.
        {"ftdi:vid=0xffff,pid=0xfffe", "BSX4810 ftdi: "},
    };
    for (const auto& [device, cause] : cases) {
        ::setenv("BSX4810_DEVICE", device, 1);
        testing::internal::CaptureStderr();
        EXPECT_EQ(OpenDeviceFromEnvironment(), nullptr) << device;
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed.substr(0, std::string(cause).size()), cause) << printed;
        EXPECT_EQ(printed.back(), '\n');
    }
    ::unsetenv("BSX4810_DEVICE");
}

TEST(DeviceSelection, TheLockFileComesFromTheEnvironmentWithFallbacks) {
    const std::string lock =
        std::getenv("BSX4810_LOCK_FILE") ? std::getenv("BSX4810_LOCK_FILE") : "";
    const std::string runtime =
        std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    ::setenv("BSX4810_LOCK_FILE", "/var/lock/jtag.lock", 1);
    EXPECT_EQ(DeviceLockPath(), "/var/lock/jtag.lock");
    ::unsetenv("BSX4810_LOCK_FILE");
    ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
    EXPECT_EQ(DeviceLockPath(), "/run/user/1234/BSX4810.lock");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(DeviceLockPath(), "/tmp/BSX4810-" + std::to_string(::getuid()) + ".lock");
    if (!lock.empty())
        ::setenv("BSX4810_LOCK_FILE", lock.c_str(), 1);
    if (!runtime.empty())
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

} // namespace
} // namespace bsx4810::test

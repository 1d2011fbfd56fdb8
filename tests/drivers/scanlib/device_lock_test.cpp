#include "device_lock.h"
#include "device_selection.h"
#include "recording_device.h"
#include "scan_library.h"

#include "temp_folder.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// Sets the two variables for one test and puts them back after it.
class LockPlaceTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"BSX4810_LOCK_FILE", "XDG_RUNTIME_DIR"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    // What the library says, on standard error, when an open fails.
    std::string OpenCause() {
        CScanLibrary library{RecordingFactory(std::make_shared<DeviceLog>())};
        testing::internal::CaptureStderr();
        EXPECT_EQ(library.Open(), 1);
        return testing::internal::GetCapturedStderr();
    }

    vek::test::TempFolder folder_;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(LockPlaceTest, TheLockLivesInTheUsersRuntimeFolderOrAPrivateFolderOfTheirs) {
    ::setenv("BSX4810_LOCK_FILE", "/var/lock/jtag.lock", 1);
    EXPECT_EQ(DeviceLockPath().Value(), "/var/lock/jtag.lock");
    ::unsetenv("BSX4810_LOCK_FILE");

    const std::string runtime = folder_.File("run");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(DeviceLockPath().Value(), runtime + "/BSX4810.lock");

    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string own = "/tmp/BSX4810-" + std::to_string(::geteuid());
    EXPECT_EQ(DeviceLockPath().Value(), own + "/BSX4810.lock");
    struct stat info {};
    ASSERT_EQ(::lstat(own.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
}

TEST_F(LockPlaceTest, EachReasonWhyTheLockCannotBeTakenIsSaid) {
    const std::string runtime = folder_.File("run");
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(OpenCause(),
              "BSX4810 lock: XDG_RUNTIME_DIR " + runtime + ": No such file or directory\n");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0755), 0);
    EXPECT_EQ(OpenCause(), "BSX4810 lock: XDG_RUNTIME_DIR " + runtime +
                               " is not a private folder of this user (owner, mode 0700)\n");
    ::unsetenv("XDG_RUNTIME_DIR");

    const auto lockAt = [](const std::string& path) {
        ::setenv("BSX4810_LOCK_FILE", path.c_str(), 1);
        return "BSX4810 lock: lock file " + path + ": ";
    };
    std::string prefix = lockAt(folder_.File("missing/BSX4810.lock"));
    EXPECT_EQ(OpenCause(), prefix + "No such file or directory\n");
    prefix = lockAt(runtime);
    EXPECT_EQ(OpenCause(), prefix + "Is a directory\n");
    ASSERT_EQ(::symlink(folder_.File("elsewhere").c_str(), folder_.File("link").c_str()), 0);
    prefix = lockAt(folder_.File("link"));
    EXPECT_EQ(OpenCause(), prefix + "a symbolic link, not followed\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.File("elsewhere")));
    ASSERT_EQ(::mkfifo(folder_.File("fifo").c_str(), 0600), 0);
    prefix = lockAt(folder_.File("fifo"));
    EXPECT_EQ(OpenCause(), prefix + "not a regular file\n");
    if (::geteuid() == 0) {
        // Another user's file, which that user could hold to keep the controller from us.
        const std::string foreign = folder_.Write("foreign.lock", "");
        ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
        prefix = lockAt(foreign);
        EXPECT_EQ(OpenCause(), prefix + "belongs to another user\n");
    }

    const std::string lock = folder_.File("BSX4810.lock");
    lockAt(lock);
    CScanLibrary holder{RecordingFactory(std::make_shared<DeviceLog>())};
    ASSERT_EQ(holder.Open(), 0);
    EXPECT_EQ(OpenCause(),
              "BSX4810 lock: the controller is held by another program (lock file " + lock + ")\n");
    holder.Close();
}

} // namespace
} // namespace bsx4810::test

#include "driver_checks.h"
#include "process_scan_library.h"
#include "recording_device.h"
#include "tap_driver.h"
#include "tap_trace.h"

#include "bsx4810.h"
#include "device_lock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace vek {
namespace {

using bsx4810::test::DeviceLog;
using bsx4810::test::TraceScans;
using test::ControllerFree;
using testing::ElementsAre;

// The driver over the process's scan library, with a recording controller behind it.
class TapDriverTest : public testing::Test {
protected:
    void SetUp() override {
        bsx4810::test::UsePrivateLockFile();
        bsx4810::ResetProcessScanLibrary(bsx4810::test::RecordingFactory(log));
    }

    std::string Status() { return driver.StatusText(); }
    std::vector<std::string> Trace() const { return TraceScans(log->VectorRequests()); }
    void OpenDriver() {
        ASSERT_TRUE(driver.Open());
        log->requests.clear();
    }

    std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
    TapDriver driver;
    const unsigned char address[2] = {0x05, 0x01};
};

TEST_F(TapDriverTest, TheFirstOpenProbesTheControlRegisterAndFreesTheController) {
    EXPECT_TRUE(driver.Open());
    EXPECT_THAT(Trace(), ElementsAre("reset", "IR 5 0a", "DR 32 00220000"));
    EXPECT_EQ(log->opens, 1);
    EXPECT_TRUE(ControllerFree());
    EXPECT_EQ(Status(), "No Error");
}

TEST_F(TapDriverTest, OpensAreCountedAndOnlyTheFirstTouchesTheHardware) {
    OpenDriver();
    EXPECT_TRUE(driver.Open());
    EXPECT_TRUE(log->requests.empty());
    EXPECT_TRUE(driver.Close());
    EXPECT_TRUE(driver.Close());
    EXPECT_FALSE(driver.Close());
    EXPECT_EQ(Status(), "No open driver.");
    EXPECT_EQ(Status(), "No Error");
    EXPECT_TRUE(log->VectorRequests().empty());
}

TEST_F(TapDriverTest, ASetScansAddressDataAndTheWriteCommand) {
    OpenDriver();
    EXPECT_TRUE(driver.SetReg(2, 1, address, 0xA5));
    EXPECT_THAT(Trace(), ElementsAre("reset", "IR 5 08", "DR 16 0105", "IR 5 09", "DR 32 000000a5",
                                     "IR 5 0a", "DR 32 00220900"));
    EXPECT_TRUE(ControllerFree());
}

TEST_F(TapDriverTest, ASetWritesAll32BitsWhateverTheDataLength) {
    OpenDriver();
    EXPECT_TRUE(driver.SetReg(2, 1, address, 0xDEADBEEF));
    EXPECT_EQ(Trace().at(4), "DR 32 deadbeef");
}

TEST_F(TapDriverTest, AGetScansTheReadCommandThenCapturesDataLengthBytes) {
    OpenDriver();
    // The final data scan from Run-Test/Idle shifts after the moves 1,0,0.
    log->tdo.assign(64, false);
    for (int i = 0; i < 16; ++i)
        log->tdo[3 + i] = (0xBEEF >> i) & 1;
    uint32_t data = 0x11223344;
    EXPECT_TRUE(driver.GetReg(2, 2, address, &data));
    EXPECT_THAT(Trace(), ElementsAre("reset", "IR 5 08", "DR 16 0105", "IR 5 0a", "DR 32 00220b00",
                                     "IR 5 09", "DR 16 0b00"));
    EXPECT_EQ(data, 0x1122BEEFu);
    EXPECT_TRUE(ControllerFree());
}

TEST_F(TapDriverTest, TheAddressLimitIsTenBytes) {
    OpenDriver();
    const unsigned char longAddress[11] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_TRUE(driver.SetReg(10, 4, longAddress, 0));
    EXPECT_EQ(Trace().at(2), "DR 80 0a090807060504030201");
    log->requests.clear();
    uint32_t data = 0;
    for (const int length : {11, 12, -1}) {
        EXPECT_FALSE(driver.SetReg(length, 4, longAddress, 0));
        EXPECT_EQ(Status(), "Driver supports only 10 address bytes.");
        EXPECT_EQ(Status(), "No Error");
        const Result<void> refused = driver.GetReg(length, 4, longAddress, &data);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.Error().code, static_cast<int>(TapStatus::TooManyAddressBytes));
        EXPECT_EQ(refused.Error().text, Status());
    }
    EXPECT_TRUE(log->requests.empty());
}

TEST_F(TapDriverTest, ReadsLongerThanTheDataRegisterAreRefused) {
    OpenDriver();
    uint32_t data[2] = {0x12345678, 0x9ABCDEF0};
    for (const int length : {5, 12, 65535, -1}) {
        EXPECT_FALSE(driver.GetReg(2, length, address, data));
        EXPECT_EQ(Status(), "Driver supports only 4 data bytes.");
    }
    EXPECT_EQ(data[0], 0x12345678u);
    EXPECT_EQ(data[1], 0x9ABCDEF0u);
    EXPECT_TRUE(log->requests.empty());
    EXPECT_TRUE(ControllerFree());
}

TEST_F(TapDriverTest, AClosedDriverRefusesTransfers) {
    uint32_t data = 0;
    EXPECT_FALSE(driver.SetReg(2, 1, address, 1));
    EXPECT_EQ(Status(), "No open driver.");
    EXPECT_FALSE(driver.GetReg(2, 1, address, &data));
    EXPECT_EQ(Status(), "No open driver.");
    EXPECT_TRUE(log->requests.empty());
}

TEST_F(TapDriverTest, EachFailingStepHasItsStatusAndFreesTheController) {
    OpenDriver();
    const std::pair<int, const char*> steps[] = {
        {0, "Reset of JTAG device failed."}, {1, "JTAG instruction scan failed."},
        {2, "JTAG data scan failed."},       {3, "JTAG instruction scan failed."},
        {4, "JTAG data scan failed."},       {5, "JTAG instruction scan failed."},
        {6, "JTAG data scan failed."},
    };
    for (const auto& [request, text] : steps) {
        SCOPED_TRACE(request);
        log->failVectorRequest = log->vectorRequestsSeen + request;
        testing::internal::CaptureStdout();
        EXPECT_FALSE(driver.SetReg(2, 1, address, 1));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Io control failed\n");
        EXPECT_EQ(Status(), text);
        EXPECT_TRUE(ControllerFree());
    }
}

TEST_F(TapDriverTest, AHeldControllerFailsTheCallWithTheOpenStatus) {
    OpenDriver();
    bsx4810::CDeviceLock otherProcess;
    ASSERT_TRUE(otherProcess.Acquire(bsx4810::DeviceLockPath().Value()));
    uint32_t data = 0;
    EXPECT_FALSE(driver.GetReg(2, 4, address, &data));
    EXPECT_EQ(Status(), "Opening of JTAG device failed.");
    otherProcess.Release();
    EXPECT_TRUE(driver.GetReg(2, 4, address, &data));
}

TEST_F(TapDriverTest, AFailedProbeLeavesTheOpenCountRaised) {
    bsx4810::CDeviceLock otherProcess;
    ASSERT_TRUE(otherProcess.Acquire(bsx4810::DeviceLockPath().Value()));
    EXPECT_FALSE(driver.Open());
    EXPECT_EQ(driver.OpenCount(), 1);
    EXPECT_EQ(Status(), "Opening of JTAG device failed.");
}

TEST_F(TapDriverTest, AStatusStaysUntilReadAndALaterFailureReplacesIt) {
    EXPECT_FALSE(driver.Close());
    OpenDriver();
    EXPECT_TRUE(driver.SetReg(2, 1, address, 1));
    EXPECT_EQ(Status(), "No open driver.");
    EXPECT_FALSE(driver.SetReg(11, 1, address, 1));
    EXPECT_TRUE(driver.Close());
    EXPECT_FALSE(driver.Close());
    EXPECT_EQ(Status(), "No open driver.");
}

} // namespace
} // namespace vek

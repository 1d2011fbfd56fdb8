// The JTAG driver on the FTDI cable: what a register access costs on the USB, and how a USB
// failure ends an access.
#include "driver_checks.h"
#include "process_scan_library.h"
#include "recording_device.h"
#include "tap_back_ends.h"
#include "tap_driver.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

using bsx4810::test::TapBackEnd;
using bsx4810::test::UsbFaults;

class TapDriverFtdiTest : public testing::Test {
protected:
    void SetUp() override {
        bsx4810::test::UsePrivateLockFile();
        bsx4810::ResetProcessScanLibrary(target.Factory());
        ASSERT_TRUE(driver.Open());
    }

    uint32_t Read() {
        uint32_t data = 0;
        EXPECT_TRUE(driver.GetReg(2, 4, address, &data));
        return data;
    }

    bsx4810::test::CTapUnderTest target{TapBackEnd::Ftdi};
    TapDriver driver;
    const unsigned char address[2] = {0x04, 0x10};
};

TEST_F(TapDriverFtdiTest, ARegisterWriteOrReadCostsOneUsbWriteAndOneRead) {
    const bsx4810::UsbTraffic& traffic = *target.traffic;
    const uint64_t writes = traffic.writes;
    const uint64_t reads = traffic.reads;
    EXPECT_TRUE(driver.SetReg(2, 4, address, 0xCAFEF00D));
    EXPECT_EQ(traffic.writes - writes, 1u);
    EXPECT_EQ(traffic.reads - reads, 1u);
    EXPECT_EQ(Read(), 0xCAFEF00Du);
    EXPECT_EQ(traffic.writes - writes, 2u);
    EXPECT_EQ(traffic.reads - reads, 2u);
    EXPECT_EQ(traffic.lateAnswers, 0u);
}

TEST_F(TapDriverFtdiTest, AUsbFailureFailsTheAccessFreesTheControllerAndTheNextAccessWorks) {
    struct Fault {
        void (*inject)(UsbFaults& faults);
        const char* cause;
    };
    const Fault faults[] = {
        {[](UsbFaults& f) {
             f.failWrite = f.writes;
             f.halfWritten = true; // the cable was pulled out mid-scan
         },
         "BSX4810 ftdi: USB write to interface A failed: LIBUSB_ERROR_NO_DEVICE\n"},
        {[](UsbFaults& f) { f.failRead = f.reads; },
         "BSX4810 ftdi: no answer from interface A: LIBUSB_ERROR_PIPE\n"},
        {[](UsbFaults& f) { f.extraAnswerAfterWrite = f.writes; },
         "BSX4810 ftdi: interface A answered out of step; is it an MPSSE channel of an H-series "
         "chip?\n"},
    };
    uint32_t value = 0x11110000;
    for (const Fault& fault : faults) {
        for (const bool write : {true, false}) {
            SCOPED_TRACE(std::string(fault.cause) + (write ? " writing" : " reading"));
            fault.inject(target.faults);
            testing::internal::CaptureStdout();
            testing::internal::CaptureStderr();
            uint32_t data = 0x5A5A5A5A;
            EXPECT_FALSE(write ? driver.SetReg(2, 4, address, value)
                               : driver.GetReg(2, 4, address, &data));
            EXPECT_EQ(testing::internal::GetCapturedStderr(), fault.cause);
            EXPECT_EQ(testing::internal::GetCapturedStdout(), "Io control failed\n");
            EXPECT_EQ(driver.StatusText(), "JTAG data scan failed.");
            EXPECT_EQ(data, 0x5A5A5A5Au);
            // The failing channel was closed; the next claim opens it again and works.
            const int opens = target.faults.opens;
            EXPECT_TRUE(test::ControllerFree());
            EXPECT_TRUE(driver.SetReg(2, 4, address, ++value));
            EXPECT_EQ(Read(), value);
            EXPECT_EQ(target.faults.opens, opens + 1);
        }
    }
}

} // namespace
} // namespace vek

// The scan library on the FTDI cable, its USB an emulated FT2232H wired to a software TAP.
#include "ftdi/mpsse.h"
#include "recording_device.h"
#include "scan_library.h"
#include "tap_back_ends.h"

#include <gtest/gtest.h>
#include <vector>

namespace bsx4810::test {
namespace {

using S = TapControllerState;

std::vector<uint16_t> Pattern(uint32_t bits, uint32_t seed) {
    std::vector<uint16_t> words(bits / 16 + 1);
    for (uint16_t& word : words) {
        seed = seed * 1103515245u + 12345u;
        word = static_cast<uint16_t>(seed >> 8);
    }
    return words;
}

bool Bit(const std::vector<uint16_t>& words, uint32_t i) {
    return (words[i / 16] >> (i % 16)) & 1;
}

class FtdiCableTest : public testing::Test {
protected:
    explicit FtdiCableTest(std::string_view options = "emulate")
        : target(TapBackEnd::Ftdi, options) {}

    void SetUp() override {
        UsePrivateLockFile();
        ASSERT_EQ(library.Open(), 0);
    }
    void TearDown() override { library.Close(); }

    // Gives the controller back, which sends what the cable held back, and claims it again.
    void Settle() {
        ASSERT_EQ(library.Close(), 0);
        ASSERT_EQ(library.Open(), 0);
    }
    const UsbTraffic& Traffic() const { return *target.traffic; }

    CTapUnderTest target;
    CScanLibrary library{target.Factory()};
};

TEST_F(FtdiCableTest, ScansOfAnyLengthGiveOneClockPerBitAndTdoInBitOrder) {
    for (const uint16_t bits :
         {uint16_t{1}, uint16_t{7}, uint16_t{8}, uint16_t{9}, uint16_t{65510}}) {
        for (const auto reg : {ScanRegister::Instruction, ScanRegister::Data}) {
            for (const bool capture : {false, true}) {
                SCOPED_TRACE(std::to_string(bits) + (reg == ScanRegister::Data ? " DR" : " IR") +
                             (capture ? " captured" : ""));
                // After a reset the instruction register captures 1,0,0,0,0 and the data
                // register is the 1-bit bypass register, which captures 0.
                ASSERT_EQ(library.TmsReset(1), 0);
                ASSERT_EQ(library.MoveToState(1, kRunTestIdle), 0);
                Settle();
                const uint64_t before = Traffic().clocks;
                const auto tdi = Pattern(bits, bits);
                std::vector<uint16_t> tdo(bits / 16 + 1, 0xFFFF);
                ASSERT_EQ(library.Scan(1, reg, tdi.data(), bits, capture ? tdo.data() : nullptr),
                          0);
                Settle();
                const uint32_t entry = reg == ScanRegister::Data ? 3 : 4; // 1,0,0 or 1,1,0,0
                EXPECT_EQ(Traffic().clocks - before, entry + bits + 2u);
                EXPECT_EQ(target.tap.Port(1).State(), S::RunTestIdle);
                if (!capture)
                    continue;
                const uint32_t delay = reg == ScanRegister::Data ? 1 : 5;
                uint32_t wrong = 0;
                for (uint32_t i = 0; i < bits; ++i) {
                    const bool expected = i < delay ? i == 0 && reg == ScanRegister::Instruction
                                                    : Bit(tdi, i - delay);
                    wrong += Bit(tdo, i) != expected;
                }
                EXPECT_EQ(wrong, 0u);
            }
        }
    }
    EXPECT_EQ(Traffic().lateAnswers, 0u);
}

TEST_F(FtdiCableTest, ScansTooLongForTheVectorBufferAreRefusedBeforeTheUsb) {
    ASSERT_EQ(library.TmsReset(1), 0);
    Settle();
    const uint64_t writes = Traffic().writes;
    for (const uint16_t bits : {uint16_t{65511}, uint16_t{65535}})
        EXPECT_EQ(library.Scan(1, ScanRegister::Data, nullptr, bits, nullptr), 1);
    Settle();
    EXPECT_EQ(Traffic().writes, writes);
}

TEST_F(FtdiCableTest, RequestsThatReadNothingWaitForTheNextReadOrTheClose) {
    const uint64_t writes = Traffic().writes;
    const uint64_t reads = Traffic().reads;
    uint16_t instruction = 9;
    ASSERT_EQ(library.TmsReset(1), 0);
    ASSERT_EQ(library.Scan(1, ScanRegister::Instruction, &instruction, 5, nullptr), 0);
    ASSERT_EQ(library.MoveToState(1, kPauseDr), 0);
    EXPECT_EQ(Traffic().writes, writes);
    uint16_t tdo[3] = {};
    ASSERT_EQ(library.Scan(1, ScanRegister::Data, nullptr, 32, tdo), 0);
    EXPECT_EQ(Traffic().writes, writes + 1);
    EXPECT_EQ(Traffic().reads, reads + 1);
    // Nothing is left to send when the controller is given back.
    ASSERT_EQ(library.Close(), 0);
    EXPECT_EQ(Traffic().writes, writes + 1);
    ASSERT_EQ(library.Open(), 0);
    ASSERT_EQ(library.MoveToState(1, kTestLogicReset), 0);
    ASSERT_EQ(library.Close(), 0);
    EXPECT_EQ(Traffic().writes, writes + 2);
    EXPECT_EQ(Traffic().reads, reads + 2);
    EXPECT_EQ(Traffic().lateAnswers, 0u);
}

TEST_F(FtdiCableTest, NoWriteAsksForMoreAnswerBytesThanTheChipHolds) {
    ASSERT_EQ(library.TmsReset(1), 0);
    const uint64_t reads = Traffic().reads;
    std::vector<uint16_t> tdo(65510 / 16 + 1);
    ASSERT_EQ(library.ScanTdio(1, nullptr, 65510, tdo.data()), 0);
    EXPECT_LE(Traffic().largestRead, kMpsseAnswerBytesPerWrite + 2);
    EXPECT_GE(Traffic().reads - reads, 65510u / 8 / kMpsseAnswerBytesPerWrite);
    // Test-Logic-Reset holds TMS high through the raw shift, and bypass is selected there.
    EXPECT_EQ(target.tap.Port(1).State(), S::TestLogicReset);
    EXPECT_EQ(tdo[100], 0xFFFF);
}

TEST_F(FtdiCableTest, OpeningSetsTheChipUpAndTrstLeavesItsLinesIdle) {
    const CEmulatedFtdiUsb* chip = target.interfaces[0];
    ASSERT_NE(chip, nullptr);
    EXPECT_DOUBLE_EQ(chip->Engine().TckHz(), 1e6);
    ASSERT_EQ(library.TmsReset(1), 0);
    ASSERT_EQ(library.MoveToState(1, kPauseDr), 0);
    ASSERT_EQ(library.TrstReset(1), 0);
    Settle();
    EXPECT_EQ(target.tap.Port(1).State(), S::TestLogicReset);
    EXPECT_EQ(chip->Engine().Levels() & kPinOutputs, kPinIdleLevels);
}

class FtdiCableOptionsTest : public FtdiCableTest {
protected:
    FtdiCableOptionsTest() : FtdiCableTest("emulate,khz=7,interface=B,port2=none") {}
};

TEST_F(FtdiCableOptionsTest, Port1DrivesTheChosenInterfaceAndAPort2WithoutOneFails) {
    ASSERT_NE(target.interfaces[1], nullptr);
    EXPECT_NEAR(target.interfaces[1]->Engine().TckHz(), 7000, 1);
    EXPECT_EQ(target.interfaces[0], nullptr);
    ASSERT_EQ(library.TmsReset(1), 0);
    ASSERT_EQ(library.MoveToState(1, kPauseIr), 0);
    Settle();
    EXPECT_EQ(target.tap.Port(2).State(), S::PauseIr); // interface B is wired to TAP port 2
    EXPECT_EQ(target.tap.Port(1).State(), S::TestLogicReset);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    EXPECT_EQ(library.TmsReset(2), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Io control failed\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "BSX4810 ftdi: TAP port 2 has no channel (port2=none)\n");
    EXPECT_EQ(library.MoveToState(1, kRunTestIdle), 0);
}

TEST(FtdiCableOpen, AnInterfaceTheChipDoesNotHaveFailsTheOpenWithItsCause) {
    UsePrivateLockFile();
    CTapUnderTest target(TapBackEnd::Ftdi, "emulate,interface=C");
    CScanLibrary library(target.Factory());
    testing::internal::CaptureStderr();
    EXPECT_EQ(library.Open(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "BSX4810 ftdi: the emulated FT2232H has no MPSSE interface C\n");
    // The controller was not kept.
    CScanLibrary other(target.Factory());
    testing::internal::CaptureStderr();
    EXPECT_EQ(other.Open(), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(target.faults.opens, 2);
}

TEST(FtdiCableOpen, AChannelThatAnswersOutOfStepIsNotTaken) {
    UsePrivateLockFile();
    CTapUnderTest target(TapBackEnd::Ftdi);
    target.faults.extraAnswerAfterWrite = 0;
    CScanLibrary library(target.Factory());
    testing::internal::CaptureStderr();
    EXPECT_EQ(library.Open(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "BSX4810 ftdi: interface A answered out of step; is it an MPSSE channel of an "
              "H-series chip?\n");
    EXPECT_EQ(library.Open(), 0);
    library.Close();
}

} // namespace
} // namespace bsx4810::test

#include "ftdi/mpsse.h"
#include "ftdi/mpsse_engine.h"

#include <gtest/gtest.h>
#include <vector>

namespace bsx4810::test {
namespace {

using S = TapControllerState;

class MpsseEngineTest : public testing::Test {
protected:
    std::vector<uint8_t> Answers() {
        std::vector<uint8_t> answers(engine.Answers().begin(), engine.Answers().end());
        engine.Answers().clear();
        return answers;
    }
    void Run(std::vector<uint8_t> commands) { ASSERT_TRUE(engine.Execute(commands)); }
    void DriveThePins() { Run({kMpsseSetLowByte, kPinIdleLevels, kPinOutputs}); }

    CSoftwareTap tap;
    CMpsseEngine engine{tap.Port(1)};
};

TEST_F(MpsseEngineTest, ClocksReachTheTapOnlyOnceTheCablesPinsAreOutputs) {
    Run({kMpsseClockTmsOut, 0, 0x00}); // TMS 0 would leave Test-Logic-Reset
    EXPECT_EQ(engine.Clocks(), 0u);
    EXPECT_EQ(tap.Port(1).State(), S::TestLogicReset);
    DriveThePins();
    Run({kMpsseClockTmsOut, 0, 0x00});
    EXPECT_EQ(engine.Clocks(), 1u);
    EXPECT_EQ(tap.Port(1).State(), S::RunTestIdle);
}

TEST_F(MpsseEngineTest, AnUnknownOpcodeIsAnsweredAndTheNextCommandStillRuns) {
    DriveThePins();
    Run({kMpsseSyncMarker, kMpsseClockTmsOut, 1, 0x02, 0xAA, kMpsseSendImmediate});
    EXPECT_EQ(Answers(), (std::vector<uint8_t>{0xFA, kMpsseSyncMarker, 0xFA, 0xAA}));
    EXPECT_EQ(tap.Port(1).State(), S::SelectDrScan); // TMS 0 then 1
    EXPECT_TRUE(engine.AnswersPushed());
}

TEST_F(MpsseEngineTest, ACommandSplitAcrossWritesRunsWhenItsLastByteComes) {
    DriveThePins();
    Run({kMpsseClockTmsOut, 3});
    EXPECT_EQ(engine.Clocks(), 0u);
    Run({0x02}); // 0,1,0,0: Shift-DR
    EXPECT_EQ(tap.Port(1).State(), S::ShiftDr);
    Run({kMpsseClockBytesInOut, 1});
    Run({0x00, 0xFF});
    Run({0x0F});
    EXPECT_EQ(engine.Clocks(), 4u + 16u);
    // Bypass: the captured 0, then TDI one clock late.
    EXPECT_EQ(Answers(), (std::vector<uint8_t>{0xFE, 0x1F}));
}

TEST_F(MpsseEngineTest, BitAnswersFillTheTopOfTheByteAndTmsHoldsItsLastLevel) {
    DriveThePins();
    Run({kMpsseClockTmsOut, 3, 0x02});
    // Bypass shifts 0 (captured), then 1, 0 from TDI 1, 0, 1.
    Run({kMpsseClockBitsInOut, 2, 0b101});
    EXPECT_EQ(Answers(), std::vector<uint8_t>{0b01000000});
    // After a TMS command ending in 1, data clocks keep TMS high: Exit1-DR, then Update-DR.
    Run({kMpsseClockTmsInOut, 0, 0x81, kMpsseClockBitsOut, 0, 0x00});
    EXPECT_EQ(Answers(), std::vector<uint8_t>{0x80}); // the last TDI shifted out
    EXPECT_EQ(tap.Port(1).State(), S::UpdateDr);
}

TEST_F(MpsseEngineTest, NtrstLowResetsTheTapAndHoldsItUntilReleased) {
    DriveThePins();
    Run({kMpsseClockTmsOut, 3, 0x02});
    ASSERT_EQ(tap.Port(1).State(), S::ShiftDr);
    Run({kMpsseSetLowByte, kPinIdleLevels & ~kPinTrst, kPinOutputs});
    EXPECT_EQ(tap.Port(1).State(), S::TestLogicReset);
    Run({kMpsseClockTmsOut, 0, 0x00});
    EXPECT_EQ(tap.Port(1).State(), S::TestLogicReset);
    DriveThePins();
    Run({kMpsseClockTmsOut, 0, 0x00});
    EXPECT_EQ(tap.Port(1).State(), S::RunTestIdle);
}

TEST_F(MpsseEngineTest, TheClockRateFollowsTheDivisorAndTheDivideBy5) {
    Run({kMpsseSetClockDivisor, 29, 0});
    EXPECT_DOUBLE_EQ(engine.TckHz(), 200e3);
    Run({kMpsseDisableDivideBy5});
    EXPECT_DOUBLE_EQ(engine.TckHz(), 1e6);
}

} // namespace
} // namespace bsx4810::test

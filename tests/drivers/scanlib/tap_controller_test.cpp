#include "soft/tap_controller.h"

#include <gtest/gtest.h>
#include <string>

namespace bsx4810::test {
namespace {

using S = TapControllerState;

struct Edge {
    S from;
    S onTms0;
    S onTms1;
};

// The state diagram of IEEE 1149.1.
constexpr Edge kStandardDiagram[] = {
    {S::TestLogicReset, S::RunTestIdle, S::TestLogicReset},
    {S::RunTestIdle, S::RunTestIdle, S::SelectDrScan},
    {S::SelectDrScan, S::CaptureDr, S::SelectIrScan},
    {S::CaptureDr, S::ShiftDr, S::Exit1Dr},
    {S::ShiftDr, S::ShiftDr, S::Exit1Dr},
    {S::Exit1Dr, S::PauseDr, S::UpdateDr},
    {S::PauseDr, S::PauseDr, S::Exit2Dr},
    {S::Exit2Dr, S::ShiftDr, S::UpdateDr},
    {S::UpdateDr, S::RunTestIdle, S::SelectDrScan},
    {S::SelectIrScan, S::CaptureIr, S::TestLogicReset},
    {S::CaptureIr, S::ShiftIr, S::Exit1Ir},
    {S::ShiftIr, S::ShiftIr, S::Exit1Ir},
    {S::Exit1Ir, S::PauseIr, S::UpdateIr},
    {S::PauseIr, S::PauseIr, S::Exit2Ir},
    {S::Exit2Ir, S::ShiftIr, S::UpdateIr},
    {S::UpdateIr, S::RunTestIdle, S::SelectDrScan},
};

TEST(TapController, FollowsTheStandardDiagramInEveryStateForBothTmsLevels) {
    static_assert(std::size(kStandardDiagram) == kTapControllerStates);
    for (const Edge& edge : kStandardDiagram) {
        SCOPED_TRACE(TapStateName(edge.from));
        EXPECT_EQ(NextTapState(edge.from, false), edge.onTms0);
        EXPECT_EQ(NextTapState(edge.from, true), edge.onTms1);
    }
}

TEST(TapController, FiveTmsHighClocksReachTestLogicResetFromAnyState) {
    for (int i = 0; i < kTapControllerStates; ++i) {
        S state = static_cast<S>(i);
        for (int clock = 0; clock < 5; ++clock)
            state = NextTapState(state, true);
        EXPECT_EQ(state, S::TestLogicReset) << TapStateName(static_cast<S>(i));
    }
}

TEST(TapController, NamesEveryState) {
    EXPECT_EQ(std::string(TapStateName(S::RunTestIdle)), "Run-Test/Idle");
    EXPECT_EQ(std::string(TapStateName(S::Exit2Ir)), "Exit2-IR");
}

} // namespace
} // namespace bsx4810::test

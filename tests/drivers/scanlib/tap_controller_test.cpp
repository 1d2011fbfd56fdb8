#include "soft/software_tap.h"
#include "soft/tap_controller.h"

#include <gtest/gtest.h>
#include <map>
#include <queue>
#include <string>
#include <vector>

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

// TMS levels that lead from Test-Logic-Reset to the state, found on the standard diagram.
std::vector<uint8_t> PathTo(S target) {
    std::map<S, std::vector<uint8_t>> paths{{S::TestLogicReset, {}}};
    std::queue<S> open;
    open.push(S::TestLogicReset);
    while (!open.empty()) {
        const S state = open.front();
        open.pop();
        for (const Edge& edge : kStandardDiagram) {
            if (edge.from != state)
                continue;
            for (const auto& [next, vector] :
                 {std::pair{edge.onTms0, uint8_t{0x01}}, std::pair{edge.onTms1, uint8_t{0x09}}}) {
                if (paths.count(next))
                    continue;
                paths[next] = paths[state];
                paths[next].push_back(vector);
                open.push(next);
            }
        }
    }
    return paths.at(target);
}

TEST(TapController, TheSoftwareTapMovesAsTheDiagramSaysForEveryStateAndTms) {
    for (const Edge& edge : kStandardDiagram) {
        for (const bool tms : {false, true}) {
            SCOPED_TRACE(std::string(TapStateName(edge.from)) + (tms ? " TMS 1" : " TMS 0"));
            CTargetMemory memory;
            CSoftwareTapPort port(memory, 1);
            std::vector<uint8_t> vectors = PathTo(edge.from);
            ASSERT_TRUE(port.Run(vectors));
            ASSERT_EQ(port.State(), edge.from);
            std::vector<uint8_t> clock{static_cast<uint8_t>(tms ? 0x09 : 0x01)};
            ASSERT_TRUE(port.Run(clock));
            EXPECT_EQ(port.State(), tms ? edge.onTms1 : edge.onTms0);
            // TRST takes it back to Test-Logic-Reset from anywhere.
            std::vector<uint8_t> trst{0x20};
            ASSERT_TRUE(port.Run(trst));
            EXPECT_EQ(port.State(), S::TestLogicReset);
        }
    }
}

TEST(TapController, NamesEveryState) {
    EXPECT_EQ(std::string(TapStateName(S::RunTestIdle)), "Run-Test/Idle");
    EXPECT_EQ(std::string(TapStateName(S::Exit2Ir)), "Exit2-IR");
}

} // namespace
} // namespace bsx4810::test

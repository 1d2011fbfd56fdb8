// The TAP controller of IEEE 1149.1: sixteen states, moved on each TCK clock by TMS.
#pragma once

namespace bsx4810 {

enum class TapControllerState {
    TestLogicReset,
    RunTestIdle,
    SelectDrScan,
    CaptureDr,
    ShiftDr,
    Exit1Dr,
    PauseDr,
    Exit2Dr,
    UpdateDr,
    SelectIrScan,
    CaptureIr,
    ShiftIr,
    Exit1Ir,
    PauseIr,
    Exit2Ir,
    UpdateIr,
};

inline constexpr int kTapControllerStates = 16;

TapControllerState NextTapState(TapControllerState state, bool tms);

const char* TapStateName(TapControllerState state);

} // namespace bsx4810

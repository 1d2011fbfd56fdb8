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

namespace tap_diagram {

using S = TapControllerState;

struct Transition {
    S onTms0;
    S onTms1;
    const char* name;
};

// Indexed by TapControllerState.
inline constexpr Transition kDiagram[kTapControllerStates] = {
    {S::RunTestIdle, S::TestLogicReset, "Test-Logic-Reset"},
    {S::RunTestIdle, S::SelectDrScan, "Run-Test/Idle"},
    {S::CaptureDr, S::SelectIrScan, "Select-DR-Scan"},
    {S::ShiftDr, S::Exit1Dr, "Capture-DR"},
    {S::ShiftDr, S::Exit1Dr, "Shift-DR"},
    {S::PauseDr, S::UpdateDr, "Exit1-DR"},
    {S::PauseDr, S::Exit2Dr, "Pause-DR"},
    {S::ShiftDr, S::UpdateDr, "Exit2-DR"},
    {S::RunTestIdle, S::SelectDrScan, "Update-DR"},
    {S::CaptureIr, S::TestLogicReset, "Select-IR-Scan"},
    {S::ShiftIr, S::Exit1Ir, "Capture-IR"},
    {S::ShiftIr, S::Exit1Ir, "Shift-IR"},
    {S::PauseIr, S::UpdateIr, "Exit1-IR"},
    {S::PauseIr, S::Exit2Ir, "Pause-IR"},
    {S::ShiftIr, S::UpdateIr, "Exit2-IR"},
    {S::RunTestIdle, S::SelectDrScan, "Update-IR"},
};

} // namespace tap_diagram

// Inline, as the software TAP takes a step on every clock.
constexpr TapControllerState NextTapState(TapControllerState state, bool tms) {
    const tap_diagram::Transition& t = tap_diagram::kDiagram[static_cast<int>(state)];
    return tms ? t.onTms1 : t.onTms0;
}

constexpr const char* TapStateName(TapControllerState state) {
    return tap_diagram::kDiagram[static_cast<int>(state)].name;
}

} // namespace bsx4810

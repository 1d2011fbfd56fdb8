#include "tap_controller.h"

namespace bsx4810 {

namespace {

using S = TapControllerState;

struct Transition {
    S onTms0;
    S onTms1;
    const char* name;
};

// Indexed by TapControllerState.
constexpr Transition kDiagram[kTapControllerStates] = {
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

} // namespace

TapControllerState NextTapState(TapControllerState state, bool tms) {
    const Transition& t = kDiagram[static_cast<int>(state)];
    return tms ? t.onTms1 : t.onTms0;
}

const char* TapStateName(TapControllerState state) {
    return kDiagram[static_cast<int>(state)].name;
}

} // namespace bsx4810

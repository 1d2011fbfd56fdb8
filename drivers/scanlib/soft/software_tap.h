// The controller in software: two TAP ports, each an IEEE 1149.1 TAP controller with a JTAG
// register block behind it, that execute the vectors of a request clock by clock.
#pragma once

#include "../device_channel.h"
#include "jtag_register_block.h"
#include "tap_controller.h"

#include <array>
#include <span>

namespace bsx4810 {

class CSoftwareTapPort {
public:
    CSoftwareTapPort(CTargetMemory& memory, int port);

    // Runs the vectors and writes each clock's TDO into bit 4. False when a register write of
    // the target could not be kept.
    bool Run(std::span<uint8_t> vectors);

    // One TCK clock; returns TDO. ok turns false when a register write could not be kept.
    // Inline, as it runs for every vector.
    bool Clock(bool tms, bool tdi, bool& ok) {
        using S = TapControllerState;
        // Outside the shift states TDO floats and reads high through the cable's pull-up.
        bool tdo = true;
        switch (state_) {
        case S::CaptureIr:
            target_.CaptureInstruction();
            break;
        case S::ShiftIr:
            tdo = target_.ShiftInstruction(tdi);
            break;
        case S::CaptureDr:
            target_.CaptureData();
            break;
        case S::ShiftDr:
            tdo = target_.ShiftData(tdi);
            break;
        default:
            break;
        }
        state_ = NextTapState(state_, tms);
        if (state_ == S::UpdateIr)
            target_.UpdateInstruction();
        else if (state_ == S::UpdateDr)
            ok = target_.UpdateData() && ok;
        else if (state_ == S::TestLogicReset)
            target_.Reset();
        return tdo;
    }
    // TRST: Test-Logic-Reset without a clock.
    void EnterTestLogicReset();

    TapControllerState State() const { return state_; }
    const CJtagRegisterBlock& Target() const { return target_; }

private:
    TapControllerState state_ = TapControllerState::TestLogicReset;
    CJtagRegisterBlock target_;
};

class CSoftwareTap {
public:
    CSoftwareTap();
    CSoftwareTap(const CSoftwareTap&) = delete;
    CSoftwareTap& operator=(const CSoftwareTap&) = delete;

    CTargetMemory& Memory() { return memory_; }
    CSoftwareTapPort& Port(int port) { return ports_.at(port - 1); }

private:
    CTargetMemory memory_;
    std::array<CSoftwareTapPort, 2> ports_;
};

// A device handle on a software TAP: port writes are accepted, vector requests run on port 1
// (code 6) or port 2 (code 7); the parameter block is returned unchanged.
class CSoftwareTapChannel : public CDeviceChannel {
public:
    explicit CSoftwareTapChannel(CSoftwareTap& tap) : tap_(tap) {}
    bool Request(uint32_t code, std::span<uint8_t> input, std::span<uint8_t> output) override;

private:
    CSoftwareTap& tap_;
};

// The process's software TAP, its registers loaded afresh from the file named by
// BSX4810_TARGET_FILE when that is set (and shared through it); null, with the cause on standard
// error, when that file cannot be read.
CSoftwareTap* OpenProcessSoftwareTap();

// A device handle on the process's software TAP, opened as above; null when it cannot be.
std::unique_ptr<CDeviceChannel> OpenSoftwareTap();

} // namespace bsx4810

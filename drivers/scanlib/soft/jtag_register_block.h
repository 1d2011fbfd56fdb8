// The target behind a software TAP port: the JTAG register block that the JTAG register driver
// expects. A 5-bit instruction selects the address register (as long as the bits shifted into
// it), the 32-bit data register or the 32-bit control register; any other instruction selects
// the 1-bit bypass register. A control word with the command byte 0x09 copies the data register
// into the addressed register, 0x0B the addressed register into the data register.
#pragma once

#include "target_memory.h"

#include <cstdint>
#include <vector>

namespace bsx4810 {

class CJtagRegisterBlock {
public:
    static constexpr unsigned kInstructionBits = 5;
    enum Instruction : uint8_t { kAddress = 8, kData = 9, kControl = 10, kBypass = 31 };

    CJtagRegisterBlock(CTargetMemory& memory, int port);

    // Test-Logic-Reset selects the bypass register.
    void Reset();
    void CaptureInstruction();
    bool ShiftInstruction(bool tdi);
    void UpdateInstruction();
    void CaptureData();
    // Inline, as it runs on every clock of a data scan.
    bool ShiftData(bool tdi) {
        switch (instruction_) {
        case kAddress:
            return ShiftAddress(tdi);
        case kData:
        case kControl: {
            const bool tdo = wordShift_ & 1;
            wordShift_ = (wordShift_ >> 1) | (uint32_t{tdi} << 31);
            return tdo;
        }
        default: {
            const bool tdo = bypass_;
            bypass_ = tdi;
            return tdo;
        }
        }
    }
    // False when a register write could not be kept.
    bool UpdateData();

    uint8_t Instruction() const { return instruction_; }
    uint32_t DataRegister() const { return data_; }

private:
    bool ShiftAddress(bool tdi);
    bool RunCommand();

    CTargetMemory& memory_;
    int port_;
    uint8_t instruction_ = kBypass;
    uint8_t instructionShift_ = 0;
    TargetAddress address_;
    std::vector<bool> addressOut_; // bits captured from the address, shifted out first
    std::vector<bool> addressIn_;  // bits shifted in since the capture
    size_t addressOutNext_ = 0;
    uint32_t data_ = 0;
    uint32_t control_ = 0;
    uint32_t wordShift_ = 0;
    bool bypass_ = false;
};

} // namespace bsx4810

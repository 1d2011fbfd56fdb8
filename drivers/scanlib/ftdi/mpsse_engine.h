// The MPSSE command processor of one FTDI channel in software. ADBUS0-4 are wired to a TAP port
// of the software TAP (TCK, TDI, TDO, TMS, nTRST); the engine runs the commands the host writes
// clock by clock and keeps the answer bytes the chip would send back. As on the chip, a command
// may be split across writes, and an unknown opcode is answered with 0xFA and the opcode.
#pragma once

#include "../soft/software_tap.h"

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace bsx4810 {

class CMpsseEngine {
public:
    explicit CMpsseEngine(CSoftwareTapPort& port) : port_(port) {}

    // Runs every command the bytes complete. False when a register write of the target could not
    // be kept.
    bool Execute(std::span<const uint8_t> bytes);

    std::deque<uint8_t>& Answers() { return answers_; }
    // True when Send Immediate came after the last answer byte: the chip sends at once instead
    // of when its latency timer runs out.
    bool AnswersPushed() const { return answersPushed_; }
    // TCK clocks given to the TAP so far.
    uint64_t Clocks() const { return clocks_; }
    // The TCK frequency the commands set, in Hz.
    double TckHz() const;
    uint8_t Levels() const { return levels_; }

private:
    bool Complete() const;
    void Run();
    void ClockBytes(bool read);
    void ClockBits(bool read);
    void ClockTms(bool read);
    bool Clock(bool tms, bool tdi);
    void Answer(uint8_t byte);
    bool Driven(uint8_t pin) const { return (directions_ & pin) != 0; }

    CSoftwareTapPort& port_;
    std::vector<uint8_t> command_; // the command being received
    std::deque<uint8_t> answers_;
    bool answersPushed_ = true;
    bool targetOk_ = true;
    uint64_t clocks_ = 0;
    // The chip starts with every pin an input and the 60 MHz clock divided by 5.
    uint8_t levels_ = 0;
    uint8_t directions_ = 0;
    uint16_t divisor_ = 0;
    bool divideBy5_ = true;
};

} // namespace bsx4810

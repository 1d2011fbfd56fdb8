#include "mpsse_engine.h"

#include "mpsse.h"

#include <algorithm>

namespace bsx4810 {

namespace {

// The operands follow the opcode.
constexpr size_t kOperandsAt = 1;

uint16_t Word(uint8_t low, uint8_t high) {
    return static_cast<uint16_t>(low | (high << 8));
}

} // namespace

bool CMpsseEngine::Execute(std::span<const uint8_t> bytes) {
    targetOk_ = true;
    for (const uint8_t byte : bytes) {
        command_.push_back(byte);
        if (MpsseOperandBytes(command_[0]) < 0) {
            Answer(kMpsseBadCommand);
            Answer(command_[0]);
            command_.clear();
        } else if (Complete()) {
            Run();
            command_.clear();
        }
    }
    return targetOk_;
}

double CMpsseEngine::TckHz() const {
    const double base = kMpsseBaseClockKhz * 1000.0 / (divideBy5_ ? 5 : 1);
    return base / ((1.0 + divisor_) * 2.0);
}

bool CMpsseEngine::Complete() const {
    const size_t operands = static_cast<size_t>(MpsseOperandBytes(command_[0]));
    if (command_.size() < kOperandsAt + operands)
        return false;
    const bool carriesBytes =
        command_[0] == kMpsseClockBytesOut || command_[0] == kMpsseClockBytesInOut;
    const size_t data = carriesBytes ? size_t{Word(command_[1], command_[2])} + 1 : 0;
    return command_.size() == kOperandsAt + operands + data;
}

void CMpsseEngine::Run() {
    switch (command_[0]) {
    case kMpsseClockBytesOut:
    case kMpsseClockBytesInOut:
        ClockBytes(command_[0] == kMpsseClockBytesInOut);
        break;
    case kMpsseClockBitsOut:
    case kMpsseClockBitsInOut:
        ClockBits(command_[0] == kMpsseClockBitsInOut);
        break;
    case kMpsseClockTmsOut:
    case kMpsseClockTmsInOut:
        ClockTms(command_[0] == kMpsseClockTmsInOut);
        break;
    case kMpsseSetLowByte:
        levels_ = command_[1];
        directions_ = command_[2];
        // nTRST driven low resets the TAP at once and holds it there.
        if (Driven(kPinTrst) && !(levels_ & kPinTrst))
            port_.EnterTestLogicReset();
        break;
    case kMpsseSetClockDivisor:
        divisor_ = Word(command_[1], command_[2]);
        break;
    case kMpsseSendImmediate:
        answersPushed_ = true;
        break;
    case kMpsseDisableDivideBy5:
        divideBy5_ = false;
        break;
    default: // loopback, three-phase and adaptive clocking stay off
        break;
    }
}

void CMpsseEngine::ClockBytes(bool read) {
    for (size_t i = kOperandsAt + 2; i < command_.size(); ++i) {
        uint8_t in = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if (Clock((levels_ & kPinTms) != 0, (command_[i] >> bit) & 1))
                in = static_cast<uint8_t>(in | (1u << bit));
        if (read)
            Answer(in);
    }
}

void CMpsseEngine::ClockBits(bool read) {
    const unsigned clocks = (command_[1] & 7u) + 1;
    uint8_t in = 0;
    for (unsigned bit = 0; bit < clocks; ++bit)
        in = static_cast<uint8_t>((in >> 1) |
                                  (Clock((levels_ & kPinTms) != 0, (command_[2] >> bit) & 1) << 7));
    if (read)
        Answer(in);
}

void CMpsseEngine::ClockTms(bool read) {
    const unsigned clocks = std::min((command_[1] & 7u) + 1, kMpsseTmsClocks);
    const bool tdi = (command_[2] & 0x80) != 0;
    uint8_t in = 0;
    for (unsigned bit = 0; bit < clocks; ++bit) {
        const bool tms = (command_[2] >> bit) & 1;
        levels_ = static_cast<uint8_t>(tms ? levels_ | kPinTms : levels_ & ~kPinTms);
        in = static_cast<uint8_t>((in >> 1) | (Clock(tms, tdi) << 7));
    }
    if (read)
        Answer(in);
}

// One TCK period: TMS and TDI set on the falling edge, TDO sampled on the rising one. An input
// pin reads high, as TMS and TDI are pulled up at the TAP and TDO floats high.
bool CMpsseEngine::Clock(bool tms, bool tdi) {
    levels_ = static_cast<uint8_t>(tdi ? levels_ | kPinTdi : levels_ & ~kPinTdi);
    if (!Driven(kPinTck))
        return true;
    ++clocks_;
    if (Driven(kPinTrst) && !(levels_ & kPinTrst))
        return true; // held in Test-Logic-Reset
    bool ok = true;
    const bool tdo = port_.Clock(Driven(kPinTms) ? tms : true, Driven(kPinTdi) ? tdi : true, ok);
    targetOk_ = targetOk_ && ok;
    return tdo;
}

void CMpsseEngine::Answer(uint8_t byte) {
    answers_.push_back(byte);
    answersPushed_ = false;
}

} // namespace bsx4810

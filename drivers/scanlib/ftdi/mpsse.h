// The MPSSE engine of FTDI's H-series chips (FT2232H, FT4232H, FT232H) as the cable back end uses
// it: the commands it sends, which the emulated chip also runs, and the wiring of a channel's
// ADBUS pins to the TAP.
#pragma once

#include <cstdint>

namespace bsx4810 {

// name, opcode, operand bytes after the opcode. The byte-clocking commands carry their data
// (length + 1 bytes) beyond the operands.
#define BSX4810_MPSSE_COMMANDS(X)                                                                  \
    /* length - 1 (two bytes, low first), then the TDI bytes: out on -ve TCK, LSB first */         \
    X(ClockBytesOut, 0x19, 2)                                                                      \
    /* length - 1 (0 to 7), then one byte of TDI bits */                                           \
    X(ClockBitsOut, 0x1B, 2)                                                                       \
    /* as 0x19, TDO read on +ve TCK: one answer byte per byte */                                   \
    X(ClockBytesInOut, 0x39, 2)                                                                    \
    /* as 0x1B: one answer byte, its top bits hold TDO, the last bit in bit 7 */                   \
    X(ClockBitsInOut, 0x3B, 2)                                                                     \
    /* length - 1 (0 to 6), then TMS bits 0 to 6; bit 7 is TDI for every clock */                  \
    X(ClockTmsOut, 0x4B, 2)                                                                        \
    /* as 0x4B, answered like 0x3B */                                                              \
    X(ClockTmsInOut, 0x6B, 2)                                                                      \
    /* ADBUS levels, then directions (1 = output) */                                               \
    X(SetLowByte, 0x80, 2)                                                                         \
    X(LoopbackOff, 0x85, 0)                                                                        \
    /* divisor, low byte first: TCK = 60 MHz / ((1 + divisor) * 2) without the divide by 5 */      \
    X(SetClockDivisor, 0x86, 2)                                                                    \
    /* answers waiting in the chip go to the host now, not when its latency timer runs out */      \
    X(SendImmediate, 0x87, 0)                                                                      \
    X(DisableDivideBy5, 0x8A, 0)                                                                   \
    X(DisableThreePhaseClock, 0x8D, 0)                                                             \
    X(DisableAdaptiveClock, 0x97, 0)

enum MpsseCommand : uint8_t {
#define BSX4810_MPSSE_ENUM(name, code, operands) kMpsse##name = code,
    BSX4810_MPSSE_COMMANDS(BSX4810_MPSSE_ENUM)
#undef BSX4810_MPSSE_ENUM
};

// Operand bytes after the opcode; -1 for an opcode the chip does not know.
constexpr int MpsseOperandBytes(uint8_t opcode) {
    switch (opcode) {
#define BSX4810_MPSSE_OPERANDS(name, code, operands)                                               \
    case code:                                                                                     \
        return operands;
        BSX4810_MPSSE_COMMANDS(BSX4810_MPSSE_OPERANDS)
#undef BSX4810_MPSSE_OPERANDS
    default:
        return -1;
    }
}

// The chip answers an opcode it does not know with this byte and the opcode. The back end ends
// every batch with such an opcode: the echo shows that the chip ran the whole batch in step.
inline constexpr uint8_t kMpsseBadCommand = 0xFA;
inline constexpr uint8_t kMpsseSyncMarker = 0xAB;

// A channel's low byte (ADBUS0-7) as wired to the TAP; TDO is the one input.
inline constexpr uint8_t kPinTck = 0x01;
inline constexpr uint8_t kPinTdi = 0x02;
inline constexpr uint8_t kPinTdo = 0x04;
inline constexpr uint8_t kPinTms = 0x08;
inline constexpr uint8_t kPinTrst = 0x10; // nTRST, active low
inline constexpr uint8_t kPinOutputs = kPinTck | kPinTdi | kPinTms | kPinTrst;
// Between commands: TCK low (data goes out on its falling edge), TMS high, nTRST released.
inline constexpr uint8_t kPinIdleLevels = kPinTms | kPinTrst;

// Most clocks one TMS command gives and one bit command gives.
inline constexpr unsigned kMpsseTmsClocks = 7;
inline constexpr unsigned kMpsseBitClocks = 8;
// Most bytes one byte-clocking command carries (its 16-bit length field).
inline constexpr unsigned kMpsseMaxBytes = 65536;
// Most answer bytes one USB write asks for. The chip stops running commands while its answer
// buffer is full (1 KiB on the FT232H), and a write still going in would then wait forever.
inline constexpr unsigned kMpsseAnswerBytesPerWrite = 512;
// The clock before the divider when the divide by 5 is off.
inline constexpr unsigned kMpsseBaseClockKhz = 60000;

} // namespace bsx4810

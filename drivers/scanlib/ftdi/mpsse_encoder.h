// Turns vectors (one byte per TCK clock with its TMS, TDI and TRST levels) into MPSSE commands
// for a channel wired as in mpsse.h, and the chip's answers back into each vector's TDO bit.
// Runs of clocks with TMS steady go out as byte and bit commands, TDI changing every clock; the
// clocks that walk the TAP between states go out as TMS commands of up to seven clocks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bsx4810 {

// Where the answer of one reading command lands: clocks vectors from firstVector on.
struct TdoSlot {
    size_t commandEnd; // offset in the command buffer just past the command
    size_t firstVector;
    uint32_t clocks;
    bool bytewise; // one answer byte per eight clocks; else one byte, the bits at its top

    size_t AnswerBytes() const { return bytewise ? clocks / 8 : 1; }
};

class CMpsseEncoder {
public:
    // The channel was just set to kPinIdleLevels.
    void Reset() { tms_ = true; }

    // Appends the commands that clock the vectors to commands and returns the number of TCK
    // clocks they give. With tdoWanted every clock's TDO is read, and slots say where.
    uint64_t Encode(std::span<const uint8_t> vectors, bool tdoWanted,
                    std::vector<uint8_t>& commands, std::vector<TdoSlot>& slots);

private:
    uint64_t EncodeTrst(std::vector<uint8_t>& commands);
    void EncodeSteadyTms(std::span<const uint8_t> run, size_t first, bool tdoWanted,
                         std::vector<uint8_t>& commands, std::vector<TdoSlot>& slots);
    void EncodeTmsMoves(std::span<const uint8_t> run, size_t first, bool tdoWanted,
                        std::vector<uint8_t>& commands, std::vector<TdoSlot>& slots);

    bool tms_ = true; // the level the TMS pin holds between commands
};

// Puts the answers of the slots, in order, into the TDO bit of their vectors; every other vector
// (a TRST clock) reads TDO low.
void DecodeTdo(std::span<const TdoSlot> slots, std::span<const uint8_t> answers,
               std::span<uint8_t> vectors);

} // namespace bsx4810

#include "mpsse_encoder.h"

#include "../scan_library.h"
#include "mpsse.h"

#include <algorithm>

namespace bsx4810 {

namespace {

bool Tms(uint8_t vector) {
    return (vector & kTms) != 0;
}

bool Tdi(uint8_t vector) {
    return (vector & kTdi) != 0;
}

// Clocks from first on, up to a TRST vector, whose TMS level is level.
size_t SteadyTmsRun(std::span<const uint8_t> vectors, size_t first, bool level) {
    size_t end = first;
    while (end < vectors.size() && !(vectors[end] & kTrst) && Tms(vectors[end]) == level)
        ++end;
    return end - first;
}

// Clocks from first on, up to a TRST vector, that one TMS command can give: TDI is held.
size_t SameTdiRun(std::span<const uint8_t> vectors, size_t first) {
    size_t end = first;
    while (end < vectors.size() && end - first < kMpsseTmsClocks && !(vectors[end] & kTrst) &&
           Tdi(vectors[end]) == Tdi(vectors[first]))
        ++end;
    return end - first;
}

// TDI of up to eight clocks, the first in bit 0.
uint8_t PackTdi(std::span<const uint8_t> clocks) {
    uint8_t bits = 0;
    for (size_t i = 0; i < clocks.size(); ++i)
        if (Tdi(clocks[i]))
            bits = static_cast<uint8_t>(bits | (1u << i));
    return bits;
}

} // namespace

uint64_t CMpsseEncoder::Encode(std::span<const uint8_t> vectors, bool tdoWanted,
                               std::vector<uint8_t>& commands, std::vector<TdoSlot>& slots) {
    uint64_t clocks = 0;
    size_t i = 0;
    while (i < vectors.size()) {
        if (vectors[i] & kTrst) {
            clocks += EncodeTrst(commands);
            ++i;
            continue;
        }
        const size_t steady = SteadyTmsRun(vectors, i, tms_);
        const size_t moves = SameTdiRun(vectors, i);
        const size_t taken = std::max(steady, moves);
        if (steady >= moves)
            EncodeSteadyTms(vectors.subspan(i, taken), i, tdoWanted, commands, slots);
        else
            EncodeTmsMoves(vectors.subspan(i, taken), i, tdoWanted, commands, slots);
        clocks += taken;
        i += taken;
    }
    return clocks;
}

// nTRST is held low over five clocks with TMS high: the pulse lasts five TCK periods, and a TAP
// whose nTRST is not wired ends in Test-Logic-Reset all the same.
uint64_t CMpsseEncoder::EncodeTrst(std::vector<uint8_t>& commands) {
    constexpr uint8_t kFiveTmsHigh = 0x1F;
    commands.insert(commands.end(),
                    {kMpsseSetLowByte, static_cast<uint8_t>(kPinIdleLevels & ~kPinTrst),
                     kPinOutputs, kMpsseClockTmsOut, 4, kFiveTmsHigh, kMpsseSetLowByte,
                     kPinIdleLevels, kPinOutputs});
    tms_ = true;
    return 5;
}

void CMpsseEncoder::EncodeSteadyTms(std::span<const uint8_t> run, size_t first, bool tdoWanted,
                                    std::vector<uint8_t>& commands, std::vector<TdoSlot>& slots) {
    size_t done = 0;
    while (run.size() - done >= 8) {
        const size_t bytes = std::min<size_t>(
            (run.size() - done) / 8, tdoWanted ? kMpsseAnswerBytesPerWrite : kMpsseMaxBytes);
        const size_t length = bytes - 1;
        commands.insert(commands.end(),
                        {tdoWanted ? kMpsseClockBytesInOut : kMpsseClockBytesOut,
                         static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8)});
        for (size_t b = 0; b < bytes; ++b)
            commands.push_back(PackTdi(run.subspan(done + b * 8, 8)));
        if (tdoWanted)
            slots.push_back(
                {commands.size(), first + done, static_cast<uint32_t>(bytes * 8), true});
        done += bytes * 8;
    }
    if (done == run.size())
        return;
    const size_t bits = run.size() - done;
    commands.insert(commands.end(), {tdoWanted ? kMpsseClockBitsInOut : kMpsseClockBitsOut,
                                     static_cast<uint8_t>(bits - 1), PackTdi(run.subspan(done))});
    if (tdoWanted)
        slots.push_back({commands.size(), first + done, static_cast<uint32_t>(bits), false});
}

void CMpsseEncoder::EncodeTmsMoves(std::span<const uint8_t> run, size_t first, bool tdoWanted,
                                   std::vector<uint8_t>& commands, std::vector<TdoSlot>& slots) {
    uint8_t bits = Tdi(run[0]) ? 0x80 : 0x00;
    for (size_t i = 0; i < run.size(); ++i)
        if (Tms(run[i]))
            bits = static_cast<uint8_t>(bits | (1u << i));
    commands.insert(commands.end(), {tdoWanted ? kMpsseClockTmsInOut : kMpsseClockTmsOut,
                                     static_cast<uint8_t>(run.size() - 1), bits});
    if (tdoWanted)
        slots.push_back({commands.size(), first, static_cast<uint32_t>(run.size()), false});
    tms_ = Tms(run.back());
}

void DecodeTdo(std::span<const TdoSlot> slots, std::span<const uint8_t> answers,
               std::span<uint8_t> vectors) {
    for (uint8_t& vector : vectors)
        vector = static_cast<uint8_t>(vector & ~kTdo);
    size_t at = 0;
    for (const TdoSlot& slot : slots) {
        for (uint32_t i = 0; i < slot.clocks; ++i) {
            // A bit command's answer is shifted in from the top: its first bit lands in bit
            // 8 - clocks.
            const uint8_t byte = slot.bytewise ? answers[at + i / 8] : answers[at];
            const unsigned bit = slot.bytewise ? i % 8 : 8 - slot.clocks + i;
            if ((byte >> bit) & 1)
                vectors[slot.firstVector + i] |= kTdo;
        }
        at += slot.AnswerBytes();
    }
}

} // namespace bsx4810

// The options of the FTDI cable back end, from BSX4810_DEVICE=ftdi:options: comma-separated
// key=value items, for example "vid=0x0403,pid=0x6010,interface=A,khz=1000".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bsx4810 {

struct FtdiOptions {
    uint16_t vid = 0x0403; // FTDI
    uint16_t pid = 0x6010; // FT2232H
    std::string serial;    // empty: the first chip with vid and pid
    char channel = 'A';    // the chip's interface that drives TAP port 1
    char port2 = 'B';      // the interface that drives TAP port 2 (B when port 1 has A, else
                           // none unless given); 0 when there is none
    unsigned khz = 1000;   // highest TCK frequency
    bool emulate = false;  // an emulated chip over the software TAP instead of USB

    bool operator==(const FtdiOptions&) const = default;
};

// Reads the text after "ftdi:" (empty: every default) into options. False with the reason in
// error when an item is unknown or its value out of range; options is then undefined.
bool ParseFtdiOptions(std::string_view text, FtdiOptions& options, std::string& error);

// The MPSSE clock divisor of the fastest TCK that does not exceed khz.
uint16_t ClockDivisor(unsigned khz);

} // namespace bsx4810

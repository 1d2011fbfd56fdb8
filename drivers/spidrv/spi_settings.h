// The SPI driver's settings file spidrv.ini: one section [Device<N>] per chip, N the value of the
// most significant address byte that chooses it (docs/spi.md).
#pragma once

#include "platform/profile_file.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vek {

inline constexpr const char* kSpiSettingsFileName = "spidrv.ini";
inline constexpr const char* kSpiSettingsOverrideVariable = "VEK_SPIDRV";

// The order of bits in a byte, or of data bytes in a register, on the wire.
enum class WireOrder { MsbFirst, LsbFirst };

// How a chip tells a read from a write: flag bits in the first address byte (sensors), or a
// command byte before the address (memories, converters).
enum class SpiConventionKind { ReadFlag, Command };

struct SpiConvention {
    SpiConventionKind kind = SpiConventionKind::ReadFlag;
    int addressBytes = 1; // sent most significant first
    uint8_t readFlag = 0x80;
    uint8_t writeFlag = 0x00;
    uint8_t readCommand = 0x03;
    uint8_t writeCommand = 0x02;
    int dummyBytes = 0; // clocked out between the address and the data of a read
    WireOrder byteOrder = WireOrder::MsbFirst;
};

struct SpiDeviceSettings {
    std::string section;    // "Device0"
    std::string deviceFile; // the spidev file; empty for a simulated chip
    int mode = 0;
    bool csHigh = false;
    WireOrder bitOrder = WireOrder::MsbFirst;
    uint32_t speedHz = 1000000;
    int bitsPerWord = 8;
    SpiConvention convention;
    std::vector<uint8_t> memory; // the simulated chip's registers
};

struct SpiSettings {
    std::map<int, SpiDeviceSettings> devices; // by device number
    // The faulty entries; the driver does not open with any.
    std::vector<std::string> problems;
};

// The devices of the file. A file without [Device<N>] sections gives the default board: two
// simulated chips, a sensor (Device0) and an EEPROM (Device1), as docs/spi.md describes them.
SpiSettings ReadSpiSettings(const ProfileFile& settings);

} // namespace vek

// The limits of the SPI driver's settings and of the frames it sends.
#pragma once

#include <cstdint>

namespace vek {

// The register-address bytes a chip takes after its command: serial flash in 4-byte address mode
// takes the most of any SPI chip (32 bits address 4 GiB). Below the device byte a description
// has seven address bytes, so a wider register is caught before it is cut.
inline constexpr int kMaxAddressBytes = 4;

// Bytes clocked out before read data: a serial flash's fast read waits one byte (8 clocks), slow
// converters and sensors' burst reads a few; four bytes (32 clocks) cover every such chip, and
// more reads as a typo.
inline constexpr int kMaxDummyBytes = 4;

// The fastest clock, in Hz. SPI controllers under Linux run at up to about 100 MHz; a number
// twice that is a slip of a digit (the kernel would silently clock the bus at its own limit).
inline constexpr std::int64_t kMaxSpeedHz = 200000000;

// The only word size: every frame is whole bytes, and 8-bit words put them on the wire as wider
// words would, most significant bit first.
inline constexpr int kBitsPerWord = 8;

// SPI modes 0 to 3: clock polarity (CPOL) times two plus clock phase (CPHA).
inline constexpr int kMaxSpiMode = 3;

// A device is chosen by the most significant address byte, so there are as many as one byte
// has values.
inline constexpr int kMaxDeviceNumber = 255;

} // namespace vek

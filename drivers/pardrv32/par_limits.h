// The limits of the I2C driver's settings.
#pragma once

#include <cstdint>

namespace vek {

// The longest pause after a register write, in milliseconds. The pause waits out a device's
// internal write cycle: an EEPROM's takes 5 to 10 ms, a slow serial flash's page program some
// tens of ms. Ten seconds leave ample room for any of them, while a longer pause would hold up
// every write of a session (a value of hours or days reads as a frozen program, not a slow one).
inline constexpr std::uint32_t kMaxWaitAfterWriteMs = 10000;

// The highest parallel-port I/O address: the PC's I/O space has 16-bit addresses.
inline constexpr int kMaxIOAddress = 0xFFFF;

// The longest transfer time-out of a real bus, in units of 10 ms: ten seconds. A device that
// stretches the clock holds a transfer for milliseconds and the kernel's own time-out is one
// second; a transfer that has not ended after ten has hung the bus, and a longer time-out would
// only keep the program frozen before it says so.
inline constexpr int kMaxTimeoutTens = 1000;

} // namespace vek

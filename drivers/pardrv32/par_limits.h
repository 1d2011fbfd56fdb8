// The limits of the I2C driver's settings.
#pragma once

#include <cstdint>

namespace vek {

// The longest pause after a register write, in milliseconds. The pause waits out a device's
// internal write cycle: an EEPROM's takes 5 to 10 ms, a slow serial flash's page program some
// tens of ms. Ten seconds leave ample room for any of them, while a longer pause would hold up
// every write of a session (a value of hours or days reads as a frozen program, not a slow one).
inline constexpr std::uint32_t kMaxWaitAfterWriteMs = 10000;

} // namespace vek

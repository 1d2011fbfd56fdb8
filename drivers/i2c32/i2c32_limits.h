// The limits of the adapter library's settings, which the driver checks as it reads them from
// the settings file.
#pragma once

namespace vek {

// The fastest bit rate in bit/s: high-speed mode's 3.4 Mbit/s, the fastest I2C mode in which a
// device can answer (the faster ultra-fast mode only sends).
inline constexpr int kMaxBitrate = 3400000;

} // namespace vek

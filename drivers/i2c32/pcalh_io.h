// The settings file of the I2C driver, read by pardrv32 and by the adapter library I2C32, and the
// environment variable that names it instead of the usual place.
#pragma once

namespace vek {

inline constexpr const char* kPcalhIoFileName = "pcalh_io.ini";
inline constexpr const char* kPcalhIoOverrideVariable = "VEK_PCALH_IO";

} // namespace vek

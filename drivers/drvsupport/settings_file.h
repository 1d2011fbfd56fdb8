// The settings files of the driver-side libraries.
#pragma once

#include "platform/profile_file.h"

#include <string>

namespace vek {

// The I2C driver's settings file, read by pardrv32 and by the adapter library I2C32, and the
// environment variable that names it instead of the usual place.
inline constexpr const char* kPcalhIoFileName = "pcalh_io.ini";
inline constexpr const char* kPcalhIoOverrideVariable = "VEK_PCALH_IO";

std::string PcalhIoPath();

// A settings file as the libraries read it: one that is missing or cannot be read gives every
// setting its default, as there is no one to tell.
ProfileFile ReadSettingsFile(const std::string& path);

} // namespace vek

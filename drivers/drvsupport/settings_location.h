// Where the driver-side libraries look for their settings files.
#pragma once

#include <string>

namespace drvsupport {

// The I2C driver's settings file, read by pardrv32 and by the adapter library I2C32, and the
// environment variable that names it instead of the usual place.
inline constexpr const char* kPcalhIoFileName = "pcalh_io.ini";
inline constexpr const char* kPcalhIoOverrideVariable = "VEK_PCALH_IO";

// The settings file fileName: the path in the environment variable overrideVariable when that
// is set and not empty; otherwise "tarvel/<fileName>" in the user's configuration folder
// ($XDG_CONFIG_HOME, else $HOME/.config). Empty when neither variable gives a folder.
std::string SettingsFilePath(const char* overrideVariable, const char* fileName);

} // namespace drvsupport

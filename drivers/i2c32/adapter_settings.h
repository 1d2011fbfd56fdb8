// The adapter library's own settings, read from the driver's settings file pcalh_io.ini.
#pragma once

#include "platform/profile_file.h"
#include "simulated_bus_settings.h"

#include <string>
#include <vector>

namespace vek {

struct AdapterSettings {
    // The i2c-dev device that the hardware interface types use: key "LinuxDevice" of [I2CBus].
    std::string linuxDevice;
    // The devices of the simulated bus: section [SimulatedBus] (see simulated_bus_settings.h).
    std::vector<SimulatedDeviceSetup> simulatedDevices;
    // Key "MovingTemperature" of [SimulatedBus], 0 (the default) or 1: the temperature of the
    // sensor at 0x48 (its bytes 0 and 1) moves slowly (moving_temperature.h).
    bool movingTemperature = false;
    // Faulty entries found while reading.
    std::vector<std::string> problems;
};

AdapterSettings ReadAdapterSettings(const ProfileFile& settings);

// The settings an adapter opens with, from pcalh_io.ini. An adapter does not open on settings it
// cannot read, nor on faulty entries, which would otherwise just be left out: the failure's text
// is the first fault, for the driver's status text, and every fault goes to standard error as a
// line "I2C32: " and the fault, where vek shows it among its output lines.
Result<AdapterSettings> LoadAdapterSettings();

// The simulated bus a new user finds: the board of the example description.
std::vector<SimulatedDeviceSetup> DefaultSimulatedDevices();

// The 7-bit address of the default board's temperature sensor.
inline constexpr uint8_t kSimulatedSensorAddress = 0x48;

} // namespace vek

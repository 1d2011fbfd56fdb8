// How the simulated QBR7318 is set up: presence, identifiers, the register map and the devices
// on the card's I2C bus, from the defaults and the settings file qbr18_32.ini.
#pragma once

#include "platform/profile_file.h"
#include "simulated_bus_settings.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vek {

inline constexpr const char* kChipSettingsFileName = "qbr18_32.ini";
inline constexpr const char* kChipSettingsOverrideVariable = "VEK_QBR18_32";

struct ChipRegister {
    int width = 0; // bytes: 1, 2 or 4
    uint32_t value = 0;
};

struct ChipSettings {
    bool present = true;
    uint16_t vendorId = 0;
    uint16_t deviceId = 0;
    std::map<uint16_t, ChipRegister> registers; // by offset
    std::vector<SimulatedDeviceSetup> i2cDevices;
    std::vector<std::string> problems;
};

// The chip as delivered (the PCI configuration header, the bridge's own registers and the
// card's I2C devices; the tables are in docs/bridge.md), adjusted by the file's sections
// [Chip], [Registers], [RegisterValues], [I2CBus] and [I2CDevice <address>]. An empty file
// gives the chip as delivered.
ChipSettings ReadChipSettings(const ProfileFile& settings);

} // namespace vek

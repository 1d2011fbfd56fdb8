// Which devices a simulated I2C bus holds, read from a settings file:
//
//   [<list section>]
//   Devices=0x50, 0x48          (7-bit addresses; an empty list gives a bus without devices)
//   [I2CDevice 0x50]            (one section per listed address, written as in the list)
//   Size=256                    (bytes of register memory, 1 to 65536; default 256)
//   SubAddressBytes=1           (1 to 4; default 1)
//   Fill=0xFF                   (initial value of every byte; default 0xFF)
//   Data=0x12 0x34              (initial bytes from register 0 on, blanks or commas between)
//
// Without a "Devices" key the caller's default devices are used.
#pragma once

#include "platform/profile_file.h"
#include "simulated_i2c_bus.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

struct SimulatedDeviceSetup {
    uint8_t address = 0; // 7-bit
    int subAddressBytes = 1;
    std::vector<uint8_t> memory;
};

// A device of size bytes, erased to 0xFF, whose memory starts with contents.
SimulatedDeviceSetup MakeSimulatedDevice(uint8_t address, size_t size,
                                         const std::vector<uint8_t>& contents);

// The register memory a section describes with the keys Size, Fill and Data (above). Faulty
// entries give the defaults, each with a line "<section>: " and the fault added to problems.
std::vector<uint8_t> ReadSimulatedMemory(const ProfileFile& settings, const std::string& section,
                                         std::vector<std::string>& problems);

// Faulty entries are left out or corrected; each fault adds a line to problems.
std::vector<SimulatedDeviceSetup> ReadSimulatedDevices(const ProfileFile& settings,
                                                       std::string_view listSection,
                                                       std::vector<SimulatedDeviceSetup> defaults,
                                                       std::vector<std::string>& problems);

SimulatedI2cBus BuildSimulatedBus(const std::vector<SimulatedDeviceSetup>& devices);

} // namespace vek

#include "adapter_settings.h"

#include "pcalh_io.h"
#include "platform/settings_file.h"

#include <cstdio>

namespace vek {
namespace {

constexpr const char* kDefaultLinuxDevice = "/dev/i2c-0";
constexpr NumberSetting kMovingTemperature{"MovingTemperature", RadixPrefixes::Hex, 0, 1, 0};

void ReportFault(const std::string& fault) {
    std::fprintf(stderr, "I2C32: %s\n", fault.c_str());
    std::fflush(stderr);
}

} // namespace

std::vector<SimulatedDeviceSetup> DefaultSimulatedDevices() {
    return {
        // 256-byte EEPROM, erased.
        MakeSimulatedDevice(0x50, 256, {}),
        // Temperature sensor: TEMP (2 bytes, 25.5 degrees), STATUS, CONFIG, high and low limit.
        MakeSimulatedDevice(kSimulatedSensorAddress, 8,
                            {0x19, 0x80, 0x01, 0x00, 0x50, 0x00, 0x00, 0x00}),
        // 8-bit I/O expander: INPUT, OUTPUT, POLARITY, CONFIG (1 = input).
        MakeSimulatedDevice(0x20, 4, {0x5A, 0xFF, 0x00, 0xFF}),
    };
}

AdapterSettings ReadAdapterSettings(const ProfileFile& settings) {
    AdapterSettings result;
    result.linuxDevice = settings.Value("I2CBus", "LinuxDevice").value_or(kDefaultLinuxDevice);
    result.simulatedDevices =
        ReadSimulatedDevices(settings, "SimulatedBus", DefaultSimulatedDevices(), result.problems);
    result.movingTemperature = ReadNumberSetting(settings, "SimulatedBus", kMovingTemperature,
                                                 "SimulatedBus: ", result.problems) != 0;
    return result;
}

Result<AdapterSettings> LoadAdapterSettings() {
    Result<ProfileFile> file = ReadSettingsFile(kPcalhIoOverrideVariable, kPcalhIoFileName);
    if (!file) {
        ReportFault(file.Error().text);
        return file.Error();
    }
    AdapterSettings settings = ReadAdapterSettings(file.Value());
    if (settings.problems.empty()) {
        return settings;
    }
    const std::string prefix = std::string(kPcalhIoFileName) + ": ";
    for (const std::string& problem : settings.problems) {
        ReportFault(prefix + problem);
    }
    return Failure{1, prefix + settings.problems.front()};
}

} // namespace vek

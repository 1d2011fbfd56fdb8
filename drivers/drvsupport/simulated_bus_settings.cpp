#include "simulated_bus_settings.h"

#include "platform/number_text.h"
#include "platform/settings_file.h"

#include <algorithm>

namespace vek {
namespace {

// The numbers of a device section.
constexpr NumberSetting kSize{"Size", RadixPrefixes::Hex, 1, 65536, 256};
constexpr NumberSetting kSubAddressBytes{"SubAddressBytes", RadixPrefixes::Hex, 1, 4, 1};
constexpr NumberSetting kFill{"Fill", RadixPrefixes::Hex, 0, 255, 0xFF};

std::optional<std::int64_t> Number(std::string_view text) {
    return WholeInteger(text, RadixPrefixes::Hex);
}

// Splits at blanks, tabs and commas.
std::vector<std::string> SplitList(std::string_view text) {
    std::vector<std::string> items;
    std::string current;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (!current.empty()) {
                items.push_back(std::move(current));
                current.clear();
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        items.push_back(std::move(current));
    }
    return items;
}

std::int64_t ReadNumber(const ProfileFile& settings, const std::string& section,
                        const NumberSetting& number, std::vector<std::string>& problems) {
    return ReadNumberSetting(settings, section, number, section + ": ", problems);
}

SimulatedDeviceSetup ReadDevice(const ProfileFile& settings, uint8_t address,
                                const std::string& section, std::vector<std::string>& problems) {
    SimulatedDeviceSetup setup;
    setup.address = address;
    setup.memory = ReadSimulatedMemory(settings, section, problems);
    setup.subAddressBytes =
        static_cast<int>(ReadNumber(settings, section, kSubAddressBytes, problems));
    return setup;
}

} // namespace

std::vector<SimulatedDeviceSetup> ReadSimulatedDevices(const ProfileFile& settings,
                                                       std::string_view listSection,
                                                       std::vector<SimulatedDeviceSetup> defaults,
                                                       std::vector<std::string>& problems) {
    const auto list = settings.Value(listSection, "Devices");
    if (!list) {
        return defaults;
    }
    std::vector<SimulatedDeviceSetup> devices;
    for (const std::string& token : SplitList(*list)) {
        const auto address = Number(token);
        if (!address || *address < 0 || *address > 0x7F) {
            problems.push_back("bad 7-bit device address '" + token + "'");
            continue;
        }
        devices.push_back(
            ReadDevice(settings, static_cast<uint8_t>(*address), "I2CDevice " + token, problems));
    }
    return devices;
}

std::vector<uint8_t> ReadSimulatedMemory(const ProfileFile& settings, const std::string& section,
                                         std::vector<std::string>& problems) {
    const auto size = ReadNumber(settings, section, kSize, problems);
    const auto fill = ReadNumber(settings, section, kFill, problems);
    std::vector<uint8_t> memory(static_cast<size_t>(size), static_cast<uint8_t>(fill));

    const auto data = SplitList(settings.Value(section, "Data").value_or(""));
    if (data.size() > memory.size()) {
        problems.push_back(section + ": Data longer than Size");
    }
    for (size_t i = 0; i < data.size() && i < memory.size(); ++i) {
        const auto byte = Number(data[i]);
        if (!byte || *byte < 0 || *byte > 255) {
            problems.push_back(section + ": bad Data byte '" + data[i] + "'");
            continue;
        }
        memory[i] = static_cast<uint8_t>(*byte);
    }
    return memory;
}

SimulatedDeviceSetup MakeSimulatedDevice(uint8_t address, size_t size,
                                         const std::vector<uint8_t>& contents) {
    SimulatedDeviceSetup setup;
    setup.address = address;
    setup.memory.assign(std::max(size, contents.size()), static_cast<uint8_t>(kFill.fallback));
    std::copy(contents.begin(), contents.end(), setup.memory.begin());
    return setup;
}

SimulatedI2cBus BuildSimulatedBus(const std::vector<SimulatedDeviceSetup>& devices) {
    SimulatedI2cBus bus;
    for (const SimulatedDeviceSetup& setup : devices) {
        bus.AddDevice(setup.address, SimulatedI2cDevice(setup.memory, setup.subAddressBytes));
    }
    return bus;
}

} // namespace vek

#include "spi_settings.h"

#include "platform/settings_file.h"
#include "platform/text_helpers.h"
#include "simulated_bus_settings.h"
#include "spi_limits.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace vek {
namespace {

constexpr std::string_view kSectionPrefix = "Device";

constexpr NumberSetting kMode{"Mode", RadixPrefixes::Hex, 0, kMaxSpiMode, 0};
constexpr NumberSetting kCsHigh{"CsHigh", RadixPrefixes::Hex, 0, 1, 0};
constexpr NumberSetting kSpeedHz{"SpeedHz", RadixPrefixes::Hex, 1, kMaxSpeedHz, 1000000};
constexpr NumberSetting kWordSize{"BitsPerWord", RadixPrefixes::Hex, kBitsPerWord, kBitsPerWord,
                                  kBitsPerWord};
constexpr NumberSetting kAddressBytes{"AddressBytes", RadixPrefixes::Hex, 0, kMaxAddressBytes, 1};
constexpr NumberSetting kReadFlag{"ReadFlag", RadixPrefixes::Hex, 0, 255, 0x80};
constexpr NumberSetting kWriteFlag{"WriteFlag", RadixPrefixes::Hex, 0, 255, 0x00};
constexpr NumberSetting kReadCommand{"ReadCommand", RadixPrefixes::Hex, 0, 255, 0x03};
constexpr NumberSetting kWriteCommand{"WriteCommand", RadixPrefixes::Hex, 0, 255, 0x02};
constexpr NumberSetting kDummyBytes{"DummyBytes", RadixPrefixes::Hex, 0, kMaxDummyBytes, 0};

constexpr const char* kDeviceFileKey = "DeviceFile";
constexpr const char* kConventionKey = "Convention";
constexpr const char* kBitOrderKey = "BitOrder";
constexpr const char* kByteOrderKey = "ByteOrder";

// Every key a device section may hold; Size, Fill and Data are the simulated chip's memory.
constexpr std::array<std::string_view, 17> kKnownKeys = {
    kDeviceFileKey, "Mode",         "CsHigh",   kBitOrderKey, "SpeedHz",     "BitsPerWord",
    kConventionKey, "AddressBytes", "ReadFlag", "WriteFlag",  "ReadCommand", "WriteCommand",
    "DummyBytes",   kByteOrderKey,  "Size",     "Fill",       "Data"};

constexpr std::array<std::string_view, 2> kConventions = {"ReadFlag", "Command"};
constexpr std::array<std::string_view, 2> kOrders = {"MsbFirst", "LsbFirst"};

// The device number of a section "Device<N>", N written in decimal without leading zeros.
std::optional<int> DeviceNumber(std::string_view name) {
    if (name.size() <= kSectionPrefix.size() ||
        !EqualsNoCase(name.substr(0, kSectionPrefix.size()), kSectionPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(kSectionPrefix.size());
    const auto number = WholeInteger(digits, RadixPrefixes::None);
    if (!number || *number < 0 || *number > kMaxDeviceNumber || std::to_string(*number) != digits) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

// The keys of one device section; faults are added to problems as "<section>: <fault>".
class SectionReader {
public:
    SectionReader(const ProfileFile& file, std::string section, std::vector<std::string>& problems)
        : file_(file), section_(std::move(section)), problems_(problems) {}

    int Number(const NumberSetting& setting) {
        // Every range lies within 32 bits.
        return static_cast<int>(
            ReadNumberSetting(file_, section_, setting, section_ + ": ", problems_));
    }
    uint8_t Byte(const NumberSetting& setting) { return static_cast<uint8_t>(Number(setting)); }

    // The index of the word the key names, compared without case.
    template <std::size_t N>
    std::size_t Word(const char* key, const std::array<std::string_view, N>& words) {
        const std::optional<std::string> text = file_.Value(section_, key);
        if (!text) {
            return 0;
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (EqualsNoCase(*text, words[i])) {
                return i;
            }
        }
        Fault(SettingFault(key, *text));
        return 0;
    }

    void Fault(const std::string& fault) { problems_.push_back(section_ + ": " + fault); }

private:
    const ProfileFile& file_;
    const std::string section_;
    std::vector<std::string>& problems_;
};

WireOrder Order(std::size_t index) {
    return index == 0 ? WireOrder::MsbFirst : WireOrder::LsbFirst;
}

SpiConvention ReadConvention(SectionReader& reader) {
    SpiConvention convention;
    convention.kind = reader.Word(kConventionKey, kConventions) == 0 ? SpiConventionKind::ReadFlag
                                                                     : SpiConventionKind::Command;
    convention.addressBytes = reader.Number(kAddressBytes);
    convention.readFlag = reader.Byte(kReadFlag);
    convention.writeFlag = reader.Byte(kWriteFlag);
    convention.readCommand = reader.Byte(kReadCommand);
    convention.writeCommand = reader.Byte(kWriteCommand);
    convention.dummyBytes = reader.Number(kDummyBytes);
    convention.byteOrder = Order(reader.Word(kByteOrderKey, kOrders));
    // A chip that cannot tell a read from a write would take every read for a write.
    if (convention.kind == SpiConventionKind::ReadFlag) {
        if (convention.addressBytes == 0) {
            reader.Fault("ReadFlag needs AddressBytes 1 to 4");
        }
        if (convention.readFlag == convention.writeFlag) {
            reader.Fault("ReadFlag and WriteFlag are equal");
        }
    } else if (convention.readCommand == convention.writeCommand) {
        reader.Fault("ReadCommand and WriteCommand are equal");
    }
    return convention;
}

SpiDeviceSettings ReadDevice(const ProfileFile& file, const std::string& section,
                             std::vector<std::string>& problems) {
    SectionReader reader(file, section, problems);
    for (const std::string& key : file.Keys(section)) {
        if (std::none_of(kKnownKeys.begin(), kKnownKeys.end(),
                         [&key](std::string_view known) { return EqualsNoCase(key, known); })) {
            reader.Fault("unknown key '" + key + "'");
        }
    }
    SpiDeviceSettings device;
    device.section = section;
    if (const auto deviceFile = file.Value(section, kDeviceFileKey)) {
        device.deviceFile = *deviceFile;
        if (device.deviceFile.empty()) {
            reader.Fault(SettingFault(kDeviceFileKey, ""));
        }
    }
    device.mode = reader.Number(kMode);
    device.csHigh = reader.Number(kCsHigh) != 0;
    device.bitOrder = Order(reader.Word(kBitOrderKey, kOrders));
    device.speedHz = static_cast<uint32_t>(reader.Number(kSpeedHz));
    device.bitsPerWord = reader.Number(kWordSize);
    device.convention = ReadConvention(reader);
    device.memory = ReadSimulatedMemory(file, section, problems);
    return device;
}

bool SameWireMode(const SpiDeviceSettings& a, const SpiDeviceSettings& b) {
    return a.mode == b.mode && a.csHigh == b.csHigh && a.bitOrder == b.bitOrder;
}

// The kernel keeps one mode per spidev file, so chips behind one file must share it; the clock
// goes with every transfer and may differ.
void CheckSharedFiles(SpiSettings& settings) {
    std::map<std::string, const SpiDeviceSettings*> firstOnFile;
    for (const auto& [number, device] : settings.devices) {
        if (device.deviceFile.empty()) {
            continue;
        }
        const auto [first, added] = firstOnFile.try_emplace(device.deviceFile, &device);
        if (!added && !SameWireMode(*first->second, device)) {
            settings.problems.push_back(device.section + ": other mode than " +
                                        first->second->section + " on " + device.deviceFile);
        }
    }
}

SpiDeviceSettings SimulatedDevice(std::string section, SpiConvention convention, std::size_t size,
                                  uint8_t fill, const std::vector<uint8_t>& contents) {
    SpiDeviceSettings device;
    device.section = std::move(section);
    device.convention = convention;
    device.memory.assign(size, fill);
    std::copy(contents.begin(), contents.end(), device.memory.begin());
    return device;
}

std::map<int, SpiDeviceSettings> DefaultSpiDevices() {
    // A sensor: 7-bit register addresses, bit 7 of the address byte set for a read.
    const SpiConvention sensor;
    // A 4-KiB EEPROM of the 25xx kind: READ 0x03 and WRITE 0x02, then a 16-bit address.
    SpiConvention eeprom;
    eeprom.kind = SpiConventionKind::Command;
    eeprom.addressBytes = 2;
    return {
        // CHIP_ID, STATUS, CTRL, CONFIG, TEMP (16 bits), TIMESTAMP (32 bits).
        {0, SimulatedDevice("Device0", sensor, 128, 0x00,
                            {0x5A, 0x01, 0x00, 0x00, 0x01, 0x90, 0x12, 0x34, 0x56, 0x78})},
        // Erased but for the first bytes.
        {1, SimulatedDevice("Device1", eeprom, 4096, 0xFF, {0x25, 0x32, 0x00, 0x01})},
    };
}

} // namespace

SpiSettings ReadSpiSettings(const ProfileFile& settings) {
    SpiSettings result;
    for (const std::string& section : settings.SectionNames()) {
        const std::optional<int> number = DeviceNumber(section);
        if (!number) {
            result.problems.push_back("unknown section [" + section + "]");
            continue;
        }
        result.devices.emplace(*number, ReadDevice(settings, section, result.problems));
    }
    if (result.devices.empty() && result.problems.empty()) {
        result.devices = DefaultSpiDevices();
    }
    CheckSharedFiles(result);
    return result;
}

} // namespace vek

#include "chip_settings.h"

#include "qbr18_32.h"
#include "register_map_entries.h"

#include "platform/number_text.h"

namespace vek {
namespace {

struct DefaultRegister {
    uint16_t offset;
    int width;
    uint32_t value;
};

// The PCI configuration header, mirrored at offsets 0x00 to 0x3F, then the bridge's own
// registers. The identifiers are filled in from the chip's settings.
constexpr DefaultRegister kDefaultRegisters[] = {
    {0x00, 2, 0},          // VENDOR_ID
    {0x02, 2, 0},          // DEVICE_ID
    {0x04, 2, 0x0000},     // COMMAND
    {0x06, 2, 0x0200},     // STATUS
    {0x08, 1, 0x01},       // REVISION
    {0x09, 1, 0x00},       // PROG_IF
    {0x0A, 1, 0x80},       // SUBCLASS: other bridge
    {0x0B, 1, 0x06},       // CLASS: bridge
    {0x0C, 1, 0x00},       // CACHE_LINE
    {0x0D, 1, 0x00},       // LATENCY
    {0x0E, 1, 0x00},       // HEADER_TYPE
    {0x0F, 1, 0x00},       // BIST
    {0x10, 4, 0xF0000000}, // BAR0 .. BAR5
    {0x14, 4, 0x0000E001}, {0x18, 4, 0}, {0x1C, 4, 0}, {0x20, 4, 0},
    {0x24, 4, 0},          {0x28, 4, 0}, // CARDBUS_CIS
    {0x2C, 2, 0},                        // SUBSYSTEM_VENDOR_ID
    {0x2E, 2, 0x0001},                   // SUBSYSTEM_ID
    {0x30, 4, 0},                        // EXPANSION_ROM
    {0x34, 1, 0x00},                     // CAPABILITIES
    {0x3C, 1, 0x0B},                     // INTERRUPT_LINE
    {0x3D, 1, 0x01},                     // INTERRUPT_PIN
    {0x3E, 1, 0x00},                     // MIN_GNT
    {0x3F, 1, 0x00},                     // MAX_LAT
    {0x40, 4, 0},                        // CONTROL
    {0x44, 4, 0x00000001},               // CHIP_STATUS: ready
    {0x48, 2, 0},                        // INT_ENABLE
    {0x4A, 2, 0},                        // INT_STATUS
    {0x4C, 1, 0xFF},                     // GPIO_DIRECTION: 1 = input
    {0x4D, 1, 0x00},                     // GPIO_OUTPUT
    {0x4E, 1, 0x3C},                     // GPIO_INPUT
    {0x50, 4, 0x00000064},               // I2C_CLOCK: kHz
    {0x60, 4, 0},                        // MAILBOX0 .. MAILBOX7
    {0x64, 4, 0},          {0x68, 4, 0}, {0x6C, 4, 0}, {0x70, 4, 0},
    {0x74, 4, 0},          {0x78, 4, 0}, {0x7C, 4, 0},
};

std::optional<std::int64_t> Number(std::string_view text, std::int64_t low, std::int64_t high) {
    const auto value = WholeInteger(text, RadixPrefixes::Hex);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

void ReadChip(const ProfileFile& file, ChipSettings& chip) {
    if (auto present = file.Value("Chip", "Present")) {
        chip.present = LeadingInteger(*present, RadixPrefixes::Hex) != 0;
    }
    for (auto [key, id] : {std::pair{"VendorId", &chip.vendorId}, {"DeviceId", &chip.deviceId}}) {
        if (auto text = file.Value("Chip", key)) {
            if (auto value = Number(*text, 0, 0xFFFF)) {
                *id = static_cast<uint16_t>(*value);
            } else {
                chip.problems.push_back(std::string("bad ") + key + " '" + *text + "'");
            }
        }
    }
}

// "offset=width" or "first-last=width"; width 0 removes registers.
void ReadRegisterMap(const ProfileFile& file, ChipSettings& chip) {
    std::vector<RegisterMapEntry> entries;
    for (const auto& [key, widthText] : file.Entries("Registers")) {
        const auto dash = key.find('-');
        const auto first = Number(key.substr(0, dash), 0, 0xFFFF);
        const auto last =
            dash == std::string::npos ? first : Number(key.substr(dash + 1), 0, 0xFFFF);
        const auto width = Number(widthText, 0, 4);
        if (!first || !last || *last < *first || !width || *width == 3) {
            chip.problems.push_back("bad register entry '" + key + "=" + widthText + "'");
            continue;
        }
        entries.push_back({static_cast<uint16_t>(*first), static_cast<uint16_t>(*last),
                           static_cast<int>(*width)});
    }
    ApplyRegisterMapEntries(entries, chip.registers);
}

void ReadRegisterValues(const ProfileFile& file, ChipSettings& chip) {
    for (const auto& [key, valueText] : file.Entries("RegisterValues")) {
        const auto offset = Number(key, 0, 0xFFFF);
        const auto value = Number(valueText, 0, 0xFFFFFFFF);
        const auto found =
            offset ? chip.registers.find(static_cast<uint16_t>(*offset)) : chip.registers.end();
        if (!value || found == chip.registers.end()) {
            chip.problems.push_back("bad register value '" + key + "=" + valueText + "'");
            continue;
        }
        const int width = found->second.width;
        found->second.value =
            static_cast<uint32_t>(*value) & (width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1);
    }
}

ChipSettings DefaultChipSettings() {
    ChipSettings chip;
    chip.vendorId = kQbr7318VendorId;
    chip.deviceId = kQbr7318DeviceId;
    for (const DefaultRegister& entry : kDefaultRegisters) {
        chip.registers[entry.offset] = ChipRegister{entry.width, entry.value};
    }
    chip.i2cDevices = {
        // Card EEPROM: board identification, the rest erased.
        MakeSimulatedDevice(0x50, 256, {0x73, 0x18, 0x01, 0x00, 0x2A, 0x00, 0x00, 0x00}),
        // Clock synthesizer: eight registers.
        MakeSimulatedDevice(0x69, 8, {0x01, 0x64, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x80}),
    };
    return chip;
}

} // namespace

ChipSettings ReadChipSettings(const ProfileFile& settings) {
    ChipSettings chip = DefaultChipSettings();
    ReadChip(settings, chip);
    ReadRegisterMap(settings, chip);
    // The identification registers follow the identifiers the chip answers to.
    if (auto vendor = chip.registers.find(0x00); vendor != chip.registers.end()) {
        vendor->second.value = chip.vendorId;
    }
    if (auto device = chip.registers.find(0x02); device != chip.registers.end()) {
        device->second.value = chip.deviceId;
    }
    if (auto subsystem = chip.registers.find(0x2C); subsystem != chip.registers.end()) {
        subsystem->second.value = chip.vendorId;
    }
    ReadRegisterValues(settings, chip);
    chip.i2cDevices = ReadSimulatedDevices(settings, "I2CBus", chip.i2cDevices, chip.problems);
    return chip;
}

} // namespace vek

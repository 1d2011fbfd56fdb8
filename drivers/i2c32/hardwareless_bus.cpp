#include "hardwareless_bus.h"

#include <cstdio>

namespace vek {

Failure NoAcknowledge(uint8_t address) {
    // Descriptions write the 8-bit bus address, so both forms are given.
    char text[64];
    std::snprintf(text, sizeof text, "no acknowledge from device 0x%02X (7-bit 0x%02X)",
                  static_cast<unsigned>(address << 1), static_cast<unsigned>(address));
    return Failure{1, text};
}

Result<void> HardwarelessBus::Write(uint8_t address, std::span<const uint8_t> bytes) {
    if (!bus_.Write(address, bytes)) {
        return NoAcknowledge(address);
    }
    return {};
}

Result<void> HardwarelessBus::WriteRead(uint8_t address, std::span<const uint8_t> written,
                                        std::span<uint8_t> read) {
    if (!bus_.WriteRead(address, written, read)) {
        return NoAcknowledge(address);
    }
    return {};
}

} // namespace vek

#include "simulated_bus.h"

#include <cstdio>

namespace i2c32 {

std::string NoAcknowledgeText(uint8_t address) {
    // Descriptions write the 8-bit bus address, so both forms are given.
    char text[64];
    std::snprintf(text, sizeof text, "no acknowledge from device 0x%02X (7-bit 0x%02X)",
                  static_cast<unsigned>(address << 1), static_cast<unsigned>(address));
    return text;
}

std::string SimulatedBus::Write(uint8_t address, std::span<const uint8_t> bytes) {
    return bus_.Write(address, bytes) ? std::string() : NoAcknowledgeText(address);
}

std::string SimulatedBus::WriteRead(uint8_t address, std::span<const uint8_t> written,
                                    std::span<uint8_t> read) {
    return bus_.WriteRead(address, written, read) ? std::string() : NoAcknowledgeText(address);
}

} // namespace i2c32

// A bus the adapter transfers on: the simulated one or a Linux i2c-dev bus.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace i2c32 {

// Each transfer returns an empty text on success, else the reason it failed.
class I2cBus {
public:
    virtual ~I2cBus() = default;
    virtual std::string Write(uint8_t address, std::span<const uint8_t> bytes) = 0;
    // A write and a read joined by a repeated start; an empty write part is a plain read.
    virtual std::string WriteRead(uint8_t address, std::span<const uint8_t> written,
                                  std::span<uint8_t> read) = 0;
};

// The text for a device that does not acknowledge its 7-bit address.
std::string NoAcknowledgeText(uint8_t address);

} // namespace i2c32

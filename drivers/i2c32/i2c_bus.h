// A bus the adapter transfers on: the simulated one or a Linux i2c-dev bus.
#pragma once

#include "platform/result.h"

#include <cstdint>
#include <span>
#include <string>

namespace vek {

// A failed transfer gives the reason as the adapter library reports it.
class I2cBus {
public:
    virtual ~I2cBus() = default;
    virtual Result<void> Write(uint8_t address, std::span<const uint8_t> bytes) = 0;
    // A write and a read joined by a repeated start; an empty write part is a plain read.
    virtual Result<void> WriteRead(uint8_t address, std::span<const uint8_t> written,
                                   std::span<uint8_t> read) = 0;
};

// The failure of a device that does not acknowledge its 7-bit address.
Failure NoAcknowledge(uint8_t address);

} // namespace vek

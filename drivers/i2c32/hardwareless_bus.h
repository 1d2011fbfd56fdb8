// The bus of interface type "Hardwareless": memory-backed devices, no hardware.
#pragma once

#include "i2c_bus.h"
#include "simulated_i2c_bus.h"

namespace vek {

class HardwarelessBus : public I2cBus {
public:
    explicit HardwarelessBus(SimulatedI2cBus bus) : bus_(std::move(bus)) {}
    Result<void> Write(uint8_t address, std::span<const uint8_t> bytes) override;
    Result<void> WriteRead(uint8_t address, std::span<const uint8_t> written,
                           std::span<uint8_t> read) override;

private:
    SimulatedI2cBus bus_;
};

} // namespace vek

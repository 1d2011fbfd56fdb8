// The bus of interface type "Hardwareless": memory-backed devices, no hardware.
#pragma once

#include "i2c_bus.h"
#include "simulated_i2c_bus.h"

namespace i2c32 {

class SimulatedBus : public I2cBus {
public:
    explicit SimulatedBus(drvsupport::SimulatedI2cBus bus) : bus_(std::move(bus)) {}
    std::string Write(uint8_t address, std::span<const uint8_t> bytes) override;
    std::string WriteRead(uint8_t address, std::span<const uint8_t> written,
                          std::span<uint8_t> read) override;

private:
    drvsupport::SimulatedI2cBus bus_;
};

} // namespace i2c32

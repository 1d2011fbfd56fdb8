// The simulated bridge chip: its register file and the I2C bus on its card.
#pragma once

#include "chip_settings.h"
#include "simulated_i2c_bus.h"

namespace vek {

class SimulatedQbr7318 {
public:
    explicit SimulatedQbr7318(const ChipSettings& settings);

    // Whether the chip is card number cardIndex with these identifiers.
    bool Answers(uint16_t cardIndex, uint16_t deviceId, uint16_t vendorId) const;

    // The width mask of the register at offset; 0 where there is none.
    uint32_t RegisterMask(uint16_t offset) const;
    // Each register is its own cell: writes keep the bits of its width, reads of an offset
    // without a register give 0.
    uint32_t Read(uint16_t offset) const;
    void Write(uint16_t offset, uint32_t value);

    SimulatedI2cBus& I2cBus() { return i2cBus_; }

private:
    bool present_;
    uint16_t vendorId_;
    uint16_t deviceId_;
    std::map<uint16_t, ChipRegister> registers_;
    SimulatedI2cBus i2cBus_;
};

} // namespace vek

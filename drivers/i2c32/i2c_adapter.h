// One open adapter: its settings and the bus its interface type selects.
#pragma once

#include "adapter_settings.h"
#include "i2c_bus.h"
#include "linux_i2c_bus.h"

#include <functional>
#include <memory>

namespace i2c32 {

using PortFactory = std::function<std::unique_ptr<I2cDevPort>()>;

class I2cAdapter {
public:
    explicit I2cAdapter(AdapterSettings settings, PortFactory makePort = MakeSystemPort);

    // A Linux bus takes its clock from the kernel; the bit rate is only checked for sense.
    void SetBitrate(int bitrate) { bitrate_ = bitrate; }
    // In units of 10 ms, as the kernel counts it.
    void SetTimeout(int timeout) { timeout_ = timeout; }
    // Selects the bus: 1 the simulated bus, 2 to 6 the i2c-dev bus named in the settings,
    // anything else none.
    void SetInterfaceType(int interfaceType);
    void SetDeviceAddress(int slaveAddress) {
        address_ = static_cast<uint8_t>(slaveAddress & 0x7F);
    }

    // Empty when the adapter can transfer and its settings had no faults, else the reason.
    std::string SettingsProblem() const;

    std::string Write(std::span<const uint8_t> bytes);
    std::string ReadAfterRestart(std::span<uint8_t> received, std::span<const uint8_t> subAddress);

private:
    AdapterSettings settings_;
    PortFactory makePort_;
    std::unique_ptr<I2cBus> bus_;
    std::string busProblem_;
    int bitrate_ = 100000;
    int timeout_ = 0;
    uint8_t address_ = 0;
};

} // namespace i2c32

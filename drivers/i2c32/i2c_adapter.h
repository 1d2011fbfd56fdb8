// One open adapter: its settings and the bus its interface type selects.
#pragma once

#include "adapter_settings.h"
#include "i2c_bus.h"
#include "linux_i2c_bus.h"

#include <functional>
#include <memory>

namespace vek {

using PortFactory = std::function<std::unique_ptr<DevicePort>()>;

class I2cAdapter {
public:
    explicit I2cAdapter(AdapterSettings settings, PortFactory makePort = MakeSystemDevicePort);

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

    // Whether the adapter can transfer at its bit rate; else the reason.
    Result<void> CheckSettings() const;

    Result<void> Write(std::span<const uint8_t> bytes);
    Result<void> ReadAfterRestart(std::span<uint8_t> received, std::span<const uint8_t> subAddress);

private:
    AdapterSettings settings_;
    PortFactory makePort_;
    std::unique_ptr<I2cBus> bus_;
    // Why there is no bus.
    Failure noBus_{1, "no I2C interface type selected"};
    int bitrate_ = 100000;
    int timeout_ = 0;
    uint8_t address_ = 0;
};

} // namespace vek

// A real bus through the Linux i2c-dev interface (/dev/i2c-N). Every transfer is one I2C_RDWR
// request, so a write followed by a read is joined by a repeated start.
#pragma once

#include "device_port.h"
#include "i2c_bus.h"

#include <memory>
#include <string>

namespace vek {

class LinuxI2cBus : public I2cBus {
public:
    LinuxI2cBus(std::string devicePath, std::unique_ptr<DevicePort> port);
    ~LinuxI2cBus() override;
    LinuxI2cBus(const LinuxI2cBus&) = delete;
    LinuxI2cBus& operator=(const LinuxI2cBus&) = delete;

    // Opens the device and checks that its adapter does plain I2C transfers; timeoutTens is
    // the kernel's transfer time-out in units of 10 ms (0 keeps the adapter's own).
    Result<void> Open(int timeoutTens);

    Result<void> Write(uint8_t address, std::span<const uint8_t> bytes) override;
    Result<void> WriteRead(uint8_t address, std::span<const uint8_t> written,
                           std::span<uint8_t> read) override;

private:
    Result<void> Transfer(uint8_t address, std::span<const uint8_t> written,
                          std::span<uint8_t> read, bool readPart);

    std::string devicePath_;
    std::unique_ptr<DevicePort> port_;
    int fd_ = -1;
};

} // namespace vek

// A real bus through the Linux i2c-dev interface (/dev/i2c-N). Every transfer is one I2C_RDWR
// request, so a write followed by a read is joined by a repeated start.
#pragma once

#include "i2c_bus.h"

#include <memory>
#include <string>

namespace vek {

// The system calls below the bus, so tests can stand in for the kernel.
class I2cDevPort {
public:
    virtual ~I2cDevPort() = default;
    // -1 with errno set on failure, as the system calls.
    virtual int Open(const std::string& path) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual void Close(int fd) = 0;
};

std::unique_ptr<I2cDevPort> MakeSystemPort();

class LinuxI2cBus : public I2cBus {
public:
    LinuxI2cBus(std::string devicePath, std::unique_ptr<I2cDevPort> port);
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
    std::unique_ptr<I2cDevPort> port_;
    int fd_ = -1;
};

} // namespace vek

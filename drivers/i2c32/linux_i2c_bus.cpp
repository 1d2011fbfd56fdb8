#include "linux_i2c_bus.h"

#include <cerrno>
#include <cstring>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <vector>

namespace vek {
namespace {

Failure SystemFailure(const std::string& what, int error) {
    return Failure{error, what + ": " + std::strerror(error)};
}

} // namespace

LinuxI2cBus::LinuxI2cBus(std::string devicePath, std::unique_ptr<DevicePort> port)
    : devicePath_(std::move(devicePath)), port_(std::move(port)) {}

LinuxI2cBus::~LinuxI2cBus() {
    if (fd_ >= 0) {
        port_->Close(fd_);
    }
}

Result<void> LinuxI2cBus::Open(int timeoutTens) {
    fd_ = port_->Open(devicePath_);
    if (fd_ < 0) {
        return SystemFailure(devicePath_, errno);
    }
    unsigned long functions = 0;
    if (port_->Ioctl(fd_, I2C_FUNCS, &functions) < 0) {
        return SystemFailure("I2C_FUNCS", errno);
    }
    if ((functions & I2C_FUNC_I2C) == 0) {
        return Failure{1, devicePath_ + ": adapter cannot do combined transfers"};
    }
    if (timeoutTens > 0 &&
        port_->Ioctl(fd_, I2C_TIMEOUT, reinterpret_cast<void*>(static_cast<long>(timeoutTens))) <
            0) {
        return SystemFailure("I2C_TIMEOUT", errno);
    }
    return {};
}

Result<void> LinuxI2cBus::Write(uint8_t address, std::span<const uint8_t> bytes) {
    return Transfer(address, bytes, {}, false);
}

Result<void> LinuxI2cBus::WriteRead(uint8_t address, std::span<const uint8_t> written,
                                    std::span<uint8_t> read) {
    return Transfer(address, written, read, true);
}

Result<void> LinuxI2cBus::Transfer(uint8_t address, std::span<const uint8_t> written,
                                   std::span<uint8_t> read, bool readPart) {
    if (fd_ < 0) {
        return Failure{1, devicePath_ + " is not open"};
    }
    // The kernel takes a writable buffer for both directions.
    std::vector<uint8_t> sent(written.begin(), written.end());
    i2c_msg messages[2];
    unsigned count = 0;
    if (!readPart || !written.empty()) {
        messages[count++] = i2c_msg{address, 0, static_cast<__u16>(sent.size()), sent.data()};
    }
    if (readPart) {
        messages[count++] =
            i2c_msg{address, I2C_M_RD, static_cast<__u16>(read.size()), read.data()};
    }
    i2c_rdwr_ioctl_data request{messages, count};
    if (port_->Ioctl(fd_, I2C_RDWR, &request) < 0) {
        const int error = errno;
        if (error == ENXIO || error == EREMOTEIO) {
            return NoAcknowledge(address);
        }
        return SystemFailure("I2C transfer", error);
    }
    return {};
}

} // namespace vek

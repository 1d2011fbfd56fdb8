// The system calls below a driver's Linux device (i2c-dev, spidev), so that tests and simulated
// chips can stand in for the kernel.
#pragma once

#include <memory>
#include <string>

namespace vek {

class DevicePort {
public:
    virtual ~DevicePort() = default;
    // -1 with errno set on failure, as the system calls.
    virtual int Open(const std::string& path) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual void Close(int fd) = 0;
};

// The kernel's own: open(2) for reading and writing, ioctl(2), close(2).
std::unique_ptr<DevicePort> MakeSystemDevicePort();

} // namespace vek

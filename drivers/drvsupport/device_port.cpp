#include "device_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vek {
namespace {

class SystemPort : public DevicePort {
public:
    int Open(const std::string& path) override { return ::open(path.c_str(), O_RDWR); }
    int Ioctl(int fd, unsigned long request, void* argument) override {
        return ::ioctl(fd, request, argument);
    }
    void Close(int fd) override { ::close(fd); }
};

} // namespace

std::unique_ptr<DevicePort> MakeSystemDevicePort() {
    return std::make_unique<SystemPort>();
}

} // namespace vek

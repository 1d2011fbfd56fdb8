// The SPI register driver: the chips of spidrv.ini, opened on the first open and closed on the
// last close, and one transfer per register access. The most significant address byte chooses
// the chip, the bytes below it are the register address.
#pragma once

#include "device_port.h"
#include "register_driver.h"
#include "spi_device.h"
#include "spi_messages.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace vek {

class SpiDriver : public RegisterDriver {
public:
    // The port a device is reached through: the kernel's for a device file, a simulated chip
    // otherwise.
    using PortFactory = std::function<std::unique_ptr<DevicePort>(const SpiDeviceSettings&)>;
    static std::unique_ptr<DevicePort> DefaultPort(const SpiDeviceSettings& device);

    // readSettings gives the settings file as it is at a first open, or why it cannot be read.
    SpiDriver(Result<ProfileFile> (*readSettings)(), PortFactory makePort = DefaultPort);

    // Opens are counted, so that one process's several users share the chips; a failed open
    // counts for nothing.
    Result<void> Open() override;
    Result<void> Close() override;
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override;
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override;
    // The outcome of the last call: "No error" or the reason; asking does not clear it.
    std::string StatusText() override { return status_; }

private:
    struct Target {
        SpiDevice* device;
        std::uint64_t reg;
    };
    Result<void> OpenDevices();
    Result<Target> Select(int addrLen, int dataLen, const unsigned char* addr);
    Result<void> Transferred(const SpiDevice& device, const Result<void>& transfer);
    // Keeps the text as the status and writes the detail, or else the text, to standard error.
    Failure Fail(const std::string& text, const std::string& detail = {});
    Result<void> Succeed();

    Result<ProfileFile> (*readSettings_)();
    PortFactory makePort_;
    std::map<int, std::unique_ptr<SpiDevice>> devices_;
    int users_ = 0;
    std::string status_ = kNotOpenText;
};

} // namespace vek

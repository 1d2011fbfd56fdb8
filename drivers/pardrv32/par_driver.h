// The I2C parallel-port register driver: an open count, the adapter library loaded on the
// first open, and register transfers as a device address byte followed by sub-address bytes.
#pragma once

#include "adapter_library.h"
#include "platform/profile_file.h"
#include "register_driver.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vek {

// Room for the sub-address and data bytes of one transfer.
inline constexpr int kTransferBufferSize = 12;
inline constexpr const char* kBindFailedText = "'I2C32.dll'";
inline constexpr const char* kNotOpenText = "driver is not open";
inline constexpr const char* kBadLengthText = "unsupported address or data length";

class ParDriver : public RegisterDriver {
public:
    // readSettings gives the settings file pcalh_io.ini as it is at the first open, or why it
    // cannot be read.
    ParDriver(std::unique_ptr<AdapterLibrary> library, Result<ProfileFile> (*readSettings)());

    Result<void> Open() override;
    Result<void> Close() override;
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override;
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override;
    // The adapter library's message while it is loaded, unless the driver itself refused the
    // last call; otherwise the driver's own text. Nothing is cleared.
    std::string StatusText() override;

private:
    // Every transfer names its device first; gives the number of sub-address bytes copied to
    // subAddress (most significant first).
    Result<int> SelectDevice(int addrLen, int dataLen, const unsigned char* addr,
                             uint8_t* subAddress);
    Failure Refuse(const char* reason);
    // The outcome of the transfer just made, as the adapter library reports it.
    Result<void> TransferOutcome();
    // Reads the settings and hands them to the adapter; fails when they cannot be read.
    Result<void> ApplySettings();

    std::unique_ptr<AdapterLibrary> library_;
    Result<ProfileFile> (*readSettings_)();
    int openCount_ = -1;
    bool loaded_ = false;
    I2c32Functions i2c_;
    uint32_t adapter_ = 0;
    uint32_t waitAfterWrite_ = 0;
    uint32_t settingsValid_ = 0;
    std::string errorText_;
    // The last register call was refused by the driver itself, so its own text is the status.
    bool refused_ = false;
};

} // namespace vek

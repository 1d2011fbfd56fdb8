// The I2C parallel-port register driver: an open count, the adapter library loaded on the
// first open, and register transfers as a device address byte followed by sub-address bytes.
#pragma once

#include "adapter_library.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pardrv {

// Room for the sub-address and data bytes of one transfer.
inline constexpr int kTransferBufferSize = 12;
inline constexpr const char* kBindFailedText = "'I2C32.dll'";
inline constexpr const char* kNotOpenText = "driver is not open";
inline constexpr const char* kBadLengthText = "unsupported address or data length";

class ParDriver {
public:
    // settingsPath is the file pcalh_io.ini as found at the first open.
    ParDriver(std::unique_ptr<AdapterLibrary> library, std::string (*settingsPath)());

    int Open();
    int Close();
    int SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data);
    int GetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data);
    void GetStatus(char* text) const;

private:
    // Every transfer names its device first; returns the number of sub-address bytes copied
    // to subAddress (most significant first), or -1 when the lengths are refused.
    int SelectDevice(int addrLen, int dataLen, const unsigned char* addr, uint8_t* subAddress);
    int Refuse(const char* reason);
    void ApplySettings();

    std::unique_ptr<AdapterLibrary> library_;
    std::string (*settingsPath_)();
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

} // namespace pardrv

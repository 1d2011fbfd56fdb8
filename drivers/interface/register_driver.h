// A register driver as its library writes it: one object per process behind the five functions of
// vekdriver.h. driver_exports.cpp provides the five functions for every driver over the object
// that the driver's ProcessDriver names, so no driver writes them again.
#pragma once

#include "platform/result.h"

#include <cstdint>
#include <string>

namespace vek {

class RegisterDriver {
public:
    virtual ~RegisterDriver() = default;

    virtual Result<void> Open() = 0;
    virtual Result<void> Close() = 0;
    // The arguments as VekSetReg and VekGetReg pass them.
    virtual Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                                uint32_t data) = 0;
    virtual Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                                uint32_t* data) = 0;
    // The text VekGetStatus hands over, asked for after any call. What it says after a success,
    // and whether asking clears it, is each driver's own rule.
    virtual std::string StatusText() = 0;
};

// The driver object of the library; each driver library defines it.
RegisterDriver& ProcessDriver();

} // namespace vek

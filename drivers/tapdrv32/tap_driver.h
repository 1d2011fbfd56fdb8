// The JTAG register driver: registers of a JTAG register block, reached through the scan library.
// The block has an address register, a 32-bit data register and a 32-bit control register,
// selected by a 5-bit instruction; a command word in the control register copies the data
// register to or from the addressed register. The controller is claimed for one call at a time.
#pragma once

#include "register_driver.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace vek {

// The driver's status codes and their texts; %d stands for the limit the text names.
#define VEK_TAP_STATUS(X)                                                                          \
    X(NoError, "No Error")                                                                         \
    X(NoOpenDriver, "No open driver.")                                                             \
    X(ResetFailed, "Reset of JTAG device failed.")                                                 \
    X(InstructionScanFailed, "JTAG instruction scan failed.")                                      \
    X(DataScanFailed, "JTAG data scan failed.")                                                    \
    X(OpenDeviceFailed, "Opening of JTAG device failed.")                                          \
    X(TooManyAddressBytes, "Driver supports only %d address bytes.")                               \
    X(TooManyDataBytes, "Driver supports only %d data bytes.")

enum class TapStatus : int {
#define VEK_TAP_STATUS_CODE(name, text) name,
    VEK_TAP_STATUS(VEK_TAP_STATUS_CODE)
#undef VEK_TAP_STATUS_CODE
};

// The send and capture buffers of one call: 12 bytes as the scan library's 16-bit words.
using ScanBuffer = std::array<uint16_t, 6>;

// Longest address the driver sends, in bytes.
inline constexpr int kAddressLimit = 10;
// The data register is 32 bits wide.
inline constexpr int kDataLimit = 4;

class TapDriver : public RegisterDriver {
public:
    Result<void> Open() override;
    Result<void> Close() override;
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override;
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override;
    // The text of the pending status, which asking clears.
    std::string StatusText() override;

    int OpenCount() const { return openCount_; }

private:
    struct WordScan {
        uint16_t instruction;
        uint32_t word;
    };

    Result<void> Fail(TapStatus status);
    Failure Pending(TapStatus status);
    Result<void> Finish(TapStatus status);
    TapStatus Refusal(int addrLen) const;
    TapStatus BeginAccess();
    TapStatus SelectRegister(int addrLen, const unsigned char* addr, ScanBuffer& send);
    TapStatus ScanWords(ScanBuffer& send, std::initializer_list<WordScan> scans);
    TapStatus ScanRegister(uint16_t instruction, const uint16_t* send, int bits, uint16_t* capture);

    int openCount_ = 0;
    TapStatus driverStatus_ = TapStatus::NoError;
    uint8_t port_ = 1;
};

} // namespace vek

// The JTAG register driver: registers of a JTAG register block, reached through the scan library.
// The block has an address register, a 32-bit data register and a 32-bit control register,
// selected by a 5-bit instruction; a command word in the control register copies the data
// register to or from the addressed register. The controller is claimed for one call at a time.
#pragma once

#include <cstdint>

namespace tapdrv32 {

enum DriverStatus : int {
    kNoError = 0,
    kNoOpenDriver = 1,
    kResetFailed = 2,
    kInstructionScanFailed = 3,
    kDataScanFailed = 4,
    kOpenDeviceFailed = 5,
    kTooManyAddressBytes = 6,
    kTooManyDataBytes = 7,
};

// Longest address the driver sends, in bytes.
inline constexpr int kAddressLimit = 10;
// The data register is 32 bits wide.
inline constexpr int kDataLimit = 4;

class CTapDriver {
public:
    int Open();
    int Close();
    int SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data);
    int GetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data);
    // Copies the text of the pending status (if text is not null) and clears it.
    void GetStatus(char* text);

    int OpenCount() const { return openCount_; }

private:
    int Fail(int status);
    int Finish(int status);
    int BeginAccess();
    int ScanRegister(uint16_t instruction, const uint16_t* send, int bits, uint16_t* capture);

    int openCount_ = 0;
    int driverStatus_ = kNoError;
    uint8_t port_ = 1;
};

} // namespace tapdrv32

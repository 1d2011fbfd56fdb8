#include "tap_driver.h"

#include "bsx4810.h"
#include "vekdriver.h"

#include <array>
#include <cstdio>

namespace tapdrv32 {

namespace {

constexpr unsigned short kInstructionBits = 5;
constexpr uint16_t kIrAddress = 8;
constexpr uint16_t kIrData = 9;
constexpr uint16_t kIrControl = 10;
constexpr uint32_t kCtrlOpen = 0x00220000;
constexpr uint32_t kCtrlWrite = 0x00220900;
constexpr uint32_t kCtrlRead = 0x00220B00;
constexpr int kWordBits = 32;

// The send and capture buffers of one call: 12 bytes as the scan library's 16-bit words.
using ScanBuffer = std::array<uint16_t, 6>;

// Bytes in memory order, byte 0 first, each least significant bit first.
void PutBytes(ScanBuffer& buffer, const unsigned char* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        uint16_t& word = buffer[i / 2];
        word = i % 2 ? static_cast<uint16_t>((word & 0x00FF) | (bytes[i] << 8))
                     : static_cast<uint16_t>((word & 0xFF00) | bytes[i]);
    }
}

void PutWord(ScanBuffer& buffer, uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    PutBytes(buffer, bytes, 4);
}

unsigned char ByteAt(const ScanBuffer& buffer, int i) {
    return static_cast<unsigned char>(buffer[i / 2] >> (i % 2 ? 8 : 0));
}

const char* const kStatusTexts[] = {
    "No Error",
    "No open driver.",
    "Reset of JTAG device failed.",
    "JTAG instruction scan failed.",
    "JTAG data scan failed.",
    "Opening of JTAG device failed.",
    "Driver supports only %d address bytes.",
    "Driver supports only %d data bytes.",
};

} // namespace

int CTapDriver::Open() {
    if (++openCount_ > 1)
        return 1;
    int status = BeginAccess();
    if (status == kNoError) {
        ScanBuffer send{};
        PutWord(send, kCtrlOpen);
        status = ScanRegister(kIrControl, send.data(), kWordBits, nullptr);
    }
    return Finish(status);
}

int CTapDriver::Close() {
    if (openCount_ == 0)
        return Fail(kNoOpenDriver);
    --openCount_;
    return 1;
}

int CTapDriver::SetReg(int addrLen, int /*dataLen*/, const unsigned char* addr, uint32_t data) {
    if (openCount_ == 0)
        return Fail(kNoOpenDriver);
    if (addrLen < 0 || addrLen > kAddressLimit)
        return Fail(kTooManyAddressBytes);
    ScanBuffer send{};
    PutBytes(send, addr, addrLen);
    int status = BeginAccess();
    if (status == kNoError)
        status = ScanRegister(kIrAddress, send.data(), addrLen * 8, nullptr);
    // The data register is always written whole, whatever the register's width.
    if (status == kNoError) {
        PutWord(send, data);
        status = ScanRegister(kIrData, send.data(), kWordBits, nullptr);
    }
    if (status == kNoError) {
        PutWord(send, kCtrlWrite);
        status = ScanRegister(kIrControl, send.data(), kWordBits, nullptr);
    }
    return Finish(status);
}

int CTapDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    if (openCount_ == 0)
        return Fail(kNoOpenDriver);
    if (addrLen < 0 || addrLen > kAddressLimit)
        return Fail(kTooManyAddressBytes);
    // The caller's area holds 4 bytes; a longer read would write past it.
    if (dataLen < 0 || dataLen > kDataLimit)
        return Fail(kTooManyDataBytes);
    ScanBuffer send{};
    ScanBuffer capture{};
    PutBytes(send, addr, addrLen);
    int status = BeginAccess();
    if (status == kNoError)
        status = ScanRegister(kIrAddress, send.data(), addrLen * 8, nullptr);
    if (status == kNoError) {
        PutWord(send, kCtrlRead);
        status = ScanRegister(kIrControl, send.data(), kWordBits, nullptr);
    }
    // The bits shifted in while reading are the command word still in the send buffer; the
    // target ignores them.
    if (status == kNoError)
        status = ScanRegister(kIrData, send.data(), dataLen * 8, capture.data());
    if (status == kNoError) {
        auto* bytes = reinterpret_cast<unsigned char*>(data);
        for (int i = 0; i < dataLen; ++i)
            bytes[i] = ByteAt(capture, i);
    }
    return Finish(status);
}

void CTapDriver::GetStatus(char* text) {
    if (text != nullptr) {
        const int code = driverStatus_ >= kNoOpenDriver && driverStatus_ <= kTooManyDataBytes
                             ? driverStatus_
                             : kNoError;
        const int limit = code == kTooManyDataBytes ? kDataLimit : kAddressLimit;
        // Every text fits the program's status buffer.
        std::snprintf(text, VEK_STATUS_TEXT_SIZE, kStatusTexts[code], limit);
    }
    driverStatus_ = kNoError;
}

int CTapDriver::Fail(int status) {
    driverStatus_ = status;
    close_4810();
    return 0;
}

// Every path out of a hardware access gives the controller back. A cable that held the scans
// back sends them then; if they do not arrive, the access fails as its last data scan.
int CTapDriver::Finish(int status) {
    if (status != kNoError)
        return Fail(status);
    if (close_4810() != 0) {
        driverStatus_ = kDataScanFailed;
        return 0;
    }
    return 1;
}

int CTapDriver::BeginAccess() {
    if (open_4810() != 0)
        return kOpenDeviceFailed;
    if (tms_reset(port_) != 0)
        return kResetFailed;
    return kNoError;
}

int CTapDriver::ScanRegister(uint16_t instruction, const uint16_t* send, int bits,
                             uint16_t* capture) {
    if (scan_ir(port_, &instruction, kInstructionBits, nullptr) != 0)
        return kInstructionScanFailed;
    if (scan_dr(port_, send, static_cast<unsigned short>(bits), capture) != 0)
        return kDataScanFailed;
    return kNoError;
}

} // namespace tapdrv32

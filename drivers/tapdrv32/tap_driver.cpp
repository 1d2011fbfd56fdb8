#include "tap_driver.h"

#include "bsx4810.h"

#include <cstdio>

namespace vek {

namespace {

constexpr unsigned short kInstructionBits = 5;
constexpr uint16_t kIrAddress = 8;
constexpr uint16_t kIrData = 9;
constexpr uint16_t kIrControl = 10;
constexpr uint32_t kCtrlOpen = 0x00220000;
constexpr uint32_t kCtrlWrite = 0x00220900;
constexpr uint32_t kCtrlRead = 0x00220B00;
constexpr int kWordBits = 32;

constexpr const char* kStatusTexts[] = {
#define VEK_TAP_STATUS_TEXT(name, text) text,
    VEK_TAP_STATUS(VEK_TAP_STATUS_TEXT)
#undef VEK_TAP_STATUS_TEXT
};

std::string StatusMessage(TapStatus status) {
    const int limit = status == TapStatus::TooManyDataBytes ? kDataLimit : kAddressLimit;
    char text[64];
    std::snprintf(text, sizeof text, kStatusTexts[static_cast<int>(status)], limit);
    return text;
}

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

} // namespace

Result<void> TapDriver::Open() {
    if (++openCount_ > 1)
        return {};
    ScanBuffer send{};
    TapStatus status = BeginAccess();
    if (status == TapStatus::NoError)
        status = ScanWords(send, {{kIrControl, kCtrlOpen}});
    return Finish(status);
}

Result<void> TapDriver::Close() {
    if (openCount_ == 0)
        return Fail(TapStatus::NoOpenDriver);
    --openCount_;
    return {};
}

Result<void> TapDriver::SetReg(int addrLen, int /*dataLen*/, const unsigned char* addr,
                               uint32_t data) {
    if (const TapStatus refused = Refusal(addrLen); refused != TapStatus::NoError)
        return Fail(refused);
    ScanBuffer send{};
    TapStatus status = SelectRegister(addrLen, addr, send);
    // The data register is always written whole, whatever the register's width.
    if (status == TapStatus::NoError)
        status = ScanWords(send, {{kIrData, data}, {kIrControl, kCtrlWrite}});
    return Finish(status);
}

Result<void> TapDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr,
                               uint32_t* data) {
    if (const TapStatus refused = Refusal(addrLen); refused != TapStatus::NoError)
        return Fail(refused);
    // The caller's area holds 4 bytes; a longer read would write past it.
    if (dataLen < 0 || dataLen > kDataLimit)
        return Fail(TapStatus::TooManyDataBytes);
    ScanBuffer send{};
    ScanBuffer capture{};
    TapStatus status = SelectRegister(addrLen, addr, send);
    if (status == TapStatus::NoError)
        status = ScanWords(send, {{kIrControl, kCtrlRead}});
    // The bits shifted in while reading are the command word still in the send buffer; the
    // target ignores them.
    if (status == TapStatus::NoError)
        status = ScanRegister(kIrData, send.data(), dataLen * 8, capture.data());
    if (status == TapStatus::NoError) {
        auto* bytes = reinterpret_cast<unsigned char*>(data);
        for (int i = 0; i < dataLen; ++i)
            bytes[i] = ByteAt(capture, i);
    }
    return Finish(status);
}

std::string TapDriver::StatusText() {
    const std::string text = StatusMessage(driverStatus_);
    driverStatus_ = TapStatus::NoError;
    return text;
}

Result<void> TapDriver::Fail(TapStatus status) {
    close_4810();
    return Pending(status);
}

// The status stays for StatusText and is the failure's reason.
Failure TapDriver::Pending(TapStatus status) {
    driverStatus_ = status;
    return Failure{static_cast<int>(status), StatusMessage(status)};
}

// Every path out of a hardware access gives the controller back. A cable that held the scans
// back sends them then; if they do not arrive, the access fails as its last data scan.
Result<void> TapDriver::Finish(TapStatus status) {
    if (status != TapStatus::NoError)
        return Fail(status);
    if (close_4810() != 0)
        return Pending(TapStatus::DataScanFailed);
    return {};
}

// A call on a closed driver or with too long an address touches nothing.
TapStatus TapDriver::Refusal(int addrLen) const {
    if (openCount_ == 0)
        return TapStatus::NoOpenDriver;
    if (addrLen < 0 || addrLen > kAddressLimit)
        return TapStatus::TooManyAddressBytes;
    return TapStatus::NoError;
}

// The first steps of every register access: claim the controller, reset the TAP and shift the
// address into the address register.
TapStatus TapDriver::SelectRegister(int addrLen, const unsigned char* addr, ScanBuffer& send) {
    PutBytes(send, addr, addrLen);
    const TapStatus status = BeginAccess();
    if (status != TapStatus::NoError)
        return status;
    return ScanRegister(kIrAddress, send.data(), addrLen * 8, nullptr);
}

TapStatus TapDriver::BeginAccess() {
    if (open_4810() != 0)
        return TapStatus::OpenDeviceFailed;
    if (tms_reset(port_) != 0)
        return TapStatus::ResetFailed;
    return TapStatus::NoError;
}

// One 32-bit data scan after each instruction scan, in order; the first failure ends them.
TapStatus TapDriver::ScanWords(ScanBuffer& send, std::initializer_list<WordScan> scans) {
    for (const WordScan& scan : scans) {
        PutWord(send, scan.word);
        const TapStatus status = ScanRegister(scan.instruction, send.data(), kWordBits, nullptr);
        if (status != TapStatus::NoError)
            return status;
    }
    return TapStatus::NoError;
}

TapStatus TapDriver::ScanRegister(uint16_t instruction, const uint16_t* send, int bits,
                                  uint16_t* capture) {
    if (scan_ir(port_, &instruction, kInstructionBits, nullptr) != 0)
        return TapStatus::InstructionScanFailed;
    if (scan_dr(port_, send, static_cast<unsigned short>(bits), capture) != 0)
        return TapStatus::DataScanFailed;
    return TapStatus::NoError;
}

} // namespace vek

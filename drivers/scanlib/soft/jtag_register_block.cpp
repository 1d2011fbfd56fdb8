#include "jtag_register_block.h"

#include "../cause_report.h"

namespace bsx4810 {

namespace {

// An address register longer than this keeps the bits shifted in last.
constexpr size_t kMaximumAddressBits = 128;
// Every command word carries 0x22 in its byte 2; its byte 1 is the command.
constexpr uint32_t kCommandTag = 0x22;
constexpr uint32_t kCopyToRegister = 0x09;
constexpr uint32_t kCopyFromRegister = 0x0B;
// Capture-IR loads the fixed pattern 01 into the low instruction bits.
constexpr uint8_t kInstructionCapture = 0x01;

TargetAddress PackAddress(const std::vector<bool>& bits) {
    TargetAddress address((bits.size() + 7) / 8, '\0');
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i])
            address[i / 8] = static_cast<char>(address[i / 8] | (1 << (i % 8)));
    while (!address.empty() && address.back() == 0)
        address.pop_back();
    return address;
}

std::vector<bool> UnpackAddress(const TargetAddress& address) {
    std::vector<bool> bits(address.size() * 8);
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = (static_cast<unsigned char>(address[i / 8]) >> (i % 8)) & 1;
    return bits;
}

} // namespace

CJtagRegisterBlock::CJtagRegisterBlock(CTargetMemory& memory, int port)
    : memory_(memory), port_(port) {}

void CJtagRegisterBlock::Reset() {
    instruction_ = kBypass;
}

void CJtagRegisterBlock::CaptureInstruction() {
    instructionShift_ = kInstructionCapture;
}

bool CJtagRegisterBlock::ShiftInstruction(bool tdi) {
    const bool tdo = instructionShift_ & 1;
    instructionShift_ =
        static_cast<uint8_t>((instructionShift_ >> 1) | (tdi << (kInstructionBits - 1)));
    return tdo;
}

void CJtagRegisterBlock::UpdateInstruction() {
    instruction_ = instructionShift_;
}

void CJtagRegisterBlock::CaptureData() {
    switch (instruction_) {
    case kAddress:
        addressOut_ = UnpackAddress(address_);
        addressOutNext_ = 0;
        addressIn_.clear();
        break;
    case kData:
        wordShift_ = data_;
        break;
    case kControl:
        wordShift_ = control_;
        break;
    default:
        bypass_ = false;
        break;
    }
}

bool CJtagRegisterBlock::ShiftAddress(bool tdi) {
    const bool tdo = addressOutNext_ < addressOut_.size() && addressOut_[addressOutNext_];
    ++addressOutNext_;
    if (addressIn_.size() == kMaximumAddressBits)
        addressIn_.erase(addressIn_.begin());
    addressIn_.push_back(tdi);
    return tdo;
}

bool CJtagRegisterBlock::UpdateData() {
    switch (instruction_) {
    case kAddress:
        address_ = PackAddress(addressIn_);
        return true;
    case kData:
        data_ = wordShift_;
        return true;
    case kControl:
        control_ = wordShift_;
        return RunCommand();
    default:
        return true;
    }
}

bool CJtagRegisterBlock::RunCommand() {
    if (((control_ >> 16) & 0xFF) != kCommandTag)
        return true;
    switch ((control_ >> 8) & 0xFF) {
    case kCopyToRegister:
        if (vek::Result<void> kept = memory_.Write(port_, address_, data_); !kept) {
            ReportCause("soft", kept.Error().text);
            return false;
        }
        return true;
    case kCopyFromRegister:
        data_ = memory_.Read(port_, address_);
        return true;
    default:
        return true;
    }
}

} // namespace bsx4810

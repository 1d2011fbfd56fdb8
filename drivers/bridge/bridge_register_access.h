// The register transfers of the two bridge drivers, written over the access class so that they
// can be checked against a recording stand-in.
#pragma once

#include "platform/result.h"

#include <cstdint>

namespace vek {

// The status text of both drivers, whatever happened.
inline constexpr const char* kBridgeStatusText = "QBR7318 transfer error";

inline Failure BridgeFailure() {
    return Failure{1, kBridgeStatusText};
}

// The one data length that a PCI register of the given width mask accepts; 0 for none.
constexpr int DataLenForMask(uint32_t mask) {
    switch (mask) {
    case 0xFFu:
        return 1;
    case 0xFFFFu:
        return 2;
    case 0xFFFFFFFFu:
        return 4;
    default:
        return 0;
    }
}

// The two access classes (and the tests' stand-ins for them), told apart by what they offer.
template <class Io>
concept PciRegisters = requires(Io& io, uint16_t offset) {
    io.GetRegMask(offset);
};
template <class I2c>
concept I2cRegisters = requires(I2c& i2c) {
    i2c.SetSlave(0);
};

// A PCI register is named by exactly two address bytes, its offset, byte 0 low.
inline uint16_t RegisterOffset(const unsigned char* addr) {
    return static_cast<uint16_t>(addr[0] | (addr[1] << 8));
}

// A write is refused without touching the chip when the data length is not the register's.
template <PciRegisters Io>
Result<void> WriteRegister(Io* io, int addrLen, int dataLen, const unsigned char* addr,
                           uint32_t data) {
    if (io == nullptr || addrLen != 2 || addr == nullptr) {
        return BridgeFailure();
    }
    const uint16_t offset = RegisterOffset(addr);
    const uint32_t mask = io->GetRegMask(offset);
    if (DataLenForMask(mask) == 0 || DataLenForMask(mask) != dataLen) {
        return BridgeFailure();
    }
    io->SetReg(offset, data & mask, 1);
    return {};
}

// A read fills the whole 32-bit word. The register is read before its width is checked, so a
// refused read has still read it; the word then stays 0.
template <PciRegisters Io>
Result<void> ReadRegister(Io* io, int addrLen, int dataLen, const unsigned char* addr,
                          uint32_t* data) {
    if (io == nullptr || addrLen != 2 || addr == nullptr || data == nullptr) {
        return BridgeFailure();
    }
    *data = 0;
    const uint16_t offset = RegisterOffset(addr);
    const uint32_t mask = io->GetRegMask(offset);
    const uint32_t value = io->GetReg(offset);
    if (DataLenForMask(mask) == 0 || DataLenForMask(mask) != dataLen) {
        return BridgeFailure();
    }
    *data = value;
    return {};
}

// The card's I2C registers: the device's 8-bit bus address above a one-byte sub-address, one
// data byte. Other shapes would make the sequences run past their two elements, so they are
// refused.
inline bool IsI2cRegisterShape(int addrLen, int dataLen, const unsigned char* addr) {
    return addrLen == 2 && dataLen == 1 && addr != nullptr;
}

template <class I2c>
Result<void> I2cOutcome() {
    if (I2c::GetErrNo() != 0) {
        return BridgeFailure();
    }
    return {};
}

template <I2cRegisters I2c>
Result<void> WriteRegister(I2c* i2c, int addrLen, int dataLen, const unsigned char* addr,
                           uint32_t data) {
    if (i2c == nullptr || !IsI2cRegisterShape(addrLen, dataLen, addr)) {
        return BridgeFailure();
    }
    i2c->SetSlave(addr[1] >> 1);
    const int sequence[2] = {addr[0], static_cast<int>(data & 0xFF)};
    i2c->WriteSeq(sequence, addrLen - 1 + dataLen);
    return I2cOutcome<I2c>();
}

// The byte read lands in the first int of the caller's 4-byte area, so the whole word is
// written.
template <I2cRegisters I2c>
Result<void> ReadRegister(I2c* i2c, int addrLen, int dataLen, const unsigned char* addr,
                          uint32_t* data) {
    if (i2c == nullptr || data == nullptr || !IsI2cRegisterShape(addrLen, dataLen, addr)) {
        return BridgeFailure();
    }
    i2c->SetSlave(addr[1] >> 1);
    const int subAddress[1] = {addr[0]};
    i2c->CombinedSeq(subAddress, 1, reinterpret_cast<int*>(data), dataLen);
    return I2cOutcome<I2c>();
}

} // namespace vek

// The support library of the QBR7318 PCI bridge chip: fixed storage for its access objects,
// CQpciIo for the chip's own PCI registers and CQpciI2c for the I2C bus on the card. This one
// serves a simulated chip (docs/bridge.md).
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define QBR_EXPORT __attribute__((visibility("default")))
#else
#define QBR_EXPORT
#endif

// The bridge chip's PCI identifiers: the card is found by these.
inline constexpr uint16_t kQbr7318VendorId = 0x1C18;
inline constexpr uint16_t kQbr7318DeviceId = 0x7318;

// What CQpciIo::IsDevicePresent yields when the chip was found; 0 when it was not.
inline constexpr uint16_t kQbrDevicePresent = 4;

// Error numbers of CQpciI2c::GetErrNo.
enum QbrI2cError : int {
    kQbrI2cOk = 0,
    kQbrI2cNoAcknowledge = 1,
    kQbrI2cNoCard = 2,
    kQbrI2cBadSequence = 3,
};

extern "C" {
// Storage for an access object; null when none is left.
QBR_EXPORT void* AllocFixed(size_t size);
QBR_EXPORT void FreeFixed(void* storage);
}

namespace vek {
class SimulatedQbr7318;
}

// Both access classes live in the library's fixed storage: new takes it from AllocFixed (a
// failed allocation yields null and no object), delete gives it back with FreeFixed.

class QBR_EXPORT CQpciIo {
public:
    static void* operator new(size_t size) noexcept { return AllocFixed(size); }
    static void operator delete(void* storage) noexcept { FreeFixed(storage); }
    // Looks for card number cardIndex (0 the first) with the given PCI identifiers.
    CQpciIo(uint16_t cardIndex, uint16_t deviceId, uint16_t vendorId);
    virtual ~CQpciIo();
    CQpciIo(const CQpciIo&) = delete;
    CQpciIo& operator=(const CQpciIo&) = delete;

    uint16_t IsDevicePresent() const;
    // The width of the register at offset: 0xFF, 0xFFFF or 0xFFFFFFFF; 0 where there is none.
    uint32_t GetRegMask(uint16_t offset) const;
    uint32_t GetReg(uint16_t offset) const;
    // flush nonzero waits until the chip has taken the value; the simulated chip always has.
    void SetReg(uint16_t offset, uint32_t value, int flush);

private:
    vek::SimulatedQbr7318* chip_;
    bool found_;
};

class QBR_EXPORT CQpciI2c {
public:
    static void* operator new(size_t size) noexcept { return AllocFixed(size); }
    static void operator delete(void* storage) noexcept { FreeFixed(storage); }
    explicit CQpciI2c(uint16_t cardIndex);
    virtual ~CQpciI2c();
    CQpciI2c(const CQpciI2c&) = delete;
    CQpciI2c& operator=(const CQpciI2c&) = delete;

    // The 7-bit address that the following sequences go to.
    void SetSlave(int slaveAddress);
    // Sends count bytes, one per element (its low eight bits).
    int WriteSeq(const int* sequence, int count);
    // Sends writeCount bytes, then reads readCount bytes after a repeated start, one per
    // element of readSequence.
    int CombinedSeq(const int* writeSequence, int writeCount, int* readSequence, int readCount);
    // The outcome of the last sequence of any CQpciI2c object: 0 or a kQbrI2c error number.
    static int GetErrNo();

private:
    vek::SimulatedQbr7318* chip_;
    bool found_;
    uint8_t slave_ = 0;
};

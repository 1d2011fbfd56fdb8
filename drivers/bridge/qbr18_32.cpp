// The exported storage functions and access classes over one simulated chip per process. The
// chip is set up when the first access object is made and dropped with the last one, like a
// card that is powered while it is in use.
#include "qbr18_32.h"

#include "platform/settings_file.h"
#include "simulated_qbr7318.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace vek {
namespace {

struct ChipInUse {
    std::unique_ptr<SimulatedQbr7318> chip;
    int users = 0;
};

// At namespace scope, so that it is made when the library is loaded and outlives the objects
// that drivers loaded after it still hold when they are unloaded.
ChipInUse chipInUse;
int lastI2cError = kQbrI2cOk;

SimulatedQbr7318* AcquireChip() {
    if (chipInUse.users++ == 0) {
        // The library has no other way to tell about a faulty settings file; one it cannot read
        // leaves the chip as delivered.
        const Result<ProfileFile> file =
            ReadSettingsFile(kChipSettingsOverrideVariable, kChipSettingsFileName);
        if (!file) {
            std::fprintf(stderr, "qbr18_32: %s\n", file.Error().text.c_str());
        }
        const ProfileFile asDelivered;
        const auto settings = ReadChipSettings(file ? file.Value() : asDelivered);
        for (const std::string& problem : settings.problems) {
            std::fprintf(stderr, "qbr18_32: %s: %s\n", kChipSettingsFileName, problem.c_str());
        }
        chipInUse.chip = std::make_unique<SimulatedQbr7318>(settings);
    }
    return chipInUse.chip.get();
}

void ReleaseChip() {
    if (--chipInUse.users == 0) {
        chipInUse.chip.reset();
    }
}

bool ValidSequence(const int* sequence, int count) {
    return count >= 0 && (count == 0 || sequence != nullptr);
}

} // namespace
} // namespace vek

extern "C" {

void* AllocFixed(size_t size) {
    return size == 0 ? nullptr : std::malloc(size);
}

void FreeFixed(void* storage) {
    std::free(storage);
}

} // extern "C"

CQpciIo::CQpciIo(uint16_t cardIndex, uint16_t deviceId, uint16_t vendorId)
    : chip_(vek::AcquireChip()), found_(chip_->Answers(cardIndex, deviceId, vendorId)) {}

CQpciIo::~CQpciIo() {
    vek::ReleaseChip();
}

uint16_t CQpciIo::IsDevicePresent() const {
    return found_ ? kQbrDevicePresent : 0;
}

uint32_t CQpciIo::GetRegMask(uint16_t offset) const {
    return found_ ? chip_->RegisterMask(offset) : 0;
}

// A read from a card that is not there gives all ones, as on the PCI bus.
uint32_t CQpciIo::GetReg(uint16_t offset) const {
    return found_ ? chip_->Read(offset) : 0xFFFFFFFFu;
}

void CQpciIo::SetReg(uint16_t offset, uint32_t value, int /*flush*/) {
    if (found_) {
        chip_->Write(offset, value);
    }
}

CQpciI2c::CQpciI2c(uint16_t cardIndex)
    : chip_(vek::AcquireChip()),
      found_(chip_->Answers(cardIndex, kQbr7318DeviceId, kQbr7318VendorId)) {}

CQpciI2c::~CQpciI2c() {
    vek::ReleaseChip();
}

void CQpciI2c::SetSlave(int slaveAddress) {
    slave_ = static_cast<uint8_t>(slaveAddress & 0x7F);
}

int CQpciI2c::WriteSeq(const int* sequence, int count) {
    if (!found_) {
        return vek::lastI2cError = kQbrI2cNoCard;
    }
    if (!vek::ValidSequence(sequence, count)) {
        return vek::lastI2cError = kQbrI2cBadSequence;
    }
    std::vector<uint8_t> bytes(sequence, sequence + count);
    vek::lastI2cError = chip_->I2cBus().Write(slave_, bytes) ? kQbrI2cOk : kQbrI2cNoAcknowledge;
    return vek::lastI2cError;
}

int CQpciI2c::CombinedSeq(const int* writeSequence, int writeCount, int* readSequence,
                          int readCount) {
    if (!found_) {
        return vek::lastI2cError = kQbrI2cNoCard;
    }
    if (!vek::ValidSequence(writeSequence, writeCount) ||
        !vek::ValidSequence(readSequence, readCount)) {
        return vek::lastI2cError = kQbrI2cBadSequence;
    }
    std::vector<uint8_t> written(writeSequence, writeSequence + writeCount);
    std::vector<uint8_t> read(static_cast<size_t>(readCount));
    if (!chip_->I2cBus().WriteRead(slave_, written, read)) {
        return vek::lastI2cError = kQbrI2cNoAcknowledge;
    }
    for (int i = 0; i < readCount; ++i) {
        readSequence[i] = read[static_cast<size_t>(i)];
    }
    return vek::lastI2cError = kQbrI2cOk;
}

int CQpciI2c::GetErrNo() {
    return vek::lastI2cError;
}

#include "simulated_i2c_bus.h"

#include <algorithm>

namespace vek {

SimulatedI2cDevice::SimulatedI2cDevice(std::vector<uint8_t> memory, int subAddressBytes)
    : memory_(std::move(memory)), subAddressBytes_(subAddressBytes) {
    if (memory_.empty()) {
        memory_.resize(1);
    }
}

void SimulatedI2cDevice::Write(std::span<const uint8_t> bytes) {
    const size_t pointerBytes = std::min(bytes.size(), static_cast<size_t>(subAddressBytes_));
    if (pointerBytes > 0) {
        size_t pointer = 0;
        for (size_t i = 0; i < pointerBytes; ++i) {
            pointer = (pointer << 8) | bytes[i];
        }
        // Like an EEPROM, the device ignores address bits above its memory size.
        pointer_ = pointer % memory_.size();
    }
    for (uint8_t byte : bytes.subspan(pointerBytes)) {
        memory_[pointer_] = byte;
        pointer_ = (pointer_ + 1) % memory_.size();
    }
}

void SimulatedI2cDevice::SetLiveBytes(size_t offset, int count, std::function<uint32_t()> value) {
    liveOffset_ = offset;
    liveCount_ = offset < memory_.size()
                     ? static_cast<int>(std::min<size_t>(
                           {static_cast<size_t>(std::max(count, 0)), memory_.size() - offset, 4}))
                     : 0;
    liveValue_ = std::move(value);
}

void SimulatedI2cDevice::Read(std::span<uint8_t> bytes) {
    if (liveValue_ && liveCount_ > 0) {
        const uint32_t value = liveValue_();
        for (int i = 0; i < liveCount_; ++i)
            memory_[liveOffset_ + static_cast<size_t>(i)] =
                static_cast<uint8_t>(value >> (8 * (liveCount_ - 1 - i)));
    }
    for (uint8_t& byte : bytes) {
        byte = memory_[pointer_];
        pointer_ = (pointer_ + 1) % memory_.size();
    }
}

void SimulatedI2cBus::AddDevice(uint8_t address, SimulatedI2cDevice device) {
    devices_.insert_or_assign(address, std::move(device));
}

SimulatedI2cDevice* SimulatedI2cBus::Find(uint8_t address) {
    const auto found = devices_.find(address);
    return found == devices_.end() ? nullptr : &found->second;
}

bool SimulatedI2cBus::Write(uint8_t address, std::span<const uint8_t> bytes) {
    SimulatedI2cDevice* device = Find(address);
    if (device == nullptr) {
        return false;
    }
    device->Write(bytes);
    return true;
}

bool SimulatedI2cBus::WriteRead(uint8_t address, std::span<const uint8_t> written,
                                std::span<uint8_t> read) {
    SimulatedI2cDevice* device = Find(address);
    if (device == nullptr) {
        return false;
    }
    if (!written.empty()) {
        device->Write(written);
    }
    device->Read(read);
    return true;
}

} // namespace vek

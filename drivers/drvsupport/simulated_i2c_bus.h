// A simulated I2C bus: devices at 7-bit addresses, each with register memory that behaves like
// the common I2C register chips (EEPROMs, sensors, port expanders).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

namespace vek {

class SimulatedI2cDevice {
public:
    // memory must not be empty; subAddressBytes is how many bytes the device takes as
    // register pointer at the start of a write, most significant first.
    SimulatedI2cDevice(std::vector<uint8_t> memory, int subAddressBytes);

    // One write transfer: the sub-address bytes set the register pointer, every further byte
    // is stored at the pointer, which then moves on (wrapping at the end of memory).
    void Write(std::span<const uint8_t> bytes);
    // Reads from the register pointer on, moving it on the same way.
    void Read(std::span<uint8_t> bytes);

    // Bytes from `offset` on (most significant first, within the memory) that hold what `value`
    // gives whenever a read begins, as a sensor gives what it measures now.
    void SetLiveBytes(size_t offset, int count, std::function<uint32_t()> value);

    const std::vector<uint8_t>& Memory() const { return memory_; }
    int SubAddressBytes() const { return subAddressBytes_; }

private:
    std::vector<uint8_t> memory_;
    int subAddressBytes_;
    size_t pointer_ = 0;
    size_t liveOffset_ = 0;
    int liveCount_ = 0;
    std::function<uint32_t()> liveValue_;
};

class SimulatedI2cBus {
public:
    // Puts a device at a 7-bit address, replacing one that was there.
    void AddDevice(uint8_t address, SimulatedI2cDevice device);
    SimulatedI2cDevice* Find(uint8_t address);

    // Each returns false when no device acknowledges its address; nothing is transferred then.
    bool Write(uint8_t address, std::span<const uint8_t> bytes);
    // A write and a read joined by a repeated start; an empty write part is a plain read.
    bool WriteRead(uint8_t address, std::span<const uint8_t> written, std::span<uint8_t> read);

private:
    std::map<uint8_t, SimulatedI2cDevice> devices_;
};

} // namespace vek

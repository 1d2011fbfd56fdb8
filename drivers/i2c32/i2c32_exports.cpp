// The twelve exported functions over a table of open adapters. The error state belongs to the
// process, as the functions that report it take no handle.
#include "i2c32.h"

#include "adapter_settings.h"
#include "i2c_adapter.h"

#include <map>
#include <memory>

namespace vek {
namespace {

// Longest transfer the library accepts in one direction.
constexpr int kMaxTransferBytes = 4096;
constexpr const char* kNoError = "No error";

struct LibraryState {
    std::map<uint32_t, std::unique_ptr<I2cAdapter>> adapters;
    uint32_t nextHandle = 1;
    bool failed = false;
    std::string message = kNoError;
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

I2cAdapter* Find(uint32_t handle) {
    const auto found = State().adapters.find(handle);
    return found == State().adapters.end() ? nullptr : found->second.get();
}

void Record(const Result<void>& outcome) {
    LibraryState& state = State();
    state.failed = !outcome;
    if (state.failed) {
        state.message = outcome.Error().text;
    } else {
        state.message = kNoError;
    }
}

void Refuse(const char* reason) {
    Record(Failure{1, reason});
}

bool ValidCount(int count, const void* buffer) {
    return count >= 0 && count <= kMaxTransferBytes && (count == 0 || buffer != nullptr);
}

} // namespace
} // namespace vek

extern "C" {

// Settings that cannot be read or hold faulty entries refuse the open: 0, with the first fault as
// the message.
uint32_t i2cOpen(uint32_t /*options*/) {
    auto& state = vek::State();
    vek::Result<vek::AdapterSettings> settings = vek::LoadAdapterSettings();
    if (!settings) {
        vek::Record(settings.Error());
        return 0;
    }
    const uint32_t handle = state.nextHandle++;
    state.adapters[handle] = std::make_unique<vek::I2cAdapter>(std::move(settings).Value());
    return handle;
}

void i2cClose(uint32_t handle) {
    vek::State().adapters.erase(handle);
}

void i2cSetInterfaceType(uint32_t handle, int interfaceType) {
    if (auto* adapter = vek::Find(handle)) {
        adapter->SetInterfaceType(interfaceType);
    }
}

void i2cSetIOAddress(uint32_t /*handle*/, int /*ioAddress*/) {
    // Only parallel-port hardware has an I/O address; an i2c-dev bus is named by its device.
}

void i2cSetBitrate(uint32_t handle, int bitrate) {
    if (auto* adapter = vek::Find(handle)) {
        adapter->SetBitrate(bitrate);
    }
}

void i2cSetTimeout(uint32_t handle, int timeout) {
    if (auto* adapter = vek::Find(handle)) {
        adapter->SetTimeout(timeout);
    }
}

int i2cSettingsAreValid(uint32_t handle, uint32_t* valid) {
    const auto* adapter = vek::Find(handle);
    const vek::Result<void> checked =
        adapter ? adapter->CheckSettings() : vek::Failure{1, "invalid adapter handle"};
    const int result = checked ? 1 : 0;
    vek::Record(checked);
    if (valid != nullptr) {
        *valid = static_cast<uint32_t>(result);
    }
    return result;
}

void i2cSetDeviceAddress(uint32_t handle, int slaveAddress) {
    if (auto* adapter = vek::Find(handle)) {
        adapter->SetDeviceAddress(slaveAddress);
    }
}

int i2cErrorsOccurred(void) {
    return vek::State().failed ? 1 : 0;
}

const char* i2cGetErrorMessage(void) {
    return vek::State().message.c_str();
}

void i2cReadAfterRestartEx(uint32_t handle, unsigned char* received, int count,
                           const unsigned char* subAddress, int subAddressCount) {
    auto* adapter = vek::Find(handle);
    if (adapter == nullptr) {
        return vek::Refuse("invalid adapter handle");
    }
    if (!vek::ValidCount(count, received) || !vek::ValidCount(subAddressCount, subAddress)) {
        return vek::Refuse("invalid transfer length");
    }
    vek::Record(adapter->ReadAfterRestart({received, static_cast<size_t>(count)},
                                          {subAddress, static_cast<size_t>(subAddressCount)}));
}

void i2cWriteEx(uint32_t handle, const unsigned char* bytes, int count) {
    auto* adapter = vek::Find(handle);
    if (adapter == nullptr) {
        return vek::Refuse("invalid adapter handle");
    }
    if (!vek::ValidCount(count, bytes)) {
        return vek::Refuse("invalid transfer length");
    }
    vek::Record(adapter->Write({bytes, static_cast<size_t>(count)}));
}

} // extern "C"

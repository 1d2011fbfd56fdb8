#include "par_driver.h"

#include "par_settings.h"
#include "pcalh_io.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace vek {
namespace {

// The value the adapter library expects at open.
constexpr uint32_t kOpenOptions = 32;

// The pause after a write gives the processor away: a wait of seconds must not spin a core.
void PauseAfterWrite(uint32_t milliseconds) {
    if (milliseconds != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

} // namespace

ParDriver::ParDriver(std::unique_ptr<AdapterLibrary> library, Result<ProfileFile> (*readSettings)())
    : library_(std::move(library)), readSettings_(readSettings) {}

Result<void> ParDriver::Open() {
    ++openCount_;
    // A nested open of a working adapter only counts; one whose adapter failed to open tries
    // again rather than reporting success.
    if (openCount_ > 0 && adapter_ != 0) {
        return {};
    }
    if (!loaded_) {
        Result<I2c32Functions> bound = library_->Load();
        if (!bound) {
            // Nothing is loaded, so the driver is closed again: a later open must load anew.
            openCount_ = -1;
            errorText_ = kBindFailedText;
            return Failure{1, kBindFailedText};
        }
        i2c_ = bound.Value();
        loaded_ = true;
    }
    refused_ = false;
    adapter_ = i2c_.i2cOpen(kOpenOptions);
    if (adapter_ == 0) {
        return Failure{1, StatusText()};
    }
    if (Result<void> applied = ApplySettings(); !applied) {
        // The adapter goes back, so that the next open reads the settings anew.
        i2c_.i2cClose(adapter_);
        adapter_ = 0;
        errorText_ = applied.Error().text;
        refused_ = true;
        return applied.Error();
    }
    return {};
}

Result<void> ParDriver::ApplySettings() {
    const Result<ProfileFile> file = readSettings_();
    if (!file) {
        return file.Error();
    }
    const ParSettings settings = ReadParSettings(file.Value());
    if (!settings.problems.empty()) {
        // Said as the adapter library says its own faults: each in full on standard error, the
        // first in the status text.
        const std::string prefix = std::string(kPcalhIoFileName) + ": ";
        for (const std::string& problem : settings.problems) {
            std::fprintf(stderr, "pardrv32: %s%s\n", prefix.c_str(), problem.c_str());
        }
        std::fflush(stderr);
        return Failure{1, prefix + settings.problems.front()};
    }
    waitAfterWrite_ = settings.waitAfterWrite;
    i2c_.i2cSetIOAddress(adapter_, settings.ioAddress);
    i2c_.i2cSetBitrate(adapter_, settings.bitrate);
    i2c_.i2cSetTimeout(adapter_, settings.timeout);
    i2c_.i2cSetInterfaceType(adapter_, settings.interfaceType);
    i2c_.i2cSettingsAreValid(adapter_, &settingsValid_);
    return {};
}

Result<void> ParDriver::Close() {
    if (!loaded_) {
        return {};
    }
    if (openCount_ > 0) {
        --openCount_;
        return {};
    }
    i2c_.i2cClose(adapter_);
    library_->Unload();
    loaded_ = false;
    i2c_ = {};
    adapter_ = 0;
    openCount_ = -1;
    return {};
}

Failure ParDriver::Refuse(const char* reason) {
    errorText_ = reason;
    refused_ = true;
    return Failure{1, reason};
}

Result<int> ParDriver::SelectDevice(int addrLen, int dataLen, const unsigned char* addr,
                                    uint8_t* subAddress) {
    if (!loaded_ || adapter_ == 0) {
        return Refuse(kNotOpenText);
    }
    if (addr == nullptr || addrLen < 1 || dataLen < 1 || dataLen > 4 ||
        addrLen - 1 + dataLen > kTransferBufferSize) {
        return Refuse(kBadLengthText);
    }
    refused_ = false;
    // The most significant address byte is the device's 8-bit bus address; the rest follow
    // it on the bus, most significant first.
    i2c_.i2cSetDeviceAddress(adapter_, addr[addrLen - 1] >> 1);
    const int subAddressCount = addrLen - 1;
    for (int i = 0; i < subAddressCount; ++i) {
        subAddress[i] = addr[subAddressCount - 1 - i];
    }
    return subAddressCount;
}

Result<void> ParDriver::TransferOutcome() {
    if (i2c_.i2cErrorsOccurred() == 0) {
        return {};
    }
    return Failure{1, StatusText()};
}

Result<void> ParDriver::SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    uint8_t buffer[kTransferBufferSize];
    const Result<int> selected = SelectDevice(addrLen, dataLen, addr, buffer);
    if (!selected) {
        return selected.Error();
    }
    const int subAddressCount = selected.Value();
    for (int i = 0; i < dataLen; ++i) {
        buffer[subAddressCount + i] = static_cast<uint8_t>(data >> (8 * i));
    }
    i2c_.i2cWriteEx(adapter_, buffer, subAddressCount + dataLen);
    PauseAfterWrite(waitAfterWrite_);
    return TransferOutcome();
}

Result<void> ParDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr,
                               uint32_t* data) {
    if (data == nullptr) {
        return Refuse(kBadLengthText);
    }
    uint8_t subAddress[kTransferBufferSize];
    const Result<int> selected = SelectDevice(addrLen, dataLen, addr, subAddress);
    if (!selected) {
        return selected.Error();
    }
    uint8_t received[kTransferBufferSize] = {};
    i2c_.i2cReadAfterRestartEx(adapter_, received, dataLen, subAddress, selected.Value());
    // The first byte on the bus is the least significant; bytes beyond dataLen stay as they
    // were.
    std::memcpy(data, received, static_cast<size_t>(dataLen));
    return TransferOutcome();
}

std::string ParDriver::StatusText() {
    if (!loaded_ || refused_) {
        return errorText_;
    }
    const char* message = i2c_.i2cGetErrorMessage();
    return message != nullptr ? message : "";
}

} // namespace vek

#include "par_driver.h"

#include "par_settings.h"
#include "status_text.h"

#include <chrono>
#include <cstring>

namespace pardrv {
namespace {

// The value the adapter library expects at open.
constexpr uint32_t kOpenOptions = 32;

// A busy wait: the pause after a write must not give the processor away.
void WaitMilliseconds(uint32_t milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end) {
    }
}

} // namespace

ParDriver::ParDriver(std::unique_ptr<AdapterLibrary> library, std::string (*settingsPath)())
    : library_(std::move(library)), settingsPath_(settingsPath) {}

int ParDriver::Open() {
    ++openCount_;
    // A nested open of a working adapter only counts; one whose adapter failed to open tries
    // again rather than reporting success.
    if (openCount_ > 0 && adapter_ != 0) {
        return 1;
    }
    if (!loaded_) {
        if (!library_->Load(i2c_)) {
            // Nothing is loaded, so the driver is closed again: a later open must load anew.
            openCount_ = -1;
            errorText_ = kBindFailedText;
            return 0;
        }
        loaded_ = true;
    }
    refused_ = false;
    adapter_ = i2c_.open(kOpenOptions);
    if (adapter_ == 0) {
        return 0;
    }
    ApplySettings();
    return 1;
}

void ParDriver::ApplySettings() {
    const ParSettings settings = ReadParSettings(drvsupport::ProfileFile::Load(settingsPath_()));
    waitAfterWrite_ = settings.waitAfterWrite;
    i2c_.setIOAddress(adapter_, settings.ioAddress);
    i2c_.setBitrate(adapter_, settings.bitrate);
    i2c_.setTimeout(adapter_, settings.timeout);
    i2c_.setInterfaceType(adapter_, settings.interfaceType);
    i2c_.settingsAreValid(adapter_, &settingsValid_);
}

int ParDriver::Close() {
    if (!loaded_) {
        return 1;
    }
    if (openCount_ > 0) {
        --openCount_;
        return 1;
    }
    i2c_.close(adapter_);
    library_->Unload();
    loaded_ = false;
    i2c_ = {};
    adapter_ = 0;
    openCount_ = -1;
    return 1;
}

int ParDriver::Refuse(const char* reason) {
    errorText_ = reason;
    refused_ = true;
    return 0;
}

int ParDriver::SelectDevice(int addrLen, int dataLen, const unsigned char* addr,
                            uint8_t* subAddress) {
    if (!loaded_ || adapter_ == 0) {
        Refuse(kNotOpenText);
        return -1;
    }
    if (addr == nullptr || addrLen < 1 || dataLen < 1 || dataLen > 4 ||
        addrLen - 1 + dataLen > kTransferBufferSize) {
        Refuse(kBadLengthText);
        return -1;
    }
    refused_ = false;
    // The most significant address byte is the device's 8-bit bus address; the rest follow
    // it on the bus, most significant first.
    i2c_.setDeviceAddress(adapter_, addr[addrLen - 1] >> 1);
    const int subAddressCount = addrLen - 1;
    for (int i = 0; i < subAddressCount; ++i) {
        subAddress[i] = addr[subAddressCount - 1 - i];
    }
    return subAddressCount;
}

int ParDriver::SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    uint8_t buffer[kTransferBufferSize];
    const int subAddressCount = SelectDevice(addrLen, dataLen, addr, buffer);
    if (subAddressCount < 0) {
        return 0;
    }
    for (int i = 0; i < dataLen; ++i) {
        buffer[subAddressCount + i] = static_cast<uint8_t>(data >> (8 * i));
    }
    i2c_.writeEx(adapter_, buffer, subAddressCount + dataLen);
    WaitMilliseconds(waitAfterWrite_);
    return i2c_.errorsOccurred() == 0 ? 1 : 0;
}

int ParDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    uint8_t subAddress[kTransferBufferSize];
    if (data == nullptr) {
        return Refuse(kBadLengthText);
    }
    const int subAddressCount = SelectDevice(addrLen, dataLen, addr, subAddress);
    if (subAddressCount < 0) {
        return 0;
    }
    uint8_t received[kTransferBufferSize] = {};
    i2c_.readAfterRestartEx(adapter_, received, dataLen, subAddress, subAddressCount);
    // The first byte on the bus is the least significant; bytes beyond dataLen stay as they
    // were.
    std::memcpy(data, received, static_cast<size_t>(dataLen));
    return i2c_.errorsOccurred() == 0 ? 1 : 0;
}

void ParDriver::GetStatus(char* text) const {
    const bool fromLibrary = loaded_ && !refused_;
    drvsupport::CopyStatusText(fromLibrary ? i2c_.getErrorMessage() : errorText_.c_str(), text);
}

} // namespace pardrv

#include "mem_driver.h"

#include "mem_limits.h"
#include "mem_messages.h"

#include <cstdio>

namespace vek {
namespace {

// Faults of the settings, and a failure of the open too long for the status text, are said in
// full on standard error, where vek shows them among its output lines.
void Report(const std::string& text) {
    std::fprintf(stderr, "memdrv: %s\n", text.c_str());
    std::fflush(stderr);
}

bool IsRegisterWidth(int dataLen) {
    return dataLen == 1 || dataLen == 2 || dataLen == kMaxRegisterBytes;
}

} // namespace

Failure MemDriver::Fail(std::string text) {
    status_ = text;
    return Failure{1, std::move(text)};
}

Result<RegionSettings> MemDriver::Settings() const {
    Result<ProfileFile> file = readSettings_();
    if (!file) {
        Report(file.Error().text);
        return file.Error();
    }
    RegionSettings settings = ReadRegionSettings(file.Value(), pageSize_);
    if (settings.problems.empty()) {
        return settings;
    }
    const std::string prefix = std::string(kMemdrvFileName) + ": ";
    for (const std::string& problem : settings.problems) {
        Report(prefix + problem);
    }
    return Failure{1, prefix + settings.problems.front()};
}

Result<void> MemDriver::Open() {
    region_.reset();
    Result<RegionSettings> settings = Settings();
    if (!settings) {
        return Fail(FitStatus(settings.Error().text, {}));
    }
    Result<MappedRegion> mapped = MappedRegion::Map(settings.Value());
    if (!mapped) {
        const std::string& text = mapped.Error().text;
        std::string status = FitStatus(text, settings.Value().device);
        if (status != text) {
            Report(text);
        }
        return Fail(std::move(status));
    }
    region_.emplace(std::move(mapped).Value());
    status_.clear();
    return {};
}

Result<void> MemDriver::Close() {
    region_.reset();
    status_.clear();
    return {};
}

Result<std::uint64_t> MemDriver::Locate(int addrLen, int dataLen, const unsigned char* addr) {
    if (!region_) {
        return Fail(kNotOpenText);
    }
    if (addr == nullptr) {
        return Fail(kNoAddressText);
    }
    if (addrLen < 1 || addrLen > kMaxAddressBytes) {
        return Fail(AddressLengthText(addrLen));
    }
    if (!IsRegisterWidth(dataLen)) {
        return Fail(DataLengthText(dataLen));
    }
    std::uint64_t address = 0;
    for (int i = addrLen - 1; i >= 0; --i) {
        address = address << 8 | addr[i];
    }
    // An unaligned access would be split or trap on many buses, so it is never made.
    if (address % static_cast<std::uint64_t>(dataLen) != 0) {
        return Fail(NotAlignedText(AddressText(address, addrLen), dataLen));
    }
    if (!region_->Contains(address, dataLen)) {
        return Fail(OutsideRegionText(AddressText(address, addrLen)));
    }
    status_.clear();
    return address;
}

Result<void> MemDriver::SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    const Result<std::uint64_t> address = Locate(addrLen, dataLen, addr);
    if (!address) {
        return address.Error();
    }
    region_->Write(address.Value(), dataLen, data);
    return {};
}

Result<void> MemDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr,
                               uint32_t* data) {
    if (data == nullptr) {
        return Fail(kNoValueText);
    }
    const Result<std::uint64_t> address = Locate(addrLen, dataLen, addr);
    if (!address) {
        return address.Error();
    }
    const std::uint32_t value = region_->Read(address.Value(), dataLen);
    // The value's bytes, least significant first; the caller's other bytes stay as they were.
    auto* bytes = reinterpret_cast<unsigned char*>(data);
    for (int i = 0; i < dataLen; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
    return {};
}

} // namespace vek

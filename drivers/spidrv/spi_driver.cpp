#include "spi_driver.h"

#include "platform/settings_file.h"
#include "simulated_spi_chip.h"
#include "spi_frame.h"
#include "vekdriver.h"

#include <cstdio>
#include <vector>

namespace vek {
namespace {

void WriteErrorLine(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", kErrorLinePrefix, text.c_str());
    std::fflush(stderr);
}

} // namespace

std::unique_ptr<DevicePort> SpiDriver::DefaultPort(const SpiDeviceSettings& device) {
    if (device.deviceFile.empty()) {
        return std::make_unique<SimulatedSpiChip>(device.convention, device.memory);
    }
    return MakeSystemDevicePort();
}

SpiDriver::SpiDriver(Result<ProfileFile> (*readSettings)(), PortFactory makePort)
    : readSettings_(readSettings), makePort_(std::move(makePort)) {}

Failure SpiDriver::Fail(const std::string& text, const std::string& detail) {
    status_ = text;
    WriteErrorLine(detail.empty() ? text : detail);
    return Failure{1, text};
}

Result<void> SpiDriver::Succeed() {
    status_ = kNoErrorText;
    return {};
}

Result<void> SpiDriver::Open() {
    if (users_ > 0) {
        ++users_;
        return Succeed();
    }
    Result<void> opened = OpenDevices();
    if (opened) {
        users_ = 1;
    } else {
        devices_.clear();
    }
    return opened;
}

Result<void> SpiDriver::OpenDevices() {
    const Result<ProfileFile> file = readSettings_();
    if (!file) {
        return Fail(file.Error().text);
    }
    const SpiSettings settings = ReadSpiSettings(file.Value());
    if (!settings.problems.empty()) {
        // Every fault in full on standard error, the first as the status.
        const std::string prefix = std::string(kSpiSettingsFileName) + ": ";
        for (const std::string& problem : settings.problems) {
            WriteErrorLine(prefix + problem);
        }
        status_ = prefix + settings.problems.front();
        return Failure{1, status_};
    }
    for (const auto& [number, setup] : settings.devices) {
        auto device = std::make_unique<SpiDevice>(setup, makePort_(setup));
        if (Result<void> opened = device->Open(); !opened) {
            return Fail(opened.Error().text, DeviceDetail(setup.section, opened.Error().text));
        }
        devices_.emplace(number, std::move(device));
    }
    return Succeed();
}

Result<void> SpiDriver::Close() {
    if (users_ > 0 && --users_ == 0) {
        devices_.clear();
    }
    return Succeed();
}

Result<SpiDriver::Target> SpiDriver::Select(int addrLen, int dataLen, const unsigned char* addr) {
    if (users_ == 0) {
        return Fail(kNotOpenText);
    }
    if (addr == nullptr || addrLen < 1 || addrLen > VEK_MAX_ADDRESS_BYTES || dataLen < 1 ||
        dataLen > VEK_MAX_DATA_BYTES) {
        return Fail(kBadLengthText);
    }
    const int number = addr[addrLen - 1];
    const auto found = devices_.find(number);
    if (found == devices_.end()) {
        const std::string address = AddressText(addrLen, addr);
        return Fail(NoDeviceText(address), NoDeviceDetail(address, number));
    }
    std::uint64_t reg = 0;
    for (int i = addrLen - 2; i >= 0; --i) {
        reg = (reg << 8) | addr[i];
    }
    SpiDevice& device = *found->second;
    if (Result<void> fits = CheckRegister(device.Settings().convention, reg); !fits) {
        return Fail(fits.Error().text, DeviceDetail(device.Settings().section, fits.Error().text));
    }
    return Target{&device, reg};
}

Result<void> SpiDriver::Transferred(const SpiDevice& device, const Result<void>& transfer) {
    if (!transfer) {
        const std::string& text = transfer.Error().text;
        const std::string& file = device.Settings().deviceFile;
        return Fail(text, DeviceDetail(device.Settings().section, file + ": " + text));
    }
    return Succeed();
}

Result<void> SpiDriver::SetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    const Result<Target> target = Select(addrLen, dataLen, addr);
    if (!target) {
        return target.Error();
    }
    SpiDevice& device = *target.Value().device;
    const std::vector<std::uint8_t> tx =
        WriteFrame(device.Settings().convention, target.Value().reg, data, dataLen);
    std::vector<std::uint8_t> rx(tx.size());
    return Transferred(device, device.Transfer(tx, rx));
}

Result<void> SpiDriver::GetReg(int addrLen, int dataLen, const unsigned char* addr,
                               uint32_t* data) {
    if (data == nullptr) {
        return Fail(kBadLengthText);
    }
    const Result<Target> target = Select(addrLen, dataLen, addr);
    if (!target) {
        return target.Error();
    }
    SpiDevice& device = *target.Value().device;
    const SpiConvention& convention = device.Settings().convention;
    const ReadFrame frame = MakeReadFrame(convention, target.Value().reg, dataLen);
    std::vector<std::uint8_t> rx(frame.bytes.size());
    if (Result<void> transfer = device.Transfer(frame.bytes, rx); !transfer) {
        return Transferred(device, transfer);
    }
    const std::uint32_t value = DataValue(
        convention, std::span(rx).subspan(frame.dataOffset, static_cast<std::size_t>(dataLen)));
    // The value's bytes least significant first; the area's other bytes stay as they were.
    auto* bytes = reinterpret_cast<unsigned char*>(data);
    for (int i = 0; i < dataLen; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
    return Succeed();
}

} // namespace vek

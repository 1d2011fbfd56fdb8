#include "spi_device.h"

#include "spi_messages.h"

#include <cerrno>
#include <linux/spi/spidev.h>
#include <string>
#include <vector>

namespace vek {
namespace {

constexpr const char* kSimulatedFileName = "simulated chip";

std::uint8_t ModeByte(const SpiDeviceSettings& settings) {
    unsigned mode = static_cast<unsigned>(settings.mode);
    if (settings.csHigh) {
        mode |= SPI_CS_HIGH;
    }
    if (settings.bitOrder == WireOrder::LsbFirst) {
        mode |= SPI_LSB_FIRST;
    }
    return static_cast<std::uint8_t>(mode);
}

} // namespace

SpiDevice::SpiDevice(SpiDeviceSettings settings, std::unique_ptr<DevicePort> port)
    : settings_(std::move(settings)), port_(std::move(port)) {}

SpiDevice::~SpiDevice() {
    if (fd_ >= 0) {
        port_->Close(fd_);
    }
}

std::string SpiDevice::FileName() const {
    return settings_.deviceFile.empty() ? kSimulatedFileName : settings_.deviceFile;
}

Result<void> SpiDevice::Open() {
    fd_ = port_->Open(FileName());
    if (fd_ < 0) {
        return Failure{errno, OpenFailedText(FileName(), errno)};
    }
    std::uint8_t mode = ModeByte(settings_);
    std::uint32_t speed = settings_.speedHz;
    std::uint8_t bits = static_cast<std::uint8_t>(settings_.bitsPerWord);
    const struct {
        unsigned long request;
        void* argument;
        std::string setting;
    } steps[] = {
        {SPI_IOC_WR_MODE, &mode, "mode " + std::to_string(settings_.mode)},
        {SPI_IOC_WR_MAX_SPEED_HZ, &speed, "speed " + std::to_string(speed) + " Hz"},
        {SPI_IOC_WR_BITS_PER_WORD, &bits, std::to_string(bits) + " bits per word"},
    };
    for (const auto& step : steps) {
        if (port_->Ioctl(fd_, step.request, step.argument) < 0) {
            const int error = errno;
            port_->Close(fd_);
            fd_ = -1;
            return Failure{error, SetupFailedText(FileName(), step.setting, error)};
        }
    }
    return {};
}

Result<void> SpiDevice::Transfer(std::span<const std::uint8_t> tx, std::span<std::uint8_t> rx) {
    // The clock and word size go with the transfer too: chips on one file may differ in speed.
    spi_ioc_transfer transfer{};
    transfer.tx_buf = reinterpret_cast<std::uintptr_t>(tx.data());
    transfer.rx_buf = reinterpret_cast<std::uintptr_t>(rx.data());
    transfer.len = static_cast<std::uint32_t>(tx.size());
    transfer.speed_hz = settings_.speedHz;
    transfer.bits_per_word = static_cast<std::uint8_t>(settings_.bitsPerWord);
    if (port_->Ioctl(fd_, SPI_IOC_MESSAGE(1), &transfer) < 0) {
        const int error = errno;
        return Failure{error, TransferFailedText(error)};
    }
    return {};
}

} // namespace vek

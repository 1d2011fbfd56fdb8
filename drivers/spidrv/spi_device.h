// One chip behind a spidev file: opened with its mode, clock and word size, and reached by one
// full-duplex transfer (SPI_IOC_MESSAGE(1)) per register access, so that chip select stays
// asserted from the first command bit to the last data bit.
#pragma once

#include "device_port.h"
#include "platform/result.h"
#include "spi_settings.h"

#include <cstdint>
#include <memory>
#include <span>

namespace vek {

class SpiDevice {
public:
    SpiDevice(SpiDeviceSettings settings, std::unique_ptr<DevicePort> port);
    ~SpiDevice();
    SpiDevice(const SpiDevice&) = delete;
    SpiDevice& operator=(const SpiDevice&) = delete;

    // Opens the file and sets mode, clock and bits per word, in that order.
    Result<void> Open();
    // Sends tx and receives as many bytes into rx (of tx's size) in one transfer.
    Result<void> Transfer(std::span<const std::uint8_t> tx, std::span<std::uint8_t> rx);

    const SpiDeviceSettings& Settings() const { return settings_; }

private:
    // The file as the messages name it; a simulated chip has none of its own.
    std::string FileName() const;

    SpiDeviceSettings settings_;
    std::unique_ptr<DevicePort> port_;
    int fd_ = -1;
};

} // namespace vek

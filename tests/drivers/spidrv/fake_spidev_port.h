// Stands in for the kernel below a spidev file and records every request it is given.
#pragma once

#include "device_port.h"

#include <cerrno>
#include <cstdint>
#include <linux/spi/spidev.h>
#include <string>
#include <vector>

namespace vek::test {

struct RecordedTransfer {
    std::vector<std::uint8_t> tx;
    std::uint32_t speedHz;
    std::uint8_t bitsPerWord;
    bool operator==(const RecordedTransfer&) const = default;
};

// A setting request and its value.
struct RecordedSetting {
    unsigned long request;
    std::uint32_t value;
    bool operator==(const RecordedSetting&) const = default;
};

struct SpidevRecord {
    std::vector<std::string> openedPaths;
    int openError = 0;             // errno for the open, 0 to succeed
    unsigned long failRequest = 0; // the request that fails with requestError
    int requestError = 0;
    std::vector<RecordedSetting> settings;
    std::vector<std::uint8_t> toRead; // what the chip sends back, byte for byte of a transfer
    std::vector<RecordedTransfer> transfers;
    int closes = 0;
};

class FakeSpidevPort : public DevicePort {
public:
    explicit FakeSpidevPort(SpidevRecord& record) : record_(record) {}

    int Open(const std::string& path) override {
        record_.openedPaths.push_back(path);
        errno = record_.openError;
        return record_.openError == 0 ? 5 : -1;
    }

    int Ioctl(int, unsigned long request, void* argument) override {
        if (request == record_.failRequest) {
            errno = record_.requestError;
            return -1;
        }
        if (request == SPI_IOC_MESSAGE(1)) {
            const auto& transfer = *static_cast<const spi_ioc_transfer*>(argument);
            const auto* tx = reinterpret_cast<const std::uint8_t*>(transfer.tx_buf);
            auto* rx = reinterpret_cast<std::uint8_t*>(transfer.rx_buf);
            for (std::uint32_t i = 0; i < transfer.len; ++i) {
                rx[i] = i < record_.toRead.size() ? record_.toRead[i] : 0;
            }
            record_.transfers.push_back(
                {{tx, tx + transfer.len}, transfer.speed_hz, transfer.bits_per_word});
            return static_cast<int>(transfer.len);
        }
        const std::uint32_t value = request == SPI_IOC_WR_MAX_SPEED_HZ
                                        ? *static_cast<const std::uint32_t*>(argument)
                                        : *static_cast<const std::uint8_t*>(argument);
        record_.settings.push_back({request, value});
        return 0;
    }

    void Close(int) override { ++record_.closes; }

private:
    SpidevRecord& record_;
};

} // namespace vek::test

#include "simulated_spi_chip.h"

#include <algorithm>
#include <cerrno>
#include <linux/spi/spidev.h>

namespace vek {
namespace {

// The descriptor the simulated open hands out; it names nothing of the system.
constexpr int kSimulatedFd = 1000;

enum class Access { Read, Write, Unknown };

Access FrameAccess(const SpiConvention& convention, std::uint8_t first) {
    if (convention.kind == SpiConventionKind::Command) {
        return first == convention.readCommand    ? Access::Read
               : first == convention.writeCommand ? Access::Write
                                                  : Access::Unknown;
    }
    const unsigned flags = convention.readFlag | convention.writeFlag;
    return (first & flags) == convention.readFlag    ? Access::Read
           : (first & flags) == convention.writeFlag ? Access::Write
                                                     : Access::Unknown;
}

} // namespace

SimulatedSpiChip::SimulatedSpiChip(SpiConvention convention, std::vector<std::uint8_t> memory)
    : convention_(convention), memory_(std::move(memory)) {}

int SimulatedSpiChip::Open(const std::string& /*path*/) {
    return kSimulatedFd;
}

int SimulatedSpiChip::Ioctl(int /*fd*/, unsigned long request, void* argument) {
    if (request == SPI_IOC_MESSAGE(1)) {
        const auto& transfer = *static_cast<const spi_ioc_transfer*>(argument);
        Answer(reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(transfer.tx_buf)),
               reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(transfer.rx_buf)),
               transfer.len);
        return static_cast<int>(transfer.len);
    }
    if (request == SPI_IOC_WR_MODE || request == SPI_IOC_WR_MAX_SPEED_HZ ||
        request == SPI_IOC_WR_BITS_PER_WORD) {
        return 0;
    }
    errno = ENOTTY;
    return -1;
}

void SimulatedSpiChip::Close(int /*fd*/) {}

void SimulatedSpiChip::Answer(const std::uint8_t* tx, std::uint8_t* rx, std::size_t length) {
    std::fill(rx, rx + length, 0);
    const std::size_t command = convention_.kind == SpiConventionKind::Command ? 1 : 0;
    const std::size_t addressEnd = command + static_cast<std::size_t>(convention_.addressBytes);
    if (length <= addressEnd) {
        return;
    }
    const Access access = FrameAccess(convention_, tx[0]);
    std::size_t address = 0;
    for (std::size_t i = command; i < addressEnd; ++i) {
        std::uint8_t byte = tx[i];
        if (i == command && convention_.kind == SpiConventionKind::ReadFlag) {
            byte &= static_cast<std::uint8_t>(~(convention_.readFlag | convention_.writeFlag));
        }
        address = (address << 8) | byte;
    }
    address %= memory_.size();
    if (access == Access::Read) {
        for (std::size_t i = addressEnd + static_cast<std::size_t>(convention_.dummyBytes);
             i < length; ++i) {
            rx[i] = memory_[address];
            address = (address + 1) % memory_.size();
        }
    } else if (access == Access::Write) {
        for (std::size_t i = addressEnd; i < length; ++i) {
            memory_[address] = tx[i];
            address = (address + 1) % memory_.size();
        }
    }
}

} // namespace vek

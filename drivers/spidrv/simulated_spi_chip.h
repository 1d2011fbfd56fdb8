// A simulated SPI chip in place of the kernel's spidev: it accepts the settings of an open and
// answers each transfer from its register memory as a chip of the configured convention does.
#pragma once

#include "device_port.h"
#include "spi_settings.h"

#include <cstdint>
#include <vector>

namespace vek {

class SimulatedSpiChip : public DevicePort {
public:
    // memory must not be empty.
    SimulatedSpiChip(SpiConvention convention, std::vector<std::uint8_t> memory);

    int Open(const std::string& path) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;
    void Close(int fd) override;

    const std::vector<std::uint8_t>& Memory() const { return memory_; }

private:
    // A read puts the registers from the address on into the bytes after the dummy bytes; a
    // write stores the bytes after the address. The address moves on with every byte and wraps
    // at the end of memory, as register chips and EEPROMs do. A frame the convention does not
    // know (a wrong command, flag bits of neither kind) leaves memory alone and reads zeros.
    void Answer(const std::uint8_t* tx, std::uint8_t* rx, std::size_t length);

    SpiConvention convention_;
    std::vector<std::uint8_t> memory_;
};

} // namespace vek

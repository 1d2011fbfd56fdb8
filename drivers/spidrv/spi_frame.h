// The bytes of one register access as a chip's convention has them on the wire: the command or
// the flagged address, then (a read) dummy bytes and room for the data, or (a write) the data.
#pragma once

#include "platform/result.h"
#include "spi_settings.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vek {

// Whether the register address fits the convention: within its address bytes and, with flags,
// clear of the flag bits of the first byte.
Result<void> CheckRegister(const SpiConvention& convention, std::uint64_t reg);

std::vector<std::uint8_t> WriteFrame(const SpiConvention& convention, std::uint64_t reg,
                                     std::uint32_t value, int dataLen);

struct ReadFrame {
    std::vector<std::uint8_t> bytes; // the address part, then zeros
    std::size_t dataOffset;          // where the data comes back
};
ReadFrame MakeReadFrame(const SpiConvention& convention, std::uint64_t reg, int dataLen);

// The value of data bytes received in the convention's byte order.
std::uint32_t DataValue(const SpiConvention& convention, std::span<const std::uint8_t> data);

} // namespace vek

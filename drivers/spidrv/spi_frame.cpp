#include "spi_frame.h"

#include "spi_messages.h"

namespace vek {
namespace {

unsigned FlagBits(const SpiConvention& convention) {
    return convention.kind == SpiConventionKind::ReadFlag
               ? static_cast<unsigned>(convention.readFlag | convention.writeFlag)
               : 0u;
}

std::vector<std::uint8_t> AddressPart(const SpiConvention& convention, std::uint64_t reg,
                                      bool read) {
    std::vector<std::uint8_t> bytes;
    if (convention.kind == SpiConventionKind::Command) {
        bytes.push_back(read ? convention.readCommand : convention.writeCommand);
    }
    for (int i = convention.addressBytes - 1; i >= 0; --i) {
        bytes.push_back(static_cast<std::uint8_t>(reg >> (8 * i)));
    }
    if (convention.kind == SpiConventionKind::ReadFlag && !bytes.empty()) {
        bytes.front() |= read ? convention.readFlag : convention.writeFlag;
    }
    return bytes;
}

} // namespace

Result<void> CheckRegister(const SpiConvention& convention, std::uint64_t reg) {
    const int bits = 8 * convention.addressBytes;
    if (bits < 64 && (reg >> bits) != 0) {
        return Failure{1, RegisterTooWideText(reg, convention.addressBytes)};
    }
    const unsigned flags = FlagBits(convention);
    if (bits > 0 && ((reg >> (bits - 8)) & flags) != 0) {
        return Failure{1, FlagOverlapText(reg, flags)};
    }
    return {};
}

std::vector<std::uint8_t> WriteFrame(const SpiConvention& convention, std::uint64_t reg,
                                     std::uint32_t value, int dataLen) {
    std::vector<std::uint8_t> bytes = AddressPart(convention, reg, false);
    for (int i = 0; i < dataLen; ++i) {
        const int byte = convention.byteOrder == WireOrder::MsbFirst ? dataLen - 1 - i : i;
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * byte)));
    }
    return bytes;
}

ReadFrame MakeReadFrame(const SpiConvention& convention, std::uint64_t reg, int dataLen) {
    ReadFrame frame{AddressPart(convention, reg, true), 0};
    frame.dataOffset = frame.bytes.size() + static_cast<std::size_t>(convention.dummyBytes);
    frame.bytes.resize(frame.dataOffset + static_cast<std::size_t>(dataLen), 0);
    return frame;
}

std::uint32_t DataValue(const SpiConvention& convention, std::span<const std::uint8_t> data) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t byte =
            convention.byteOrder == WireOrder::MsbFirst ? data.size() - 1 - i : i;
        value |= static_cast<std::uint32_t>(data[i]) << (8 * byte);
    }
    return value;
}

} // namespace vek

#include "spi_messages.h"

#include "platform/number_text.h"

#include <cstring>

namespace vek {

std::string AddressText(int addrLen, const unsigned char* addr) {
    std::string text = "0x";
    for (int i = addrLen - 1; i >= 0; --i) {
        text += HexText(addr[i], 2);
    }
    return text;
}

namespace {

// A register address in whole bytes of hexadecimal digits.
std::string RegisterHex(std::uint64_t reg) {
    std::string digits = HexText(reg, 2);
    return digits.size() % 2 == 0 ? digits : "0" + digits;
}

} // namespace

std::string NoDeviceText(const std::string& address) {
    return "no SPI device for address " + address;
}

std::string NoDeviceDetail(const std::string& address, int deviceNumber) {
    return NoDeviceText(address) + ": spidrv.ini has no [Device" + std::to_string(deviceNumber) +
           "]";
}

std::string RegisterTooWideText(std::uint64_t reg, int addressBytes) {
    return "register 0x" + RegisterHex(reg) + " exceeds " + std::to_string(addressBytes) +
           (addressBytes == 1 ? " address byte" : " address bytes");
}

std::string FlagOverlapText(std::uint64_t reg, unsigned flags) {
    return "register 0x" + RegisterHex(reg) + " overlaps flag bits 0x" + HexText(flags, 2);
}

std::string OpenFailedText(const std::string& deviceFile, int error) {
    return deviceFile + ": " + std::strerror(error);
}

std::string SetupFailedText(const std::string& deviceFile, const std::string& setting, int error) {
    return deviceFile + ": " + setting + ": " + std::strerror(error);
}

std::string TransferFailedText(int error) {
    return std::string("SPI transfer failed: ") + std::strerror(error);
}

std::string DeviceDetail(const std::string& section, const std::string& text) {
    return section + ": " + text;
}

} // namespace vek

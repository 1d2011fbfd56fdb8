// Every text the SPI driver reports: its status texts, which the program cuts to 51 characters
// and so are kept short, and the fuller lines it writes to standard error.
#pragma once

#include <cstdint>
#include <string>

namespace vek {

inline constexpr const char* kNoErrorText = "No error";
inline constexpr const char* kNotOpenText = "driver is not open";
inline constexpr const char* kBadLengthText = "unsupported address or data length";
// Before every line on standard error.
inline constexpr const char* kErrorLinePrefix = "spidrv: ";

// An address as the program shows it: "0x", then the bytes from the most significant down.
std::string AddressText(int addrLen, const unsigned char* addr);

std::string NoDeviceText(const std::string& address);
// The line for standard error, naming the section the file lacks.
std::string NoDeviceDetail(const std::string& address, int deviceNumber);
std::string RegisterTooWideText(std::uint64_t reg, int addressBytes);
std::string FlagOverlapText(std::uint64_t reg, unsigned flags);

// "<file>: <reason>", the reason from errno.
std::string OpenFailedText(const std::string& deviceFile, int error);
// A setting the kernel refused at the open, e.g. "mode 3".
std::string SetupFailedText(const std::string& deviceFile, const std::string& setting, int error);
std::string TransferFailedText(int error);

// A device's fault on standard error: its section first.
std::string DeviceDetail(const std::string& section, const std::string& text);

} // namespace vek

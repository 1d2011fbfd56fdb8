// Every text the memory-mapped register driver reports, in one place. A status text has room for
// kStatusChars characters; the texts that name a register or a number fit it, and one that names
// a long device path has the path shortened by FitStatus.
#pragma once

#include "vekdriver.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

inline constexpr std::size_t kStatusChars = VEK_STATUS_TEXT_SIZE - 1;

inline constexpr const char* kNotOpenText = "driver is not open";
inline constexpr const char* kNoAddressText = "no address bytes";
inline constexpr const char* kNoValueText = "no room for the value";
inline constexpr const char* kNoSizeText = "no Size in [Region]";
inline constexpr const char* kRelativeDeviceText = "Device must be an absolute path";
inline constexpr const char* kNotMappableText = "the file offers no mapping";

std::string AddressLengthText(int addrLen);
std::string DataLengthText(int dataLen);
// `address` as the program shows it: "0x" and two digits per address byte.
std::string AddressText(std::uint64_t address, int addrLen);
std::string NotAlignedText(const std::string& address, int width);
std::string OutsideRegionText(const std::string& address);

std::string NotPageAlignedText(std::string_view key, std::int64_t value);
std::string CannotOpenText(std::string_view path, int error);
std::string CannotMapText(std::string_view path, int error);
std::string PastEndText(std::string_view path, std::int64_t fileBytes);

// `text` cut to the room of a status text. When it is too long and names `path`, the front of
// the path gives way to "...", so that the reason after it stays readable.
std::string FitStatus(const std::string& text, std::string_view path);

} // namespace vek

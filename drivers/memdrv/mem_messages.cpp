#include "mem_messages.h"

#include "mem_limits.h"
#include "platform/number_text.h"

#include <cerrno>
#include <cstring>

namespace vek {
namespace {

constexpr std::string_view kEllipsis = "...";

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

std::string Reason(int error) {
    // A mapping the file's driver does not offer fails with ENODEV, whose text ("No such
    // device") reads as if the file were missing.
    return error == ENODEV ? kNotMappableText : std::strerror(error);
}

} // namespace

std::string AddressLengthText(int addrLen) {
    return "address length " + Number(addrLen) + ": 1 to " + Number(kMaxAddressBytes) +
           " bytes only";
}

std::string DataLengthText(int dataLen) {
    return "data length " + Number(dataLen) + ": registers are 1, 2 or 4 bytes";
}

std::string AddressText(std::uint64_t address, int addrLen) {
    return "0x" + HexText(address, 2 * static_cast<std::size_t>(addrLen));
}

std::string NotAlignedText(const std::string& address, int width) {
    return address + " is not aligned to " + Number(width) + " bytes";
}

std::string OutsideRegionText(const std::string& address) {
    return address + " is outside the mapped region";
}

std::string NotPageAlignedText(std::string_view key, std::int64_t value) {
    return std::string(key) + " 0x" + HexText(static_cast<std::uint64_t>(value), 1) +
           " is not page aligned";
}

std::string CannotOpenText(std::string_view path, int error) {
    return "cannot open " + std::string(path) + ": " + Reason(error);
}

std::string CannotMapText(std::string_view path, int error) {
    return "cannot map " + std::string(path) + ": " + Reason(error);
}

std::string PastEndText(std::string_view path, std::int64_t fileBytes) {
    return "region past the end of " + std::string(path) + " (" + Number(fileBytes) + " bytes)";
}

std::string FitStatus(const std::string& text, std::string_view path) {
    if (text.size() <= kStatusChars) {
        return text;
    }
    const std::size_t at = path.empty() ? std::string::npos : text.find(path);
    const std::size_t rest = text.size() - path.size() + kEllipsis.size();
    if (at == std::string::npos || rest >= kStatusChars) {
        return text.substr(0, kStatusChars);
    }
    const std::string_view tail = path.substr(path.size() - (kStatusChars - rest));
    return text.substr(0, at) + std::string(kEllipsis) + std::string(tail) +
           text.substr(at + path.size());
}

} // namespace vek

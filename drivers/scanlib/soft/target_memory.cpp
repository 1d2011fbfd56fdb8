#include "target_memory.h"

#include "platform/file_replacement.h"
#include "platform/text_file.h"

#include <cerrno>
#include <cstdio>
#include <sstream>

namespace bsx4810 {

namespace {

// File lines: TAP port, address in hexadecimal (most significant digit first), value.
std::string AddressText(const TargetAddress& address) {
    if (address.empty())
        return "0";
    std::string text;
    char digits[3];
    for (auto byte = address.rbegin(); byte != address.rend(); ++byte) {
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(*byte));
        text += digits;
    }
    return text;
}

bool ParseAddress(const std::string& text, TargetAddress& address) {
    if (text.empty() || text.size() > 64)
        return false;
    address.clear();
    for (size_t end = text.size(); end > 0; end = end >= 2 ? end - 2 : 0) {
        const size_t begin = end >= 2 ? end - 2 : 0;
        unsigned value = 0;
        for (size_t i = begin; i < end; ++i) {
            const char c = text[i];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        address.push_back(static_cast<char>(value));
    }
    while (!address.empty() && address.back() == 0)
        address.pop_back();
    return true;
}

} // namespace

vek::Result<void> CTargetMemory::ShareThrough(std::string path) {
    file_ = std::move(path);
    return file_.empty() ? vek::Result<void>() : Load();
}

uint32_t CTargetMemory::Read(int port, const TargetAddress& address) const {
    const auto& registers = ports_.at(port - 1);
    const auto found = registers.find(address);
    return found == registers.end() ? 0 : found->second;
}

vek::Result<void> CTargetMemory::Write(int port, const TargetAddress& address, uint32_t value) {
    ports_.at(port - 1)[address] = value;
    return file_.empty() ? vek::Result<void>() : Save();
}

vek::Result<void> CTargetMemory::Load() {
    for (auto& registers : ports_)
        registers.clear();
    vek::Result<std::string> text = vek::ReadTextFile(file_, vek::kTargetFileLimit);
    if (!text) {
        // A target nobody wrote yet is empty.
        if (text.Error().code == ENOENT)
            return {};
        return vek::Failure{text.Error().code, file_ + ": " + text.Error().text};
    }
    std::istringstream in(std::move(text).Value());
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int port = 0;
        std::string addressText;
        uint32_t value = 0;
        TargetAddress address;
        // Lines that are not register lines (the heading, damage) are passed over.
        if (fields >> port >> addressText >> std::hex >> value && (port == 1 || port == 2) &&
            ParseAddress(addressText, address))
            ports_[port - 1][address] = value;
    }
    return {};
}

vek::Result<void> CTargetMemory::Save() const {
    std::string text = "# BSX4810 software target: port address value\n";
    for (int port = 1; port <= 2; ++port) {
        for (const auto& [address, value] : ports_[port - 1]) {
            char valueText[9];
            std::snprintf(valueText, sizeof valueText, "%08x", value);
            text += std::to_string(port) + ' ' + AddressText(address) + ' ' + valueText + '\n';
        }
    }
    return vek::ReplaceFile(file_, text);
}

} // namespace bsx4810

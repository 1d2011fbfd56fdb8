#include "target_memory.h"

#include "platform/file_replacement.h"
#include "platform/text_file.h"

#include <cerrno>
#include <cstdio>
#include <sstream>
#include <vector>

namespace bsx4810 {

namespace {

constexpr size_t kValueDigits = 8;
// Disks write a sector whole or not at all; a value within one survives a crash of the system
// old or new, never half of each.
constexpr size_t kSectorBytes = 512;

bool WithinOneSector(size_t offset) {
    return offset / kSectorBytes == (offset + kValueDigits - 1) / kSectorBytes;
}

std::string ValueDigits(uint32_t value) {
    char digits[kValueDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", value);
    return digits;
}

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

std::string RegisterLine(int port, const TargetAddress& address, uint32_t value) {
    return std::to_string(port) + ' ' + AddressText(address) + ' ' + ValueDigits(value);
}

} // namespace

vek::Result<void> CTargetMemory::ShareThrough(std::string path) {
    if (path != file_)
        open_.reset();
    file_ = std::move(path);
    return file_.empty() ? vek::Result<void>() : Load();
}

uint32_t CTargetMemory::Read(int port, const TargetAddress& address) const {
    const auto& registers = ports_.at(port - 1);
    const auto found = registers.find(address);
    return found == registers.end() ? 0 : found->second.value;
}

vek::Result<void> CTargetMemory::Write(int port, const TargetAddress& address, uint32_t value) {
    Register& changed = ports_.at(port - 1)[address];
    changed.value = value;
    if (file_.empty())
        return {};
    vek::Result<void> kept = changed.offset == kNotInFile ? Replace() : WriteInPlace(changed);
    // The registers in memory are no longer the file's: the next device open reads it again.
    if (!kept)
        open_.reset();
    return kept;
}

vek::Result<void> CTargetMemory::Load() {
    // What this program last read or wrote is the file still, unless another program has
    // changed it since.
    if (open_ && open_->Unchanged(file_))
        return {};
    open_.reset();
    for (auto& registers : ports_)
        registers.clear();
    vek::Result<std::string> text = vek::ReadTextFile(file_, vek::kTargetFileLimit);
    if (!text) {
        // A target nobody wrote yet is empty.
        if (text.Error().code == ENOENT)
            return {};
        return vek::Failure{text.Error().code, file_ + ": " + text.Error().text};
    }
    const std::string& contents = text.Value();
    for (size_t start = 0; start < contents.size();) {
        const size_t newline = contents.find('\n', start);
        const size_t end = newline == std::string::npos ? contents.size() : newline;
        const std::string line = contents.substr(start, end - start);
        std::istringstream fields(line);
        int port = 0;
        std::string addressText;
        uint32_t value = 0;
        TargetAddress address;
        // Lines that are not register lines (the heading, damage) are passed over. A value is
        // written in place only over a line as this program writes it; any other line of the
        // register is replaced with the whole file.
        if (fields >> port >> addressText >> std::hex >> value && (port == 1 || port == 2) &&
            ParseAddress(addressText, address)) {
            const size_t offset = end - kValueDigits;
            const bool ownLine =
                line == RegisterLine(port, address, value) && WithinOneSector(offset);
            ports_[port - 1][address] = {value, ownLine ? offset : kNotInFile};
        }
        start = end + 1;
    }
    // Open now, so that the next device open can tell whether the file changed meanwhile; a file
    // that may not be written is refused at the first register write instead.
    if (vek::Result<vek::FileInPlace> opened = vek::FileInPlace::Open(file_); opened)
        open_.emplace(std::move(opened).Value());
    return {};
}

vek::Result<void> CTargetMemory::WriteInPlace(const Register& changed) {
    if (!open_) {
        vek::Result<vek::FileInPlace> opened = vek::FileInPlace::Open(file_);
        // A file removed since it was loaded is made again, whole.
        if (!opened && opened.Error().code == ENOENT)
            return Replace();
        if (!opened)
            return opened.Error();
        open_.emplace(std::move(opened).Value());
    }
    return open_->WriteAt(static_cast<off_t>(changed.offset), ValueDigits(changed.value));
}

vek::Result<void> CTargetMemory::Replace() {
    std::string text = "# BSX4810 software target: port address value\n";
    std::vector<size_t> offsets;
    for (int port = 1; port <= 2; ++port) {
        for (const auto& [address, reg] : ports_[port - 1]) {
            text += RegisterLine(port, address, reg.value);
            offsets.push_back(text.size() - kValueDigits);
            text += '\n';
        }
    }
    open_.reset();
    if (vek::Result<void> replaced = vek::ReplaceFile(file_, text); !replaced)
        return replaced;
    auto offset = offsets.begin();
    for (auto& registers : ports_) {
        for (auto& [address, reg] : registers) {
            reg.offset = WithinOneSector(*offset) ? *offset : kNotInFile;
            ++offset;
        }
    }
    if (vek::Result<vek::FileInPlace> opened = vek::FileInPlace::Open(file_); opened)
        open_.emplace(std::move(opened).Value());
    return {};
}

} // namespace bsx4810

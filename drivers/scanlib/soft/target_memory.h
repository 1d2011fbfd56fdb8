// The registers behind the JTAG register blocks of the software TAP, one map per TAP port.
// They live in the process's memory; when a shared file is named they are loaded from it at each
// device open (unless the file is as this process last left it) and written to it at each
// register write, so several processes, which take the controller one at a time, see one target.
// A new value of a register the file holds is written over its old digits in place; a register
// the file does not hold yet replaces the file whole. Either way a reader sees every line whole.
#pragma once

#include "platform/file_in_place.h"
#include "platform/result.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace bsx4810 {

// Address bytes, least significant first, without high zero bytes (so 0x05 and 0x0005 name the
// same register).
using TargetAddress = std::string;

class CTargetMemory {
public:
    // An empty path keeps the registers in memory only. A missing file is an empty target; one
    // that cannot be read (or is larger than kTargetFileLimit) fails with the reason, and the
    // target is then empty.
    vek::Result<void> ShareThrough(std::string path);

    uint32_t Read(int port, const TargetAddress& address) const;
    // Fails with the reason when the shared file could not be written (the register's line is
    // then as it was).
    vek::Result<void> Write(int port, const TargetAddress& address, uint32_t value);

private:
    struct Register {
        uint32_t value = 0;
        // Where the value's digits lie in the file, or kNotInFile.
        size_t offset = kNotInFile;
    };
    static constexpr size_t kNotInFile = static_cast<size_t>(-1);

    vek::Result<void> Load();
    vek::Result<void> WriteInPlace(const Register& changed);
    vek::Result<void> Replace();

    std::string file_;
    std::array<std::map<TargetAddress, Register>, 2> ports_; // TAP ports 1 and 2
    // The file as last loaded or replaced, open for values written in place.
    std::optional<vek::FileInPlace> open_;
};

} // namespace bsx4810

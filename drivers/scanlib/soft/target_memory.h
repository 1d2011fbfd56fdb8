// The registers behind the JTAG register blocks of the software TAP, one map per TAP port.
// They live in the process's memory; when a shared file is named they are loaded from it at each
// device open and written back after each register write, so several processes, which take the
// controller one at a time, see one target.
#pragma once

#include "platform/result.h"

#include <array>
#include <cstdint>
#include <map>
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
    // Fails with the reason when the shared file could not be written (it is replaced whole,
    // never half-written).
    vek::Result<void> Write(int port, const TargetAddress& address, uint32_t value);

private:
    vek::Result<void> Load();
    vek::Result<void> Save() const;

    std::string file_;
    std::array<std::map<TargetAddress, uint32_t>, 2> ports_; // TAP ports 1 and 2
};

} // namespace bsx4810

#include "cli/transfer_trace.h"

#include "model/shadow_reg.h"
#include "model/transfer_log.h"

namespace vek {

std::string TraceLine(const CShadowReg& reg, UpdateCode direction, bool done) {
    const bool write = direction == UpdateCode::Write;
    std::string line = write ? "W " : "R ";
    line += reg.AddressText();
    // A read that failed brought no value.
    if (write || done)
        line += " " + TransferValueText(reg.GetValue(), reg.GetDataLength(), 16);
    else
        line += " -";
    line += done ? " ok" : " failed: " + reg.GetLastError();
    return line;
}

} // namespace vek

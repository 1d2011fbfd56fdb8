#include "cli/transfer_trace.h"

#include "model/shadow_reg.h"
#include "platform/number_text.h"

namespace vek {

std::string TraceLine(const CShadowReg& reg, UpdateCode direction, bool done) {
    const bool write = direction == UpdateCode::Write;
    std::string line = write ? "W " : "R ";
    line += reg.AddressText();
    // A read that failed brought no value.
    if (write || done)
        line += " 0x" + HexText(reg.GetValue(), 2U * reg.GetDataLength());
    else
        line += " -";
    line += done ? " ok" : " failed: " + reg.GetLastError();
    return line;
}

} // namespace vek

#include "cli/write_verifier.h"

#include "cli/item_lookup.h"
#include "cli/value_argument.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_reads.h"

#include <ostream>

namespace vek {

void WriteVerifier::Check(CShadowReg& reg) {
    // A read back would change the chip (pop the FIFO just written): taken on trust.
    if ((reg.GetAccessType() != AccessType::Both && reg.GetAccessType() != AccessType::Prot) ||
        PassedOverReads::Leaves(reg))
        return;
    const int bits = 8 * reg.GetDataLength();
    const std::uint32_t defined = reg.GetMask() & (0xFFFFFFFFu >> (32 - bits));
    const std::uint32_t wrote = reg.GetValue();
    const std::string where = "vek: verify " + RegisterName(reg) + " " + reg.AddressText() + ": ";
    if (!reg.Read({})) {
        err_ << where << "cannot read back: " << reg.GetLastError() << '\n';
        ++failures_;
        return;
    }
    const std::uint32_t readBack = reg.GetValue();
    if (((wrote ^ readBack) & defined) != 0) {
        err_ << where << "wrote " << HexValueText(wrote & defined, bits) << ", read back "
             << HexValueText(readBack & defined, bits) << '\n';
        ++failures_;
    }
}

} // namespace vek

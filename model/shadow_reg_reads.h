// Read Now over one device's registers. A driver that offers VekGetRegs gets each run of
// registers that it would read one by one, of one shape, in one call; a run it cannot read whole
// is read again register by register, so that every failure is a register's own.
#pragma once

#include "model/register_codes.h"
#include "model/shadow_reg_list.h"

#include <functional>

namespace vek {

// Reads every register of the list as CShadowReg::Read(flags) does, in list order; `failed` is
// called for each register whose read failed, with its error set.
void ReadRegisters(const ShadowRegList& registers, TransferFlags flags,
                   const std::function<void(const CShadowReg&)>& failed);

} // namespace vek

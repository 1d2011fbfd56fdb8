// Read Now over one device's registers. A driver that offers VekGetRegs gets each run of
// registers that it would read one by one, of one shape, in one call; a run it cannot read whole
// is read again register by register, so that every failure is a register's own. Registers whose
// read changes the chip are passed over: only a read of that one register reads it.
#pragma once

#include "model/register_codes.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"

#include <functional>
#include <span>
#include <string>

namespace vek {

// What the reads of one operation passed over, said once when the operation ends.
class PassedOverReads {
public:
    // Whether a read of many registers leaves the register out.
    static bool Leaves(const CShadowReg& reg) { return reg.HasReadEffects(); }
    // Leaves(reg), counting each register left out.
    bool PassOver(const CShadowReg& reg);
    int Count() const { return count_; }
    // The line that tells the user; empty when nothing was passed over.
    std::string Notice() const;

private:
    int count_ = 0;
};

// Reads every register of the list as CShadowReg::Read(flags) does, in list order, but those
// that `passedOver` leaves out; `failed` is called for each register whose read failed, with its
// error set.
void ReadRegisters(const ShadowRegList& registers, TransferFlags flags, PassedOverReads& passedOver,
                   const std::function<void(const CShadowReg&)>& failed);
// The same for registers gathered from anywhere (a live refresh's): runs form where neighbours
// of the span share a driver and a shape.
void ReadRegisters(std::span<CShadowReg* const> registers, TransferFlags flags,
                   PassedOverReads& passedOver,
                   const std::function<void(const CShadowReg&)>& failed);

} // namespace vek

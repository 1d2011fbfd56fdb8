// One round of a live refresh: the shadow registers of the items the user chose, read again in
// slices so that the window can draw between them.
#pragma once

#include "model/register_codes.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vek {

class CLineItem;
class CShadowReg;

class RefreshRound {
public:
    // Adds the shadow registers that hold the item's value (a register's parts, a bit field's
    // register) to `registers`; other items hold none.
    static void AddRegistersOf(const CLineItem& item, std::vector<CShadowReg*>& registers);

    // Each register once, in driver, device and address order so that a driver reads runs of
    // them in one call. A register whose read changes the chip is never read by a refresh; a
    // WRITE register has nothing to read.
    explicit RefreshRound(std::vector<CShadowReg*> registers);

    // Reads the next `count` registers (fewer at the end of the round) as Read Now does. True
    // once every register of the round was read.
    bool ReadNext(std::size_t count, TransferFlags flags);
    bool Done() const { return next_ == registers_.size(); }

    // The registers the round reads, and those it passes over for their read side effects.
    std::size_t Size() const { return registers_.size(); }
    int PassedOver() const { return passedOver_; }
    // The reads that failed so far, and the error of the last one.
    int Failures() const { return failures_; }
    const std::string& LastError() const { return lastError_; }

private:
    std::vector<CShadowReg*> registers_;
    std::size_t next_ = 0;
    int passedOver_ = 0;
    int failures_ = 0;
    std::string lastError_;
};

} // namespace vek

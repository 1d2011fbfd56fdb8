#pragma once

#include "model/register_codes.h"
#include "model/shadow_reg.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vek {

// The shadow registers of one device, kept in ascending order of address so that the registers
// that can overlap a given one (at most 3 addresses away) are found by binary search.
class ShadowRegList {
public:
    ShadowRegList() = default;
    ShadowRegList(const ShadowRegList&) = delete;
    ShadowRegList& operator=(const ShadowRegList&) = delete;

    // Places the register after every register whose address is lower or equal, and makes it
    // point at this list. Returns it.
    CShadowReg* Insert(std::unique_ptr<CShadowReg> reg);
    // Inserts many registers at once, as if each were inserted in the order given, in n log n.
    void InsertAll(std::vector<std::unique_ptr<CShadowReg>> regs);
    // The register with these address bytes (the first length bytes), data length and access
    // type, or null.
    CShadowReg* Find(const uint8_t* address, uint16_t length, uint16_t dataLength,
                     AccessType access) const;

    // False while no register of the device spans several addresses: then none shares bytes
    // with another.
    bool MayOverlap() const { return mayOverlap_; }

    std::size_t Size() const { return regs_.size(); }
    CShadowReg& operator[](std::size_t i) const { return *regs_[i]; }

    // Calls f(reg) for every register whose address number lies within `reach` of `number`, in
    // list order.
    template <class F>
    void ForEachNear(uint64_t number, uint64_t reach, F&& f) const {
        const uint64_t low = number >= reach ? number - reach : 0;
        const uint64_t high = number <= UINT64_MAX - reach ? number + reach : UINT64_MAX;
        for (std::size_t i = LowerBound(low); i < regs_.size() && Key(i) <= high; ++i) {
            f(*regs_[i]);
        }
    }

private:
    uint64_t Key(std::size_t i) const;
    std::size_t LowerBound(uint64_t number) const;
    std::size_t UpperBound(uint64_t number) const;

    std::vector<std::unique_ptr<CShadowReg>> regs_;
    bool mayOverlap_ = false;
};

} // namespace vek

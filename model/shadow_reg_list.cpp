#include "model/shadow_reg_list.h"

#include "model/bits.h"
#include "model/shadow_reg.h"

#include <algorithm>
#include <cstring>

namespace vek {

uint64_t ShadowRegList::Key(std::size_t i) const {
    return regs_[i]->AddressNumber();
}

std::size_t ShadowRegList::LowerBound(uint64_t number) const {
    std::size_t low = 0;
    std::size_t high = regs_.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (Key(mid) < number) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low;
}

std::size_t ShadowRegList::UpperBound(uint64_t number) const {
    std::size_t low = 0;
    std::size_t high = regs_.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (Key(mid) <= number) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low;
}

CShadowReg* ShadowRegList::Insert(std::unique_ptr<CShadowReg> reg) {
    CShadowReg* added = reg.get();
    added->SetDeviceList(this);
    mayOverlap_ = mayOverlap_ || added->SpansAddresses();
    const std::size_t at = UpperBound(added->AddressNumber());
    regs_.insert(regs_.begin() + static_cast<std::ptrdiff_t>(at), std::move(reg));
    return added;
}

void ShadowRegList::InsertAll(std::vector<std::unique_ptr<CShadowReg>> regs) {
    for (auto& reg : regs) {
        reg->SetDeviceList(this);
        mayOverlap_ = mayOverlap_ || reg->SpansAddresses();
        regs_.push_back(std::move(reg));
    }
    // Stable: registers of one address keep the order in which they came.
    std::stable_sort(regs_.begin(), regs_.end(), [](const auto& a, const auto& b) {
        return a->AddressNumber() < b->AddressNumber();
    });
}

CShadowReg* ShadowRegList::Find(const uint8_t* address, uint16_t length, uint16_t dataLength,
                                AccessType access) const {
    const uint16_t compared = std::min<uint16_t>(length, 8);
    const uint64_t number = AddressNumber(address, compared);
    for (std::size_t i = LowerBound(number); i < regs_.size() && Key(i) == number; ++i) {
        CShadowReg& reg = *regs_[i];
        if (std::memcmp(reg.AddressBytes().data(), address, compared) == 0 &&
            reg.GetDataLength() == dataLength && reg.GetAccessType() == access) {
            return &reg;
        }
    }
    return nullptr;
}

} // namespace vek

#include "model/refresh_round.h"

#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_reads.h"

#include <algorithm>
#include <span>
#include <tuple>

namespace vek {

void RefreshRound::AddRegistersOf(const CLineItem& item, std::vector<CShadowReg*>& registers) {
    if (item.GetKind() == ItemKind::Register) {
        const auto& reg = static_cast<const CByteItem&>(item);
        for (std::size_t k = 0; k < reg.GetPartCount(); ++k) {
            if (CShadowReg* shadow = reg.GetPart(k).shadow)
                registers.push_back(shadow);
        }
    } else if (item.GetKind() == ItemKind::BitField) {
        if (CShadowReg* shadow = static_cast<const CBitItem&>(item).GetShadowReg())
            registers.push_back(shadow);
    }
}

RefreshRound::RefreshRound(std::vector<CShadowReg*> registers) : registers_(std::move(registers)) {
    // The register itself decides among registers of one address, so that repeats end up side
    // by side.
    const auto key = [](const CShadowReg* r) {
        return std::make_tuple(r->GetDriver(), r->GetDeviceName(), r->AddressNumber(), r);
    };
    std::sort(registers_.begin(), registers_.end(),
              [&key](const CShadowReg* a, const CShadowReg* b) { return key(a) < key(b); });
    registers_.erase(std::unique(registers_.begin(), registers_.end()), registers_.end());
    std::erase_if(registers_, [this](const CShadowReg* r) {
        if (r->GetAccessType() == AccessType::Write)
            return true;
        if (!PassedOverReads::Leaves(*r))
            return false;
        ++passedOver_;
        return true;
    });
}

bool RefreshRound::ReadNext(std::size_t count, TransferFlags flags) {
    const std::size_t end = std::min(registers_.size(), next_ + count);
    PassedOverReads none;
    ReadRegisters(std::span<CShadowReg* const>(registers_.data() + next_, end - next_), flags, none,
                  [this](const CShadowReg& failed) {
                      ++failures_;
                      lastError_ = failed.GetLastError();
                  });
    next_ = end;
    return Done();
}

} // namespace vek

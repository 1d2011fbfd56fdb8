#include "model/shadow_reg_reads.h"

#include "model/driver_entry_points.h"
#include "model/run_limits.h"

#include <vector>

namespace vek {
namespace {

bool SameShape(const CShadowReg& a, const CShadowReg& b) {
    return a.GetDriver() == b.GetDriver() && a.GetAddressLength() == b.GetAddressLength() &&
           a.GetDataLength() == b.GetDataLength();
}

// The end of the run that starts at `first`: registers of its shape that the driver would read,
// up to one that is passed over.
std::size_t RunEnd(const ShadowRegList& registers, std::size_t first, TransferFlags flags) {
    const CShadowReg& head = registers[first];
    std::size_t end = first + 1;
    if (!head.ReadsThroughDriver(flags) || head.GetDriver()->readMany == nullptr ||
        head.GetAddressLength() == 0) {
        return end;
    }
    while (end < registers.Size() && end - first < static_cast<std::size_t>(kMaxReadRun) &&
           registers[end].ReadsThroughDriver(flags) && SameShape(head, registers[end]) &&
           !PassedOverReads::Leaves(registers[end])) {
        ++end;
    }
    return end;
}

bool ReadRun(const ShadowRegList& registers, std::size_t first, std::size_t end) {
    const CShadowReg& head = registers[first];
    const std::size_t addrLen = head.GetAddressLength();
    std::vector<unsigned char> addresses;
    addresses.reserve((end - first) * addrLen);
    for (std::size_t i = first; i < end; ++i) {
        const auto& bytes = registers[i].AddressBytes();
        addresses.insert(addresses.end(), bytes.begin(), bytes.begin() + addrLen);
    }
    std::vector<uint32_t> data(end - first, 0);
    if (head.GetDriver()->readMany(static_cast<int>(end - first), static_cast<int>(addrLen),
                                   head.GetDataLength(), addresses.data(), data.data()) == 0) {
        return false;
    }
    for (std::size_t i = first; i < end; ++i) {
        registers[i].TakeRead(data[i - first]);
    }
    return true;
}

} // namespace

bool PassedOverReads::PassOver(const CShadowReg& reg) {
    if (!Leaves(reg))
        return false;
    ++count_;
    return true;
}

std::string PassedOverReads::Notice() const {
    if (count_ == 0)
        return {};
    if (count_ == 1)
        return "1 register with read side effects was not read; read it one by one";
    return std::to_string(count_) +
           " registers with read side effects were not read; read them one by one";
}

void ReadRegisters(const ShadowRegList& registers, TransferFlags flags, PassedOverReads& passedOver,
                   const std::function<void(const CShadowReg&)>& failed) {
    std::size_t first = 0;
    while (first < registers.Size()) {
        if (passedOver.PassOver(registers[first])) {
            ++first;
            continue;
        }
        const std::size_t end = RunEnd(registers, first, flags);
        if (end - first < 2 || !ReadRun(registers, first, end)) {
            for (std::size_t i = first; i < end; ++i) {
                if (!registers[i].Read(flags)) {
                    failed(registers[i]);
                }
            }
        }
        first = end;
    }
}

} // namespace vek

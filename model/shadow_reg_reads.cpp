#include "model/shadow_reg_reads.h"

#include "model/driver_entry_points.h"
#include "model/run_limits.h"

#include <vector>

namespace vek {
namespace {

// The registers read, by position: a device's list or a span of registers from anywhere.
class Registers {
public:
    explicit Registers(const ShadowRegList& list) : list_(&list) {}
    explicit Registers(std::span<CShadowReg* const> span) : span_(span) {}
    std::size_t Size() const { return list_ != nullptr ? list_->Size() : span_.size(); }
    CShadowReg& operator[](std::size_t i) const {
        return list_ != nullptr ? (*list_)[i] : *span_[i];
    }

private:
    const ShadowRegList* list_ = nullptr;
    std::span<CShadowReg* const> span_;
};

// One call of the driver reads registers of one device only.
bool SameShape(const CShadowReg& a, const CShadowReg& b) {
    return a.GetDriver() == b.GetDriver() && a.GetDeviceName() == b.GetDeviceName() &&
           a.GetAddressLength() == b.GetAddressLength() && a.GetDataLength() == b.GetDataLength();
}

// The end of the run that starts at `first`: registers of its shape that the driver would read,
// up to one that is passed over.
std::size_t RunEnd(const Registers& registers, std::size_t first, TransferFlags flags) {
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

bool ReadRun(const Registers& registers, std::size_t first, std::size_t end) {
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

void ReadAll(const Registers& registers, TransferFlags flags, PassedOverReads& passedOver,
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
    ReadAll(Registers(registers), flags, passedOver, failed);
}

void ReadRegisters(std::span<CShadowReg* const> registers, TransferFlags flags,
                   PassedOverReads& passedOver,
                   const std::function<void(const CShadowReg&)>& failed) {
    ReadAll(Registers(registers), flags, passedOver, failed);
}

} // namespace vek

#include "model/driver_device.h"

#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/shadow_reg.h"
#include "platform/profile_file.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vek {

namespace {

// What makes two register parts of a device share one shadow register: the same address bytes
// (over the item's address length), data length and access type.
std::string JoinKey(const std::array<uint8_t, 8>& address, uint16_t addressLength,
                    uint16_t dataLength, AccessType access) {
    const std::size_t length = addressLength < 8 ? addressLength : 8;
    std::string key(reinterpret_cast<const char*>(address.data()), length);
    key += static_cast<char>(length);
    key += static_cast<char>(dataLength);
    key += static_cast<char>(access);
    return key;
}

bool EndsDevice(const CLineItem& item) {
    return item.GetKind() == ItemKind::Line || item.GetKind() == ItemKind::Device;
}

} // namespace

std::string FreeNumberedKey(const ProfileFile& file, const std::string& section,
                            const std::string& prefix) {
    for (int n = 1;; ++n) {
        std::string key = prefix + std::to_string(n);
        if (!file.HasKey(section, key)) {
            return key;
        }
    }
}

CDriverDevice::CDriverDevice(const DriverEntryPoints* driver, std::string driverName,
                             RegisterContext* context)
    : driver_(driver), driverName_(std::move(driverName)), context_(context) {}

void CDriverDevice::Build(std::deque<CLineItem*>& items) {
    if (items.empty()) {
        return;
    }
    if (const auto* device = dynamic_cast<const CDeviceItem*>(items.front())) {
        name_ = device->GetName();
        addressSize_ = device->GetAddressLength();
    }
    items.pop_front();

    // Registers are indexed while the device is built and sorted into the list once at the end,
    // so that a large device in any address order builds in n log n.
    std::unordered_map<std::string, CShadowReg*> index;
    std::vector<std::unique_ptr<CShadowReg>> made;
    const auto shadowFor = [&](const ShadowRegLayout& layout) -> CShadowReg* {
        const std::string key =
            JoinKey(layout.address, layout.addressLength, layout.dataLength, layout.access);
        if (const auto found = index.find(key); found != index.end()) {
            found->second->Join(layout.mask, layout.defaultValue);
            return found->second;
        }
        std::unique_ptr<CShadowReg> reg = CShadowReg::Create(layout);
        if (reg == nullptr) {
            return nullptr;
        }
        reg->SetDriver(driver_, driverName_, name_);
        reg->SetContext(context_);
        CShadowReg* added = reg.get();
        made.push_back(std::move(reg));
        index.emplace(key, added);
        return added;
    };

    while (!items.empty() && !EndsDevice(*items.front())) {
        CLineItem* item = items.front();
        items.pop_front();
        if (auto* reg = dynamic_cast<CByteItem*>(item)) {
            for (std::size_t k = 0; k < reg->GetPartCount(); ++k) {
                const CByteItem::Part& part = reg->GetPart(k);
                const ShadowRegLayout layout{
                    part.address,   part.addressLength, part.dataLength,   part.memorySize,
                    part.byteOrder, part.mask,          part.defaultValue, reg->GetAccessType()};
                if (CShadowReg* shadow = shadowFor(layout)) {
                    if (reg->HasFlags(ItemFlag::ReadEffects))
                        shadow->MarkReadEffects();
                    shadow->AddItem(reg);
                    reg->SetPartShadowReg(k, shadow);
                }
            }
        } else if (auto* bit = dynamic_cast<CBitItem*>(item)) {
            const auto found = index.find(JoinKey(bit->GetAddressBytes(), bit->GetAddressLength(),
                                                  bit->GetDataLength(), bit->GetAccessType()));
            if (found != index.end()) {
                found->second->AddItem(bit);
                bit->SetShadowReg(found->second);
            }
        }
    }
    registers_.InsertAll(std::move(made));
}

void CDriverDevice::SaveValues(ProfileFile& file) const {
    file.SetString(driverName_, FreeNumberedKey(file, driverName_, "DEV"), name_);
    const std::string section = driverName_ + ":" + name_;
    file.SetString(section, "ADDRSIZE", std::to_string(addressSize_));
    file.SetString(section, "REGCOUNT", std::to_string(registers_.Size()));
    for (std::size_t i = 0; i < registers_.Size(); ++i) {
        registers_[i].SaveValue(file);
    }
}

void CDriverDevice::LoadValues(const ProfileFile& file, TransferFlags flags,
                               ValuesLoadTally& tally) {
    const std::string section = driverName_ + ":" + name_;
    for (std::size_t i = 0; i < registers_.Size(); ++i) {
        tally.Count(registers_[i].LoadValue(file, flags), section, registers_[i]);
    }
}

} // namespace vek

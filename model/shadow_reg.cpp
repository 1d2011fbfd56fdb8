#include "model/shadow_reg.h"

#include "model/bits.h"
#include "model/driver_entry_points.h"
#include "model/driver_status.h"
#include "model/line_item.h"
#include "model/register_context.h"
#include "model/shadow_reg_list.h"
#include "platform/string_table.h"

#include <algorithm>
#include <cstring>

namespace vek {

namespace {

bool NeverWritten(AccessType access) {
    return access == AccessType::Read || access == AccessType::Status;
}

} // namespace

std::unique_ptr<CShadowReg> CShadowReg::Create(const ShadowRegLayout& layout) {
    if (layout.addressLength > 8 || layout.dataLength < 1 || layout.dataLength > 4) {
        return nullptr;
    }
    return std::unique_ptr<CShadowReg>(new CShadowReg(layout));
}

CShadowReg::CShadowReg(const ShadowRegLayout& layout)
    : address_(layout.address), addressLength_(layout.addressLength),
      dataLength_(layout.dataLength), memorySize_(layout.memorySize), mask_(layout.mask),
      default_(layout.defaultValue), access_(layout.access) {
    for (std::size_t i = 0; i < byteOrder_.size() && i < layout.byteOrder.size(); ++i) {
        byteOrder_[i] = layout.byteOrder[i] - '0';
    }
    // Bytes beyond the address length are not part of the address.
    std::fill(address_.begin() + addressLength_, address_.end(), 0);
    for (int i = addressLength_ - 1; i >= 0; --i) {
        addressNumber_ = (addressNumber_ << 8) | address_[static_cast<std::size_t>(i)];
    }
}

void CShadowReg::SetDriver(const DriverEntryPoints* driver, std::string driverName,
                           std::string deviceName) {
    driver_ = driver;
    driverName_ = std::move(driverName);
    deviceName_ = std::move(deviceName);
}

void CShadowReg::Join(uint32_t mask, uint32_t defaultValue) {
    mask_ |= mask;
    default_ |= defaultValue;
}

int CShadowReg::ValueByte(int i) const {
    // A missing or impossible digit takes the natural place instead of a byte outside the value.
    const int number = byteOrder_[static_cast<std::size_t>(i)];
    return number >= 1 && number <= 4 ? number - 1 : i;
}

std::string CShadowReg::AddressText() const {
    static const char digits[] = "0123456789abcdef";
    std::string text = "0x";
    for (int i = addressLength_ - 1; i >= 0; --i) {
        text += digits[address_[static_cast<std::size_t>(i)] >> 4];
        text += digits[address_[static_cast<std::size_t>(i)] & 0x0F];
    }
    return text;
}

int CShadowReg::GetAddress(uint8_t* out) const {
    if (addressLength_ == 0) {
        return 0;
    }
    std::memcpy(out, address_.data(), address_.size());
    return 1;
}

void CShadowReg::Notify(int code) {
    for (CLineItem* item : items_) {
        item->Update(this, code);
    }
}

void CShadowReg::Flash() const {
    if (context_ != nullptr && context_->host != nullptr) {
        context_->host->SetLedState(LedState::Flash);
    }
}

void CShadowReg::SetError(int stringId) {
    lastError_ = std::string(LoadString(stringId));
    if (stringId == static_cast<int>(StringId::DrvD08)) {
        return;
    }
    lastError_ += AddressText();
    if (stringId == static_cast<int>(StringId::DrvD07) || driver_ == nullptr ||
        driver_->status == nullptr) {
        return;
    }
    lastError_ += " : " + ReadDriverStatus(driver_->status);
}

bool CShadowReg::Transfer(int code) {
    if (code == update_code::Write) {
        uint8_t buffer[4] = {};
        for (int i = 0; i < dataLength_; ++i) {
            buffer[i] = static_cast<uint8_t>(value_ >> (8 * ValueByte(i)));
        }
        const uint32_t data = static_cast<uint32_t>(buffer[0]) | (uint32_t{buffer[1]} << 8) |
                              (uint32_t{buffer[2]} << 16) | (uint32_t{buffer[3]} << 24);
        return driver_->write(addressLength_, dataLength_, address_.data(), data) != 0;
    }
    uint32_t data = 0;
    if (driver_->read(addressLength_, dataLength_, address_.data(), &data) == 0) {
        return false;
    }
    for (int i = 0; i < dataLength_; ++i) {
        const int shift = 8 * ValueByte(i);
        value_ = (value_ & ~(0xFFU << shift)) | (((data >> (8 * i)) & 0xFFU) << shift);
    }
    return true;
}

bool CShadowReg::Write(int flags) {
    if (flags & transfer_flag::Simulation) {
        if (flags & transfer_flag::WriteDefault) {
            value_ = default_;
        }
        valid_ = true;
        Notify(update_code::ValueValid | update_code::Write);
        UpdateOverlapping(update_code::Write);
        return true;
    }
    if (driver_ == nullptr || !driver_->Bound()) {
        SetError(static_cast<int>(StringId::DrvD08));
        return false;
    }
    if (NeverWritten(access_)) {
        return true;
    }
    if (driver_->write == nullptr) {
        SetError(static_cast<int>(StringId::DrvD08));
        return false;
    }
    const bool writeDefault = (flags & transfer_flag::WriteDefault) || access_ == AccessType::Prot;
    if (writeDefault) {
        value_ = default_;
    } else if (!valid_) {
        SetError(static_cast<int>(StringId::DrvD07));
        return false;
    }
    if (!Transfer(update_code::Write)) {
        Notify(update_code::Write);
        SetError(static_cast<int>(StringId::DrvD05));
        return false;
    }
    Flash();
    valid_ = true;
    Notify(update_code::ValueValid | update_code::Write);
    if (!writeDefault) {
        UpdateOverlapping(update_code::Write);
    }
    if (context_ != nullptr && context_->written) {
        context_->written(*this);
    }
    return true;
}

bool CShadowReg::Read(int flags) {
    if (driver_ == nullptr || !driver_->Bound()) {
        SetError(static_cast<int>(StringId::DrvD08));
    }
    if (access_ == AccessType::Write) {
        return true;
    }
    if (flags & transfer_flag::Simulation) {
        valid_ = true;
        Notify(update_code::ValueValid | update_code::Read);
        UpdateOverlapping(update_code::Read);
        return true;
    }
    if (driver_ == nullptr || driver_->read == nullptr) {
        return false;
    }
    if (!Transfer(update_code::Read)) {
        Notify(update_code::Read);
        SetError(static_cast<int>(StringId::DrvD06));
        return false;
    }
    Flash();
    valid_ = true;
    Notify(update_code::ValueValid | update_code::Read);
    UpdateOverlapping(update_code::Read);
    return true;
}

void CShadowReg::SetValue(uint32_t v) {
    value_ = v;
    valid_ = true;
    UpdateOverlapping(0);
}

bool CShadowReg::TakeOverlap(const CShadowReg& r) {
    if (r.addressLength_ != addressLength_) {
        return false;
    }
    const uint64_t above = r.AddressNumber();
    const uint64_t below = AddressNumber();
    uint64_t distance = 0;
    if (above > below && memorySize_ < dataLength_) {
        distance = above - below;
    } else if (above < below && r.memorySize_ < r.dataLength_) {
        distance = below - above;
    } else {
        return false;
    }
    if (distance > kOverlapReach) {
        return false;
    }
    const int shift = static_cast<int>(8 * distance);
    // Only the shared bits are copied: bits of r outside its mask are not r's to give.
    uint32_t taken = 0;
    if (above > below) {
        const uint32_t shared = ((mask_ >> shift) & r.mask_) << shift;
        taken = (value_ & ~shared) | ((r.value_ << shift) & shared);
    } else {
        const uint32_t shared = (r.mask_ >> shift) & mask_;
        taken = (value_ & ~shared) | ((r.value_ >> shift) & shared);
    }
    const int width = PopCount(mask_);
    value_ = Deposit(Extract(taken, mask_, width), 0, mask_, width);
    return true;
}

void CShadowReg::UpdateOverlapping(int code) {
    if (list_ == nullptr || !list_->MayOverlap()) {
        return;
    }
    list_->ForEachNear(AddressNumber(), kOverlapReach, [&](CShadowReg& s) {
        if (&s == this || !s.TakeOverlap(*this)) {
            return;
        }
        if (code == update_code::Write && !NeverWritten(s.access_)) {
            s.Notify(update_code::ValueValid | update_code::Write);
        } else if (code == update_code::Read && s.access_ != AccessType::Write) {
            s.Notify(update_code::ValueValid | update_code::Read);
        }
    });
}

} // namespace vek

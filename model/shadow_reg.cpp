#include "model/shadow_reg.h"

#include "model/bits.h"
#include "model/driver_entry_points.h"
#include "model/driver_error.h"
#include "model/line_item.h"
#include "model/register_context.h"
#include "model/shadow_reg_list.h"
#include "platform/number_text.h"
#include "platform/string_table.h"

#include <algorithm>

namespace vek {

// A description has a shadow register for each register: it stays this small on 64-bit machines.
static_assert(sizeof(void*) != 8 || sizeof(CShadowReg) <= 136);

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
        byteOrder_[i] = static_cast<std::int8_t>(layout.byteOrder[i] - '0');
    }
    // Bytes beyond the address length are not part of the address.
    std::fill(address_.begin() + addressLength_, address_.end(), 0);
    for (int i = addressLength_ - 1; i >= 0; --i) {
        addressNumber_ = (addressNumber_ << 8) | address_[static_cast<std::size_t>(i)];
    }
}

TransferFlags CShadowReg::TransferMode() const {
    return context_ != nullptr ? context_->TransferMode() : TransferFlags();
}

void CShadowReg::ShowMessage(const std::string& text) const {
    if (context_ != nullptr && context_->host != nullptr) {
        context_->host->Message(text, true);
    }
}

void CShadowReg::SetDriver(const DriverEntryPoints* driver, std::string_view driverName,
                           std::string_view deviceName) {
    driver_ = driver;
    driverName_ = driverName;
    deviceName_ = deviceName;
}

const std::string& CShadowReg::GetLastError() const {
    static const std::string none;
    return lastError_ != nullptr ? *lastError_ : none;
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
    if (addressLength_ == 0) {
        return "0x";
    }
    return "0x" + HexText(addressNumber_, 2U * addressLength_);
}

void CShadowReg::Notify(UpdateCodes code) {
    for (CLineItem* item : items_) {
        item->Update(this, code);
    }
}

void CShadowReg::Flash() const {
    if (context_ != nullptr && context_->host != nullptr) {
        context_->host->SetLedState(LedState::Flash);
    }
}

void CShadowReg::SetError(StringId id) {
    if (context_ != nullptr)
        ++context_->failedTransfers;
    // The driver is asked for its status only where the message shows it.
    lastError_ = std::make_unique<std::string>(
        DriverErrorLine(id, AddressText(), ShowsDetail(id) ? DriverStatus(driver_) : std::nullopt));
}

bool CShadowReg::Transfer(UpdateCode direction) {
    if (direction == UpdateCode::Write) {
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
    StoreRead(data);
    return true;
}

void CShadowReg::StoreRead(uint32_t data) {
    for (int i = 0; i < dataLength_; ++i) {
        const int shift = 8 * ValueByte(i);
        value_ = (value_ & ~(0xFFU << shift)) | (((data >> (8 * i)) & 0xFFU) << shift);
    }
}

inline bool CShadowReg::Transferred(UpdateCode direction, bool simulated, bool updateOverlapping) {
    if (!simulated) {
        Flash();
    }
    valid_ = true;
    Notify(UpdateCode::ValueValid | direction);
    if (updateOverlapping) {
        UpdateOverlapping(direction);
    }
    // Last, so that the listener finds the items showing the value (a plot takes it from them).
    if (!simulated) {
        TellTransfer(direction, true);
    }
    return true;
}

void CShadowReg::TellTransfer(UpdateCode direction, bool done) const {
    if (context_ != nullptr && context_->transferred)
        context_->transferred(*this, direction, done);
}

bool CShadowReg::Failed(UpdateCode direction, StringId reason) {
    Notify(direction);
    SetError(reason);
    TellTransfer(direction, false);
    return false;
}

bool CShadowReg::Write(TransferFlags flags) {
    if (flags.Has(TransferFlag::Simulation)) {
        if (flags.Has(TransferFlag::WriteDefault)) {
            value_ = default_;
        }
        return Transferred(UpdateCode::Write, true, true);
    }
    if (driver_ == nullptr || !driver_->Bound()) {
        SetError(StringId::DrvD08);
        return false;
    }
    if (NeverWritten(access_)) {
        return true;
    }
    if (driver_->write == nullptr) {
        SetError(StringId::DrvD08);
        return false;
    }
    const bool writeDefault = flags.Has(TransferFlag::WriteDefault) || access_ == AccessType::Prot;
    if (writeDefault) {
        value_ = default_;
    } else if (!valid_) {
        SetError(StringId::DrvD07);
        return false;
    }
    if (!Transfer(UpdateCode::Write)) {
        return Failed(UpdateCode::Write, StringId::DrvD05);
    }
    Transferred(UpdateCode::Write, false, !writeDefault);
    if (context_ != nullptr && context_->written) {
        context_->written(*this);
    }
    return true;
}

bool CShadowReg::Read(TransferFlags flags) {
    if (driver_ == nullptr || !driver_->Bound()) {
        SetError(StringId::DrvD08);
    }
    if (access_ == AccessType::Write) {
        return true;
    }
    if (flags.Has(TransferFlag::Simulation)) {
        return Transferred(UpdateCode::Read, true, true);
    }
    if (driver_ == nullptr || driver_->read == nullptr) {
        return false;
    }
    if (!Transfer(UpdateCode::Read)) {
        return Failed(UpdateCode::Read, StringId::DrvD06);
    }
    return Transferred(UpdateCode::Read, false, true);
}

bool CShadowReg::TakeRead(uint32_t data) {
    StoreRead(data);
    return Transferred(UpdateCode::Read, false, true);
}

bool CShadowReg::ReadsThroughDriver(TransferFlags flags) const {
    return access_ != AccessType::Write && !flags.Has(TransferFlag::Simulation) &&
           driver_ != nullptr && driver_->read != nullptr;
}

void CShadowReg::SetValue(uint32_t v) {
    value_ = v;
    valid_ = true;
    UpdateOverlapping({});
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

void CShadowReg::UpdateOverlapping(UpdateCodes direction) {
    if (list_ == nullptr || !list_->MayOverlap()) {
        return;
    }
    list_->ForEachNear(AddressNumber(), kOverlapReach, [&](CShadowReg& s) {
        if (&s == this || !s.TakeOverlap(*this)) {
            return;
        }
        if (direction == UpdateCode::Write && !NeverWritten(s.access_)) {
            s.Notify(UpdateCode::ValueValid | UpdateCode::Write);
        } else if (direction == UpdateCode::Read && s.access_ != AccessType::Write) {
            s.Notify(UpdateCode::ValueValid | UpdateCode::Read);
        }
    });
}

} // namespace vek

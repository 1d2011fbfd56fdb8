// The register's line in a register-values file: key = the address text, in the section named by
// the driver name, ":" and the device name. A READ or STATUS register and a WRITE register at the
// same address share one line, "<read value>R <write value>W" ("S" for STATUS).
#include "model/shadow_reg.h"

#include "model/register_context.h"
#include "model/shadow_reg_list.h"
#include "platform/number_text.h"
#include "platform/profile_file.h"

#include <charconv>

namespace vek {

namespace {

// The longest text read back for a key, as the file's reader allows it (79 characters).
constexpr std::size_t kLineRoom = 80;
// The longest write value taken into a shared line.
constexpr std::size_t kPartnerRoom = 16;

bool ReadOrStatus(AccessType access) {
    return access == AccessType::Read || access == AccessType::Status;
}

char Marker(AccessType access) {
    return access == AccessType::Status ? 'S' : 'R';
}

} // namespace

std::string CShadowReg::ValueText() const {
    const std::size_t digits = 2U * dataLength_;
    if (!valid_) {
        return "0x" + std::string(digits, 'X');
    }
    return "0x" + HexText(value_ & (0xFFFFFFFFU >> (8 * (4 - dataLength_))), digits);
}

void CShadowReg::SaveValue(ProfileFile& file) const {
    const std::string section = std::string(driverName_) + ":" + std::string(deviceName_);
    const std::string key = AddressText();
    std::string line = ValueText();
    if (file.HasKey(section, key)) {
        const std::string existing = file.GetString(section, key, "", kPartnerRoom);
        if (ReadOrStatus(access_)) {
            line += Marker(access_) + (" " + existing + "W");
        } else if (access_ == AccessType::Write && list_ != nullptr) {
            // The READ or STATUS register of this address came first in the device list: its
            // value stays in front of the blank.
            const CShadowReg* partner = nullptr;
            list_->ForEachNear(AddressNumber(), 0, [&](const CShadowReg& s) {
                if (partner == nullptr && &s != this && ReadOrStatus(s.access_) &&
                    s.addressLength_ == addressLength_ && s.address_ == address_) {
                    partner = &s;
                }
            });
            if (partner != nullptr) {
                line = existing + Marker(partner->access_) + " " + line + "W";
            }
        }
    }
    file.SetString(section, key, line);
}

CShadowReg::TakenText CShadowReg::TakeValueText(const std::string& text) {
    if (text.size() != 2U * dataLength_ + 2) {
        return TakenText::Unusable;
    }
    if (text[2] == 'X') {
        valid_ = false;
        return TakenText::NotKnown;
    }
    if (text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return TakenText::Unusable;
    }
    uint32_t v = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, v, 16);
    if (error != std::errc{} || stop != end) {
        return TakenText::Unusable;
    }
    value_ = v;
    valid_ = true;
    return TakenText::Known;
}

ValueLoad CShadowReg::LoadValue(const ProfileFile& file, TransferFlags flags) {
    const std::string section = std::string(driverName_) + ":" + std::string(deviceName_);
    const std::string key = AddressText();
    if (!file.HasKey(section, key)) {
        return ValueLoad::Missing;
    }
    const std::string text = file.GetString(section, key, "", kLineRoom);
    std::string part = text;
    const auto blank = text.find(' ');
    if (blank != std::string::npos) {
        switch (access_) {
        case AccessType::Read:
            part = text.substr(0, text.find('R'));
            break;
        case AccessType::Status:
            part = text.substr(0, text.find('S'));
            break;
        case AccessType::Write:
            part = blank + 1 < text.size() ? text.substr(blank + 1, text.size() - blank - 2) : "";
            break;
        default:
            break;
        }
    }
    switch (TakeValueText(part)) {
    case TakenText::Unusable:
        return ValueLoad::Unusable;
    case TakenText::NotKnown:
        return ValueLoad::Taken;
    case TakenText::Known:
        break;
    }
    if (Write(flags))
        return ValueLoad::Taken;
    if (context_ != nullptr && context_->host != nullptr)
        context_->host->Message(GetLastError(), true);
    return ValueLoad::WriteFailed;
}

} // namespace vek

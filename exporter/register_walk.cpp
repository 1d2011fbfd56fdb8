#include "exporter/register_walk.h"

#include "model/bit_item.h"
#include "model/bits.h"
#include "model/byte_item.h"
#include "model/item_list.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string_view>

namespace vek {

namespace {

// The formats address at most 32 bits; a register of several parts has no single address.
constexpr uint16_t kMaxExportedAddressBytes = 4;
// How many names a left-out warning shows.
constexpr std::size_t kNamesShown = 3;

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::string Identifier(std::string_view text) {
    std::string name;
    for (char c : text)
        name += IsWordChar(c) ? c : '_';
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) != 0)
        name.insert(0, "_");
    return name;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::optional<uint32_t> NumberOf(std::string_view digits) {
    const bool hex =
        digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
    if (hex)
        digits.remove_prefix(2);
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) != 0 ? c - '0'
                          : hex && std::isxdigit(static_cast<unsigned char>(c)) != 0
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

// Whether `digits` is "other" or a binary pattern of 0, 1 and x that fits `width` bits, the
// forms the importer writes for SVD's don't-care and default values.
bool IsValuePattern(std::string_view digits, int width) {
    if (digits == "other")
        return true;
    if (digits.starts_with("0b") || digits.starts_with("0B"))
        digits.remove_prefix(2);
    else if (digits.starts_with("#"))
        digits.remove_prefix(1);
    else
        return false;
    return !digits.empty() && digits.size() <= static_cast<std::size_t>(width) &&
           digits.find_first_not_of("01xX") == std::string_view::npos;
}

// "N = NAME" or "N = NAME: text" with a value the field can hold; other lines are text.
std::optional<ExportedValue> NamedValue(std::string_view line, int width) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view digits = Trimmed(line.substr(0, equals));
    ExportedValue named;
    named.value = NumberOf(digits);
    if (named.value) {
        if (*named.value > FieldMax(width))
            return std::nullopt;
    } else if (IsValuePattern(digits, width)) {
        named.pattern = digits;
    } else {
        return std::nullopt;
    }
    std::string_view rest = line.substr(equals + 1);
    const std::size_t colon = rest.find(':');
    // Vendors name values "16-bit" or "divided by 1"; the name is kept as written so that the
    // map imports back to the same lines, and the C header makes its own identifier of it.
    const std::string_view name = Trimmed(rest.substr(0, colon));
    if (name.empty())
        return std::nullopt;
    named.name = name;
    if (colon != std::string_view::npos)
        named.text = Trimmed(rest.substr(colon + 1));
    return named;
}

// Registers of one kind left out, told in one line.
struct LeftOut {
    const char* reason;
    std::size_t count = 0;
    std::vector<std::string> names;

    void Add(const std::string& name) {
        ++count;
        if (names.size() < kNamesShown)
            names.push_back(name);
    }
    void Tell(std::vector<std::string>& warnings) const {
        if (count == 0)
            return;
        std::string line =
            "vek: warning: " + std::to_string(count) + " register(s) left out, " + reason + ": ";
        for (std::size_t i = 0; i < names.size(); ++i)
            line += (i > 0 ? ", " : "") + names[i];
        warnings.push_back(line + (count > names.size() ? ", ..." : ""));
    }
};

uint64_t AddressNumber(const ItemAddress& where) {
    uint64_t address = 0;
    for (uint16_t i = std::min<uint16_t>(where.addressLength, 8); i-- > 0;)
        address = address << 8 | where.address[i];
    return address;
}

} // namespace

std::string HexText(uint64_t value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

ExportedDescription WalkRegisters(const std::string& path, const CItemList& items) {
    ExportedDescription description;
    const std::size_t slash = path.find_last_of('/');
    description.fileName = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::size_t dot = description.fileName.find_last_of('.');
    description.name = Identifier(std::string_view(description.fileName).substr(0, dot));

    LeftOut joint{"they have several address parts", 0, {}};
    LeftOut wide{"their addresses are longer than 4 bytes", 0, {}};
    // Where the text lines that follow go: the last register's or bit field's description.
    std::vector<std::string>* textTarget = nullptr;
    const CByteItem* exportedRegister = nullptr;
    ExportedField* field = nullptr;
    for (const CLineItem& item : items) {
        const ItemKind kind = item.GetKind();
        if (kind != ItemKind::TextLine) {
            textTarget = nullptr;
            field = nullptr;
        }
        if (kind == ItemKind::Device) {
            const auto& device = static_cast<const CDeviceItem&>(item);
            const ItemAddress& where = device.GetItemAddress();
            description.devices.push_back(
                {std::string(device.GetName()),
                 where.addressLength <= kMaxExportedAddressBytes ? AddressNumber(where) : 0,
                 {}});
            exportedRegister = nullptr;
        } else if (kind == ItemKind::Register && !description.devices.empty()) {
            const auto& reg = static_cast<const CByteItem&>(item);
            exportedRegister = nullptr;
            const std::string name(reg.GetName());
            if (reg.GetPartCount() != 1) {
                joint.Add(name);
                continue;
            }
            const CByteItem::Part part = reg.GetPart(0);
            if (part.addressLength > kMaxExportedAddressBytes) {
                wide.Add(name);
                continue;
            }
            std::vector<ExportedRegister>& registers = description.devices.back().registers;
            registers.push_back({name,
                                 AddressNumber(part),
                                 8 * part.dataLength,
                                 reg.GetAccessType(),
                                 part.defaultValue,
                                 part.mask,
                                 reg.HasFlags(ItemFlag::ReadEffects),
                                 {},
                                 {}});
            exportedRegister = &reg;
            textTarget = &registers.back().description;
        } else if (kind == ItemKind::BitField && exportedRegister != nullptr) {
            const auto& bit = static_cast<const CBitItem&>(item);
            if (bit.GetRegister() != exportedRegister)
                continue;
            ExportedRegister& reg = description.devices.back().registers.back();
            const uint32_t mask = bit.GetMask();
            const int offset = mask == 0 ? 0 : std::countr_zero(mask);
            const int width = PopCount(mask);
            if (mask == 0 || (mask >> offset) != FieldMax(width)) {
                description.warnings.push_back("vek: warning: bit field " + reg.name + "." +
                                               std::string(bit.GetName()) +
                                               " left out: its mask is not one run of bits");
                continue;
            }
            reg.fields.push_back({std::string(bit.GetName()), offset, width, {}, {}});
            field = &reg.fields.back();
            textTarget = &field->description;
        } else if (kind == ItemKind::TextLine && textTarget != nullptr) {
            const std::string_view line = item.GetName();
            if (field != nullptr) {
                if (std::optional<ExportedValue> value = NamedValue(line, field->width)) {
                    field->values.push_back(std::move(*value));
                    continue;
                }
            }
            textTarget->emplace_back(line);
        }
    }
    joint.Tell(description.warnings);
    wide.Tell(description.warnings);
    for (ExportedDevice& device : description.devices) {
        if (device.registers.empty())
            continue;
        device.baseAddress = device.registers.front().address;
        for (const ExportedRegister& reg : device.registers)
            device.baseAddress = std::min(device.baseAddress, reg.address);
    }
    return description;
}

} // namespace vek

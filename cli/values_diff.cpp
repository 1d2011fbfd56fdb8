#include "cli/values_diff.h"

#include "cli/item_lookup.h"
#include "cli/value_argument.h"
#include "document/vek_doc.h"
#include "model/bit_item.h"
#include "model/bits.h"
#include "model/driver.h"
#include "model/shadow_reg.h"
#include "platform/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace vek {

namespace {

// Sections and keys of a profile compare without case.
std::string SlotKey(std::string_view section, std::string_view address) {
    return LowerCase(section) + '\n' + LowerCase(address);
}

// Where a saved register is, without copies: its section and key, compared without case.
struct SlotRef {
    std::string_view section;
    std::string_view address;
};

struct SlotHash {
    std::size_t operator()(const SlotRef& slot) const {
        std::size_t hash = 14695981039346656037ull; // FNV-1a
        for (std::string_view part : {slot.section, slot.address}) {
            for (char c : part)
                hash = (hash ^ static_cast<unsigned char>(LowerLetter(c))) * 1099511628211ull;
            hash = (hash ^ '\n') * 1099511628211ull;
        }
        return hash;
    }
};

struct SlotEqual {
    bool operator()(const SlotRef& a, const SlotRef& b) const {
        return EqualsNoCase(a.section, b.section) && EqualsNoCase(a.address, b.address);
    }
};

// Finds the right side's register for each of the left side's: by walking both while they list
// their registers in the same order, as files saved for one description do, and by an index of
// the right side where they part.
class SlotMatcher {
public:
    explicit SlotMatcher(const std::vector<SavedRegister>& right)
        : right_(right), matched_(right.size()) {}

    // Null when the right side has no register there, or gave it to an earlier one.
    const SavedRegister* Match(const SavedRegister& left) {
        const SlotRef slot{left.device, left.address};
        std::size_t at = next_;
        if (at >= right_.size() || matched_[at] ||
            !SlotEqual()(slot, SlotRef{right_[at].device, right_[at].address})) {
            at = Find(slot);
            if (at == right_.size())
                return nullptr;
        }
        matched_[at] = true;
        next_ = at + 1;
        return &right_[at];
    }
    bool Matched(std::size_t i) const { return matched_[i]; }

private:
    std::size_t Find(const SlotRef& slot) {
        if (index_.empty()) {
            index_.reserve(right_.size());
            for (std::size_t i = 0; i < right_.size(); ++i)
                index_.emplace(SlotRef{right_[i].device, right_[i].address}, i);
        }
        const auto found = index_.find(slot);
        return found == index_.end() || matched_[found->second] ? right_.size() : found->second;
    }

    const std::vector<SavedRegister>& right_;
    std::vector<bool> matched_;
    std::size_t next_ = 0;
    std::unordered_map<SlotRef, std::size_t, SlotHash, SlotEqual> index_;
};

// A saved value text as the program reads it back: "0x" and hexadecimal digits, or "0x" and
// X for a value not known. Anything else is compared as text.
struct SavedNumber {
    bool wellFormed = false;
    bool known = false;
    std::uint32_t value = 0;
};

SavedNumber ReadSavedNumber(const std::string& text) {
    SavedNumber number;
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] | 0x20) != 'x')
        return number;
    if (text[2] == 'X') {
        number.wellFormed = true;
        return number;
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, number.value, 16);
    number.wellFormed = error == std::errc() && stop == end;
    number.known = number.wellFormed;
    return number;
}

bool SameValue(const std::string& a, const std::string& b) {
    const SavedNumber left = ReadSavedNumber(a);
    const SavedNumber right = ReadSavedNumber(b);
    if (left.wellFormed && right.wellFormed)
        return left.known == right.known && (!left.known || left.value == right.value);
    return EqualsNoCase(a, b);
}

// What each role of a saved value is shown with, and the access type of its register, in the
// order of SavedRole.
struct RoleFacts {
    const char* suffix;
    AccessType access;
};
constexpr RoleFacts kRoles[] = {{"", AccessType::NotGiven},
                                {" R", AccessType::Read},
                                {" S", AccessType::Status},
                                {" W", AccessType::Write}};

const RoleFacts& Facts(SavedRole role) {
    return kRoles[static_cast<std::size_t>(role)];
}

// The value of a bit field in a register value, with the description's text for it.
std::string FieldText(const CBitItem& field, std::uint32_t registerValue, const ValueTexts& texts) {
    const std::uint32_t value =
        Extract(registerValue & field.GetMask(), field.GetMask(), field.GetWidth());
    std::string text = HexValueText(value, field.GetWidth());
    if (const std::optional<std::string_view> named = texts.Find(field, value))
        text.append(" \"").append(*named).append("\"");
    return text;
}

class DiffWriter {
public:
    DiffWriter(const ValuesDiff& how, std::ostream& out) : how_(how), out_(out) {}

    // Compares the values saved for one key on both sides (either may be absent).
    void Compare(const SavedRegister* left, const SavedRegister* right) {
        const auto single = [](const SavedRegister* saved) {
            return saved == nullptr || saved->text.find(' ') == std::string::npos;
        };
        if (left != nullptr && right != nullptr && single(left) && single(right)) {
            // The common case: one value on each side.
            Slot(*left, SavedRole::Whole, &left->text, &right->text);
            return;
        }
        std::vector<SavedPart> rightParts;
        if (right != nullptr)
            rightParts = SavedParts(right->text);
        std::vector<bool> matched(rightParts.size());
        if (left != nullptr) {
            for (const SavedPart& part : SavedParts(left->text)) {
                const SavedPart* other = nullptr;
                for (std::size_t i = 0; i < rightParts.size() && other == nullptr; ++i) {
                    if (!matched[i] && rightParts[i].role == part.role) {
                        matched[i] = true;
                        other = &rightParts[i];
                    }
                }
                Slot(*left, part.role, &part.text, other != nullptr ? &other->text : nullptr);
            }
        }
        for (std::size_t i = 0; i < rightParts.size(); ++i) {
            if (!matched[i])
                Slot(*right, rightParts[i].role, nullptr, &rightParts[i].text);
        }
    }

    const DiffCounts& Counts() const { return counts_; }

private:
    void Slot(const SavedRegister& saved, SavedRole role, const std::string* left,
              const std::string* right) {
        if (how_.rightReadNow && right != nullptr && !ReadSavedNumber(*right).known) {
            // What the devices did not give was not read: nothing to compare with.
            ++counts_.notRead;
            return;
        }
        ++counts_.registers;
        if (left != nullptr && right != nullptr && SameValue(*left, *right))
            return;
        ++counts_.different;
        const CShadowReg* reg = how_.names != nullptr ? how_.names->Find(saved, role) : nullptr;
        out_ << (reg != nullptr ? RegisterName(*reg) : saved.device) << ' ' << saved.address
             << Facts(role).suffix << ": ";
        if (left == nullptr || right == nullptr) {
            ++(left == nullptr ? counts_.onlyRight : counts_.onlyLeft);
            out_ << (left != nullptr ? *left : *right) << " only in "
                 << (left != nullptr ? how_.leftName : how_.rightName) << '\n';
            return;
        }
        out_ << *left << " -> " << *right;
        const SavedNumber a = ReadSavedNumber(*left);
        const SavedNumber b = ReadSavedNumber(*right);
        if (!a.known || !b.known) {
            out_ << '\n';
            return;
        }
        const std::uint32_t changed = a.value ^ b.value;
        const int digits = static_cast<int>(std::max(left->size(), right->size())) - 2;
        out_ << ", bits " << HexValueText(changed, 4 * digits) << '\n';
        if (reg != nullptr)
            PrintFields(*reg, a.value, b.value, changed);
    }

    void PrintFields(const CShadowReg& reg, std::uint32_t a, std::uint32_t b,
                     std::uint32_t changed) {
        for (const CLineItem* item : reg.GetItems()) {
            if (item->GetKind() != ItemKind::BitField)
                continue;
            const auto& field = static_cast<const CBitItem&>(*item);
            if ((field.GetMask() & changed) == 0)
                continue;
            const ValueTexts& texts = how_.names->Texts();
            out_ << "    " << field.GetName() << ": " << FieldText(field, a, texts) << " -> "
                 << FieldText(field, b, texts) << '\n';
        }
    }

    const ValuesDiff& how_;
    std::ostream& out_;
    DiffCounts counts_;
};

} // namespace

RegisterIndex::RegisterIndex(const CVekDoc& doc) : texts_(*doc.GetItems()) {
    for (const auto& driver : doc.GetDrivers()) {
        for (const auto& device : driver->Devices()) {
            const std::string section = driver->GetName() + ":" + device->GetName();
            const ShadowRegList& list = device->Registers();
            for (std::size_t i = 0; i < list.Size(); ++i)
                registers_[SlotKey(section, list[i].AddressText())].push_back(&list[i]);
        }
    }
}

const CShadowReg* RegisterIndex::Find(const SavedRegister& saved, SavedRole role) const {
    const auto found = registers_.find(SlotKey(saved.device, saved.address));
    if (found == registers_.end())
        return nullptr;
    for (const CShadowReg* reg : found->second) {
        if (role == SavedRole::Whole || reg->GetAccessType() == Facts(role).access)
            return reg;
    }
    return nullptr;
}

DiffCounts CompareValues(const SavedValues& left, const SavedValues& right, const ValuesDiff& how,
                         std::ostream& out) {
    SlotMatcher matcher(right.registers);
    DiffWriter writer(how, out);
    for (const SavedRegister& saved : left.registers)
        writer.Compare(&saved, matcher.Match(saved));
    for (std::size_t i = 0; i < right.registers.size(); ++i) {
        if (!matcher.Matched(i))
            writer.Compare(nullptr, &right.registers[i]);
    }
    return writer.Counts();
}

std::string DiffSummary(const DiffCounts& counts, const ValuesDiff& how) {
    const std::string both = how.leftName + " and " + how.rightName;
    const std::string registers =
        std::to_string(counts.registers) + (counts.registers == 1 ? " register" : " registers");
    std::string details;
    const auto add = [&details](std::size_t count, const std::string& what) {
        if (count != 0)
            details += (details.empty() ? "" : ", ") + std::to_string(count) + " " + what;
    };
    add(counts.onlyLeft, "only in " + how.leftName);
    add(counts.onlyRight, "only in " + how.rightName);
    add(counts.notRead, "not read");
    if (!details.empty())
        details = " (" + details + ")";
    if (counts.different == 0)
        return both + " hold the same values in " + registers + details;
    return both + " differ in " + std::to_string(counts.different) + " of " + registers + details;
}

} // namespace vek

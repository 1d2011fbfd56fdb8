#pragma once

#include "compiler/address_template.h"
#include "compiler/description_builder.h"
#include "compiler/name_table.h"
#include "compiler/pending_properties.h"
#include "model/device_item.h"
#include "model/item_list.h"
#include "model/register_codes.h"
#include "model/vek_macro.h"

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace vek {

class CBasicMacro;
class CByteItem;
class CDeviceItem;
class CLineItem;
class CSetItem;
class CVarItem;
class MacroRef;

// Turns the parser's hand-overs into register items, register macros and script macros:
// range-checks every property as it comes, lays out addresses, keeps the items in tree order
// through the item list, and links macro references once the parse is clean.
class CBuilder : public DescriptionBuilder {
public:
    CBuilder();
    ~CBuilder() override;

    void Attach(DiagnosticReporter& reporter) override;
    void AddProperty(int code, std::string_view text, int line) override;
    const char* EarliestHeldText() const override { return pending_.EarliestText(); }

    void BeginRegisterList() override;
    void CreateDevice() override;
    void CreateSet() override;
    void CreatePart(int partNumber) override;
    void EndRegister() override;
    void CreateVariable() override;
    void CreateBitField() override;
    void CreateTextLine() override;
    void BindReadMacros() override;
    void BindWriteMacros() override;
    void AddItemOperand(std::string_view name) override;
    void AddNumberOperand(std::string_view text) override;
    void AddAssignment() override;
    void AddSleep() override;
    void CreateMacro() override;
    void CreateScriptMacro(const std::string& descriptionPath) override;
    void Link() override;

    std::unique_ptr<CItemList> TakeItems();
    std::vector<std::unique_ptr<CVekMacro>> TakeMacros();
    std::vector<std::unique_ptr<CBasicMacro>> TakeScriptMacros();

private:
    // What a label keeps of the layout state, to return to it later.
    struct HierarchyContext {
        std::string addressTemplate;
        int level = 0;
        int dataSize = 1;
        int memorySize = 1;
        AccessType access = AccessType::Both;
        std::string byteOrder;
    };
    struct MacroPair {
        std::unique_ptr<MacroRef> before;
        std::unique_ptr<MacroRef> after;
    };
    enum class Construct { None, Device, Set, Register, Variable, BitField, TextLine };
    struct AddressLayout {
        int length = 0;
        int shift = 0;
    };

    // A constant as written ("0x1F", "0b101", "42"), saturated at 32 bits.
    static std::uint32_t ConstantValue(std::string_view text);
    // Property intake: each checks the text as its code's rule says.
    bool CheckRange(std::uint32_t value, const ValueRange& range);
    std::uint32_t IntakeDecimal(int code, std::string_view text, const ValueRange& range);
    std::string_view IntakeAddress(std::string_view text);
    std::uint32_t IntakeLabel(int code, std::string_view text, const ValueRange& range);
    Text IntakeName(int code, std::string_view text);
    // B16 for an earlier definition of the same kind, B17 for another kind (code 0: none).
    void ReportRedefinition(int code, std::string_view name, int earlierCode);
    // A quoted string that may name an item, kept without its quotes.
    Text IntakeString(int code, std::string_view text);
    void IntakeByteOrder(std::string_view text);
    void IntakeMacroName(int code, std::string_view text);

    void Report(StringId id, std::string_view name = {});
    void ReportQueued();
    void CheckItem(CLineItem& item);
    std::string TakeText(int code);
    // The name of the construct, as kept in the text store.
    Text TakeName(int code);

    // Layout.
    HierarchyContext CurrentContext() const;
    void Restore(const HierarchyContext& context);
    void ApplyLabel();
    AddressLayout ApplyAddress();
    void ApplyDataFormat();
    void ApplyAttribute();
    // The layout applied to an item's address fields.
    ItemAddress LaidOut(ItemAddress where, const AddressLayout& layout);
    void FillAddress(CDeviceItem& item, const AddressLayout& layout);
    void TakeDisplayFlags(CVarItem& item);
    // The names of a macro binding: the macro run before the transfer and the one run after it.
    MacroPair TakeMacroPair();
    // Attaches the pairs of the bindings written for the register or variable.
    void AttachMacros(CVarItem& item);
    void Insert(ItemPtr<> item);
    CVarItem* FindItemInDevice(std::string_view device, std::string_view name);
    const std::unordered_map<std::string, CVarItem*>& DeviceItems(const std::string& device);
    void ResetContexts();

    // The last text stored for one use: consecutive items (a register and its bit fields) mostly
    // share their address texts, which are then kept once.
    class RecentText {
    public:
        Text Keep(TextStore& texts, std::string_view text) {
            if (recent_.View() != text)
                recent_ = texts.Add(text);
            return recent_;
        }

    private:
        Text recent_;
    };

    DiagnosticReporter* reporter_ = nullptr;
    int currentLine_ = 0;

    std::unique_ptr<CItemList> items_;
    NameTable names_;
    PendingProperties pending_;
    RecentText templateText_;
    RecentText displayText_;
    RecentText byteOrderText_;
    std::set<std::uint32_t> labels_;
    std::array<std::optional<HierarchyContext>, 11> contexts_;

    std::string macroTarget_;
    AddressTemplate template_;
    std::string addressText_;
    std::string byteOrder_ = "1234";
    Construct lastConstruct_ = Construct::None;
    int level_ = 0;
    int label_ = 0;
    int labelKind_ = 0;
    AccessType access_ = AccessType::Both;
    int addressSize_ = 0;
    int dataSize_ = 1;
    int memorySize_ = 1;
    int deviceNumber_ = 0;
    bool deviceHasAddressSize_ = false;
    MacroPair readPair_;
    MacroPair writePair_;
    bool macrosBound_ = false;          // whether any register or variable has a macro binding
    CByteItem* register_ = nullptr;     // the register whose parts are being built
    CByteItem* lastRegister_ = nullptr; // the register that bit fields belong to

    // The items of a device by name, for the operands of macro statements.
    struct DeviceIndex {
        std::unordered_map<std::string, CVarItem*> items;
        std::size_t indexedItems = static_cast<std::size_t>(-1);
    };
    std::unordered_map<std::string, DeviceIndex> deviceItems_;
    // Where each device (by its name in lower case) stands in the list.
    std::unordered_map<std::string, CItemList::Iterator> devicePositions_;
    std::vector<std::unique_ptr<CVekMacro>> macros_;
    std::vector<std::unique_ptr<CBasicMacro>> scriptMacros_;
    std::vector<MacroStep> steps_; // of the macro being defined
};

} // namespace vek

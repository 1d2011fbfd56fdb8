// The builder's creating actions: address layout and the register items of each construct.
#include "compiler/builder.h"

#include "model/basic_macro.h"
#include "model/bit_item.h"
#include "model/bits.h"
#include "model/byte_item.h"
#include "model/macro_ref.h"
#include "platform/text_helpers.h"

namespace vek {

namespace {

// The attribute letters, in either case.
constexpr struct {
    char letter;
    AccessType access;
} kAccessLetters[] = {{'r', AccessType::Read},
                      {'w', AccessType::Write},
                      {'b', AccessType::Both},
                      {'s', AccessType::Status},
                      {'f', AccessType::Prot}};

std::optional<AccessType> AccessOfLetter(std::string_view letter) {
    if (letter.size() != 1)
        return std::nullopt; // a help name
    for (const auto& entry : kAccessLetters) {
        if ((letter[0] | 0x20) == entry.letter)
            return entry.access;
    }
    return std::nullopt;
}

std::uint32_t MaskOfDataSize(int dataSize) {
    return dataSize >= 4 ? 0xFFFFFFFFu : (1u << (8 * dataSize)) - 1;
}

bool IsLabelSlot(std::uint32_t label) {
    return label >= 1 && label <= 9;
}

} // namespace

CBuilder::CBuilder() : items_(std::make_unique<CItemList>()), names_(items_->Texts()) {}

CBuilder::~CBuilder() = default;

void CBuilder::Attach(DiagnosticReporter& reporter) {
    reporter_ = &reporter;
}

std::string CBuilder::TakeText(int code) {
    const PendingProperties::Entry* entry = pending_.Take(code);
    return entry != nullptr ? std::string(entry->text) : std::string();
}

Text CBuilder::TakeName(int code) {
    const PendingProperties::Entry* entry = pending_.Take(code);
    if (entry == nullptr)
        return {};
    currentLine_ = entry->line; // reports of the construct carry the line of its name
    return entry->stored;
}

void CBuilder::CheckItem(CLineItem& item) {
    items_->Check(&item);
    ReportQueued();
}

void CBuilder::ResetContexts() {
    for (auto& context : contexts_)
        context.reset();
    labels_.clear();
}

CBuilder::HierarchyContext CBuilder::CurrentContext() const {
    return {template_.Text(), level_, dataSize_, memorySize_, access_, byteOrder_};
}

void CBuilder::Restore(const HierarchyContext& context) {
    template_.SetText(context.addressTemplate);
    level_ = context.level;
    access_ = context.access;
    dataSize_ = context.dataSize;
    memorySize_ = context.memorySize;
    byteOrder_ = context.byteOrder;
}

void CBuilder::ApplyLabel() {
    if (const auto* block = pending_.Take(propBlockLabel)) {
        const std::uint32_t n = block->number;
        // A label out of range was reported; it selects no context.
        if (IsLabelSlot(n)) {
            if (!contexts_[n])
                contexts_[n] = CurrentContext();
            Restore(*contexts_[n]);
        }
        label_ = static_cast<int>(n);
        labelKind_ = propBlockLabel;
    } else if (const auto* recorded = pending_.Take(propSetLabel)) {
        const std::uint32_t n = recorded->number;
        if (IsLabelSlot(n))
            contexts_[n] = CurrentContext();
        label_ = static_cast<int>(n);
        labelKind_ = propSetLabel;
    }
}

CBuilder::AddressLayout CBuilder::ApplyAddress() {
    const auto* address = pending_.Take(propAddress);
    if (address == nullptr)
        return {};
    addressText_ = address->text;
    AddressTemplate::Clause clause{address->text, std::nullopt, std::nullopt};
    if (const auto* shift = pending_.Take(propAddressShift))
        clause.shift = static_cast<int>(shift->number);
    if (const auto* length = pending_.Take(propAddressLength))
        clause.length = static_cast<int>(length->number);
    const AddressTemplate::Layout layout = template_.Apply(clause, addressSize_);
    if (layout.digitsError)
        Report(*layout.digitsError);
    if (layout.sizeError)
        Report(*layout.sizeError);
    return {layout.length, layout.shift};
}

void CBuilder::ApplyDataFormat() {
    bool sizeGiven = false;
    if (const auto* size = pending_.Take(propDataSize)) {
        dataSize_ = static_cast<int>(size->number);
        sizeGiven = true;
    }
    if (const auto* memory = pending_.Take(propMemorySize)) {
        memorySize_ = static_cast<int>(memory->number);
        sizeGiven = true;
    }
    if (sizeGiven && dataSize_ < memorySize_)
        Report(StringId::ErrB22);
    if (const auto* order = pending_.Take(propByteOrder)) {
        byteOrder_ = order->text;
        if (byteOrder_.size() != static_cast<std::size_t>(dataSize_))
            Report(StringId::ErrB30);
    }
}

void CBuilder::ApplyAttribute() {
    if (const auto* attribute = pending_.Take(propAttribute)) {
        if (const auto access = AccessOfLetter(attribute->text))
            access_ = *access;
    }
}

ItemAddress CBuilder::LaidOut(ItemAddress where, const AddressLayout& layout) {
    TextStore& texts = items_->Texts();
    where.SetAddressText(templateText_.Keep(texts, template_.Text()));
    where.SetAddressLength(static_cast<std::uint16_t>(addressSize_));
    where.addressDisplayWidth = static_cast<std::uint16_t>(layout.length);
    where.SetDataLength(static_cast<std::uint16_t>(dataSize_));
    where.memorySize = static_cast<std::uint16_t>(memorySize_);
    where.byteOrder = byteOrderText_.Keep(texts, byteOrder_);
    return where;
}

void CBuilder::FillAddress(CDeviceItem& item, const AddressLayout& layout) {
    item.SetItemAddress(LaidOut(item.GetItemAddress(), layout));
    item.SetAddressDisplay(displayText_.Keep(items_->Texts(), addressText_));
}

void CBuilder::TakeDisplayFlags(CVarItem& item) {
    if (pending_.Take(propSlider) != nullptr)
        item.AddFlags(ItemFlag::Slider);
    if (pending_.Take(propSigned) != nullptr)
        item.AddFlags(ItemFlag::Signed);
}

void CBuilder::Insert(ItemPtr<> item) {
    if (labelKind_ == propBlockLabel)
        items_->InsertAtLabel(std::move(item), label_);
    else
        items_->InsertAfterCurrent(std::move(item));
}

void CBuilder::BeginRegisterList() {
    auto line = items_->Make<CLineItem>(ItemKind::Line);
    ResetContexts();
    level_ = 0;
    line->SetName(TakeName(propRegisterList));
    line->SetLevel(0);
    CLineItem& item = *items_->Append(std::move(line));
    CheckItem(item);
    pending_.TakeAll();
}

void CBuilder::CreateDevice() {
    level_ = 1;
    label_ = 0;
    labelKind_ = 0;
    dataSize_ = 1;
    memorySize_ = 1;
    addressText_.clear();
    access_ = AccessType::Both;
    byteOrder_ = "1234";
    ResetContexts();
    lastConstruct_ = Construct::Device;
    const Text name = TakeName(propDeviceName);
    deviceHasAddressSize_ = pending_.Find(propAddressSize) != nullptr;
    if (deviceHasAddressSize_) {
        auto device = items_->Make<CDeviceItem>();
        template_.Reset(addressSize_);
        ApplyDataFormat();
        const AddressLayout layout = ApplyAddress();
        contexts_[0] = CurrentContext();
        device->SetName(name);
        device->SetLevel(level_);
        FillAddress(*device, layout);
        CheckItem(*items_->Append(std::move(device)));
        devicePositions_.try_emplace(LowerCase(name), items_->CurrentPosition());
    }
    pending_.TakeAll();
    ++level_;
}

void CBuilder::CreateSet() {
    if (!deviceHasAddressSize_)
        return;
    lastConstruct_ = Construct::Set;
    addressText_.clear();
    auto owned = items_->Make<CSetItem>();
    CSetItem& set = *owned;
    set.SetName(TakeName(propSetName));
    ApplyLabel();
    set.SetLevel(level_);
    set.SetLabel(label_);
    set.SetLabelRole(static_cast<LabelRole>(labelKind_));
    Insert(std::move(owned));
    const AddressLayout layout = ApplyAddress();
    ApplyAttribute();
    ApplyDataFormat();
    FillAddress(set, layout);
    set.SetAccessType(access_);
    CheckItem(set);
    pending_.TakeAll();
    ++level_;
}

void CBuilder::CreatePart(int partNumber) {
    if (!deviceHasAddressSize_)
        return;
    lastConstruct_ = Construct::Register;
    if (partNumber == 1) {
        auto owned = items_->Make<CByteItem>();
        register_ = owned.get();
        register_->SetName(TakeName(propRegisterName));
        ApplyLabel();
        register_->SetLabel(label_);
        register_->SetLabelRole(static_cast<LabelRole>(labelKind_));
        register_->SetLevel(level_);
        Insert(std::move(owned));
    } else {
        if (register_ == nullptr)
            return;
        --level_; // every part is laid out at the register's level
    }
    CByteItem& reg = *register_;
    addressText_.clear();
    const AddressLayout layout = ApplyAddress();
    if (!template_.IsComplete())
        Report(StringId::ErrB01);
    ApplyDataFormat();
    const auto* givenMask = pending_.Take(propMask);
    const std::uint32_t mask = givenMask != nullptr ? givenMask->number : MaskOfDataSize(dataSize_);
    const int width = PopCount(mask);
    const auto* givenDefault = pending_.Take(propDefault);
    const std::uint32_t value = givenDefault != nullptr ? givenDefault->number : 0;

    CByteItem::Part part;
    static_cast<ItemAddress&>(part) = LaidOut(reg.GetItemAddress(), layout);
    part.mask = mask;
    part.width = width;
    part.defaultValue = Deposit(value, 0, mask, width);
    reg.SetAddressDisplay(displayText_.Keep(items_->Texts(), addressText_));
    reg.SetAccessType(access_);
    if (!reg.AddPart(part))
        Report(StringId::ErrB20);
    pending_.TakeAll();
    ++level_;
}

void CBuilder::EndRegister() {
    if (register_ == nullptr)
        return;
    CByteItem& reg = *register_;
    ApplyAttribute();
    reg.SetAccessType(access_);
    if (pending_.Take(propReadEffects) != nullptr)
        reg.AddFlags(ItemFlag::ReadEffects);
    AttachMacros(reg);
    TakeDisplayFlags(reg);
    // Each part is checked against its neighbours on its own.
    for (std::size_t part = 0; part < reg.GetPartCount(); ++part) {
        reg.SelectPart(part);
        CheckItem(reg);
    }
    lastRegister_ = register_;
    register_ = nullptr;
    pending_.TakeAll();
}

void CBuilder::CreateVariable() {
    lastConstruct_ = Construct::Variable;
    auto owned = items_->Make<CVarItem>();
    CVarItem& variable = *owned;
    variable.SetName(TakeName(propVariableName));
    ApplyLabel();
    variable.SetLevel(level_);
    variable.SetLabel(label_);
    variable.SetLabelRole(static_cast<LabelRole>(labelKind_));
    items_->InsertAfterCurrent(std::move(owned));
    const auto* bits = pending_.Take(propVariableBitSize);
    const int width = bits != nullptr && bits->number <= 32 ? static_cast<int>(bits->number) : 32;
    const auto* value = pending_.Take(propDefault);
    variable.SetWidth(width);
    variable.SetValueField((value != nullptr ? value->number : 0) & FieldMax(width));
    TakeDisplayFlags(variable);
    AttachMacros(variable);
    variable.SetMask(0xFFFFFFFFu);
    variable.SetAccessType(AccessType::Both);
    variable.AddFlags(ItemFlag::ValueShown);
    CheckItem(variable);
    pending_.TakeAll();
    ++level_;
}

void CBuilder::CreateBitField() {
    lastConstruct_ = Construct::BitField;
    auto owned = items_->Make<CBitItem>();
    CBitItem& bit = *owned;
    bit.SetRegister(lastRegister_);
    bit.SetLevel(level_);
    bit.SetLabel(label_);
    bit.SetLabelRole(static_cast<LabelRole>(labelKind_));
    items_->InsertAfterCurrent(std::move(owned));
    bit.SetName(TakeName(propBitFieldName));
    addressText_.clear();
    const AddressLayout layout = ApplyAddress();
    FillAddress(bit, layout);
    std::uint32_t mask = 0;
    if (const auto* given = pending_.Take(propMask)) {
        mask = given->number;
    } else if (lastRegister_ != nullptr) {
        // The mask of the register part at the bit field's address.
        const auto& address = bit.GetAddressBytes();
        for (std::size_t k = 0; k < lastRegister_->GetPartCount(); ++k) {
            const CByteItem::Part part = lastRegister_->GetPart(k);
            if (std::equal(address.begin(), address.begin() + addressSize_, part.address.begin())) {
                mask = part.mask;
                break;
            }
        }
    }
    TakeDisplayFlags(bit);
    bit.SetMask(mask);
    bit.SetWidth(PopCount(mask));
    bit.SetAccessType(access_);
    CheckItem(bit);
    pending_.TakeAll();
}

void CBuilder::CreateTextLine() {
    if (lastConstruct_ == Construct::BitField)
        ++level_;
    lastConstruct_ = Construct::TextLine;
    while (const auto* text = pending_.Take(propTextLine)) {
        currentLine_ = text->line;
        auto line = items_->Make<CLineItem>(ItemKind::TextLine);
        line->SetName(text->stored);
        line->SetLevel(level_);
        CheckItem(*items_->InsertAfterCurrent(std::move(line)));
    }
    pending_.TakeAll();
    --level_;
}

void CBuilder::AttachMacros(CVarItem& item) {
    if (pending_.Take(propReadBinding) != nullptr) {
        macrosBound_ = true;
        item.SetReadMacros(std::move(readPair_.before), std::move(readPair_.after));
    }
    if (pending_.Take(propWriteBinding) != nullptr) {
        macrosBound_ = true;
        item.SetWriteMacros(std::move(writePair_.before), std::move(writePair_.after));
    }
}

CBuilder::MacroPair CBuilder::TakeMacroPair() {
    MacroPair pair;
    if (const auto* before = pending_.Take(propBeforeMacro))
        pair.before = std::make_unique<MacroRef>(std::string(before->text));
    if (const auto* after = pending_.Take(propAfterMacro))
        pair.after = std::make_unique<MacroRef>(std::string(after->text));
    return pair;
}

void CBuilder::BindReadMacros() {
    readPair_ = TakeMacroPair();
}

void CBuilder::BindWriteMacros() {
    writePair_ = TakeMacroPair();
}

std::unique_ptr<CItemList> CBuilder::TakeItems() {
    return std::move(items_);
}

} // namespace vek

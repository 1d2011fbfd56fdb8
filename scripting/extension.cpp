#include "scripting/extension.h"

#include "document/vek_doc.h"
#include "model/item_list.h"
#include "model/var_item.h"
#include "platform/host.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/engine.h"
#include "scripting/constants_module.h"
#include "scripting/magic_services.h"

namespace vek {

CExtension::CExtension(Host& host, MagicServices& magic) : host_(host), magic_(magic) {}

void CExtension::SetDocument(CVekDoc* document) {
    document_ = document;
    itemsByName_.clear();
    indexed_ = false;
}

const std::vector<CVarItem*>& CExtension::ItemsNamed(std::string_view name) {
    static const std::vector<CVarItem*> none;
    if (!indexed_ && document_ != nullptr && document_->GetItems() != nullptr) {
        for (CLineItem& item : *document_->GetItems()) {
            if (IsNumbered(item))
                itemsByName_[item.GetName()].push_back(&static_cast<CVarItem&>(item));
        }
    }
    indexed_ = true;
    const auto found = itemsByName_.find(name);
    return found == itemsByName_.end() ? none : found->second;
}

bool CExtension::ValidIndex(std::int32_t index, const char* method) {
    if (index >= 0 && index <= UpperBound())
        return true;
    host_.Message(std::string("Invalid parameter passed to ") + method + ": (" +
                      std::to_string(index) + ") - Minimum is 0, Maximum is " +
                      std::to_string(UpperBound()),
                  false);
    return false;
}

bool CExtension::WriteReg(std::int32_t index, std::int32_t value) {
    if (!ValidIndex(index, "WriteReg"))
        return false;
    // Every item of the name is written; the first failure ends the call.
    for (CVarItem* item : ItemsNamed(names_.At(static_cast<std::size_t>(index)))) {
        item->DepositValue(static_cast<std::uint32_t>(value));
        if (!item->Write()) {
            host_.Message(item->GetErrorText(), true);
            return false;
        }
    }
    return true;
}

std::int32_t CExtension::ReadReg(std::int32_t index) {
    if (!ValidIndex(index, "ReadReg")) {
        lastError_ = 1;
        return 0;
    }
    // The first item of the name that reads gives the value; failures are reported.
    for (CVarItem* item : ItemsNamed(names_.At(static_cast<std::size_t>(index)))) {
        if (item->Read())
            return static_cast<std::int32_t>(item->ShownValue());
        host_.Message(item->GetErrorText(), true);
    }
    lastError_ = 1;
    return 0;
}

bool CExtension::DebugOut(const std::string& text) {
    host_.Message(text, false);
    return true;
}

void CExtension::WriteAll() {
    if (document_ != nullptr)
        document_->WriteAll({});
}

void CExtension::ReadAll() {
    if (document_ != nullptr)
        document_->ReadAll();
}

void CExtension::WriteDefault() {
    if (document_ != nullptr)
        document_->WriteAll(TransferFlag::WriteDefault);
}

std::int32_t CExtension::Magic(std::int32_t code) {
    switch (code) {
    case 1:
        return magic_.RedrawAll() ? 1 : 0;
    case 2:
        magic_.Minimize();
        return 1;
    case 3:
        magic_.Restore();
        return 1;
    case 4:
        return magic_.TakeKey();
    default:
        return 0;
    }
}

std::int32_t CExtension::LastError() {
    const std::int32_t error = lastError_;
    lastError_ = 0;
    return error;
}

void CExtension::AddTo(basic::Engine& engine) {
    using basic::HostCallResult;
    using basic::Variant;
    // A script's argument as a Long; conversion errors go back to the script as run-time errors.
    // The methods' results are typed as their dispatch interface declares them.
    auto asLong = [](const Variant& value, std::int32_t& out) { return basic::ToLong(value, out); };
    auto fail = [](basic::RunError error) {
        return HostCallResult::Error(static_cast<int>(error),
                                     basic::RunErrorText(static_cast<int>(error)));
    };
    engine.AddHostFunction(
        "WriteReg", 2, 2,
        [this, asLong, fail](const std::vector<Variant>& a) {
            std::int32_t index = 0;
            std::int32_t value = 0;
            if (auto e = asLong(a[0], index); e != basic::RunError::None)
                return fail(e);
            if (auto e = asLong(a[1], value); e != basic::RunError::None)
                return fail(e);
            return HostCallResult::Of(Variant::Boolean(WriteReg(index, value)));
        },
        basic::Tag::Boolean);
    engine.AddHostFunction(
        "ReadReg", 1, 1,
        [this, asLong, fail](const std::vector<Variant>& a) {
            std::int32_t index = 0;
            if (auto e = asLong(a[0], index); e != basic::RunError::None)
                return fail(e);
            return HostCallResult::Of(Variant::Long(ReadReg(index)));
        },
        basic::Tag::Long);
    engine.AddHostFunction(
        "DebugOut", 1, 1,
        [this, fail](const std::vector<Variant>& a) {
            std::string text;
            if (auto e = basic::ToText(a[0], text); e != basic::RunError::None)
                return fail(e);
            return HostCallResult::Of(Variant::Boolean(DebugOut(text)));
        },
        basic::Tag::Boolean);
    engine.AddHostFunction("WriteAll", 0, 0, [this](const std::vector<Variant>&) {
        WriteAll();
        return HostCallResult::Of(Variant());
    });
    engine.AddHostFunction("ReadAll", 0, 0, [this](const std::vector<Variant>&) {
        ReadAll();
        return HostCallResult::Of(Variant());
    });
    engine.AddHostFunction("WriteDefault", 0, 0, [this](const std::vector<Variant>&) {
        WriteDefault();
        return HostCallResult::Of(Variant());
    });
    engine.AddHostFunction(
        "Magic", 1, 1,
        [this, asLong, fail](const std::vector<Variant>& a) {
            std::int32_t code = 0;
            if (auto e = asLong(a[0], code); e != basic::RunError::None)
                return fail(e);
            return HostCallResult::Of(Variant::Long(Magic(code)));
        },
        basic::Tag::Long);
    engine.AddHostFunction(
        "LastError", 0, 0,
        [this](const std::vector<Variant>&) {
            return HostCallResult::Of(Variant::Long(LastError()));
        },
        basic::Tag::Long);
}

} // namespace vek

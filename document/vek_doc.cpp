#include "document/vek_doc.h"

#include "importer/map_import.h"

#include "compiler/description_compile.h"
#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/driver.h"
#include "model/item_list.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_reads.h"
#include "model/var_item.h"
#include "platform/dynamic_library.h"
#include "platform/host.h"
#include "platform/text_file.h"

#include <deque>
#include <filesystem>
#include <functional>

namespace vek {

namespace {

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

CVekDoc::CVekDoc(Host& host) : host_(host) {
    context_.host = &host;
}

CVekDoc::~CVekDoc() {
    Clear();
}

void CVekDoc::Clear() {
    // Drivers first: closing them may still report through the items' registers.
    drivers_.clear();
    itemIndex_.clear();
    items_.reset();
    macros_.clear();
    scriptMacros_.clear();
    compiled_ = false;
    driverOpened_ = false;
}

CLineItem* CVekDoc::GetItem(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= itemIndex_.size()) {
        return nullptr;
    }
    return itemIndex_[static_cast<std::size_t>(index)];
}

bool CVekDoc::Compile(const std::string& path, std::optional<std::string> text) {
    Clear();
    host_.ClearMessages();
    path_ = AbsolutePath(path);
    if (!text) {
        Result<std::string> read = ReadTextFile(path_, kDescriptionFileLimit);
        if (!read) {
            host_.Message(path + ": " + read.Error().text, true);
            return false;
        }
        text = std::move(read).Value();
    }
    Result<ImportedDescription> description = DescriptionFromText(path, std::move(*text));
    if (!description) {
        host_.Message(description.Error().text, true);
        return false;
    }
    for (const std::string& warning : description.Value().warnings)
        host_.Message(path + ": warning: " + warning, false);

    // The compiler's lines name the file as the user gave it.
    CompiledDescription compiled =
        CompileDescription(path, std::move(description.Value().text), host_, diagnosticSink_);
    if (compiled.errors != 0) {
        host_.Message(CompileSummary(path, compiled.errors), false);
        return false;
    }
    TakeCompiled(std::move(compiled.items));
    macros_ = std::move(compiled.macros);
    for (const auto& macro : macros_)
        macro->SetContext(&context_);
    scriptMacros_ = std::move(compiled.scriptMacros);
    return true;
}

bool CVekDoc::OpenDocument(const std::string& path, std::optional<std::string> text) {
    if (!Compile(path, std::move(text))) {
        return false;
    }
    return BindDrivers();
}

bool CVekDoc::BindDrivers() {
    compiled_ = false;
    if (!LoadDrivers()) {
        host_.Message(CompileSummary(path_, 1), false);
        return false;
    }
    host_.Beep();
    host_.Message(CompileSummary(path_, context_.simulation ? 1 : 0), false);
    compiled_ = true;
    return true;
}

void CVekDoc::TakeCompiled(std::unique_ptr<CItemList> items) {
    items_ = std::move(items);
    itemIndex_.clear();
    if (items_ == nullptr) {
        return;
    }
    itemIndex_.reserve(items_->Size());
    for (CLineItem& item : *items_) {
        itemIndex_.push_back(&item);
    }
}

template <class Take>
bool CVekDoc::TakeDrivers(Take take) {
    std::deque<CLineItem*> work(itemIndex_.begin(), itemIndex_.end());
    while (!work.empty()) {
        if (work.front()->GetKind() != ItemKind::Line) {
            work.pop_front();
            continue;
        }
        auto driver = std::make_unique<CDriver>(context_);
        if (!take(*driver, work)) {
            return false;
        }
        drivers_.push_back(std::move(driver));
    }
    return true;
}

bool CVekDoc::LoadDrivers() {
    // Loading again starts afresh: the old drivers are closed and their registers rebuilt.
    DropDrivers();
    host_.Message("Loading driver(s)...", false);
    const std::vector<std::string> directories = DriverSearchDirectories(driverFolders_);
    return TakeDrivers([&](CDriver& driver, std::deque<CLineItem*>& work) {
        const Result<BindMode> bound = driver.Bind(work, directories);
        if (!bound) {
            // The registers of the drivers bound so far go too: no item may point at a register
            // of a driver that is gone.
            DropDrivers();
            return false;
        }
        if (bound.Value() == BindMode::Opened) {
            driverOpened_ = true;
        } else if (!context_.simulation) {
            ToggleSimulation();
        }
        return true;
    });
}

bool CVekDoc::OpenWithoutDrivers(const std::string& path) {
    if (!Compile(path, std::nullopt)) {
        return false;
    }
    TakeDrivers(
        [](CDriver& driver, std::deque<CLineItem*>& work) { return driver.TakeItems(work); });
    compiled_ = true;
    return true;
}

void CVekDoc::DropDrivers() {
    drivers_.clear();
    driverOpened_ = false;
    for (CLineItem* item : itemIndex_) {
        if (auto* reg = dynamic_cast<CByteItem*>(item)) {
            for (std::size_t k = 0; k < reg->GetPartCount(); ++k) {
                reg->SetPartShadowReg(k, nullptr);
            }
        } else if (auto* bit = dynamic_cast<CBitItem*>(item)) {
            bit->SetShadowReg(nullptr);
        }
    }
}

template <class Transfer>
int CVekDoc::TransferAll(Transfer transfer) {
    int failed = 0;
    const std::function<void(const CShadowReg&)> report = [&](const CShadowReg& reg) {
        host_.Message(reg.GetLastError(), failed == 0);
        ++failed;
    };
    for (const auto& driver : drivers_) {
        for (const auto& device : driver->Devices()) {
            transfer(device->Registers(), report);
        }
    }
    return failed;
}

int CVekDoc::WriteAll(TransferFlags flags) {
    if (context_.simulation) {
        flags.Set(TransferFlag::Simulation);
    }
    return TransferAll([flags](const ShadowRegList& registers, const auto& failed) {
        for (std::size_t i = 0; i < registers.Size(); ++i) {
            if (!registers[i].Write(flags)) {
                failed(registers[i]);
            }
        }
    });
}

int CVekDoc::ReadAll() {
    const TransferFlags flags = context_.TransferMode();
    PassedOverReads passedOver;
    const int failed =
        TransferAll([flags, &passedOver](const ShadowRegList& registers, const auto& report) {
            ReadRegisters(registers, flags, passedOver, report);
        });
    if (const std::string notice = passedOver.Notice(); !notice.empty())
        host_.Message(notice, false);
    return failed;
}

bool CVekDoc::WriteRegister(CLineItem& item) {
    return Report(item.Write(), item);
}

bool CVekDoc::ReadRegister(CLineItem& item) {
    return Report(item.Read(), item);
}

bool CVekDoc::Report(bool transferred, const CLineItem& item) {
    // An item without a value (a device, a set) has no transfer and no reason to show.
    if (!transferred) {
        if (const std::string reason = item.GetErrorText(); !reason.empty()) {
            host_.Message(reason, true);
        }
    }
    return transferred;
}

void CVekDoc::ToggleSimulation() {
    host_.SetLedState(context_.simulation ? LedState::SteadyDark : LedState::BlinkRed);
    context_.simulation = !context_.simulation;
}

void CVekDoc::UpdateAllItems(UpdateCodes code) {
    for (CLineItem* item : itemIndex_) {
        item->Update(nullptr, code);
    }
}

void CVekDoc::ToggleMacros(MacroFlag flag, UpdateCode itemSwitch) {
    flags_.Toggle(flag);
    UpdateCodes code = itemSwitch;
    UpdateAllItems(code.Assign(UpdateCode::SwitchOn, flags_.Has(flag)));
}

void CVekDoc::ToggleReadMacros() {
    ToggleMacros(MacroFlag::ReadMacros, UpdateCode::ReadMacros);
}

void CVekDoc::ToggleWriteMacros() {
    ToggleMacros(MacroFlag::WriteMacros, UpdateCode::WriteMacros);
}

bool CVekDoc::ResetDrivers() {
    if (context_.simulation) {
        host_.Message("Reset Driver: the document is in simulation mode; no driver was touched",
                      true);
        return false;
    }
    bool reset = false;
    bool failed = false;
    for (const auto& driver : drivers_) {
        if (driver->IsOpened()) {
            (driver->Reset() ? reset : failed) = true;
        }
    }
    if (!reset && !failed)
        host_.Message("Reset Driver: no driver is opened", true);
    return reset && !failed;
}

std::optional<std::vector<CShadowReg*>>
CVekDoc::CollectRegisters(const std::string& driverName, const std::string& deviceName) const {
    std::vector<CShadowReg*> registers;
    const auto take = [&](const CDriverDevice& device) {
        for (std::size_t i = 0; i < device.Registers().Size(); ++i) {
            registers.push_back(&device.Registers()[i]);
        }
    };
    const auto takeDevices = [&](const CDriver& driver) {
        if (deviceName.empty()) {
            for (const auto& device : driver.Devices()) {
                take(*device);
            }
            return true;
        }
        for (const auto& device : driver.Devices()) {
            if (device->GetName() == deviceName) {
                take(*device);
                return true;
            }
        }
        return false;
    };
    bool found = false;
    for (const auto& driver : drivers_) {
        if (driverName.empty()) {
            found = takeDevices(*driver) || found;
        } else if (driver->GetName() == driverName) {
            found = takeDevices(*driver);
            break;
        }
    }
    if (!found && !(driverName.empty() && deviceName.empty())) {
        return std::nullopt;
    }
    return registers;
}

} // namespace vek

#include "model/driver.h"

#include "model/driver_error.h"
#include "model/line_item.h"
#include "model/register_context.h"
#include "platform/dynamic_library.h"
#include "platform/profile_file.h"
#include "platform/string_table.h"
#include "platform/text_helpers.h"

namespace vek {

namespace {

// The entry points in the order they are looked up and reported.
constexpr const char* kEntryPointNames[] = {"VekOpen", "VekClose", "VekSetReg", "VekGetReg",
                                            "VekGetStatus"};

} // namespace

CDriver::CDriver(RegisterContext& context) : context_(context) {}

CDriver::~CDriver() {
    if (entry_.close != nullptr) {
        entry_.close();
    } else if (entry_.status != nullptr) {
        Report(DriverErrorLine(StringId::DrvD04, {}, DriverStatus(&entry_)));
    }
    entry_ = DriverEntryPoints{};
    library_.reset();
    devices_.clear();
}

void CDriver::Report(const std::string& text) const {
    if (context_.host != nullptr) {
        context_.host->Message(text, false);
    }
}

Result<BindMode> CDriver::Decline(BindFailure failure, const std::string& reason) {
    Report(reason);
    entry_ = DriverEntryPoints{};
    library_.reset();
    const Answer answer =
        context_.host != nullptr
            ? context_.host->Ask(LoadString(StringId::DrvD00), QuestionKind::OkCancel)
            : Answer::Cancel;
    if (answer == Answer::Ok) {
        return BindMode::Simulation;
    }
    return Failure{static_cast<int>(failure), reason};
}

bool CDriver::TakeItems(std::deque<CLineItem*>& items) {
    if (items.empty()) {
        return false;
    }
    fileName_ = items.front()->GetName();
    name_ = fileName_.size() > 4 ? fileName_.substr(0, fileName_.size() - 4) : std::string();
    items.pop_front();

    while (!items.empty() && items.front()->GetKind() != ItemKind::Line) {
        if (items.front()->GetKind() != ItemKind::Device) {
            items.pop_front();
            continue;
        }
        auto device = std::make_unique<CDriverDevice>(&entry_, name_, &context_);
        device->Build(items);
        devices_.push_back(std::move(device));
    }
    return true;
}

Result<BindMode> CDriver::Bind(std::deque<CLineItem*>& items,
                               const std::vector<std::string>& searchDirectories) {
    if (!TakeItems(items)) {
        return Failure{static_cast<int>(BindFailure::NotLoaded), "no driver line"};
    }

    std::string reason;
    library_ = DynamicLibrary::Load(fileName_, searchDirectories, reason);
    if (library_ == nullptr) {
        Report(DriverErrorLine(StringId::DrvD01, {}, EscapeControlBytes(fileName_)));
        // The loader's reason on a line of its own: a missing file, a library of another machine,
        // a library that the driver needs and that is missing.
        return Decline(BindFailure::NotLoaded, EscapeControlBytes(reason));
    }
    Report(EscapeControlBytes(fileName_));
    // A driver from a folder the user named replaces the program's own: say which file runs.
    if (!IsInProgramDirectory(library_->Path())) {
        Report(EscapeControlBytes(fileName_) + " loaded from " +
               EscapeControlBytes(library_->Path()));
    }

    void* found[std::size(kEntryPointNames)] = {};
    std::vector<std::string> missing;
    for (std::size_t i = 0; i < std::size(kEntryPointNames); ++i) {
        found[i] = library_->Symbol(kEntryPointNames[i]);
        if (found[i] == nullptr) {
            missing.push_back(DriverErrorLine(StringId::DrvD02, {}, kEntryPointNames[i]));
        }
    }
    if (!missing.empty()) {
        // A line for each missing function; the last is the failure's reason.
        for (std::size_t i = 0; i + 1 < missing.size(); ++i) {
            Report(missing[i]);
        }
        return Decline(BindFailure::MissingFunction, missing.back());
    }
    entry_.open = reinterpret_cast<VekOpenFn>(found[0]);
    entry_.close = reinterpret_cast<VekCloseFn>(found[1]);
    entry_.write = reinterpret_cast<VekSetRegFn>(found[2]);
    entry_.read = reinterpret_cast<VekGetRegFn>(found[3]);
    entry_.status = reinterpret_cast<VekGetStatusFn>(found[4]);
    entry_.readMany = reinterpret_cast<VekGetRegsFn>(library_->Symbol("VekGetRegs"));
    if (entry_.open() != 0) {
        opened_ = true;
        return BindMode::Opened;
    }
    return Decline(BindFailure::NotOpened,
                   DriverErrorLine(StringId::DrvD03, {}, DriverStatus(&entry_)));
}

bool CDriver::Reset() {
    if (entry_.close == nullptr || entry_.open == nullptr)
        return false;
    entry_.close();
    if (entry_.open() != 0)
        return true;
    Report(DriverErrorLine(StringId::DrvD03, {}, DriverStatus(&entry_)));
    return false;
}

void CDriver::SaveValues(ProfileFile& file) const {
    file.SetString("DRIVER", FreeNumberedKey(file, "DRIVER", "DRV"), fileName_);
    for (const auto& device : devices_) {
        device->SaveValues(file);
    }
}

void CDriver::LoadValues(const ProfileFile& file, TransferFlags flags, ValuesLoadTally& tally) {
    for (const auto& device : devices_) {
        device->LoadValues(file, flags, tally);
    }
}

} // namespace vek

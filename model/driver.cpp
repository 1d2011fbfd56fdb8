#include "model/driver.h"

#include "model/driver_status.h"
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

std::string Catalogue(StringId id) {
    return std::string(LoadString(id));
}

} // namespace

CDriver::CDriver(RegisterContext& context) : context_(context) {}

CDriver::~CDriver() {
    if (entry_.close != nullptr) {
        entry_.close();
    } else if (entry_.status != nullptr) {
        Report(Catalogue(StringId::DrvD04) + " : " + ReadDriverStatus(entry_.status));
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

int CDriver::Decline(int code) {
    entry_ = DriverEntryPoints{};
    library_.reset();
    const Answer answer =
        context_.host != nullptr
            ? context_.host->Ask(LoadString(StringId::DrvD00), QuestionKind::OkCancel)
            : Answer::Cancel;
    return answer == Answer::Ok ? bind_result::Simulation : code;
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

int CDriver::Bind(std::deque<CLineItem*>& items,
                  const std::vector<std::string>& searchDirectories) {
    if (!TakeItems(items)) {
        return bind_result::NotLoaded;
    }

    std::string reason;
    library_ = DynamicLibrary::Load(fileName_, searchDirectories, reason);
    if (library_ == nullptr) {
        Report(Catalogue(StringId::DrvD01) + " : " + EscapeControlBytes(fileName_));
        // The loader's reason on a line of its own: a missing file, a library of another machine,
        // a library that the driver needs and that is missing.
        Report(EscapeControlBytes(reason));
        return Decline(bind_result::NotLoaded);
    }
    Report(EscapeControlBytes(fileName_));

    void* found[std::size(kEntryPointNames)] = {};
    bool complete = true;
    for (std::size_t i = 0; i < std::size(kEntryPointNames); ++i) {
        found[i] = library_->Symbol(kEntryPointNames[i]);
        complete = complete && found[i] != nullptr;
    }
    if (!complete) {
        for (std::size_t i = 0; i < std::size(kEntryPointNames); ++i) {
            if (found[i] == nullptr) {
                Report(Catalogue(StringId::DrvD02) + " : " + kEntryPointNames[i]);
            }
        }
        return Decline(bind_result::MissingFunction);
    }
    entry_.open = reinterpret_cast<VekOpenFn>(found[0]);
    entry_.close = reinterpret_cast<VekCloseFn>(found[1]);
    entry_.write = reinterpret_cast<VekSetRegFn>(found[2]);
    entry_.read = reinterpret_cast<VekGetRegFn>(found[3]);
    entry_.status = reinterpret_cast<VekGetStatusFn>(found[4]);
    if (entry_.open() != 0) {
        opened_ = true;
        return bind_result::Bound;
    }
    Report(Catalogue(StringId::DrvD03) + " : " + ReadDriverStatus(entry_.status));
    return Decline(bind_result::NotOpened);
}

void CDriver::Reset() {
    if (entry_.close != nullptr && entry_.open != nullptr) {
        entry_.close();
        entry_.open();
    }
}

void CDriver::SaveValues(ProfileFile& file) const {
    file.SetString("DRIVER", FreeNumberedKey(file, "DRIVER", "DRV"), fileName_);
    for (const auto& device : devices_) {
        device->SaveValues(file);
    }
}

void CDriver::LoadValues(const ProfileFile& file, int flags) {
    for (const auto& device : devices_) {
        device->LoadValues(file, flags);
    }
}

} // namespace vek

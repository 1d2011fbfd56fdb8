#include "model/driver_error.h"

#include "model/driver_entry_points.h"
#include "model/driver_status.h"

namespace vek {

std::optional<std::string> DriverStatus(const DriverEntryPoints* driver) {
    if (driver == nullptr || driver->status == nullptr)
        return std::nullopt;
    return ReadDriverStatus(driver->status);
}

bool ShowsDetail(StringId id) {
    const MessageArguments arguments = CatalogueEntryOf(id).arguments;
    return arguments == MessageArguments::Detail || arguments == MessageArguments::AddressDetail;
}

std::string DriverErrorLine(StringId id, std::string_view address,
                            const std::optional<std::string>& detail) {
    const CatalogueEntry& entry = CatalogueEntryOf(id);
    std::string line(entry.text);
    const bool addressed = entry.arguments == MessageArguments::Address ||
                           entry.arguments == MessageArguments::AddressDetail;
    if (addressed)
        line += address;
    if (ShowsDetail(id) && detail)
        line += " : " + *detail;
    return line;
}

} // namespace vek

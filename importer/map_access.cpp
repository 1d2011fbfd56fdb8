#include "importer/map_access.h"

#include "importer/map_source.h"

#include <string>

namespace vek {

std::optional<MapAccess> MapAccessNamed(std::string_view text) {
    if (text == "read-only")
        return MapAccess::Read;
    if (text == "write-only" || text == "writeOnce")
        return MapAccess::Write;
    if (text == "read-write" || text == "read-writeOnce")
        return MapAccess::Both;
    return std::nullopt;
}

bool ReadActionChangesChip(std::string_view text) {
    return text == "clear" || text == "set" || text == "modify" || text == "modifyExternal";
}

} // namespace vek

#pragma once

#include "importer/register_map.h"

#include <optional>
#include <string_view>

namespace vek {

// The access texts SVD and IP-XACT share: read-only, write-only, read-write, writeOnce,
// read-writeOnce (a write-once register is written once, so it is a write register here).
std::optional<MapAccess> MapAccessNamed(std::string_view text);

// readAction values that change the chip when it reads: clear, set, modify, modifyExternal.
bool ReadActionChangesChip(std::string_view text);

} // namespace vek

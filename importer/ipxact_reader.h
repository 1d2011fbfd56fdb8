#pragma once

#include "importer/import_warnings.h"
#include "importer/map_source.h"
#include "importer/register_map.h"

namespace vek {

// Reads an IP-XACT component (IEEE 1685-2009, -2014, -2022): each address block of each memory
// map becomes a device, with its registers, register files and fields.
RegisterMap ReadIpxact(const MapSource& source, ImportWarnings& warnings);

} // namespace vek

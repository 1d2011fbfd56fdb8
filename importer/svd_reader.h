#pragma once

#include "importer/import_warnings.h"
#include "importer/map_source.h"
#include "importer/register_map.h"

namespace vek {

// Reads a CMSIS-SVD device (schema 1.0 to 1.3): peripherals, clusters, registers and fields,
// with derivedFrom resolved, dim arrays expanded and the register properties inherited from
// device to peripheral to cluster to register.
RegisterMap ReadSvd(const MapSource& source, ImportWarnings& warnings);

} // namespace vek

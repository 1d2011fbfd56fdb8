#pragma once

#include "vekdriver.h"

namespace vek {

// The five functions bound from one driver library; all null while the driver is not bound or
// after its binding failed.
struct DriverEntryPoints {
    VekOpenFn open = nullptr;
    VekCloseFn close = nullptr;
    VekSetRegFn write = nullptr;
    VekGetRegFn read = nullptr;
    VekGetStatusFn status = nullptr;
    // The optional run of reads; null when the driver does not offer it.
    VekGetRegsFn readMany = nullptr;

    bool Bound() const {
        return open != nullptr || close != nullptr || write != nullptr || read != nullptr ||
               status != nullptr;
    }
};

} // namespace vek

// The library state that the exports of BSX4810 work on: one per process.
#pragma once

#include "scan_library.h"

namespace bsx4810 {

CScanLibrary& ProcessScanLibrary();

// Starts the process state afresh with the given back end in place of the one chosen from the
// environment. For programs that bring their own device, such as the library's tests.
void ResetProcessScanLibrary(DeviceFactory openDevice);

} // namespace bsx4810

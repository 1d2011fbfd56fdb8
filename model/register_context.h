#pragma once

#include "model/register_codes.h"
#include "platform/host.h"

#include <functional>

namespace vek {

class CShadowReg;

// What items and shadow registers need from their document: the host that shows message lines
// and flashes the LED, and whether the document is in simulation mode. Owned by the document;
// items and shadow registers only point at it.
struct RegisterContext {
    Host* host = nullptr;
    bool simulation = false;
    // Told of every value a driver took (not of simulated writes), for instance to read it back.
    std::function<void(CShadowReg&)> written = nullptr;
    // Told of every transfer that reached a driver, done or refused, as it ends: the register
    // holds the value written or read, or the reason in its last error.
    std::function<void(const CShadowReg&, UpdateCode direction, bool done)> transferred = nullptr;
    // Every transfer that failed (refused by a driver, no driver, no value to write), counted so
    // that a caller can tell whether a run of statements, a macro for one, had a failure.
    int failedTransfers = 0;

    // How transfers are made: simulated while the document is in simulation mode.
    TransferFlags TransferMode() const {
        return simulation ? TransferFlag::Simulation : TransferFlags();
    }
};

} // namespace vek

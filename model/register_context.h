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

    // How transfers are made: simulated while the document is in simulation mode.
    TransferFlags TransferMode() const {
        return simulation ? TransferFlag::Simulation : TransferFlags();
    }
};

} // namespace vek

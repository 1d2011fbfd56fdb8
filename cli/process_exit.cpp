#include "cli/process_exit.h"

#include <vector>

namespace vek {

namespace {

bool processEnds = false;

} // namespace

void SetProcessEndsAfterCommand(bool ends) {
    processEnds = ends;
}

bool ProcessEndsAfterCommand() {
    return processEnds;
}

void KeepUntilExit(std::shared_ptr<void> kept) {
    // Never destroyed: what it holds stays reachable to the end, so a leak checker at exit sees
    // nothing lost.
    static auto* const keptValues = new std::vector<std::shared_ptr<void>>;
    keptValues->push_back(std::move(kept));
}

} // namespace vek

#pragma once

#include "ui/watch/live_refresh_settings.h"

#include <vector>

namespace vek {

class CShadowReg;
class CSftTree;

// The shadow registers of the rows a live refresh of that scope reads: a selected or bookmarked
// row brings the rows below it (a device its registers), a row in view only itself, since a
// collapsed branch shows no values.
std::vector<CShadowReg*> RefreshRegisters(const CSftTree& tree, RefreshScope scope);

} // namespace vek

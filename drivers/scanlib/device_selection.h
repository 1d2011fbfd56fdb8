// Chooses the controller back end when the device is opened, from BSX4810_DEVICE:
// unset, empty or "soft" is the software TAP; "ftdi" or "ftdi:options" an FTDI MPSSE cable;
// "none" behaves as a machine without a controller.
#pragma once

#include "device_channel.h"

namespace bsx4810 {

std::unique_ptr<CDeviceChannel> OpenDeviceFromEnvironment();

} // namespace bsx4810

// The process's FTDI cable, chosen by BSX4810_DEVICE=ftdi or ftdi:options.
#pragma once

#include "../device_channel.h"

#include <string_view>

namespace bsx4810 {

// A handle on the process's cable with these options (the text after "ftdi:"), connected;
// null, with the cause on standard error, when the options are wrong or the cable does not
// answer. The cable stays open from one claim of the controller to the next: opening a USB
// device costs many transfers.
std::unique_ptr<CDeviceChannel> OpenFtdiCable(std::string_view optionsText);

} // namespace bsx4810

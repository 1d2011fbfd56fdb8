// The seam below libftdi: one interface (channel) of an FTDI chip in MPSSE mode, reached by bulk
// writes of commands and bulk reads of the chip's answers. libftdi sits behind it on a bench; the
// emulated chip in the tests and with ftdi:emulate.
#pragma once

#include "cable_options.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace bsx4810 {

class CFtdiUsb {
public:
    virtual ~CFtdiUsb() = default;
    // Hands every byte to the chip in one USB transfer; false (see Error) when the chip did not
    // take them all within timeout.
    virtual bool Write(std::span<const uint8_t> bytes, std::chrono::milliseconds timeout) = 0;
    // Fills answer with the chip's next answer bytes; false when they did not all come in time.
    virtual bool Read(std::span<uint8_t> answer, std::chrono::milliseconds timeout) = 0;
    // Why the last Write or Read failed.
    virtual std::string Error() const = 0;
};

// Opens interface channel ('A' to 'D') of the chip the options name, purged and in MPSSE mode;
// null with the reason in error.
using FtdiUsbOpener = std::function<std::unique_ptr<CFtdiUsb>(const FtdiOptions& options,
                                                              char channel, std::string& error)>;

// The chip on the USB, through libftdi; when BSX4810 was built without libftdi1 every open fails
// and says so.
std::unique_ptr<CFtdiUsb> OpenLibFtdiUsb(const FtdiOptions& options, char channel,
                                         std::string& error);

} // namespace bsx4810

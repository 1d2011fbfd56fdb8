// The FTDI cable back end's texts. The driver's status text says which step failed; the cause
// goes to standard error as one line, "BSX4810 ftdi: " and the text, where it shows among the
// output window's lines of vek.
#pragma once

#include <string>

namespace bsx4810 {

#define BSX4810_CABLE_MESSAGES(X)                                                                  \
    X(UnknownOption, "unknown option '%s' in BSX4810_DEVICE")                                      \
    X(BadOptionValue, "bad value '%s' for option %s (%s)")                                         \
    X(SameChannelTwice, "port2 must name another channel than interface")                          \
    X(NotBuilt, "this BSX4810 was built without libftdi1; only ftdi:emulate is available")         \
    X(NoUsb, "libftdi cannot start: %s")                                                           \
    X(OpenFailed, "cannot open %04x:%04x interface %c: %s")                                        \
    X(SetupFailed, "cannot put interface %c into MPSSE mode: %s")                                  \
    X(NoSecondPort, "TAP port 2 has no channel (port2=none)")                                      \
    X(WriteFailed, "USB write to interface %c failed: %s")                                         \
    X(ReadFailed, "no answer from interface %c: %s")                                               \
    X(OutOfStep, "interface %c answered out of step; is it an MPSSE channel of an H-series chip?") \
    X(TimedOut, "timed out after %u ms")                                                           \
    X(NoSuchChannel, "the emulated FT2232H has no MPSSE interface %c")                             \
    X(TargetNotKept, "the emulated target's register file could not be written")

enum class CableMessage {
#define BSX4810_CABLE_MESSAGE_ID(id, text) id,
    BSX4810_CABLE_MESSAGES(BSX4810_CABLE_MESSAGE_ID)
#undef BSX4810_CABLE_MESSAGE_ID
};

// The message's text with its %-fields filled from the arguments (C strings, characters and
// numbers only).
std::string CableText(CableMessage id, ...);

// Writes "BSX4810 ftdi: ", the cause and a new line to standard error.
void ReportCableCause(const std::string& cause);

} // namespace bsx4810

// Opening the line to a debug server: a TCP connection to host:port, or a serial port for the
// probes that speak the protocol there.
#pragma once

#include "byte_channel.h"

#include <memory>
#include <string>

namespace vek {

// Tries every address the host resolves to, each within timeoutMs; Nagle's delay is turned off,
// as every packet waits for its reply.
Result<std::unique_ptr<ByteChannel>> ConnectTcp(const std::string& host, int port, int timeoutMs);

// The serial port in raw mode at the given bit rate (one of the rates termios knows).
Result<std::unique_ptr<ByteChannel>> OpenSerialLine(const std::string& path, int baud);

// Whether termios has a setting for the bit rate.
bool IsSerialRate(int baud);

} // namespace vek

// The GDB server driver's settings: where the server is, how long to wait for it, the target's
// byte order and whether it runs between transfers. Read from gdbdrv.ini in the place every
// driver's settings file is found; VEK_GDB_REMOTE=host:port names the server instead.
#pragma once

#include "platform/profile_file.h"
#include "platform/result.h"

#include <optional>
#include <string>
#include <vector>

namespace vek {

inline constexpr const char* kGdbSettingsFileName = "gdbdrv.ini";
inline constexpr const char* kGdbSettingsOverrideVariable = "VEK_GDBDRV";
inline constexpr const char* kGdbRemoteVariable = "VEK_GDB_REMOTE";

struct ServerAddress {
    std::string host;
    int port = 0;
};

struct GdbSettings {
    // The TCP server; used unless a serial port is named.
    ServerAddress remote{"localhost", 3333};
    // A probe that speaks the protocol on a serial port (key "Serial"), and its bit rate.
    std::string serialPort;
    int baud = 115200;
    int connectTimeoutMs = 0;
    int replyTimeoutMs = 0;
    bool bigEndian = false;
    // The target runs between transfers, each of which stops it briefly; otherwise it stays
    // halted while the driver is open.
    bool running = false;
    // Faulty entries found while reading.
    std::vector<std::string> problems;
};

// "host:port" or "[v6-address]:port", the port from 1 to 65535; nothing for any other text.
std::optional<ServerAddress> ParseServerAddress(const std::string& text);

// The settings of section [Server]; remoteOverride is VEK_GDB_REMOTE's value, when set.
GdbSettings ReadGdbSettings(const ProfileFile& settings,
                            const std::optional<std::string>& remoteOverride);

// The settings the driver opens with. A file that cannot be read or holds faulty entries refuses
// the open with the first fault; every fault also goes to standard error as "gdbdrv: " and the
// fault.
Result<GdbSettings> LoadGdbSettings();

} // namespace vek

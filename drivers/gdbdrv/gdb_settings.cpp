#include "gdb_settings.h"

#include "gdb_limits.h"
#include "server_line.h"

#include "platform/number_text.h"
#include "platform/settings_file.h"
#include "platform/text_helpers.h"

#include <cstdio>
#include <cstdlib>

namespace vek {
namespace {

constexpr const char* kSection = "Server";

constexpr NumberSetting kConnectTimeout{"ConnectTimeout", RadixPrefixes::None, kMinTimeoutMs,
                                        kMaxTimeoutMs, kDefaultConnectTimeoutMs};
constexpr NumberSetting kReplyTimeout{"ReplyTimeout", RadixPrefixes::None, kMinTimeoutMs,
                                      kMaxTimeoutMs, kDefaultReplyTimeoutMs};
constexpr NumberSetting kBaud{"Baud", RadixPrefixes::None, 50, 4000000, 115200};

void ReportFault(const std::string& fault) {
    std::fprintf(stderr, "gdbdrv: %s\n", fault.c_str());
    std::fflush(stderr);
}

// One of two words, without regard to case; the fault otherwise.
bool ReadChoice(const ProfileFile& settings, const char* key, const char* no, const char* yes,
                std::vector<std::string>& problems) {
    const auto text = settings.Value(kSection, key);
    if (!text || EqualsNoCase(*text, no))
        return false;
    if (EqualsNoCase(*text, yes))
        return true;
    problems.push_back(SettingFault(key, *text) + " (" + no + " or " + yes + ")");
    return false;
}

} // namespace

std::optional<ServerAddress> ParseServerAddress(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    std::string host = text.substr(0, colon);
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']')
            return std::nullopt;
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string::npos) {
        // An IPv6 address needs its brackets, or the port could not be told from it.
        return std::nullopt;
    }
    const auto port = WholeInteger(std::string_view(text).substr(colon + 1), RadixPrefixes::None);
    if (!port || *port < 1 || *port > 65535 || text.find_first_of(" \t") != std::string::npos)
        return std::nullopt;
    return ServerAddress{std::move(host), static_cast<int>(*port)};
}

GdbSettings ReadGdbSettings(const ProfileFile& settings,
                            const std::optional<std::string>& remoteOverride) {
    GdbSettings result;
    if (remoteOverride) {
        if (const auto address = ParseServerAddress(*remoteOverride)) {
            result.remote = *address;
        } else {
            result.problems.push_back(std::string(kGdbRemoteVariable) + ": bad server '" +
                                      *remoteOverride + "' (host:port)");
        }
    } else {
        if (const auto text = settings.Value(kSection, "Remote")) {
            if (const auto address = ParseServerAddress(*text)) {
                result.remote = *address;
            } else {
                result.problems.push_back(SettingFault("Remote", *text) + " (host:port)");
            }
        }
        result.serialPort = settings.Value(kSection, "Serial").value_or("");
    }
    result.baud =
        static_cast<int>(ReadNumberSetting(settings, kSection, kBaud, "", result.problems));
    if (!IsSerialRate(result.baud)) {
        result.problems.push_back(SettingFault("Baud", std::to_string(result.baud)) +
                                  " (not a serial port rate)");
    }
    result.connectTimeoutMs = static_cast<int>(
        ReadNumberSetting(settings, kSection, kConnectTimeout, "", result.problems));
    result.replyTimeoutMs =
        static_cast<int>(ReadNumberSetting(settings, kSection, kReplyTimeout, "", result.problems));
    result.bigEndian = ReadChoice(settings, "ByteOrder", "little", "big", result.problems);
    result.running = ReadChoice(settings, "Target", "halted", "running", result.problems);
    return result;
}

Result<GdbSettings> LoadGdbSettings() {
    Result<ProfileFile> file = ReadSettingsFile(kGdbSettingsOverrideVariable, kGdbSettingsFileName);
    if (!file) {
        ReportFault(file.Error().text);
        return file.Error();
    }
    std::optional<std::string> remote;
    if (const char* value = std::getenv(kGdbRemoteVariable); value != nullptr && *value != '\0') {
        remote = value;
    }
    GdbSettings settings = ReadGdbSettings(file.Value(), remote);
    if (settings.problems.empty())
        return settings;
    for (std::string& problem : settings.problems) {
        if (problem.rfind(kGdbRemoteVariable, 0) != 0)
            problem = std::string(kGdbSettingsFileName) + ": " + problem;
        ReportFault(problem);
    }
    return Failure{1, settings.problems.front()};
}

} // namespace vek

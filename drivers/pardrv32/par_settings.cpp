#include "par_settings.h"

#include "i2c32_limits.h"
#include "par_limits.h"
#include "platform/settings_file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>

namespace vek {
namespace {

constexpr const char* kSection = "I2CBus";
constexpr const char* kInterfaceTypeKey = "InterfaceType";

constexpr std::array<std::string_view, 6> kInterfaceTypes = {
    "Hardwareless", "SingleMaster", "MultiMaster", "HighspeedBoard", "VMC", "FullspeedInterface"};

// A whole number of milliseconds up to the limit; a negative one counts as no wait, as it always
// has. Anything else is a fault: a wait of days, or one whose digits wrap, must not pass silently.
constexpr NumberSetting kWaitAfterWrite{"WaitAfterWrite", RadixPrefixes::Hex,
                                        std::numeric_limits<std::int64_t>::min(),
                                        kMaxWaitAfterWriteMs, 0};
// The bit rate has always been read as a decimal number: "0x100" is refused rather than read as 0.
constexpr NumberSetting kBitrate{"Bitrate", RadixPrefixes::None, 1, kMaxBitrate, 100000};
constexpr NumberSetting kIOAddress{"IOAddress", RadixPrefixes::Hex, 0, kMaxIOAddress, 888};
// 0 leaves the kernel's own time-out.
constexpr NumberSetting kTimeout{"Timeout", RadixPrefixes::Hex, 0, kMaxTimeoutTens, 10};

int ReadNumber(const ProfileFile& settings, const NumberSetting& setting,
               std::vector<std::string>& problems) {
    // Every range lies within int, so the value is kept exactly.
    return static_cast<int>(ReadNumberSetting(settings, kSection, setting, "", problems));
}

// An interface type that names no bus would fail every transfer of the session; it fails the open
// instead.
int ReadInterfaceType(const ProfileFile& settings, std::vector<std::string>& problems) {
    const std::optional<std::string> text = settings.Value(kSection, kInterfaceTypeKey);
    if (!text) {
        return InterfaceTypeCode(kInterfaceTypes.front());
    }
    const int code = InterfaceTypeCode(*text);
    if (code == 0) {
        problems.push_back(SettingFault(kInterfaceTypeKey, *text));
    }
    return code;
}

} // namespace

int InterfaceTypeCode(std::string_view text) {
    for (size_t i = 0; i < kInterfaceTypes.size(); ++i) {
        if (text == kInterfaceTypes[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

ParSettings ReadParSettings(const ProfileFile& settings) {
    // Sections are found without regard to case, so "I2cBus", where the interface type has always
    // been looked for, and "I2CBus" name one section.
    ParSettings result;
    result.interfaceType = ReadInterfaceType(settings, result.problems);
    result.waitAfterWrite = static_cast<uint32_t>(std::max<std::int64_t>(
        0, ReadNumberSetting(settings, kSection, kWaitAfterWrite, "", result.problems)));
    result.bitrate = ReadNumber(settings, kBitrate, result.problems);
    result.ioAddress = ReadNumber(settings, kIOAddress, result.problems);
    result.timeout = ReadNumber(settings, kTimeout, result.problems);
    return result;
}

} // namespace vek

#include "par_settings.h"

#include "par_limits.h"
#include "platform/number_text.h"

#include <array>
#include <optional>
#include <string>

namespace vek {
namespace {

// The settings' texts are read into buffers of this size, so longer ones are cut.
constexpr size_t kSettingTextRoom = 100;

constexpr std::array<std::string_view, 6> kInterfaceTypes = {
    "Hardwareless", "SingleMaster", "MultiMaster", "HighspeedBoard", "VMC", "FullspeedInterface"};

// A whole number of milliseconds up to the limit; a negative one counts as no wait, as it always
// has. Anything else is a fault: a wait of days, or one whose digits wrap, must not pass silently.
uint32_t ReadWaitAfterWrite(const ProfileFile& settings, std::vector<std::string>& problems) {
    constexpr const char* kKey = "WaitAfterWrite";
    const std::optional<std::string> text = settings.Value("I2CBus", kKey);
    if (!text) {
        return 0;
    }
    const std::optional<std::int64_t> wait = WholeInteger(*text, RadixPrefixes::Hex);
    if (!wait || *wait > kMaxWaitAfterWriteMs) {
        problems.push_back(std::string("bad ") + kKey + " '" + *text + "'");
        return 0;
    }
    return *wait < 0 ? 0 : static_cast<uint32_t>(*wait);
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
    // Sections are found without regard to case, so both spellings name one section.
    ParSettings result;
    result.interfaceType = InterfaceTypeCode(
        settings.GetString("I2cBus", "InterfaceType", "Hardwareless", kSettingTextRoom));
    result.waitAfterWrite = ReadWaitAfterWrite(settings, result.problems);
    result.bitrate = static_cast<int>(LeadingInteger(
        settings.GetString("I2CBus", "Bitrate", "100000", kSettingTextRoom), RadixPrefixes::None));
    result.ioAddress = static_cast<int>(settings.GetInt("I2CBus", "IOAddress", 888));
    result.timeout = static_cast<int>(settings.GetInt("I2CBus", "Timeout", 10));
    return result;
}

} // namespace vek

#include "par_settings.h"

#include "platform/number_text.h"

#include <array>
#include <string>

namespace vek {
namespace {

// The settings' texts are read into buffers of this size, so longer ones are cut.
constexpr size_t kSettingTextRoom = 100;

constexpr std::array<std::string_view, 6> kInterfaceTypes = {
    "Hardwareless", "SingleMaster", "MultiMaster", "HighspeedBoard", "VMC", "FullspeedInterface"};

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
    // A negative wait would read as some 49 days of busy waiting after every write.
    const auto wait = settings.GetInt("I2CBus", "WaitAfterWrite", 0);
    result.waitAfterWrite = wait < 0 ? 0 : static_cast<uint32_t>(wait);
    result.bitrate = static_cast<int>(LeadingInteger(
        settings.GetString("I2CBus", "Bitrate", "100000", kSettingTextRoom), RadixPrefixes::None));
    result.ioAddress = static_cast<int>(settings.GetInt("I2CBus", "IOAddress", 888));
    result.timeout = static_cast<int>(settings.GetInt("I2CBus", "Timeout", 10));
    return result;
}

} // namespace vek

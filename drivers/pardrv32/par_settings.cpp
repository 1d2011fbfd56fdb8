#include "par_settings.h"

#include <array>
#include <string>

namespace pardrv {
namespace {

// Texts longer than this are cut, as the settings are read into fixed buffers.
constexpr size_t kMaxSettingText = 99;

constexpr std::array<std::string_view, 6> kInterfaceTypes = {
    "Hardwareless", "SingleMaster", "MultiMaster", "HighspeedBoard", "VMC", "FullspeedInterface"};

std::string ReadText(const drvsupport::ProfileFile& settings, const char* section, const char* key,
                     const char* fallback) {
    std::string text = settings.GetString(section, key, fallback);
    if (text.size() > kMaxSettingText) {
        text.resize(kMaxSettingText);
    }
    return text;
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

ParSettings ReadParSettings(const drvsupport::ProfileFile& settings) {
    // Sections are found without regard to case, so both spellings name one section.
    ParSettings result;
    result.interfaceType =
        InterfaceTypeCode(ReadText(settings, "I2cBus", "InterfaceType", "Hardwareless"));
    // A negative wait would read as some 49 days of busy waiting after every write.
    const long wait = settings.GetInt("I2CBus", "WaitAfterWrite", 0);
    result.waitAfterWrite = wait < 0 ? 0 : static_cast<uint32_t>(wait);
    result.bitrate = static_cast<int>(
        drvsupport::ParseDecimal(ReadText(settings, "I2CBus", "Bitrate", "100000")));
    result.ioAddress = static_cast<int>(settings.GetInt("I2CBus", "IOAddress", 888));
    result.timeout = static_cast<int>(settings.GetInt("I2CBus", "Timeout", 10));
    return result;
}

} // namespace pardrv

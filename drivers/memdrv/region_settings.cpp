#include "region_settings.h"

#include "mem_limits.h"
#include "mem_messages.h"
#include "platform/settings_file.h"

#include <optional>

namespace vek {
namespace {

constexpr const char* kSection = "Region";

constexpr NumberSetting kBase{"Base", RadixPrefixes::Hex, 0, kMaxRegionStart, 0};
constexpr NumberSetting kSize{"Size", RadixPrefixes::Hex, 1, kMaxRegionBytes, 0};
constexpr NumberSetting kOffset{"Offset", RadixPrefixes::Hex, 0, kMaxRegionStart, 0};

std::int64_t ReadNumber(const ProfileFile& settings, const NumberSetting& setting,
                        std::vector<std::string>& problems) {
    return ReadNumberSetting(settings, kSection, setting, "", problems);
}

// mmap maps whole pages from a page-aligned file offset; with /dev/mem the base is that offset.
void CheckPageAligned(const NumberSetting& setting, std::int64_t value, std::int64_t pageSize,
                      std::vector<std::string>& problems) {
    if (value % pageSize != 0) {
        problems.push_back(NotPageAlignedText(setting.key, value));
    }
}

} // namespace

RegionSettings ReadRegionSettings(const ProfileFile& settings, std::int64_t pageSize) {
    RegionSettings region;
    if (std::optional<std::string> device = settings.Value(kSection, "Device")) {
        region.device = *device;
        // A relative name would be looked for wherever the program happens to run.
        if (device->empty() || device->front() != '/') {
            region.problems.push_back(kRelativeDeviceText);
        }
    }
    region.base = ReadNumber(settings, kBase, region.problems);
    if (!settings.HasKey(kSection, kSize.key)) {
        region.problems.push_back(kNoSizeText);
    }
    region.size = ReadNumber(settings, kSize, region.problems);
    const bool physical = region.device == kDevMem;
    const NumberSetting offset{kOffset.key, kOffset.prefixes, kOffset.low, kOffset.high,
                               physical ? region.base : 0};
    region.offset = ReadNumber(settings, offset, region.problems);
    // A mapping starts on a page, so the first mapped byte stands for a page-aligned address; and
    // only then is a register whose address is aligned also aligned in memory.
    CheckPageAligned(kBase, region.base, pageSize, region.problems);
    if (!physical || settings.HasKey(kSection, kOffset.key)) {
        CheckPageAligned(kOffset, region.offset, pageSize, region.problems);
    }
    return region;
}

} // namespace vek

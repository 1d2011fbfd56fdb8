// The region's settings as a user writes them in memdrv.ini.
#include "region_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vek {
namespace {

constexpr std::int64_t kPage = 4096;

RegionSettings Read(const std::string& text) {
    return ReadRegionSettings(ProfileFile::Parse(text), kPage);
}

TEST(RegionSettings, TheOffsetFollowsTheBaseOnlyInDevMem) {
    const RegionSettings physical = Read("[Region]\nBase=0x40000000\nSize=0x1000\n");
    EXPECT_TRUE(physical.problems.empty());
    EXPECT_EQ(physical.device, "/dev/mem");
    EXPECT_EQ(physical.base, 0x40000000);
    EXPECT_EQ(physical.size, 0x1000);
    EXPECT_EQ(physical.offset, 0x40000000);

    const RegionSettings bar = Read("[region]\ndevice=/sys/bus/pci/devices/0000:01:00.0/resource0\n"
                                    "base=0xFE000000\nsize=65536\n");
    EXPECT_TRUE(bar.problems.empty());
    EXPECT_EQ(bar.offset, 0);

    const RegionSettings uio = Read("[Region]\nDevice=/dev/uio0\nSize=0x100\nOffset=0x1000\n");
    EXPECT_TRUE(uio.problems.empty());
    EXPECT_EQ(uio.base, 0);
    EXPECT_EQ(uio.offset, 0x1000);
}

TEST(RegionSettings, EachFaultIsNamed) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"", "no Size in [Region]"},
        {"[Region]\nSize=0\n", "bad Size '0'"},
        {"[Region]\nSize=0x1000000001\n", "bad Size '0x1000000001'"},
        {"[Region]\nSize=4k\n", "bad Size '4k'"},
        {"[Region]\nBase=-1\nSize=1\n", "bad Base '-1'"},
        {"[Region]\nBase=0x40000010\nSize=0x10\n", "Base 0x40000010 is not page aligned"},
        {"[Region]\nDevice=/dev/uio0\nOffset=0x10\nSize=1\n", "Offset 0x10 is not page aligned"},
        {"[Region]\nDevice=dev/mem\nSize=1\n", "Device must be an absolute path"},
        {"[Region]\nDevice=\nSize=1\n", "Device must be an absolute path"},
    };
    for (const auto& [text, fault] : faults) {
        SCOPED_TRACE(text);
        const RegionSettings settings = Read(text);
        ASSERT_EQ(settings.problems.size(), 1u);
        EXPECT_EQ(settings.problems.front(), fault);
    }
}

} // namespace
} // namespace vek

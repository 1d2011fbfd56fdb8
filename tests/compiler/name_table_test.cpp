#include "compiler/name_table.h"
#include "compiler/property_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace vek {
namespace {

using Scope = NameTable::Scope;

// The code of the earlier definition a new one clashes with, or 0.
int Earlier(NameTable& names, int code, std::string_view name, int device, Scope scope) {
    return names.Define(code, name, device, scope).earlierCode;
}

TEST(NameTable, ANameClashesWithinItsOwnDeviceOnly) {
    TextStore texts;
    NameTable names(texts);
    EXPECT_EQ(Earlier(names, propDeviceName, "ONE", 1, Scope::AllDevices), 0);
    EXPECT_EQ(Earlier(names, propRegisterName, "REG", 1, Scope::OwnDevice), 0);
    // Against the first definition in the device, whatever came after it.
    EXPECT_EQ(Earlier(names, propVariableName, "reg", 1, Scope::OwnDevice), propRegisterName);
    EXPECT_EQ(Earlier(names, propBitFieldName, "Reg", 1, Scope::OwnDevice), propRegisterName);

    EXPECT_EQ(Earlier(names, propDeviceName, "TWO", 2, Scope::AllDevices), 0);
    EXPECT_EQ(Earlier(names, propVariableName, "REG", 2, Scope::OwnDevice), 0);
    EXPECT_EQ(Earlier(names, propRegisterName, "REG", 2, Scope::OwnDevice), propVariableName);
    // A device name is compared with every device's names: the first definition answers.
    EXPECT_EQ(Earlier(names, propDeviceName, "reg", 3, Scope::AllDevices), propRegisterName);
    EXPECT_EQ(Earlier(names, propDeviceName, "one", 4, Scope::AllDevices), propDeviceName);
    // Device 4 has not defined REG itself.
    EXPECT_EQ(Earlier(names, propRegisterName, "REG", 4, Scope::OwnDevice), 0);
}

TEST(NameTable, NamesOutsideAnyDeviceShareDeviceZero) {
    TextStore texts;
    NameTable names(texts);
    EXPECT_EQ(Earlier(names, propMacroName, "Init", 0, Scope::OwnDevice), 0);
    EXPECT_EQ(Earlier(names, propScriptName, "INIT", 0, Scope::OwnDevice), propMacroName);
    EXPECT_TRUE(names.Contains("init"));
    EXPECT_FALSE(names.Contains("ini"));
    EXPECT_FALSE(names.Contains(""));
}

TEST(NameTable, ManyDevicesRepeatingManyNamesKeepEveryAnswer) {
    // Thousands of distinct names grow the index several times; each device repeats them all.
    TextStore texts;
    NameTable names(texts);
    constexpr int kNames = 3000;
    for (int device = 1; device <= 50; ++device) {
        const std::string deviceName = "DEV" + std::to_string(device);
        ASSERT_EQ(Earlier(names, propDeviceName, deviceName, device, Scope::AllDevices), 0);
        for (int i = 0; i < kNames; ++i) {
            const std::string name = "R" + std::to_string(i);
            ASSERT_EQ(Earlier(names, propRegisterName, name, device, Scope::OwnDevice), 0)
                << name << " in device " << device;
        }
        ASSERT_EQ(Earlier(names, propBitFieldName, "r7", device, Scope::OwnDevice),
                  propRegisterName);
    }
    for (int i = 0; i < kNames; ++i)
        ASSERT_TRUE(names.Contains("r" + std::to_string(i)));
    EXPECT_FALSE(names.Contains("R3000"));
    EXPECT_EQ(Earlier(names, propDeviceName, "Dev50", 51, Scope::AllDevices), propDeviceName);
    EXPECT_EQ(Earlier(names, propDeviceName, "r2999", 52, Scope::AllDevices), propRegisterName);
}

TEST(NameTable, TrailingNumbersThatReadTheSameAreStillOtherNames) {
    // Names that differ only in their trailing number are placed side by side; zeros before
    // the number, or digits beyond the nine that count as the number, still tell them apart.
    TextStore texts;
    NameTable names(texts);
    for (const char* name : {"CH1", "CH01", "CH001", "ch1x", "1", "01", "R1234567890",
                             "R0234567890", "R234567890", "_9"}) {
        EXPECT_EQ(Earlier(names, propRegisterName, name, 1, Scope::OwnDevice), 0) << name;
    }
    EXPECT_EQ(Earlier(names, propBitFieldName, "r0234567890", 1, Scope::OwnDevice),
              propRegisterName);
    EXPECT_FALSE(names.Contains("CH0001"));
    EXPECT_FALSE(names.Contains("R34567890"));
}

TEST(NameTable, EachSpellingIsKeptOnceAndRepeatsShareIt) {
    TextStore texts;
    NameTable names(texts);
    const Text first = names.Define(propRegisterName, "Ctrl", 1, Scope::OwnDevice).spelling;
    const Text again = names.Define(propRegisterName, "Ctrl", 2, Scope::OwnDevice).spelling;
    const Text other = names.Define(propRegisterName, "CTRL", 3, Scope::OwnDevice).spelling;
    EXPECT_EQ(first.View(), "Ctrl");
    EXPECT_EQ(again.View().data(), first.View().data());
    EXPECT_EQ(other.View(), "CTRL");
}

} // namespace
} // namespace vek

#include "adapter_library.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vek {
namespace {

using Names = std::vector<std::string>;

TEST(AdapterLibraryTest, TheWindowsNameIsLookedForBesideTheDriverThenBySystemSearch) {
    unsetenv("VEK_I2C32_LIBRARY");
    EXPECT_EQ(AdapterLibraryCandidates("I2C32.DLL", "/opt/tarvel/bin"),
              (Names{"/opt/tarvel/bin/libI2C32.so", "libI2C32.so"}));
    EXPECT_EQ(AdapterLibraryCandidates("I2C32.dll", ""), (Names{"libI2C32.so"}));
    EXPECT_EQ(AdapterLibraryCandidates("I2C32", "/x"), (Names{"/x/libI2C32.so", "libI2C32.so"}));
}

TEST(AdapterLibraryTest, TheVariableNamesTheOnlyFileTried) {
    setenv("VEK_I2C32_LIBRARY", "/elsewhere/libmyadapter.so", 1);
    EXPECT_EQ(AdapterLibraryCandidates("I2C32.DLL", "/opt/tarvel/bin"),
              (Names{"/elsewhere/libmyadapter.so"}));
    unsetenv("VEK_I2C32_LIBRARY");
}

} // namespace
} // namespace vek

// The built driver, loaded and bound as the program loads it, over a regular file.
#include "loaded_library.h"
#include "region_settings.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vek {
namespace {

TEST(MemdrvLibrary, TheFiveFunctionsReachTheMappedFile) {
    test::TempFolder folder;
    setenv(kMemdrvOverrideVariable, folder.File(kMemdrvFileName).c_str(), 1);
    const std::string file = folder.Write("registers", std::string(4096, '\x11'));
    folder.Write(kMemdrvFileName, "[Region]\nDevice=" + file + "\nBase=0xFE000000\nSize=4096\n");
    test::LoadedDriver driver("libmemdrv.so");
    ASSERT_TRUE(driver.Loaded());
    ASSERT_EQ(driver.open(), 1) << driver.Status();

    const unsigned char control[] = {0x08, 0x00, 0x00, 0xFE};
    EXPECT_EQ(driver.setReg(4, 2, control, 0xBEEF), 1) << driver.Status();
    uint32_t data = 0;
    EXPECT_EQ(driver.getReg(4, 4, control, &data), 1) << driver.Status();
    EXPECT_EQ(data, 0x1111BEEFu);

    const unsigned char past[] = {0x00, 0x10, 0x00, 0xFE};
    EXPECT_EQ(driver.getReg(4, 1, past, &data), 0);
    EXPECT_EQ(driver.Status(), "0xfe001000 is outside the mapped region");
    EXPECT_EQ(driver.close(), 1);
    EXPECT_EQ(driver.getReg(4, 4, control, &data), 0);
    EXPECT_EQ(driver.Status(), "driver is not open");
}

} // namespace
} // namespace vek

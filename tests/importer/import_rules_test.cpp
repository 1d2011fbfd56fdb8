#include "imported_compile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct Imported {
    std::string text; // without comments
    std::string warnings;
};

Imported Import(const std::string& name, const std::string& driver = "gdbdrv.dll") {
    Result<ImportedDescription> imported = ImportRegisterMap(name, ImportData(name), driver);
    EXPECT_TRUE(imported) << (imported ? "" : imported.Error().text);
    if (!imported)
        return {};
    const ImportedTree tree = CompileImported(imported.Value().text);
    EXPECT_EQ(tree.errors, 0) << tree.lines;
    Imported result{WithoutComments(imported.Value().text), {}};
    for (const std::string& line : imported.Value().warnings)
        result.warnings += line + "\n";
    return result;
}

TEST(ImportSvd, PropertiesInheritAndAccessAndDefaultsMapAsDocumented) {
    const Imported map = Import("rules.svd", "memdrv.dll");
    EXPECT_THAT(map.text, HasSubstr("#BeginRegisterList \"memdrv.dll\"\n0: INHERIT A4 D4.1;\n"));
    // size 16 and the reset from the device; the register's own size, access and resetMask.
    EXPECT_THAT(map.text, HasSubstr("1: FROM_DEVICE [0x40000000] = 0x1234 D2.1 b;\n"));
    EXPECT_THAT(map.text, HasSubstr("1: OWN [0x40000004] = 0x00BB00DD r;\n"));
    EXPECT_THAT(map.text, HasSubstr("1: BYTE [0x40000008] = 0xFF D1.1 b;\n")) << "cut to 8 bits";
    EXPECT_THAT(map.text, HasSubstr("1: WO [0x4000000C] = 0x1234 D2.1 w;\n"));
    EXPECT_THAT(map.text, HasSubstr("1: ONCE [0x40000010] = 0x1234 D2.1 w;\n"));
    EXPECT_THAT(map.text, HasSubstr("1: RW_ONCE [0x40000014] = 0x1234 D2.1 b;\n"));
    // A 64-bit register is two, its fields divided between them.
    EXPECT_THAT(map.text, HasSubstr("1: WIDE_L [0x40000018] = 0x55667788 b;\n"
                                    "   LOW [0x40000018] & 0x000000FF;\n"
                                    "   ACROSS_L [0x40000018] & 0xF0000000;\n"
                                    "1: WIDE_H [0x4000001C] = 0x11223344 b;\n"
                                    "   ACROSS_H [0x4000001C] & 0x0000000F;\n"
                                    "   HIGH [0x4000001C] & 0x00000F00;\n"));
    EXPECT_THAT(map.warnings, HasSubstr("1 registers wider than 32 bits split into NAME_L and "
                                        "NAME_H: WIDE\n"));
}

TEST(ImportSvd, ArraysClustersAndFieldsExpandAsDocumented) {
    const Imported map = Import("rules.svd");
    for (const char* line :
         {"1: CH3 [0x4000100C] = 0x00000000 b;\n", "1: PORT_C_OUT [0x40001018] = 0x00000000 b;\n",
          "1: BUF7 [0x40001024] = 0x00000000 b;\n",
          "1: DMA1_CFG_MODE [0x40001118] = 0x00000000 b;\n",
          // bitOffset/bitWidth, lsb/msb, bitRange, a field array; enumerated values as text lines
          "   EN [0x40001200] & 0x00000001;\n      \"0 = OFF: Disabled\",\n      \"1 = ON\";\n",
          "   MODE [0x40001200] & 0x000000F0;\n      \"0b1x = ANY\",\n      \"other = REST\";\n",
          "   RANGE [0x40001200] & 0x0000FF00;\n", "   PIN1 [0x40001200] & 0x00200000;\n",
          // enumeratedValues and a field derived from others
          "   AGAIN [0x40001200] & 0x00010000;\n      \"0 = OFF: Disabled\",\n",
          "   COPY [0x40001200] & 0x00020000;\n      \"0 = OFF: Disabled\",\n"})
        EXPECT_THAT(map.text, HasSubstr(line));
    // A derived peripheral keeps the base's registers, overrides FIELDS and adds EXTRA, and
    // BORROWED takes another peripheral's register by its dotted path.
    EXPECT_THAT(map.text, HasSubstr("1: DMA1_CFG_MODE [0x40002118] = 0x00000000 b;\n"
                                    "1: FIELDS [0x40002204] = 0x00000000 b;\n"
                                    "1: EXTRA [0x40002300] = 0x00000000 b;\n"
                                    "1: BORROWED [0x40002304] = 0x00BB00DD r;\n"));
    // A peripheral array, and a register derived from another with its own reset.
    EXPECT_THAT(map.text, HasSubstr("0: TIM1 A4 D4.1;\n1: CNT [0x40003100] = 0x00000000 b;\n"
                                    "1: ARR [0x40003104] = 0x0000FFFF b;\n"));
}

TEST(ImportSvd, SharedAddressesNamesAndReadEffectsAdaptAsDocumented) {
    const Imported map = Import("rules.svd");
    // A read register and its write partner share the address; a third goes to an alternate.
    EXPECT_THAT(map.text, HasSubstr("1: RBR [0x40004000] = 0x00 D1.1 r !;\n"
                                    "1: THR [0x40004000] = 0x00 D1.1 w;\n"));
    EXPECT_THAT(map.text, HasSubstr("0: UART_ALT1 A4 D4.1;\n1: DLL [0x40004000] = 0x00 D1.1 b;\n"));
    // A field's readAction marks its register; field names taken in the device.
    EXPECT_THAT(map.text, HasSubstr("1: LSR [0x40004005] = 0x00 D1.1 r !;\n"
                                    "   DR [0x40004005] & 0x01;\n"
                                    "   LSR_LSR [0x40004005] & 0x02;\n"
                                    "   LSR_RBR [0x40004005] & 0x04;\n"));
    for (const char* line : {"1: R_ [", "1: B1_ [", "1: A0_ [", "1: _3DES_KEY [",
                             "1: A_REGISTER_NAME_FAR_LONGE_C8CD [",
                             "1: A_REGISTER_NAME_FAR_LONGE_4FA8 [", "1: NAMES_UART ["})
        EXPECT_THAT(map.text, HasSubstr(line));
    EXPECT_THAT(map.warnings, HasSubstr("2 names longer than 30 characters cut and given a hash: "
                                        "A_REGISTER_NAME_FAR_LONGER_THAN_THIRTY_ONE, "
                                        "A_REGISTER_NAME_FAR_LONGER_THAN_THIRTY_TWO\n"));
    EXPECT_THAT(map.warnings,
                HasSubstr("4 names made identifiers of the language: R, B1, A0, ...\n"));
    EXPECT_THAT(map.warnings, HasSubstr("1 registers moved to an alternate device to share their "
                                        "address: DLL\n"));
}

TEST(ImportIpxact, BlocksRegisterFilesAndResetsOfEachStandard) {
    const Imported v2014 = Import("rules-2014.xml");
    EXPECT_THAT(v2014.text, HasSubstr("0: APB_DMA A4 D4.1;\n"
                                      "1: CTRL [0x50000000] = 0x00000051 b;\n"
                                      "   EN [0x50000000] & 0x00000001;\n"
                                      "      \"0 = OFF\",\n      \"1 = ON\";\n"
                                      "   PRIO [0x50000000] & 0x00000070;\n"
                                      "1: STATUS [0x50000004] = 0x0000 D2.1 r !;\n"
                                      "   DONE [0x50000004] & 0x0001;\n"
                                      "1: KICK [0x50000004] = 0x0000 D2.1 w;\n"
                                      "1: CH0_SRC [0x50000100] = 0x00000000 b;\n"
                                      "1: CH0_LEN0 [0x50000108] = 0x00000000 b;\n"
                                      "1: CH0_LEN1 [0x5000010C] = 0x00000000 b;\n"
                                      "1: CH1_SRC [0x50000120] = 0x00000000 b;\n"));
    const Imported v2009 = Import("rules-2009.xml");
    EXPECT_THAT(v2009.text, HasSubstr("0: REGS_GPIO A4 D4.1;\n"
                                      "1: DATA [0x60000000] = 0xDEAD0000 r;\n"
                                      "1: DIR [0x60000004] = 0x0F D1.1 b;\n"));
    EXPECT_THAT(v2009.text, Not(HasSubstr("!")));
}

} // namespace
} // namespace vek

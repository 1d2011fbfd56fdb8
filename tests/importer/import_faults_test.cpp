#include "imported_compile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using ::testing::StartsWith;

// A device of one peripheral whose registers are `registers`.
std::string Svd(const std::string& registers, const std::string& more = "") {
    return "<device>\n<peripherals>\n<peripheral>\n<name>P</name>\n"
           "<baseAddress>0x1000</baseAddress>\n<registers>\n" +
           registers + "</registers>\n</peripheral>\n" + more + "</peripherals>\n</device>\n";
}

std::string Fault(const std::string& text) {
    Result<ImportedDescription> imported = ImportRegisterMap("map.svd", text, "gdbdrv.dll");
    EXPECT_FALSE(imported) << "imported:\n" << (imported ? imported.Value().text : "");
    return imported ? std::string() : imported.Error().text;
}

TEST(ImportFaults, EachBadMapNamesItsFileLineAndElement) {
    EXPECT_THAT(Fault("VEK is not XML"), StartsWith("map.svd:1: not well-formed XML: "));
    EXPECT_EQ(Fault("<html>\n<body/>\n</html>\n"),
              "map.svd:1: /html: not a CMSIS-SVD device or an IP-XACT component");
    EXPECT_THAT(Fault(Svd("<register><name>A</name>").substr(0, 80)),
                StartsWith("map.svd:5: not well-formed XML: "))
        << "a truncated file";
    EXPECT_EQ(Fault(Svd("<register derivedFrom=\"NOPE\">\n<name>A</name></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A]: "
              "derivedFrom 'NOPE' names no register");
    EXPECT_EQ(Fault(Svd("<register derivedFrom=\"B\"><name>A</name></register>\n"
                        "<register derivedFrom=\"A\"><name>B</name></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A]: "
              "derivedFrom 'A' is a cycle");
    EXPECT_EQ(Fault(Svd("", "<peripheral derivedFrom=\"P\"><name>Q</name></peripheral>\n"
                            "<peripheral derivedFrom=\"Q\"><name>P2</name></peripheral>\n"
                            "<peripheral derivedFrom=\"R\"><name>R</name></peripheral>\n")),
              "map.svd:11: /device/peripherals/peripheral[R]: derivedFrom 'R' is a cycle")
        << "an element deriving from itself";
    EXPECT_EQ(Fault(Svd("<register><dim>4</dim><name>A%s</name></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A%s]: "
              "dim without dimIncrement");
    EXPECT_EQ(Fault(Svd("<register><dim>3</dim><dimIncrement>4</dimIncrement>"
                        "<dimIndex>X,Y</dimIndex><name>A%s</name></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A%s]: "
              "dimIndex 'X,Y' has 2 names for dim 3");
    EXPECT_EQ(Fault(Svd("<register><dim>4294967296</dim><dimIncrement>4</dimIncrement>"
                        "<name>A%s</name></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A%s]: "
              "dim 4294967296 is not 1 to 65536");
    EXPECT_EQ(Fault(Svd("<register><name>A</name><size>lots</size></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A]/size: "
              "'lots' is not a number");
    EXPECT_EQ(Fault(Svd("<register><name>A</name><access>sometimes</access></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A]/access: "
              "unknown access 'sometimes'");
    EXPECT_EQ(Fault(Svd("<register><name>A</name><fields><field><name>F</name></field>"
                        "</fields></register>\n")),
              "map.svd:7: /device/peripherals/peripheral[P]/registers/register[A]/fields/field[F]: "
              "no bit range (bitOffset, lsb and msb, or bitRange)");
}

TEST(ImportFaults, ArraysThatWouldExhaustTheMemoryAreRefused) {
    // Each dim within its limit, together a thousand million registers.
    std::string nested = "<register><name>R</name></register>\n";
    for (int level = 0; level < 3; ++level)
        nested = "<cluster><dim>1024</dim><dimIncrement>4</dimIncrement><name>C" +
                 std::to_string(level) + "_%s</name>\n" + nested + "</cluster>\n";
    EXPECT_THAT(Fault(Svd(nested)), ::testing::EndsWith(": more than 1000000 registers"));
}

TEST(ImportFaults, RegistersThatOverlapWithoutSharingGoToAlternatesNotToErrors) {
    // A 32-bit register and a byte inside it with another default, both read-write.
    Result<ImportedDescription> imported = ImportRegisterMap(
        "map.svd",
        Svd("<register><name>WORD</name><resetValue>0x11223344</resetValue></register>\n"
            "<register><name>BYTE1</name><addressOffset>1</addressOffset><size>8</size>"
            "</register>\n"),
        "gdbdrv.dll");
    ASSERT_TRUE(imported);
    EXPECT_EQ(CompileImported(imported.Value().text).errors, 0);
    EXPECT_THAT(WithoutComments(imported.Value().text),
                ::testing::HasSubstr("0: P_ALT1 A4 D4.1;\n1: BYTE1 [0x00001001] = 0x00 D1.1 b;\n"));
}

} // namespace
} // namespace vek

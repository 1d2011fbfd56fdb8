// vek export: a compiled description as CMSIS-SVD and as a C header.
#include "vek_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {
namespace {

// Two devices, a set, registers of 8, 16 and 32 bits with every access letter, bit fields with
// named values and plain text, and one register of two parts.
constexpr const char* kBoard = R"(#BeginRegisterList "memdrv"
0: UART A4 D4 [0x4000] << 2.2;
1: CTRL [0x0010] = 0x5 b;
   EN [0x0010] & 0x01; "0 = OFF: stopped & <idle>", "0x1 = ON", "enables the port";
   MODE [0x0010] & 0x30; "2 = FAST", "3 = 16-bit", "0b0x = SLOW", "other = ANY";
   ODD [0x0010] & 0x05;
1: STAT [0x0014] = 0 D1 s;
1: "Buffers" [0x01] << 1.1 D2; 2:
   RXD [0x04] = 0x12 r;
2: TXD [0x06] = 0 w;
1: KEY [0x0020] = 0 D1 f;
1: WIDE [0x0030] = 0 D1, [0x0031] = 0 D1;
0: TIMER A4 D2 [0x4001] << 2.2;
1: COUNT [0x0008] & 0x0FFF = 0x123 b;
#EndRegisterList
)";

class Export : public VekFolderTest {
protected:
    VekRun Run(const std::vector<std::string>& args) {
        std::vector<std::string> all{"export", Write("board.vek", kBoard)};
        all.insert(all.end(), args.begin(), args.end());
        return Vek(all);
    }
};

// Whether `text` holds `lines` one after another, each a whole line, blanks at the start aside.
::testing::AssertionResult HasLines(const std::string& text, const std::string& lines) {
    std::string bare;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t to = text.find('\n', from);
        to = to == std::string::npos ? text.size() : to;
        const std::size_t first = text.find_first_not_of(' ', from);
        bare += text.substr(std::min(first, to), to - std::min(first, to)) + "\n";
        from = to + 1;
    }
    if (bare.find(lines) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "missing:\n" << lines << "in:\n" << text;
}

TEST_F(Export, SvdHoldsEveryRegisterWithItsAddressSizeAccessResetAndFields) {
    const VekRun run = Run({"--format", "svd"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<device schemaVersion=\"1.3\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xs:noNamespaceSchemaLocation=\"CMSIS-SVD.xsd\">\n  <name>board</name>\n"));
    EXPECT_TRUE(HasLines(run.out, "<addressUnitBits>8</addressUnitBits>\n<width>32</width>\n"));
    // The base is the device's lowest register; a set's registers lie flat in its peripheral.
    EXPECT_TRUE(HasLines(run.out, "<name>UART</name>\n<baseAddress>0x40000010</baseAddress>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>CTRL</name>\n<addressOffset>0x0</addressOffset>\n"
                                  "<size>32</size>\n<access>read-write</access>\n"
                                  "<resetValue>0x00000005</resetValue>\n"
                                  "<resetMask>0xFFFFFFFF</resetMask>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>STAT</name>\n<addressOffset>0x4</addressOffset>\n"
                                  "<size>8</size>\n<access>read-only</access>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>RXD</name>\n<addressOffset>0xF4</addressOffset>\n"
                                  "<size>16</size>\n<access>read-only</access>\n"
                                  "<resetValue>0x00000012</resetValue>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>TXD</name>\n<addressOffset>0xF6</addressOffset>\n"
                                  "<size>16</size>\n<access>write-only</access>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>KEY</name>\n<addressOffset>0x10</addressOffset>\n"
                                  "<size>8</size>\n<access>read-write</access>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>TIMER</name>\n<baseAddress>0x40010008</baseAddress>\n"));
    EXPECT_TRUE(HasLines(run.out, "<resetValue>0x00000123</resetValue>\n"
                                  "<resetMask>0x00000FFF</resetMask>\n"));
    // Named values from the text lines, the other lines the field's description, all escaped.
    EXPECT_TRUE(HasLines(run.out, "<field>\n<name>EN</name>\n"
                                  "<description>enables the port</description>\n"
                                  "<bitOffset>0</bitOffset>\n<bitWidth>1</bitWidth>\n"
                                  "<enumeratedValues>\n<enumeratedValue>\n<name>OFF</name>\n"
                                  "<description>stopped &amp; &lt;idle&gt;</description>\n"
                                  "<value>0</value>\n</enumeratedValue>\n<enumeratedValue>\n"
                                  "<name>ON</name>\n<value>1</value>\n</enumeratedValue>\n"));
    EXPECT_TRUE(HasLines(run.out, "<name>MODE</name>\n<bitOffset>4</bitOffset>\n"
                                  "<bitWidth>2</bitWidth>\n"));
    // A vendor's value name as written, a pattern with don't-care bits, and the default.
    EXPECT_TRUE(HasLines(run.out, "<name>16-bit</name>\n<value>3</value>\n</enumeratedValue>\n"
                                  "<enumeratedValue>\n<name>SLOW</name>\n<value>0b0x</value>\n"
                                  "</enumeratedValue>\n<enumeratedValue>\n<name>ANY</name>\n"
                                  "<isDefault>true</isDefault>\n"));
    // Left out, and told so: a mask of two runs, a register of two parts.
    EXPECT_EQ(run.out.find("ODD"), std::string::npos);
    EXPECT_EQ(run.out.find("WIDE"), std::string::npos);
    EXPECT_EQ(run.err,
              "vek: warning: bit field CTRL.ODD left out: its mask is not one run of bits\n"
              "vek: warning: 1 register(s) left out, they have several address parts: "
              "WIDE\n");
    EXPECT_EQ(Run({"--format", "svd"}).out, run.out) << "the output is the same every time";
    if (ShellOutput("command -v xmllint") != "") {
        Write("board.svd", run.out);
        EXPECT_EQ(ShellOutput("xmllint --noout '" + Temp("board.svd") + "' 2>&1; echo $?"), "0\n");
    }
}

TEST_F(Export, CHeaderDefinesAddressesResetsPositionsMasksAndNamedValues) {
    const VekRun run = Run({"--format", "c-header"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("/* Generated by vek export from board.vek"));
    EXPECT_TRUE(HasLines(run.out, "#ifndef BOARD_H\n#define BOARD_H\n"));
    EXPECT_TRUE(HasLines(run.out, "#define UART_CTRL (0x40000010UL)\n"
                                  "#define UART_CTRL_RESET (0x00000005UL)\n"
                                  "#define UART_CTRL_EN_Pos (0U)\n"
                                  "#define UART_CTRL_EN_Msk (0x1UL << UART_CTRL_EN_Pos)\n"
                                  "#define UART_CTRL_EN_OFF (0)\n"
                                  "#define UART_CTRL_EN_ON (1)\n"
                                  "#define UART_CTRL_MODE_Pos (4U)\n"
                                  "#define UART_CTRL_MODE_Msk (0x3UL << UART_CTRL_MODE_Pos)\n"
                                  "#define UART_CTRL_MODE_FAST (2)\n"
                                  "#define UART_CTRL_MODE_16_BIT (3)\n"
                                  "#define UART_STAT (0x40000014UL)\n"));
    EXPECT_TRUE(HasLines(run.out, "#define UART_RXD (0x40000104UL)\n"));
    EXPECT_TRUE(HasLines(run.out, "#define TIMER_COUNT (0x40010008UL)\n"
                                  "#define TIMER_COUNT_RESET (0x00000123UL)\n"));
    EXPECT_TRUE(run.out.ends_with("#endif /* BOARD_H */\n"));
    EXPECT_EQ(run.out.find("WIDE"), std::string::npos);
    if (ShellOutput("command -v cc") != "") {
        Write("board.h", run.out);
        Write("use.c", "#include \"board.h\"\n#include \"board.h\"\n"
                       "unsigned long x = UART_CTRL_MODE_Msk | UART_CTRL_MODE_FAST;\n");
        EXPECT_EQ(
            ShellOutput("cc -Wall -Werror -fsyntax-only '" + Temp("use.c") + "' 2>&1; echo $?"),
            "0\n");
    }
}

TEST_F(Export, ACollidingMacroNameIsLeftOutWithAWarning) {
    const VekRun run =
        Vek({"export",
             Write("clash.vek", "#BeginRegisterList \"memdrv\"\n0: DEV A1;\n"
                                "1: A_B [0x00] = 0;\n   C [0x00] & 0x01;\n"
                                "1: A [0x01] = 0;\n   B_C [0x01] & 0x02;\n#EndRegisterList\n"),
             "--format", "c-header"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(HasLines(run.out, "#define DEV_A_B_C_Pos (0U)\n"));
    EXPECT_EQ(run.out.find("#define DEV_A_B_C_Pos (1U)"), std::string::npos);
    EXPECT_NE(run.err.find("DEV_A_B_C_Pos left out"), std::string::npos) << run.err;
}

TEST_F(Export, OutputFileIsWrittenWholeOrNotAtAll) {
    const VekRun written = Run({"--format", "svd", "-o", Temp("board.svd")});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(Read("board.svd"), Run({"--format", "svd"}).out);
    // A folder that cannot be written keeps nothing, not even a temporary.
    std::filesystem::create_directory(dir_ / "locked");
    Write("locked/board.h", "old\n");
    chmod((dir_ / "locked").c_str(), 0555);
    const VekRun failed = Run({"--format", "c-header", "--output", Temp("locked/board.h")});
    chmod((dir_ / "locked").c_str(), 0755);
    if (geteuid() != 0) {
        EXPECT_EQ(failed.status, 1);
        EXPECT_NE(failed.err.find("\nvek: export: "), std::string::npos) << failed.err;
        EXPECT_EQ(Read("locked/board.h"), "old\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "locked"), {}), 1);
    }
    const VekRun missing = Run({"--format", "svd", "-o", Temp("no/such/folder/board.svd")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("\nvek: export: "), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "no"));
}

TEST_F(Export, ADescriptionWithErrorsExportsNothing) {
    const std::string bad = Write("bad.vek", "#BeginRegisterList \"memdrv\"\n0: DEV A1;\n"
                                             "1: R [0x00] = 0 ;;\n#EndRegisterList\n");
    const VekRun run = Vek({"export", bad, "--format", "svd", "-o", Temp("bad.svd")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("bad.vek - 4 error(s)"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "bad.svd"));
    const VekRun toOut = Vek({"export", bad, "--format", "c-header"});
    EXPECT_EQ(toOut.status, 1);
    EXPECT_EQ(toOut.out, "");
}

TEST_F(Export, UsageErrors) {
    EXPECT_EQ(Run({}).status, 2);
    const VekRun unknown = Run({"--format", "xml"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("svd or c-header"), std::string::npos) << unknown.err;
    EXPECT_EQ(Vek({"export", Temp("none.vek"), "--format", "svd"}).status, 2);
    const VekRun help = Vek({"export", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: vek export FILE.vek --format svd|c-header"));
}

} // namespace
} // namespace vek

#include "compiler/description_parser.h"
#include "platform/recording_host.h"
#include "recording_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

struct Compiled {
    std::vector<std::string> events;
    std::vector<std::string> lines;
    int errors = 0;
};

Compiled CompileText(std::string text) {
    DescriptionParser parser([] { return std::make_unique<RecordingBuilder>(); });
    RecordingHost host;
    parser.Compile("/boards/t.vek", std::move(text), &host);
    Compiled result;
    result.events = static_cast<RecordingBuilder*>(parser.Builder())->events;
    result.lines = host.Texts();
    result.errors = parser.ErrorCount();
    return result;
}

// The diagnostics only: the lines between the path and "Linking...".
std::vector<std::string> Diagnostics(const Compiled& c) {
    std::vector<std::string> lines(c.lines.begin() + 2, c.lines.end());
    if (!lines.empty() && lines.back() == "Linking...")
        lines.pop_back();
    return lines;
}

std::vector<std::string> Actions(const Compiled& c) {
    std::vector<std::string> actions;
    for (const std::string& e : c.events) {
        if (e.rfind("prop ", 0) != 0)
            actions.push_back(e);
    }
    return actions;
}

const char* const kExample = R"(#BeginRegisterList "drv.dll"
0: TUNER A2 D1 [0xC0] << 1.1;
1: "Control" b; 2:
   CTRL [0x00] = 0x00 ? CtrlHelp;
2: MODE [0x01] & 0x0F = 3 TC;
   LOW [0x01] & 0x03;
   HIGH [0x01] & 0x0C; "off", "on";
1: $ Gain = 10 B8 SL;
#EndRegisterList
#BeginMacro Init P
[TUNER]
   CTRL = 0x21;
   sleep(10);
   MODE = CTRL;
#EndMacro
)";

TEST(Parser, TheExampleDescriptionHandsOverEveryPropertyAndAction) {
    const Compiled c = CompileText(kExample);
    EXPECT_EQ(c.errors, 0);
    EXPECT_THAT(c.lines, ElementsAre("Parsing...", "/boards/t.vek", "Linking..."));
    EXPECT_THAT(
        c.events,
        ElementsAre("prop 16 '\"drv.dll\"' @1", "BeginRegisterList", "prop 15 'TUNER' @2",
                    "prop 12 '2' @2", "prop 13 '1' @2", "prop 11 '0xC0' @2", "prop 10 '1' @2",
                    "prop 9 '1' @2", "CreateDevice", "prop 6 '1' @3", "prop 20 '\"Control\"' @3",
                    "prop 3 'b' @3", "CreateSet", "prop 7 '2' @3", "prop 17 'CTRL' @4",
                    "prop 11 '0x00' @4", "prop 4 '0x00' @4", "CreatePart 1", "prop 3 'CtrlHelp' @4",
                    "EndRegister", "prop 6 '2' @5", "prop 17 'MODE' @5", "prop 11 '0x01' @5",
                    "prop 5 '0x0F' @5", "prop 4 '3' @5", "CreatePart 1", "prop 33 'TC' @5",
                    "EndRegister", "prop 19 'LOW' @6", "prop 11 '0x01' @6", "prop 5 '0x03' @6",
                    "CreateBitField", "prop 19 'HIGH' @7", "prop 11 '0x01' @7", "prop 5 '0x0C' @7",
                    "CreateBitField", "prop 28 '\"off\"' @7", "prop 28 '\"on\"' @7",
                    "CreateTextLine", "prop 6 '1' @8", "prop 18 'Gain' @8", "prop 4 '10' @8",
                    "prop 1 '8' @8", "prop 32 'SL' @8", "CreateVariable", "prop 26 'Init' @10",
                    "prop 27 'P' @10", "prop 30 'TUNER' @11", "prop 31 'CTRL' @12",
                    "Operand identifier 'CTRL'", "prop 29 '0x21' @12", "Operand intCon '0x21'",
                    "Operator =", "prop 29 '10' @13", "Operand intCon '10'", "Operator sleep",
                    "prop 31 'MODE' @14", "Operand identifier 'MODE'", "prop 31 'CTRL' @14",
                    "Operand identifier 'CTRL'", "Operator =", "CreateMacro", "Link"));
}

TEST(Parser, EmptyOrForeignInputEndsQuietlyWithoutItems) {
    for (const char* text : {"", "// only a comment\n", "FOO;\n#BeginRegisterList \"x\"\n"}) {
        const Compiled c = CompileText(text);
        EXPECT_EQ(c.errors, 0) << text;
        EXPECT_THAT(Actions(c), ElementsAre("Link")) << text;
        EXPECT_TRUE(Diagnostics(c).empty()) << text;
    }
}

TEST(Parser, ADeviceNeedsItsAddressSize) {
    const Compiled ok = CompileText("#BeginRegisterList \"d.dll\"\n0: D A1 ;\n#EndRegisterList\n");
    EXPECT_EQ(ok.errors, 0);
    EXPECT_THAT(Actions(ok), ElementsAre("BeginRegisterList", "CreateDevice", "Link"));

    const Compiled bad = CompileText("#BeginRegisterList \"d.dll\"\n0: D ;\n#EndRegisterList\n");
    EXPECT_THAT(Diagnostics(bad), ElementsAre("Line 2: error P02: wrong syntax ';', expected A"));
    EXPECT_THAT(Actions(bad), ElementsAre("BeginRegisterList"));
}

TEST(Parser, BitFieldsWithTextLinesFollowOneRegisterPerLabelBlock) {
    const Compiled ok = CompileText(R"(#BeginRegisterList "d.dll"
0: DEV A1;
1: REG [0x01] = 0;
   EN [0x01] & 0x01; "off", "on";
   LEVEL [0x01] & 0x02; "low";
#EndRegisterList
)");
    EXPECT_EQ(ok.errors, 0);
    EXPECT_THAT(Actions(ok), ElementsAre("BeginRegisterList", "CreateDevice", "CreatePart 1",
                                         "EndRegister", "CreateBitField", "CreateTextLine",
                                         "CreateBitField", "CreateTextLine", "Link"));

    const Compiled bad = CompileText(R"(#BeginRegisterList "d.dll"
0: DEV A1;
1: REG [0x01] = 0;
   REG2 [0x02] = 0;
#EndRegisterList
)");
    // REG2 is taken for a bit field until its "=", and the "0" after it for the next label.
    EXPECT_THAT(Diagnostics(bad), ElementsAre("Line 4: error P02: wrong syntax '='",
                                              "Line 4: error P02: wrong syntax ';', expected ':'"));
}

TEST(Parser, RegisterPartsAreNumberedAndTheNumberStartsAgainAtEachRegister) {
    const Compiled c = CompileText(R"(#BeginRegisterList "d.dll"
0: DEV A1;
1: WIDE [0x01] = 0, [0x02] = 0 D2, [0x03] & 0x0F = 1;
1: NARROW [0x04] = 0;
#EndRegisterList
)");
    EXPECT_EQ(c.errors, 0);
    EXPECT_THAT(Actions(c),
                ElementsAre("BeginRegisterList", "CreateDevice", "CreatePart 1", "CreatePart 2",
                            "CreatePart 3", "EndRegister", "CreatePart 1", "EndRegister", "Link"));
}

TEST(Parser, MacroBindingsNameTheirBeforeAndAfterMacros) {
    const Compiled c = CompileText(R"(#BeginRegisterList "d.dll"
0: DEV A1;
1: ALPHA [0x01] = 0 R{ , After };
1: BETA [0x02] = 0 R{ Before } W{ Pre, Post };
1: $ V = 1 W{ Done } R{ Got };
#EndRegisterList
)");
    EXPECT_EQ(c.errors, 0);
    EXPECT_THAT(c.events,
                IsSupersetOf({"prop 21 'R{' @3", "prop 24 'After' @3", "prop 23 'Before' @4",
                              "prop 22 'W{' @4", "prop 23 'Pre' @4", "prop 24 'Post' @4",
                              "prop 24 'Done' @5", "prop 24 'Got' @5"}));
    EXPECT_THAT(Actions(c),
                ElementsAre("BeginRegisterList", "CreateDevice", "CreatePart 1", "BindReadMacros",
                            "EndRegister", "CreatePart 1", "BindReadMacros", "BindWriteMacros",
                            "EndRegister", "BindWriteMacros", "BindReadMacros", "CreateVariable",
                            "Link"));
}

TEST(Parser, PausesTakeANumberInBrackets) {
    const Compiled ok = CompileText("#BeginMacro M\n[D]\nsleep(0x10);\n#EndMacro\n");
    EXPECT_EQ(ok.errors, 0);
    EXPECT_THAT(Actions(ok),
                ElementsAre("Operand intCon '0x10'", "Operator sleep", "CreateMacro", "Link"));

    const Compiled bad = CompileText("#BeginMacro M\n[D]\nsleep 10;\n#EndMacro\n");
    EXPECT_THAT(Diagnostics(bad),
                ElementsAre("Line 3: error P02: wrong syntax '10', expected '('"));
}

TEST(Parser, AfterTheFirstErrorOnlyPropertiesAndMacroStepsAreHandedOver) {
    const Compiled c = CompileText(R"(#BeginRegisterList "d.dll"
0: DEV A1;
1: ALPHA [0x01] = 0 ]
1: BETA [0x02] = 0 R{ X };
1: GAMMA [0x03] = ;
#EndRegisterList
#BeginMacro M
[DEV]
  BETA = 3;
#EndMacro
#BeginBasic Setup "init.bas" #EndBasic
)");
    EXPECT_THAT(Diagnostics(c), ElementsAre("Line 3: error P02: wrong syntax ']'",
                                            "Line 5: error P02: wrong syntax ';'"));
    EXPECT_EQ(c.errors, 2);
    EXPECT_THAT(Actions(c),
                ElementsAre("BeginRegisterList", "CreateDevice", "CreatePart 1", "BindReadMacros",
                            "Operand identifier 'BETA'", "Operand intCon '3'",
                            "Operator =", "CreateScriptMacro /boards/t.vek"));
    EXPECT_THAT(c.events, IsSupersetOf({"prop 17 'BETA' @4", "prop 17 'GAMMA' @5", "prop 26 'M' @7",
                                        "prop 34 'Setup' @11", "prop 35 '\"init.bas\"' @11"}));
}

TEST(Parser, ScriptMacrosTakeTheirFlagsInAnyOrder) {
    const Compiled c = CompileText("#BeginBasic Init L P \"init.bas\" #EndBasic\n"
                                   "#BeginBasic Bare #EndBasic\n");
    EXPECT_EQ(c.errors, 0);
    EXPECT_THAT(c.events,
                ElementsAre("prop 34 'Init' @1", "prop 36 'L' @1", "prop 27 'P' @1",
                            "prop 35 '\"init.bas\"' @1", "CreateScriptMacro /boards/t.vek",
                            "prop 34 'Bare' @2", "CreateScriptMacro /boards/t.vek", "Link"));
}

TEST(Parser, ErrorsAreCountedAndReportedUpToElevenOnly) {
    const Compiled c = CompileText("%%%%%%%%%%%%%%%\n");
    EXPECT_EQ(c.errors, 11);
    const auto lines = Diagnostics(c);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.front(), "Line 1: error P07: unknown token '%'");
    EXPECT_THAT(Actions(c), ElementsAre());
}

TEST(Parser, ExpectedTokensAreNamedOnlyWhereOneTokenFits) {
    // After the failed trials of the attribute, binding and help alternatives nothing is named.
    const Compiled c = CompileText("#BeginRegisterList \"d.dll\"\n0: DEV A1;\n"
                                   "1: REG [0x01] = 0 X;\n#EndRegisterList\n");
    EXPECT_THAT(Diagnostics(c), ElementsAre("Line 3: error P02: wrong syntax 'X'"));

    const Compiled eof = CompileText("#BeginRegisterList \"d.dll\"\n0: DEV A1");
    EXPECT_THAT(Diagnostics(eof), ElementsAre("Line 2: error P00: unexpected end of file "));
}

TEST(Parser, ATokenAfterTheLastSectionIsReportedAndTheRestSkipped) {
    const Compiled c = CompileText("#BeginMacro M\n#EndMacro\nstray ; more %\n");
    EXPECT_THAT(Diagnostics(c), ElementsAre("Line 3: error P02: wrong syntax 'stray'",
                                            "Line 3: error P07: unknown token '%'"));
}

TEST(Parser, LexicalErrorsCarryTheLineBeingScanned) {
    const Compiled c = CompileText("#BeginRegisterList \"d.dll\n0: DEV A1 [0x];\n/* open\n");
    EXPECT_THAT(Diagnostics(c),
                ElementsAre("Line 1: error P05: newline in constant",
                            "Line 2: error P03: hex constants must have at least one hex digit",
                            "Line 3: error P01: open comment ",
                            "Line 3: error P00: unexpected end of file "));
}

} // namespace
} // namespace vek
